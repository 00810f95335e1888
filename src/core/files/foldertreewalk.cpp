#include "core/files/foldertreewalk.h"

#include <QFile>

#include <algorithm>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool SearchWildcardMatch(QStringView pattern, QStringView text) {
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'*') {
            return true;
        }
        if (i >= text.size()) {
            return false;
        }
        if (pattern[i] != u'?' && pattern[i] != text[i] && pattern[i].toLower() != text[i].toLower()) {
            return false;
        }
    }
    return pattern.size() == text.size();
}

namespace {

constexpr size_t kFilesBetweenClockChecks = 256;

QStringView stemOf(QStringView fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? fileName : fileName.left(dot);
}

QStringView extensionOf(QStringView fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? QStringView() : fileName.mid(dot + 1);
}

}  // namespace

bool SearchMask::matches(QStringView fileName) const {
    return matches(fileName, stemOf(fileName), extensionOf(fileName));
}

bool SearchMask::matches(QStringView fileName, QStringView stem, QStringView extension) const {
    if (wholeName) {
        return SearchWildcardMatch(namePattern, fileName);
    }
    return SearchWildcardMatch(extensionPattern, extension) && SearchWildcardMatch(namePattern, stem);
}

std::vector<SearchMask> ParseSearchMasks(const QString& maskList) {
    std::vector<SearchMask> masks;
    for (const QString& part : maskList.split(u';', Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        if (pattern.isEmpty()) {
            continue;
        }
        const qsizetype dot = pattern.lastIndexOf(u'.');
        if (dot < 0) {
            masks.push_back({pattern, QString(), true});
        } else {
            masks.push_back({pattern.left(dot), pattern.mid(dot + 1), false});
        }
    }
    return masks;
}

FolderTreeWalk::FolderTreeWalk(const QString& folder, std::vector<SearchMask> masks)
    : m_masks(std::move(masks)), m_found(m_masks.size()), m_root(QFile::encodeName(folder)) {
    if (!m_root.endsWith('/')) {
        m_root.append('/');
    }
    // Not finished before the first step reads the root.
    m_pending.emplace_back();
}

bool FolderTreeWalk::step(std::chrono::nanoseconds budget) {
    const auto end = std::chrono::steady_clock::now() + budget;
    if (!m_started) {
        m_started = true;
        m_pending.clear();
        readFolder(m_root, true);  // the folder chosen may well be a link to the music
    }
    while (!m_pending.empty()) {
        Folder& folder = m_pending.back();
        if (folder.nextFile < folder.files.size()) {
            const size_t last = std::min(folder.files.size(), folder.nextFile + kFilesBetweenClockChecks);
            for (; folder.nextFile < last; ++folder.nextFile) {
                considerFile(folder.name, folder.files[folder.nextFile]);
            }
            if (folder.nextFile == folder.files.size()) {
                folder.files = {};
            }
        } else if (folder.next >= folder.subfolders.size()) {
            m_pending.pop_back();
            continue;
        } else {
            // Taken by value: reading pushes onto m_pending and may move the folder it came from.
            const QByteArray path = folder.path + folder.subfolders[folder.next++] + '/';
            readFolder(path, false);
        }
        if (std::chrono::steady_clock::now() >= end) {
            break;
        }
    }
    return finished();
}

void FolderTreeWalk::readFolder(const QByteArray& path, bool followLink) {
    m_currentFolder = QFile::decodeName(path);
    // A sub-folder was listed as a folder; should it have become a link since, it is not followed.
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW));
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        ++m_unreadableFolders;
        return;
    }
    if (!m_visited.insert({static_cast<quint64>(info.st_dev), static_cast<quint64>(info.st_ino)}).second) {
        ::close(fd);
        return;
    }
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        ++m_unreadableFolders;
        return;
    }
    Folder folder;
    folder.path = path;
    folder.name = m_currentFolder;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') {
            continue;  // hidden, and "." and ".."
        }
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN) {
            struct stat entryInfo {};
            if (::fstatat(::dirfd(dir), entry->d_name, &entryInfo, AT_SYMLINK_NOFOLLOW) != 0) {
                continue;
            }
            type = S_ISDIR(entryInfo.st_mode) ? DT_DIR : S_ISREG(entryInfo.st_mode) ? DT_REG
                                                     : S_ISLNK(entryInfo.st_mode)   ? DT_LNK
                                                                                    : DT_UNKNOWN;
        }
        if (type == DT_LNK) {
            // A link to a file is that file; a link to a folder is never entered.
            struct stat target {};
            if (::fstatat(::dirfd(dir), entry->d_name, &target, 0) == 0 && S_ISREG(target.st_mode)) {
                type = DT_REG;
            }
        }
        if (type == DT_DIR) {
            folder.subfolders.emplace_back(entry->d_name);
        } else if (type == DT_REG) {
            folder.files.emplace_back(entry->d_name);
        }
    }
    ::closedir(dir);
    // Names in byte order, so a search gives the same list every time, whatever order the file system
    // keeps them in.
    std::sort(folder.files.begin(), folder.files.end());
    std::sort(folder.subfolders.begin(), folder.subfolders.end());
    if (!folder.files.empty() || !folder.subfolders.empty()) {
        m_pending.push_back(std::move(folder));
    }
}

void FolderTreeWalk::considerFile(const QString& folder, const QByteArray& name) {
    const QString fileName = QFile::decodeName(name);
    const QStringView stem = stemOf(fileName);
    const QStringView extension = extensionOf(fileName);
    for (size_t i = 0; i < m_masks.size(); ++i) {
        if (!m_masks[i].matches(fileName, stem, extension)) {
            continue;
        }
        m_found[i].append(folder + fileName);
        ++m_foundCount;
    }
}
