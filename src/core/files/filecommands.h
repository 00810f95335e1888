#pragma once

#include "core/files/deletedialogmodel.h"
#include "core/files/fileproperties.h"
#include "core/files/renamedialogmodel.h"

#include <QString>

class FileDialogs;
class FileManagement;
class FileOperations;
class PlayList;
class PlayListDocument;
class Prompter;
struct Preferences;

// The rename/move and delete commands: what they act on (the files of the Play List's or the File List's
// selection, the folder selected in the Folder List, a folder a drag was dropped on, the Play List
// file), the refusals, the box, then the operation and the lists read again.
class FileCommands {
public:
    struct Context {
        Preferences& preferences;
        FileManagement& files;
        PlayList& playList;
        PlayListDocument& document;
        FileOperations& operations;
        Prompter& prompter;
    };

    explicit FileCommands(Context context) : m_c(context) {}
    void setDialogs(FileDialogs* dialogs) { m_dialogs = dialogs; }

    // RenBtn, RenM: the selected files of the Play List or the File List (several are moved into a
    // folder), or the folder selected in the Folder List.
    void renamePlayListFiles();
    void renameFileListFiles();
    void renameFolder();
    // DelBtn, DelM, on the same.
    void deletePlayListFiles();
    void deleteFileListFiles();
    void deleteFolder();
    // Lines of the File List or the Play List dropped on a folder of the Folder List.
    void dropOnFolder(const QString& folder, bool fromPlayList);
    // RenPLM, DelPLM
    void renamePlayListFile();
    void deletePlayListFile();
    // The Play List's error log (errorLog) or play log after the delete box; true when it is gone.
    bool deletePlayListLog(bool errorLog);
    // NewDirBtn, NewDirM: a subfolder of the folder selected in the Folder List.
    void createFolder();
    // PropertiesM: the file of the focused list's current line.
    void showProperties(const QString& file);
    // ShowFolderOfThisFileM: the File List moves to the folder of the Play List's current item.
    void showFolderOfCurrentItem();

private:
    bool refusedForPlayList(const QString& cdMessage);
    // What the rename box opens with for this kind and path.
    RenameDialogModel::Request renameRequest(RenameDialogModel::Kind kind, const QString& oldPath) const;
    void renameFile(const QString& path, bool fromPlayList);
    void confirmAndDelete(const DeleteDialogModel::Targets& targets);
    void moveInto(const QString& folder, bool fromPlayList);
    void afterFileListChange(const QString& selectName);

    Context m_c;
    FileDialogs* m_dialogs = nullptr;
    ReadOnlyMemory m_readOnlyMemory;
};
