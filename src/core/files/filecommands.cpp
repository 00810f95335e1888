#include "core/files/filecommands.h"

#include "core/common/itemref.h"
#include "core/common/prompter.h"
#include "core/files/filedialogs.h"
#include "core/files/filemanagement.h"
#include "core/files/fileoperations.h"
#include "core/files/filepaths.h"
#include "core/playlist/playlist.h"
#include "core/playlist/playlistdocument.h"
#include "core/settings/preferences.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kSelectOne = QStringLiteral("Please select at least one item.");

}  // namespace

RenameDialogModel::Request FileCommands::renameRequest(RenameDialogModel::Kind kind,
                                                       const QString& oldPath) const {
    RenameDialogModel::Request request;
    request.kind = kind;
    request.oldPath = oldPath;
    request.currentFolder = m_c.files.currentFolder();
    request.favoriteFolders = m_c.preferences.favoriteFolders;
    request.favoritesShowPath = m_c.preferences.favFoldersShowPath;
    return request;
}

bool FileCommands::refusedForPlayList(const QString& cdMessage) {
    const PlayList& list = m_c.playList;
    if (list.isEmpty()) {
        m_c.prompter.showMessage(Prompter::Kind::Information, kSelectOne);
        return true;
    }
    const qsizetype line = list.singleLine();
    if (line >= 0 && line < list.count() && IsCDItem(list.item(line))) {
        m_c.prompter.showMessage(Prompter::Kind::Information, cdMessage);
        return true;
    }
    return false;
}

void FileCommands::renamePlayListFiles() {
    if (!m_dialogs ||
        refusedForPlayList(QStringLiteral("You cannot rename CD Audio tracks from the Play List. Please\r"
                                          "change to the CD Audio Mode, select the CD containing\r"
                                          "the track you just tried to rename and rename it from there."))) {
        return;
    }
    if (m_c.playList.selectedCount() >= 2) {
        moveInto(QString(), true);
        return;
    }
    const qsizetype line = m_c.playList.singleLine();
    renameFile(line >= 0 ? GetItemValue(m_c.playList.item(line), QStringLiteral("FILE")) : QString(), true);
}

void FileCommands::renameFileListFiles() {
    if (!m_dialogs) {
        return;
    }
    const FileList& list = m_c.files.files();
    if (list.isEmpty()) {
        m_c.prompter.showMessage(Prompter::Kind::Information, kSelectOne);
        return;
    }
    if (list.selectedCount() >= 2) {
        moveInto(QString(), false);
        return;
    }
    const qsizetype line = list.singleLine();
    renameFile(line >= 0 ? list.path(line) : QString(), false);
}

void FileCommands::renameFile(const QString& path, bool fromPlayList) {
    if (path.isEmpty()) {
        return;
    }
    const RenameDialogModel::Request request = renameRequest(RenameDialogModel::Kind::SingleFile, path);
    const std::optional<QString> target = m_dialogs->askRename(request);
    if (!target || !m_c.operations.moveFile(path, *target)) {
        return;
    }
    const QFileInfo moved(*target);
    const bool sameFolder = moved.absolutePath() == m_c.files.files().folder();
    afterFileListChange(sameFolder && !fromPlayList ? moved.fileName() : QString());
}

void FileCommands::renameFolder() {
    if (!m_dialogs) {
        return;
    }
    const QString folder = m_c.files.folders().selectedPath();
    if (folder.isEmpty() || folder == u"/") {
        return;
    }
    const RenameDialogModel::Request request = renameRequest(RenameDialogModel::Kind::Folder, folder);
    const std::optional<QString> target = m_dialogs->askRename(request);
    if (target) {
        m_c.files.changeFolder(m_c.operations.moveFolder(folder, *target, m_c.files.currentFolder()));
    }
}

void FileCommands::dropOnFolder(const QString& folder, bool fromPlayList) {
    if (!m_dialogs) {
        return;
    }
    const PlayList& list = m_c.playList;
    if (fromPlayList && list.selectedCount() == 1 && IsCDItem(list.item(list.singleLine()))) {
        m_c.prompter.showMessage(Prompter::Kind::Error, QStringLiteral("You cannot move CD tracks."));
        return;
    }
    moveInto(folder, fromPlayList);
}

void FileCommands::moveInto(const QString& dropTarget, bool fromPlayList) {
    const QStringList paths =
        fromPlayList ? m_c.operations.selectedPlayListFiles(false) : m_c.files.files().selectedPaths();
    if (paths.isEmpty()) {
        m_c.prompter.showMessage(Prompter::Kind::Information, kSelectOne);
        return;
    }
    RenameDialogModel::Request request =
        renameRequest(RenameDialogModel::Kind::SeveralFiles, paths.size() == 1 ? paths.first() : QString());
    request.dropTarget = dropTarget;
    request.selectedCount = static_cast<int>(paths.size());
    const std::optional<QString> folder = m_dialogs->askRename(request);
    if (folder && m_c.operations.moveFilesIntoFolder(paths, *folder) > 0) {
        afterFileListChange(QString());
    }
}

// The File List is read again; a file renamed in place stays the selected one, else the first is.
void FileCommands::afterFileListChange(const QString& selectName) {
    FileList& list = m_c.files.files();
    list.reload();
    const qsizetype line = selectName.isEmpty() ? 0 : list.indexOfName(selectName);
    if (line >= 0 && line < list.count()) {
        list.setFocusedLine(line);
        list.selectOnly(line);
    }
    m_c.files.fileListClicked();
}

void FileCommands::deletePlayListFiles() {
    if (!m_dialogs || refusedForPlayList(QStringLiteral("You cannot delete CD Audio tracks. Please use\r"
                                                        "the R&emove button to remove the reference to\r"
                                                        "this CD track from the Play List."))) {
        return;
    }
    confirmAndDelete(DeleteDialogModel::PlayListTargets(m_c.playList, m_c.preferences.recycleBin));
}

void FileCommands::deleteFileListFiles() {
    if (!m_dialogs) {
        return;
    }
    const FileList& list = m_c.files.files();
    if (list.isEmpty()) {
        m_c.prompter.showMessage(Prompter::Kind::Information, kSelectOne);
        return;
    }
    confirmAndDelete(DeleteDialogModel::FileListTargets(list.folder(), list.names(), list.selectedLines(),
                                                        list.focusedLine(), m_c.preferences.recycleBin));
}

void FileCommands::deleteFolder() {
    const QString folder = m_c.files.folders().selectedPath();
    if (!m_dialogs || folder.isEmpty() || folder == u"/") {
        return;
    }
    confirmAndDelete(DeleteDialogModel::FolderTargets(folder));
}

void FileCommands::confirmAndDelete(const DeleteDialogModel::Targets& targets) {
    if (!targets.refusal.isEmpty()) {
        m_c.prompter.showMessage(Prompter::Kind::Information, targets.refusal);
        return;
    }
    const std::optional<bool> toTrash = m_dialogs->confirmDelete(targets.request);
    if (!toTrash) {
        return;
    }
    if (targets.request.kind == DeleteDialogModel::Kind::Folder) {
        if (m_c.operations.deleteFolder(targets.paths.value(0))) {
            m_c.files.changeFolder(m_c.files.currentFolder());
        }
        return;
    }
    m_c.preferences.recycleBin = *toTrash;
    m_c.operations.deleteFiles(targets.paths, *toTrash);
    afterFileListChange(QString());
}

void FileCommands::renamePlayListFile() {
    const QString path = m_c.document.fileName();
    if (!m_dialogs || path.isEmpty()) {
        return;
    }
    if (m_c.document.isChanged() && (m_c.prompter.askSaveChangedPlayList() != Prompter::Answer::Yes ||
                                     !m_c.document.SavePlayList(false))) {
        return;
    }
    const RenameDialogModel::Request request = renameRequest(RenameDialogModel::Kind::PlayListFile, path);
    if (const std::optional<QString> target = m_dialogs->askRename(request)) {
        m_c.operations.renamePlayListFile(*target);
    }
}

void FileCommands::deletePlayListFile() {
    const QString path = m_c.document.fileName();
    if (!m_dialogs || path.isEmpty()) {
        return;
    }
    const DeleteDialogModel::Targets targets = DeleteDialogModel::PlayListFileTargets(
        DeleteDialogModel::Kind::PlayListFile, path, m_c.preferences.recycleBin);
    if (const std::optional<bool> toTrash = m_dialogs->confirmDelete(targets.request)) {
        m_c.preferences.recycleBin = *toTrash;
        m_c.operations.deletePlayListFile(*toTrash);
    }
}

bool FileCommands::deletePlayListLog(bool errorLog) {
    const QString path = m_c.document.fileName();
    if (!m_dialogs || path.isEmpty()) {
        return false;
    }
    const DeleteDialogModel::Targets targets = DeleteDialogModel::PlayListFileTargets(
        errorLog ? DeleteDialogModel::Kind::ErrorLog : DeleteDialogModel::Kind::PlayLog, path,
        m_c.preferences.recycleBin);
    const std::optional<bool> toTrash = m_dialogs->confirmDelete(targets.request);
    if (!toTrash) {
        return false;
    }
    m_c.preferences.recycleBin = *toTrash;
    return m_c.operations.deletePlayListLog(errorLog ? PlayLogs::Kind::Error : PlayLogs::Kind::Play,
                                            *toTrash);
}

void FileCommands::createFolder() {
    if (!m_dialogs) {
        return;
    }
    QString parent = m_c.files.folders().selectedPath();
    if (parent.isEmpty()) {
        parent = m_c.files.currentFolder();
    }
    const std::optional<QString> name = m_dialogs->askNewFolderName(parent);
    if (!name) {
        return;
    }
    const QString trimmed = name->trimmed();
    QString refusal;
    if (trimmed.isEmpty() || trimmed == u"." || trimmed == u"..") {
        refusal = QStringLiteral("Please type a name for the new folder.");
    } else if (trimmed.contains(u'/') || trimmed.contains(u'\r') || trimmed.contains(u'\n')) {
        refusal = QStringLiteral("A folder name cannot contain \"/\" or a line break.");
    } else if (QFileInfo::exists(FilePaths::Join(parent, trimmed))) {
        refusal = QStringLiteral("\"%1\" already exists in \"%2\".").arg(trimmed, parent);
    } else if (!QDir(parent).mkdir(trimmed)) {
        refusal = QStringLiteral("Unable to create the folder \"%1\" in \"%2\".").arg(trimmed, parent);
    }
    if (!refusal.isEmpty()) {
        m_c.prompter.showMessage(Prompter::Kind::Error, refusal);
        return;
    }
    m_c.files.changeFolder(m_c.files.currentFolder());  // the lists are read again
}

void FileCommands::showProperties(const QString& file) {
    FileProperties properties(file, &m_readOnlyMemory);
    if (!m_dialogs || !properties.isValid()) {
        return;  // a file that is gone shows no box
    }
    m_dialogs->showProperties(properties);
    m_c.files.files().reload();
}

void FileCommands::showFolderOfCurrentItem() {
    const PlayList& list = m_c.playList;
    const qsizetype line = list.focusedLine();
    if (line < 0 || line >= list.count() || IsCDItem(list.item(line))) {
        return;
    }
    const QFileInfo file(GetItemValue(list.item(line), QStringLiteral("FILE")));
    m_c.files.changeFolder(file.absolutePath());
    FileList& files = m_c.files.files();
    const qsizetype found = files.indexOfName(file.fileName());
    if (found >= 0) {
        files.setFocusedLine(found);
        files.selectOnly(found);
    }
    files.centreLine(files.focusedLine());
    m_c.files.fileListClicked();
}
