#pragma once

#include "core/common/medialist.h"

class ActiveLists;
class ExternalEditors;
class FileCommands;
class FileManagement;
class PlayListEditor;

// What Rename and Delete say while a list of files (or folders) has the focus.
MediaList::CommandTexts FileRenameTexts();
MediaList::CommandTexts FileDeleteTexts();

// The File List as the transport and the commands see it: a file plays alone (nothing follows it by
// itself), Next and Previous walk the list; Rename, Delete and Properties act on its selected files.
class FileListMedia : public MediaList {
public:
    struct Context {
        FileManagement& files;
        FileCommands& commands;
        const ActiveLists& lists;
        PlayListEditor& editor;  // Copy puts the files on the clipboard as items
        ExternalEditors* editors = nullptr;
    };

    explicit FileListMedia(Context context) : m_c(context) {}
    void setEditors(ExternalEditors* editors) { m_c.editors = editors; }

    SourceLines* lines() override;
    QString menuText(qsizetype line) const override;
    bool isShown() const override;

    bool canPlay() const override;
    PlayItem itemAt(qsizetype line) const override;
    PlayItem itemToStart(bool user) override;
    void itemStarted(const PlayItem& item, qint64 length) override;
    ListStep step(int direction) override;
    ListStep afterItem() override { return ListStep::Idle; }
    qsizetype playingLine() const override;
    TransportPreview preview(bool playing) const override;

    void copy() override;
    bool canRename() const override;
    void rename() override;
    bool canDelete() const override { return canRename(); }
    void remove() override;
    bool canSelectPlayingLine() const override;
    void selectPlayingLine() override;
    void editItem() override;
    QString propertiesFile() const override;
    CommandTexts renameTexts() const override { return FileRenameTexts(); }
    CommandTexts deleteTexts() const override { return FileDeleteTexts(); }

    bool canAdd() const override;
    bool canAddAll() const override;
    QStringList selectedItems() const override;
    QStringList allItems() const override;

protected:
    void linesClicked() override;

private:
    Context m_c;
};

// The Folder List as the commands see it: it plays nothing; Rename and Delete act on its selected folder.
class FolderListMedia : public MediaList {
public:
    FolderListMedia(FileManagement& files, FileCommands& commands) : m_files(files), m_commands(commands) {}

    SourceLines* lines() override { return nullptr; }
    bool isShown() const override;

    bool playsItems() const override { return false; }
    bool canPlay() const override { return false; }
    PlayItem itemAt(qsizetype) const override { return {}; }
    PlayItem itemToStart(bool) override { return {}; }
    void itemStarted(const PlayItem&, qint64) override {}
    ListStep step(int) override { return ListStep::Stay; }
    ListStep afterItem() override { return ListStep::Idle; }
    qsizetype playingLine() const override { return -1; }
    TransportPreview preview(bool) const override { return {}; }

    bool canRename() const override;
    void rename() override;
    bool canDelete() const override { return canRename(); }
    void remove() override;
    CommandTexts renameTexts() const override { return FileRenameTexts(); }
    CommandTexts deleteTexts() const override { return FileDeleteTexts(); }

private:
    FileManagement& m_files;
    FileCommands& m_commands;
};
