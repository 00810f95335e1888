#include "core/files/filedelete.h"

#include "core/common/textfile.h"
#include "core/files/filemove.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

FileDeleteResult failed(const QString& message) {
    return {FileDeleteResult::Status::Failed, message};
}

bool exists(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

// Where the desktop keeps its own Trash: $XDG_DATA_HOME/Trash, by default ~/.local/share/Trash.
QString dataHome() {
    const QString configured = qEnvironmentVariable("XDG_DATA_HOME");
    return QDir::isAbsolutePath(configured) ? configured : QDir::homePath() + QStringLiteral("/.local/share");
}

// A Trash of the desktop: the home Trash, or one at the top of another file system (".Trash-<uid>",
// or "<uid>" inside ".Trash").
bool isTrashFolder(const QString& folder) {
    const QFileInfo info(folder);
    const QString uid = QString::number(::getuid());
    if (info.fileName() == QStringLiteral(".Trash-") + uid) {
        return true;
    }
    if (info.fileName() == uid && QFileInfo(info.absolutePath()).fileName() == QStringLiteral(".Trash")) {
        return true;
    }
    const QString home = QFileInfo(dataHome() + QStringLiteral("/Trash")).canonicalFilePath();
    return !home.isEmpty() && info.canonicalFilePath() == home;
}

// Where the Trash put the file is checked: some versions of the library report success and leave the
// file in a folder of their own choosing when the data folder is missing.
bool landedInTrash(const QString& inTrash) {
    if (!QDir::isAbsolutePath(inTrash) || !exists(inTrash)) {
        return false;
    }
    const QFileInfo entry(inTrash);
    const QDir files = entry.absoluteDir();
    if (files.dirName() != QStringLiteral("files")) {
        return false;
    }
    const QString trash = QFileInfo(files.absolutePath()).absolutePath();
    return isTrashFolder(trash) &&
           QFileInfo::exists(trash + QStringLiteral("/info/") + entry.fileName() + QStringLiteral(".trashinfo"));
}

QString trashNoteOf(const QString& inTrash) {
    const QFileInfo entry(inTrash);
    return entry.absolutePath() + QStringLiteral("/../info/") + entry.fileName() +
           QStringLiteral(".trashinfo");
}

// Whether the note's path is the file's path as it stands, not yet escaped: the home Trash notes the
// full path, a Trash at the top of another file system the path below that top.
bool isUnescapedTrashPath(const QByteArray& value, const QByteArray& original) {
    if (value == original || (!value.startsWith('/') && original.endsWith('/' + value))) {
        return true;
    }
    // An escaped path holds nothing but unreserved characters, "/" and "%".
    return value.toPercentEncoding("/%") != value;
}

// Other Trash tools read the note's path percent-encoded, so "100%41" unescaped would come back as
// "100A". The library writes the path as it stands; the note is written again with it escaped.
QString escapeTrashNote(const QString& path, const QString& inTrash) {
    const QString note = trashNoteOf(inTrash);
    QFile file(note);
    if (!file.open(QIODevice::ReadOnly)) {
        return file.errorString();
    }
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    for (QByteArray& line : lines) {
        if (line.startsWith("Path=")) {
            const QByteArray value = line.mid(5);
            if (!isUnescapedTrashPath(value, QFile::encodeName(path))) {
                return {};
            }
            line = "Path=" + value.toPercentEncoding("/");
            return TextFile::replaceFile(note, lines.join('\n'));
        }
    }
    return {};
}

FileDeleteResult moveToTrash(const QString& path) {
    const QString home = dataHome();
    if (!QDir().mkpath(home)) {
        return failed(QStringLiteral("\"%1\" was not deleted: the folder of the Trash, \"%2\", could not be created.")
                          .arg(path, home));
    }
    QString inTrash;
    const bool reported = QFile::moveToTrash(path, &inTrash);
    if (reported && !exists(path) && landedInTrash(inTrash)) {
        const QString noteError = escapeTrashNote(path, inTrash);
        if (noteError.isEmpty()) {
            return {FileDeleteResult::Status::Deleted, QString()};
        }
        // A note that would restore the file under another name is no safe deletion.
        if (MoveFileOrFolder(inTrash, path).moved()) {
            QFile::remove(trashNoteOf(inTrash));
            return failed(
                QStringLiteral("\"%1\" was not deleted: its note in the Trash could not be written: %2.")
                    .arg(path, noteError));
        }
        return failed(
            QStringLiteral("\"%1\" is in the Trash at \"%2\", but its note there could not be written: %3.")
                .arg(path, inTrash, noteError));
    }
    if (!exists(path) && !inTrash.isEmpty() && exists(inTrash)) {
        // It went somewhere that is no Trash: it goes back where the user had it, and the note the
        // library wrote about it goes.
        const QFileInfo stray(inTrash);
        if (!MoveFileOrFolder(stray.absoluteFilePath(), path).moved()) {
            return failed(QStringLiteral("\"%1\" could not be moved to the Trash correctly; it is now at \"%2\".")
                              .arg(path, stray.absoluteFilePath()));
        }
        QFile::remove(trashNoteOf(stray.absoluteFilePath()));
    }
    return failed(QStringLiteral("\"%1\" was not deleted: the Trash did not take it. Check that the Trash "
                                 "folder \"%2\" can be written to.")
                      .arg(path, home + QStringLiteral("/Trash")));
}

}  // namespace

FileDeleteResult DeleteFile(const QString& path, bool toTrash) {
    // A relative name (a Windows path read from an old list) would name a file in the working folder.
    if (!QDir::isAbsolutePath(path)) {
        return failed(QStringLiteral("\"%1\" was not deleted: it is not a full path.").arg(path));
    }
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            return {FileDeleteResult::Status::Missing,
                    QStringLiteral("\"%1\" was not deleted: it is no longer on disk.").arg(path)};
        }
        return failed(QStringLiteral("\"%1\" was not deleted: %2.").arg(path, systemReason(error)));
    }
    if (S_ISDIR(info.st_mode)) {
        return failed(QStringLiteral("\"%1\" was not deleted: it is a folder, not a file.").arg(path));
    }
    if (toTrash) {
        return moveToTrash(path);
    }
    if (::unlink(name.constData()) != 0) {
        return failed(QStringLiteral("\"%1\" was not deleted: %2.").arg(path, systemReason(errno)));
    }
    return {FileDeleteResult::Status::Deleted, QString()};
}

FileDeleteResult RemoveEmptyFolder(const QString& path) {
    if (!QDir::isAbsolutePath(path)) {
        return failed(QStringLiteral("The folder \"%1\" was not deleted: it is not a full path.").arg(path));
    }
    if (::rmdir(QFile::encodeName(path).constData()) == 0) {
        return {FileDeleteResult::Status::Deleted, QString()};
    }
    const int error = errno;
    if (error == ENOENT) {
        return {FileDeleteResult::Status::Missing,
                QStringLiteral("The folder \"%1\" was not deleted: it is no longer on disk.").arg(path)};
    }
    return failed(QStringLiteral("The folder \"%1\" was not deleted: %2.").arg(path, systemReason(error)));
}
