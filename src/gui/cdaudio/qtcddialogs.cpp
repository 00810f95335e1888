#include "gui/cdaudio/qtcddialogs.h"

#include "gui/cdaudio/cddbsavewarningbox.h"
#include "gui/cdaudio/insertnewcdbox.h"
#include "gui/cdaudio/rearrangecdsbox.h"
#include "gui/cdaudio/removecddialog.h"
#include "gui/cdaudio/renamecdtrackbox.h"

bool QtCDDialogs::confirmSave(bool& askInFuture) {
    CDDBSaveWarningBox box(askInFuture, m_parent);
    // The title bar's close button cancels: a save the user did not agree to must not overwrite names.
    if (box.exec() != QDialog::Accepted) {
        return false;
    }
    askInFuture = box.askInFuture();
    return true;
}

std::optional<QStringList> QtCDDialogs::renameTracks(const QStringList& names, int track, bool& expanded) {
    RenameCDTrackBox box(names, track, expanded, m_parent);
    const int result = box.exec();
    expanded = box.expanded();
    if (result != QDialog::Accepted) {
        return std::nullopt;
    }
    return box.names();
}

bool QtCDDialogs::confirmRemove(const QString& discName) {
    RemoveCDDialog box(discName, m_parent);
    return box.exec() == QDialog::Accepted;
}

std::optional<QList<int>> QtCDDialogs::rearrange(const QStringList& names, int selected) {
    RearrangeCDsBox box(names, selected, m_parent);
    if (box.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return box.order();
}

CDDialogs::InsertAnswer QtCDDialogs::askForDisc(const QString& discName, bool full) {
    InsertNewCDBox box(discName, full, m_parent);
    switch (box.exec()) {
    case InsertNewCDBox::Retry:
        return InsertAnswer::Retry;
    case InsertNewCDBox::Ignore:
        return InsertAnswer::Ignore;
    default:
        return InsertAnswer::Cancel;
    }
}
