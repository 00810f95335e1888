#include "core/files/searchdialogmodel.h"

#include "core/files/filetypes.h"

#include <QFileInfo>

void SearchDialogModel::open(const Opening& opening) {
    m_playListHasItems = opening.playListHasItems;
    m_tab = m_playListHasItems ? Tab::PlayList : Tab::Files;
    m_filterText = opening.fileListMask;
    if (!m_filterText.endsWith(u';')) {
        m_filterText.append(u';');
    }
    m_filterGroup = opening.filterGroup;
    m_folder = opening.droppedFolder.isEmpty() ? opening.currentFolder : opening.droppedFolder;
    searchEnded();
}

void SearchDialogModel::setTab(Tab tab) {
    if (tab == Tab::PlayList && !m_playListHasItems) {
        return;
    }
    m_tab = tab;
}

void SearchDialogModel::chooseFilterGroup(int group) {
    if (group < 0 || group >= static_cast<int>(kFilterGroups.size())) {
        return;
    }
    m_filterGroup = group;
    m_filterText = QString::fromLatin1(kFilterGroups[static_cast<size_t>(group)].mask);
}

QString SearchDialogModel::okCaption() const {
    return m_searching ? QStringLiteral("&Stop") : QStringLiteral("&Search");
}

void SearchDialogModel::searchStarted() {
    m_searching = true;
    m_filesFoundText = QStringLiteral("0");
}

void SearchDialogModel::searchProgress(const QString& folder, qsizetype filesFound) {
    m_progressText = folder;
    m_filesFoundText = QString::number(filesFound);
}

void SearchDialogModel::searchEnded() {
    m_searching = false;
    m_progressText = idleProgressText();
    m_filesFoundText = QStringLiteral("N / A");
}

bool SearchDialogModel::okEnabled() const {
    if (m_tab == Tab::PlayList) {
        return !m_searchText.isEmpty();
    }
    return m_searching || (!m_folder.isEmpty() && QFileInfo(m_folder).isDir());
}

SearchDialogModel::Action SearchDialogModel::okAction() const {
    if (m_tab == Tab::PlayList) {
        return m_searchText.isEmpty() ? Action::None : Action::FindInPlayList;
    }
    if (m_searching) {
        return Action::StopSearch;
    }
    if (m_filterText.isEmpty() || !okEnabled()) {
        return Action::None;
    }
    return Action::StartSearch;
}

bool SearchDialogModel::takeTabKey(QChar key, bool focusInEdit) {
    if (focusInEdit) {
        return false;
    }
    const QChar lower = key.toLower();
    if (lower == u'p') {
        setTab(Tab::PlayList);
        return true;
    }
    if (lower == u'g') {
        setTab(Tab::Files);
        return true;
    }
    return false;
}

QString SearchDialogModel::tipsText() {
    return QStringLiteral(
        "To add all media files on your hard drive to the current Play List, simply\r"
        "select the root folder (/ for example) and select All Multimedia Files.\r\r"
        "The current file mask / filter of the File List of the main window is listed here.\r"
        "You can, if you want, change it here. You can search for multiple file types\r"
        "by separating the expressions with semicolons (;). Wildcards (*, ?) are supported.\r\r"
        "song?.mid finds song1.mid but not song10.mid.\r"
        "song*.mid finds both song1.mid and song10.mid.");
}
