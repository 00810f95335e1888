#include "gui/files/qtfiledialogs.h"

#include "gui/files/deletedialog.h"
#include "gui/files/newfolderdialog.h"
#include "gui/files/propertiesdialog.h"
#include "gui/files/renamedialog.h"

std::optional<QString> QtFileDialogs::askRename(const RenameDialogModel::Request& request) {
    RenameDialog dialog(request, m_parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.resultPath();
}

std::optional<bool> QtFileDialogs::confirmDelete(const DeleteDialogModel::Request& request) {
    DeleteDialog dialog(request, m_parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.recycleBin();
}

std::optional<QString> QtFileDialogs::askNewFolderName(const QString& parent) {
    NewFolderDialog dialog(parent, m_parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.name();
}

void QtFileDialogs::showProperties(FileProperties& properties) {
    PropertiesDialog dialog(properties, m_parent);
    dialog.exec();
}
