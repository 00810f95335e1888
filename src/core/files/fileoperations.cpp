#include "core/files/fileoperations.h"

#include "core/common/activelists.h"
#include "core/common/itemref.h"
#include "core/common/prompter.h"
#include "core/files/filedelete.h"
#include "core/files/filemove.h"
#include "core/files/filepaths.h"
#include "core/playback/lengthcalculator.h"
#include "core/playback/playbackcontroller.h"
#include "core/playlist/playlist.h"
#include "core/playlist/playlistdocument.h"
#include "core/playlist/playlisteditor.h"
#include "core/ports/mediadevice.h"
#include "core/settings/preferences.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace {

QString nearestExistingFolder(QString folder) {
    while (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder) {
            break;
        }
        folder = parent;
    }
    return folder;
}

}  // namespace

FileOperations::FileOperations(Context context)
    : m_c(context), m_references(context.playList, context.played, context.unplayed) {}

QString FileOperations::folderNotDeletedMessage() {
    return QStringLiteral(
        "Velmaro is unable to delete this folder, probably because it is not empty.\r"
        "Please enter the folder you just tried to delete and delete those files you do\r"
        "not want to keep and move those files you want to keep to another folder.\r"
        "Then you can safely delete the folder.");
}

bool FileOperations::holdsFile(const QString& path) const {
    return m_c.device.isOpen() && m_c.device.deviceType() != MediaDevice::DeviceType::CDAudio &&
           m_c.device.fileName() == path;
}

// A name an item reference cannot hold would be written into the Play List corrupted.
bool FileOperations::acceptsName(const QString& path) {
    if (IsStorablePath(path)) {
        return true;
    }
    m_c.prompter.showMessage(
        Prompter::Kind::Error,
        QStringLiteral("Velmaro cannot use the name \"%1\": a name may not contain a "
                       "quotation mark (\") or a line break. Nothing was renamed or moved.")
            .arg(path));
    return false;
}

void FileOperations::markChanged() {
    m_c.document.setChanged(true);
    m_c.lengths.markPlayListChanged();
}

void FileOperations::report(QStringList failures) {
    failures.removeIf([](const QString& message) { return message.isEmpty(); });
    if (!failures.isEmpty()) {
        m_c.prompter.showMessage(Prompter::Kind::Error, failures.join(QStringLiteral("\r\n\r\n")));
    }
}

QString FileOperations::moveOne(const QString& from, const QString& to, bool* moved) {
    *moved = false;
    if (!acceptsName(to)) {
        return {};
    }
    if (QDir::cleanPath(from) == QDir::cleanPath(to)) {
        return {};
    }
    if (holdsFile(from)) {
        m_c.controller.stopAndClose();
    }
    const FileMoveResult result = MoveFileOrFolder(from, to);
    if (result.moved()) {
        *moved = true;
        if (m_references.rewriteFile(from, to) > 0) {
            markChanged();
        }
    }
    return result.message;
}

bool FileOperations::moveFile(const QString& from, const QString& to) {
    bool moved = false;
    const QString message = moveOne(from, to, &moved);
    report({message});
    m_c.editor.updateControls();
    return moved;
}

qsizetype FileOperations::moveFilesIntoFolder(const QStringList& files, const QString& folder) {
    qsizetype count = 0;
    QStringList failures;
    for (const QString& file : files) {
        bool moved = false;
        const QString message = moveOne(file, FilePaths::Join(folder, QFileInfo(file).fileName()), &moved);
        count += moved ? 1 : 0;
        failures.append(message);
    }
    report(failures);
    m_c.editor.updateControls();
    return count;
}

QString FileOperations::moveFolder(const QString& from, const QString& to, const QString& currentFolder) {
    if (!acceptsName(to)) {
        return nearestExistingFolder(currentFolder);
    }
    const FileMoveResult result = MoveFileOrFolder(from, to);
    report({result.message});
    if (!result.moved()) {
        return nearestExistingFolder(currentFolder);
    }
    if (m_references.rewriteFolder(from, to) > 0) {
        markChanged();
        m_c.editor.updateControls();
    }
    // The user stays where they were, under the folder's new name.
    const QString old = QDir::cleanPath(from);
    const QString current = QDir::cleanPath(currentFolder);
    QString next = current;
    if (current == old) {
        next = QDir::cleanPath(to);
    } else if (current.startsWith(FilePaths::Join(old, QString()))) {
        next = FilePaths::Join(QDir::cleanPath(to), current.mid(old.size() + 1));
    }
    return nearestExistingFolder(next);
}

void FileOperations::deleteFiles(const QStringList& files, bool toTrash) {
    // Read before anything stops.
    const bool playListPlayed = m_c.lists.playListPlays();
    bool playingDeleted = false;
    QSet<QString> gone;
    QStringList failures;
    QStringList unique = files;
    unique.removeDuplicates();
    for (const QString& file : std::as_const(unique)) {
        const bool playing = holdsFile(file);
        if (playing) {
            m_c.controller.stopAndClose();
        }
        const FileDeleteResult result = DeleteFile(file, toTrash);
        // A file no longer on disk has nothing left to delete; its items go with it.
        if (result.status == FileDeleteResult::Status::Failed) {
            failures.append(result.message);
            continue;
        }
        gone.insert(file);
        playingDeleted = playingDeleted || playing;
    }
    PlayList& list = m_c.playList;
    const FileReferences::Removal removal = m_references.removeFiles(gone);
    if (removal.removed > 0) {
        markChanged();
    }
    report(failures);
    if (playListPlayed && playingDeleted && m_c.preferences.autoPlay && !list.isEmpty()) {
        const int at = std::clamp(removal.currentPosition, 0, static_cast<int>(list.count() - 1));
        list.setCurrentItem(at);
        list.selectOnly(at);
        list.setFocusedLine(at);
        m_c.controller.start(m_c.lists.playList(), false, -1);
    }
    m_c.editor.updateControls();
}

bool FileOperations::deleteFolder(const QString& path) {
    const FileDeleteResult result = RemoveEmptyFolder(path);
    if (!result.deleted()) {
        m_c.prompter.showMessage(Prompter::Kind::Error, result.status == FileDeleteResult::Status::Missing
                                                            ? result.message
                                                            : folderNotDeletedMessage());
    }
    return result.deleted();
}

bool FileOperations::renamePlayListFile(const QString& to) {
    const QString from = m_c.document.fileName();
    if (from.isEmpty() || !acceptsName(to)) {
        return false;
    }
    const FileMoveResult result = MoveFileOrFolder(from, to);
    report({result.message});
    if (!result.moved()) {
        return false;
    }
    // The old name is gone: opening must not write the list back there first.
    m_c.document.fileMoved(to);
    m_c.document.OpenPlayList(to, true, false);
    return true;
}

bool FileOperations::deletePlayListFile(bool toTrash) {
    const QString path = m_c.document.fileName();
    if (path.isEmpty()) {
        return false;
    }
    const FileDeleteResult result = DeleteFile(path, toTrash);
    if (result.status == FileDeleteResult::Status::Failed) {
        report({result.message});
        return false;
    }
    // Without a name nothing writes the list back to the deleted file.
    m_c.document.fileMoved(QString());
    m_c.document.NewPlayList();
    return true;
}

bool FileOperations::deletePlayListLog(PlayLogs::Kind kind, bool toTrash) {
    const QString log = PlayLogs::path(m_c.document.fileName(), kind);
    if (log.isEmpty()) {
        return false;
    }
    const FileDeleteResult result = DeleteFile(log, toTrash);
    if (!result.deleted()) {
        report({result.message});
    }
    return result.deleted();
}

QStringList FileOperations::selectedPlayListFiles(bool selectCurrent) {
    PlayList& list = m_c.playList;
    if (selectCurrent && list.selectedCount() == 0) {
        const qsizetype current = list.focusedLine() >= 0 ? list.focusedLine() : list.CurrentItem();
        if (current >= 0 && current < list.lineCount()) {
            list.setSelected(current, true);
        }
    }
    QStringList files;
    const std::vector<qsizetype> lines = list.selectedLines();
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        const QString& ref = list.item(*line);
        if (!IsCDItem(ref)) {
            files.append(GetItemValue(ref, QStringLiteral("FILE")));
        }
    }
    return files;
}
