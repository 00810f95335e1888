#include "core/app/filelistmedia.h"

#include "core/common/activelists.h"
#include "core/files/externaleditors.h"
#include "core/files/filecommands.h"
#include "core/files/filemanagement.h"
#include "core/playback/transportpreview.h"
#include "core/playlist/playlisteditor.h"

MediaList::CommandTexts FileRenameTexts() {
    return {QStringLiteral("&Rename / Move File or Folder..."),
            QStringLiteral("Renames or moves the selected file(s)"), QStringLiteral("R&nm / Move..."),
            QStringLiteral("Rename or move the current file(s) or\rthe folder in the List that has focus|")};
}

MediaList::CommandTexts FileDeleteTexts() {
    return {QStringLiteral("&Delete File or Folder"),
            QStringLiteral("Deletes or sends the selected file(s) to the Trash"), QString(),
            QStringLiteral("Delete the current file(s) or the\rfolder in the List that has focus|")};
}

SourceLines* FileListMedia::lines() {
    return &m_c.files.files();
}

QString FileListMedia::menuText(qsizetype line) const {
    return m_c.files.files().name(line);
}

bool FileListMedia::isShown() const {
    return m_c.files.isVisible();
}

bool FileListMedia::canPlay() const {
    return isShown() && selectedCount() > 0;
}

PlayItem FileListMedia::itemAt(qsizetype line) const {
    const FileList& files = m_c.files.files();
    PlayItem item;
    if (line >= 0 && line < files.count()) {
        item.kind = PlayItem::Kind::File;
        item.line = line;
        item.path = files.path(line);
        item.title = files.name(line);
    }
    return item;
}

// The focused file when it is selected, else the first selected one.
PlayItem FileListMedia::itemToStart(bool) {
    const FileList& files = m_c.files.files();
    if (!canPlay()) {
        return {};
    }
    qsizetype line = files.focusedLine();
    if (line < 0 || line >= files.count() || !files.isSelected(line)) {
        line = 0;
        while (!files.isSelected(line)) {
            ++line;
        }
    }
    return itemAt(line);
}

void FileListMedia::itemStarted(const PlayItem& item, qint64) {
    m_c.files.files().setPlayingLine(item.line);
}

qsizetype FileListMedia::playingLine() const {
    return m_c.files.files().playingLine();
}

// The line a step away from the playing one (or, after a change of folder, from the focused one).
ListStep FileListMedia::step(int direction) {
    FileList& files = m_c.files.files();
    if (!isShown()) {
        return ListStep::Stay;
    }
    const qsizetype focused = files.focusedLine();
    const bool playing = m_c.lists.isPlaying(*this) && files.playingLine() >= 0;
    const qsizetype from = playing ? files.playingLine() : focused;
    const qsizetype line = from + direction;
    if (from < 0 || line < 0 || line >= files.count()) {
        return ListStep::Stay;
    }
    if (files.selectedCount() <= 1 && focused >= 0) {
        files.setSelected(focused, false);
    }
    files.setFocusedLine(line);
    files.setSelected(line, true);
    m_c.files.setFilterEditText(files.name(line));
    return ListStep::Start;
}

TransportPreview FileListMedia::preview(bool playing) const {
    const FileList& files = m_c.files.files();
    const qsizetype index = playing && files.playingLine() >= 0 ? files.playingLine() : files.focusedLine();
    return PreviewLines(
        files, [&files](qsizetype line) { return files.name(line); }, index);
}

void FileListMedia::copy() {
    m_c.editor.copyReferences(selectedItems());
}

bool FileListMedia::canRename() const {
    return isShown() && m_c.files.renameDeleteEnabled();
}

void FileListMedia::rename() {
    m_c.commands.renameFileListFiles();
}

void FileListMedia::remove() {
    m_c.commands.deleteFileListFiles();
}

bool FileListMedia::canSelectPlayingLine() const {
    return isShown() && m_c.files.files().playingLine() >= 0;
}

void FileListMedia::selectPlayingLine() {
    m_c.files.selectPlayingLine();
}

void FileListMedia::editItem() {
    if (!m_c.editors) {
        return;
    }
    const FileList& files = m_c.files.files();
    const qsizetype line = files.focusedLine() >= 0 ? files.focusedLine() : (files.isEmpty() ? -1 : 0);
    // The name as it stands on disk, not read as an item reference.
    m_c.editors->editFile(line >= 0 ? files.path(line) : QString());
}

QString FileListMedia::propertiesFile() const {
    const FileList& files = m_c.files.files();
    const qsizetype line = isShown() && files.selectedCount() > 0 ? files.singleLine() : -1;
    return line >= 0 && line < files.count() ? files.path(line) : QString();
}

bool FileListMedia::canAdd() const {
    return isShown() && m_c.files.addEnabled();
}

bool FileListMedia::canAddAll() const {
    return isShown() && m_c.files.addAllEnabled() && lineCount() > 0;
}

QStringList FileListMedia::selectedItems() const {
    return m_c.files.files().selectedItems();
}

QStringList FileListMedia::allItems() const {
    return m_c.files.files().allItems();
}

void FileListMedia::linesClicked() {
    m_c.files.fileListClicked();
}

bool FolderListMedia::isShown() const {
    return m_files.isVisible();
}

bool FolderListMedia::canRename() const {
    return isShown() && m_files.renameDeleteEnabled();
}

void FolderListMedia::rename() {
    m_commands.renameFolder();
}

void FolderListMedia::remove() {
    m_commands.deleteFolder();
}
