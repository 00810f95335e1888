#pragma once

#include <QList>
#include <QString>

// A line of the Folder List: the current folder's ancestors and the folder itself are open, its
// subfolders closed one level deeper.
struct FolderEntry {
    QString path;
    QString name;
    int depth = 0;
    bool open = false;
};

// A volume of the drive box: a mounted file system, or the home folder.
struct Drive {
    QString rootPath;
    QString caption;
};

// The Folder List: the folders from the root down to the current one, then the current one's
// subfolders (hidden ones left out), sorted as a file manager sorts them. One entry is selected; the
// current folder changes only when an entry is opened.
class FolderList {
public:
    // Moves to the folder, or to its nearest existing ancestor; returns the folder it moved to.
    QString setFolder(const QString& folder);
    void reload() { setFolder(m_folder); }

    const QString& folder() const { return m_folder; }
    const QList<FolderEntry>& entries() const { return m_entries; }
    qsizetype count() const { return m_entries.size(); }
    // The line of the current folder.
    qsizetype currentLine() const { return m_currentLine; }
    qsizetype selectedLine() const { return m_selectedLine; }
    void setSelectedLine(qsizetype line) { m_selectedLine = line; }
    QString selectedPath() const;

private:
    QString m_folder;
    QList<FolderEntry> m_entries;
    qsizetype m_currentLine = -1;
    qsizetype m_selectedLine = -1;
};

// The nearest folder at or above path that exists ("/" at the end).
QString NearestExistingFolder(const QString& path);

// The drive box's entries: the home folder first, then the mounted file systems a user keeps files on
// (the root, removable media, other disks), without the system's virtual ones.
QList<Drive> ListDrives(const QString& home);
// The entry whose folder holds the given one most closely; -1 when none does.
qsizetype DriveOfFolder(const QList<Drive>& drives, const QString& folder);
