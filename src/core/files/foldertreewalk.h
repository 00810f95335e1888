#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <chrono>
#include <set>
#include <utility>
#include <vector>

// The search's own wildcard rule, kept because users' masks were written for it: "?" is any one
// character, "*" matches whatever is left (the pattern after it is not looked at, so a*b matches
// axyz), letter case is ignored. FileMask's WildcardMatch is a full matcher and would refuse axyz.
bool SearchWildcardMatch(QStringView pattern, QStringView text);

// One ";"-separated part of a search mask. "song?.mid" tests the name before the last "." and the
// extension after it separately, so song?.mid takes song9.mid and not song10.mid; a part with no "."
// tests the whole name.
struct SearchMask {
    QString namePattern;
    QString extensionPattern;
    bool wholeName = false;

    bool matches(QStringView fileName) const;
    // The same with the name already cut at its last "." (extension without the dot).
    bool matches(QStringView fileName, QStringView stem, QStringView extension) const;
};
std::vector<SearchMask> ParseSearchMasks(const QString& maskList);

// Walks a folder and all its sub-folders once, in short slices, and sorts the files that match each
// mask into that mask's list, in the order of the walk; a file matching two masks is in both lists.
// Hidden entries are skipped; symbolic links to folders are never entered and a folder reached twice
// (a bind mount of its own parent) is walked once, so every walk ends; only regular files count.
// Folders that cannot be read are skipped and counted.
class FolderTreeWalk {
public:
    FolderTreeWalk(const QString& folder, std::vector<SearchMask> masks);

    // Goes on until the walk ends or the time is spent; true when it has ended.
    bool step(std::chrono::nanoseconds budget);
    bool finished() const { return m_pending.empty(); }

    // The files found for mask i, full paths; a caller may take them away as it goes.
    QStringList& found(size_t mask) { return m_found[mask]; }
    size_t maskCount() const { return m_found.size(); }
    qsizetype foundCount() const { return m_foundCount; }
    // The folder being read now.
    QString currentFolder() const { return m_currentFolder; }
    int unreadableFolders() const { return m_unreadableFolders; }

private:
    struct Folder {
        QByteArray path;  // with a trailing "/"
        QString name;     // the same, decoded
        // A folder of tens of thousands of files is taken a part at a time, so no slice runs long.
        std::vector<QByteArray> files;
        size_t nextFile = 0;
        std::vector<QByteArray> subfolders;
        size_t next = 0;
    };
    void readFolder(const QByteArray& path, bool followLink);
    void considerFile(const QString& folder, const QByteArray& name);

    std::vector<SearchMask> m_masks;
    std::vector<QStringList> m_found;
    std::vector<Folder> m_pending;  // the folders open on the way down, deepest last
    std::set<std::pair<quint64, quint64>> m_visited;  // device and inode of every folder read
    QString m_currentFolder;
    qsizetype m_foundCount = 0;
    int m_unreadableFolders = 0;
    bool m_started = false;
    QByteArray m_root;
};
