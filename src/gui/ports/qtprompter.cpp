#include "gui/ports/qtprompter.h"

#include "core/files/filetypes.h"
#include "gui/ports/savechangesdialog.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

const QString kPlayListFilter = QStringLiteral("All Play Lists (*.vlp)");

// Opening wants an existing file; saving asks before it replaces one (the dialog's default).
QString runPlayListDialog(QWidget* parent, const QString& name, const QString& title, const QString& folder,
                          QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, title, folder, kPlayListFilter);
    dialog.setObjectName(name);
    dialog.setDefaultSuffix(QStringLiteral("vlp"));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString QtPrompter::playListFilter() {
    return kPlayListFilter;
}

QString QtPrompter::displayText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

Prompter::Answer QtPrompter::showMessage(Kind kind, const QString& text, Buttons buttons) {
    QMessageBox box(m_parent);
    switch (kind) {
        case Kind::Information:
            box.setIcon(QMessageBox::Information);
            box.setWindowTitle(QStringLiteral("Information"));
            break;
        case Kind::Warning:
            box.setIcon(QMessageBox::Warning);
            box.setWindowTitle(QStringLiteral("Warning"));
            break;
        case Kind::Error:
            box.setIcon(QMessageBox::Critical);
            box.setWindowTitle(QStringLiteral("Error"));
            break;
        case Kind::Confirmation:
            box.setIcon(QMessageBox::Question);
            box.setWindowTitle(QStringLiteral("Confirm"));
            break;
    }
    box.setText(displayText(text));
    switch (buttons) {
        case Buttons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Buttons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case Buttons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case Buttons::OkCancelIgnore:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Ignore);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Ignore:
            return Answer::Ignore;
        default:
            return Answer::Cancel;
    }
}

Prompter::Answer QtPrompter::askSaveChangedPlayList() {
    SaveChangesDialog box(m_parent);
    switch (box.exec()) {
        case SaveChangesDialog::Yes:
            return Answer::Yes;
        case SaveChangesDialog::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

QString QtPrompter::chooseOpenPlayList(const QString& folder) {
    return runPlayListDialog(m_parent, QStringLiteral("OpenDialog"), QStringLiteral("Open Play List"), folder,
                             QFileDialog::AcceptOpen);
}

QString QtPrompter::chooseSavePlayList(const QString& folder) {
    return runPlayListDialog(m_parent, QStringLiteral("SaveDialog"), QStringLiteral("Save Play List"), folder,
                             QFileDialog::AcceptSave);
}

QString QtPrompter::chooseMediaFile(const QString& folder) {
    QFileDialog dialog(m_parent, QStringLiteral("Choose media file to replace the current item"), folder);
    dialog.setObjectName(QStringLiteral("BrowseOpenDialog"));
    dialog.setNameFilters({QStringLiteral("All Multimedia Files (%1)").arg(MediaFileMask().replace(u';', u' ').trimmed()),
                           QStringLiteral("All Files (*)")});
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}
