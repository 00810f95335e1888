#include "core/files/filemanagement.h"

#include "core/files/filetypes.h"
#include "core/files/fitpath.h"
#include "core/settings/preferences.h"

#include <QFileInfo>

FileManagement::FileManagement(Preferences& preferences, QObject* parent)
    : QObject(parent), m_preferences(preferences) {
    connect(&m_files, &FileList::reset, this, &FileManagement::fileListChanged);
    // A folder made or removed by another program shows in the Folder List too.
    connect(&m_files, &FileList::changedOnDisk, this, [this] {
        const QString selected = m_folders.selectedPath();
        m_folders.reload();
        for (qsizetype line = 0; line < m_folders.count(); ++line) {
            if (m_folders.entries()[line].path == selected) {
                m_folders.setSelectedLine(line);
            }
        }
        Q_EMIT changed();
    });
}

void FileManagement::start(const QString& home, const QString& folder) {
    m_home = home;
    m_drives = ListDrives(home);
    const int group = std::clamp(m_preferences.filter, 0, static_cast<int>(kFilterGroups.size()) - 1);
    m_filterEditText = QString::fromLatin1(kFilterGroups[static_cast<size_t>(group)].mask);
    m_files.setMask(m_filterEditText);
    readFolder(folder.isEmpty() ? home : folder);
    m_starting = false;
}

void FileManagement::setVisible(bool visible) {
    m_files.setVisible(visible);
}

void FileManagement::enterMode() {
    m_drives = ListDrives(m_home);
    readFolder(m_folders.folder());
    m_renameDelete = false;
    m_add = false;
    m_addAll = !m_files.isEmpty();
    Q_EMIT fileListFocused();
    if (!m_files.isEmpty()) {
        m_files.setFocusedLine(0);
        m_files.selectOnly(0);
        fileListClicked();
    }
    Q_EMIT changed();
}

void FileManagement::changeFolder(const QString& folder) {
    readFolder(folder);
    Q_EMIT changed();
}

void FileManagement::readFolder(const QString& folder) {
    m_files.setFolder(m_folders.setFolder(folder));
}

void FileManagement::chooseDrive(qsizetype index) {
    if (index >= 0 && index < m_drives.size() && index != currentDrive()) {
        changeFolder(m_drives[index].rootPath);
    }
}

void FileManagement::chooseFilterGroup(int index) {
    if (index < 0 || index >= static_cast<int>(kFilterGroups.size())) {
        return;
    }
    m_preferences.filter = index;
    setMask(QString::fromLatin1(kFilterGroups[static_cast<size_t>(index)].mask));
}

void FileManagement::setMask(const QString& mask) {
    m_filterEditText = mask;
    m_files.setMask(mask);
    Q_EMIT changed();
}

void FileManagement::setFilterEditText(const QString& text) {
    m_filterEditText = text;
    Q_EMIT changed();
}

void FileManagement::folderListClicked(qsizetype line) {
    m_folders.setSelectedLine(line);
    m_renameDelete = line >= 0;
    Q_EMIT changed();
}

void FileManagement::openFolderLine(qsizetype line) {
    if (line >= 0 && line < m_folders.count()) {
        changeFolder(m_folders.entries()[line].path);
    }
}

void FileManagement::openParentFolder() {
    const qsizetype current = m_folders.currentLine();
    if (current > 0) {
        openFolderLine(current - 1);  // the entry above the current folder is its parent
    }
}

void FileManagement::folderListEntered() {
    Q_EMIT folderListFocused();
    if (m_folders.count() > 0 && m_folders.selectedLine() < 0) {
        folderListClicked(m_folders.currentLine());
        return;
    }
    if (!m_starting) {
        m_renameDelete = false;
    }
    folderListClicked(m_folders.selectedLine());
}

void FileManagement::fileListClicked() {
    if (!m_files.isEmpty()) {
        const bool any = m_files.selectedCount() > 0;
        m_renameDelete = any;
        m_add = any;
        m_addAll = m_addAll || any;
        m_play = any;
    }
    Q_EMIT changed();
}

void FileManagement::fileListEntered() {
    Q_EMIT fileListFocused();
    if (!m_starting) {
        m_renameDelete = m_add = m_addAll = false;
    }
    fileListClicked();
}

// FileListBoxChange: the content changed.
void FileManagement::fileListChanged() {
    if ((m_files.selectedCount() == 0 || m_files.isEmpty()) && !m_starting) {
        m_play = false;
    }
    if (!m_files.isEmpty()) {
        m_addAll = true;
    }
    Q_EMIT changed();
}

bool FileManagement::filterEditEntered(const QString& text) {
    if (text.contains(u'*')) {
        setMask(text);
        return false;
    }
    const qsizetype line = m_files.indexOfName(text);
    if (line < 0) {
        return false;
    }
    m_files.scrollToTop(line);
    m_files.setFocusedLine(line);
    m_files.selectOnly(line);
    fileListClicked();
    return true;
}

bool FileManagement::showFile(const QString& path) {
    const QFileInfo file(path);
    chooseFilterGroup(0);
    changeFolder(file.absolutePath());
    const qsizetype line = m_files.indexOfName(file.fileName());
    if (line < 0) {
        return false;
    }
    m_files.selectAlone(line);
    fileListEntered();
    return true;
}

void FileManagement::selectPlayingLine() {
    const qsizetype line = m_files.playingLine();
    if (line < 0 || line >= m_files.count()) {
        return;
    }
    m_files.selectAlone(line);
    fileListClicked();
}

QString FileManagement::browseLabel() const {
    const QString note = m_files.unshownNote();
    return note.isEmpty() ? m_files.browseLabel() : m_files.browseLabel() + QStringLiteral(", ") + note;
}

QString FileManagement::dirLabel(const TextMeasurer& measurer, int width, bool withAccelerator) const {
    const QString prefix = QStringLiteral("DL: ");
    const QString folder = FitPath(m_folders.folder(), prefix, measurer, width);
    return withAccelerator ? QStringLiteral("&") + prefix + EscapeAmpersands(folder) : prefix + folder;
}
