#include "core/files/filemove.h"

#include "core/files/filepaths.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

FileMoveResult failed(const QString& message) {
    return {FileMoveResult::Status::Failed, message};
}

FileMoveResult cannotMove(const QString& from, const QString& to, int error) {
    return failed(QStringLiteral("Velmaro could not move \"%1\" to \"%2\": %3.").arg(from, to, systemReason(error)));
}

FileMoveResult destinationExists(const QString& from, const QString& to) {
    return {FileMoveResult::Status::DestinationExists,
            QStringLiteral("\"%1\" was not moved: \"%2\" already exists, and Velmaro does not replace it.")
                .arg(from, to)};
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The copy of a tree, entry by entry. Everything it created is removed again when a step fails, so a
// failed copy leaves the destination as it found it.
class TreeCopy {
public:
    // An empty result means success; else the reason, naming the path.
    QString copy(const QByteArray& from, const QByteArray& to) {
        struct stat info {};
        if (::lstat(from.constData(), &info) != 0) {
            return reasonFor(from, errno);
        }
        if (S_ISLNK(info.st_mode)) {
            return copyLink(from, to);
        }
        if (S_ISREG(info.st_mode)) {
            return copyFile(from, to, info);
        }
        if (S_ISDIR(info.st_mode)) {
            return copyFolder(from, to, info);
        }
        return QStringLiteral("\"%1\" is a special file (a device, pipe or socket), which Velmaro does not copy.")
            .arg(QFile::decodeName(from));
    }

    // Undoes the copy, newest entry first.
    void removeCreated() {
        for (auto it = m_created.rbegin(); it != m_created.rend(); ++it) {
            if (::rmdir(it->constData()) != 0 && errno == ENOTDIR) {
                ::unlink(it->constData());
            }
        }
        m_created.clear();
    }

    // The first failure was that the destination itself exists.
    bool destinationExisted() const { return m_destinationExisted; }

private:
    QString reasonFor(const QByteArray& path, int error) {
        if (error == EEXIST && m_created.empty()) {
            m_destinationExisted = true;
        }
        return QStringLiteral("\"%1\": %2.").arg(QFile::decodeName(path), systemReason(error));
    }

    QString copyLink(const QByteArray& from, const QByteArray& to) {
        std::vector<char> target(PATH_MAX + 1);
        const ssize_t length = ::readlink(from.constData(), target.data(), target.size() - 1);
        if (length < 0) {
            return reasonFor(from, errno);
        }
        target[static_cast<size_t>(length)] = '\0';
        if (::symlink(target.data(), to.constData()) != 0) {
            return reasonFor(to, errno);
        }
        m_created.push_back(to);
        return {};
    }

    QString copyFile(const QByteArray& from, const QByteArray& to, const struct stat& info) {
        const int in = ::open(from.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (in < 0) {
            return reasonFor(from, errno);
        }
        // O_EXCL: an entry that appeared meanwhile is never written over.
        const int out = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (out < 0) {
            const int error = errno;
            ::close(in);
            return reasonFor(to, error);
        }
        m_created.push_back(to);
        QString reason = copyBytes(in, out, from, to);
        if (reason.isEmpty() && ::fchmod(out, info.st_mode & 07777) != 0) {
            reason = reasonFor(to, errno);
        }
        const struct timespec times[2] = {info.st_atim, info.st_mtim};
        if (reason.isEmpty() && ::futimens(out, times) != 0) {
            reason = reasonFor(to, errno);
        }
        ::close(in);
        // A full disk may show only when the file is closed.
        if (::close(out) != 0 && reason.isEmpty()) {
            reason = reasonFor(to, errno);
        }
        return reason;
    }

    QString copyBytes(int in, int out, const QByteArray& from, const QByteArray& to) {
        std::vector<char> buffer(1 << 16);
        for (;;) {
            const ssize_t got = ::read(in, buffer.data(), buffer.size());
            if (got < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return reasonFor(from, errno);
            }
            if (got == 0) {
                return {};
            }
            for (ssize_t done = 0; done < got;) {
                const ssize_t put = ::write(out, buffer.data() + done, static_cast<size_t>(got - done));
                if (put < 0) {
                    if (errno == EINTR) {
                        continue;
                    }
                    return reasonFor(to, errno);
                }
                done += put;
            }
        }
    }

    QString copyFolder(const QByteArray& from, const QByteArray& to, const struct stat& info) {
        if (::mkdir(to.constData(), 0700) != 0) {
            return reasonFor(to, errno);
        }
        m_created.push_back(to);
        DIR* folder = ::opendir(from.constData());
        if (!folder) {
            return reasonFor(from, errno);
        }
        QString reason;
        errno = 0;
        while (const dirent* entry = ::readdir(folder)) {
            const QByteArray name(entry->d_name);
            if (name == "." || name == "..") {
                continue;
            }
            reason = copy(from + '/' + name, to + '/' + name);
            if (!reason.isEmpty()) {
                break;
            }
            errno = 0;
        }
        if (reason.isEmpty() && errno != 0) {
            reason = reasonFor(from, errno);
        }
        ::closedir(folder);
        // Permissions and time last: a read-only folder still takes its entries, and adding them
        // would change the time.
        if (reason.isEmpty() && ::chmod(to.constData(), info.st_mode & 07777) != 0) {
            reason = reasonFor(to, errno);
        }
        const struct timespec times[2] = {info.st_atim, info.st_mtim};
        if (reason.isEmpty() && ::utimensat(AT_FDCWD, to.constData(), times, AT_SYMLINK_NOFOLLOW) != 0) {
            reason = reasonFor(to, errno);
        }
        return reason;
    }

    std::vector<QByteArray> m_created;
    bool m_destinationExisted = false;
};

// Removes a tree without following links; false with the first failure's errno left set.
bool removeTree(const QByteArray& path) {
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0) {
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        return ::unlink(path.constData()) == 0;
    }
    DIR* folder = ::opendir(path.constData());
    if (!folder) {
        return false;
    }
    std::vector<QByteArray> names;
    while (const dirent* entry = ::readdir(folder)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    ::closedir(folder);
    bool removed = true;
    for (const QByteArray& name : names) {
        removed = removeTree(path + '/' + name) && removed;
    }
    return removed && ::rmdir(path.constData()) == 0;
}

// Whether path lies inside folder (or is it), by their real locations, links resolved.
bool liesInside(const QString& path, const QString& folder) {
    const QString real = QDir(folder).canonicalPath();
    if (real.isEmpty()) {
        return false;
    }
    // The destination does not exist yet: its nearest existing ancestor tells where it would go.
    QString probe = path;
    QString rest;
    while (!probe.isEmpty() && !QFileInfo::exists(probe)) {
        const qsizetype slash = probe.lastIndexOf(u'/');
        if (slash < 0) {
            return false;
        }
        rest = probe.mid(slash) + rest;
        probe = slash == 0 ? QStringLiteral("/") : probe.left(slash);
    }
    const QString located = QDir::cleanPath(QFileInfo(probe).canonicalFilePath() + rest);
    return located == real || located.startsWith(FilePaths::Join(real, QString()));
}

}  // namespace

FileMoveResult CopyAndRemove(const QString& from, const QString& to) {
    const QByteArray source = native(from);
    const QByteArray destination = native(to);
    TreeCopy copy;
    const QString reason = copy.copy(source, destination);
    if (!reason.isEmpty()) {
        copy.removeCreated();
        if (copy.destinationExisted()) {
            return destinationExists(from, to);
        }
        return failed(QStringLiteral("Velmaro could not move \"%1\" to \"%2\", and left both as they were. %3")
                          .arg(from, to, reason));
    }
    if (removeTree(source)) {
        return {FileMoveResult::Status::Moved, QString()};
    }
    const int error = errno;
    struct stat info {};
    if (::lstat(source.constData(), &info) == 0 && !S_ISDIR(info.st_mode)) {
        // A file stands whole where it was: the copy goes again, and nothing has moved.
        copy.removeCreated();
        return cannotMove(from, to, error);
    }
    return {FileMoveResult::Status::Moved,
            QStringLiteral("\"%1\" was copied to \"%2\", but some of it could not be removed from the old "
                           "place: %3.")
                .arg(from, to, systemReason(error))};
}

FileMoveResult MoveFileOrFolder(const QString& from, const QString& to) {
    if (!QDir::isAbsolutePath(from) || !QDir::isAbsolutePath(to)) {
        return failed(QStringLiteral("Velmaro could not move \"%1\" to \"%2\": a full path is needed.").arg(from, to));
    }
    const QByteArray source = native(from);
    const QByteArray destination = native(to);
    struct stat sourceInfo {};
    if (::lstat(source.constData(), &sourceInfo) != 0) {
        return cannotMove(from, to, errno);
    }
    if (QDir::cleanPath(from) == QDir::cleanPath(to)) {
        return {FileMoveResult::Status::Moved, QString()};
    }
    if (S_ISDIR(sourceInfo.st_mode) && liesInside(to, from)) {
        return failed(
            QStringLiteral("Velmaro could not move the folder \"%1\" to \"%2\": a folder cannot go inside itself.")
                .arg(from, to));
    }
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, destination.constData(), RENAME_NOREPLACE) == 0) {
        return {FileMoveResult::Status::Moved, QString()};
    }
    int error = errno;
    if (error == EINVAL && !S_ISDIR(sourceInfo.st_mode)) {
        // A file system without the no-replace rename: a hard link fails just as surely on an existing
        // name.
        if (::link(source.constData(), destination.constData()) == 0) {
            ::unlink(source.constData());
            return {FileMoveResult::Status::Moved, QString()};
        }
        error = errno;
    }
    if (error == EEXIST) {
        struct stat destinationInfo {};
        // The same file under another spelling (a case-only rename on a file system that ignores case).
        if (::lstat(destination.constData(), &destinationInfo) == 0 && sameFile(sourceInfo, destinationInfo)) {
            if (std::rename(source.constData(), destination.constData()) == 0) {
                return {FileMoveResult::Status::Moved, QString()};
            }
            return cannotMove(from, to, errno);
        }
        return destinationExists(from, to);
    }
    if (error == EXDEV) {
        return CopyAndRemove(from, to);
    }
    return cannotMove(from, to, error);
}
