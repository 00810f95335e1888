#pragma once

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
struct RunState;

// The rename/move and delete commands: what they act on (the list that has the focus, a folder a
// drag was dropped on, the Play List file), the refusals, the box, then the operation and the lists
// read again.
class FileCommands {
public:
    struct Context {
        RunState& run;
        Preferences& preferences;
        FileManagement& files;
        PlayList& playList;
        PlayListDocument& document;
        FileOperations& operations;
        Prompter& prompter;
    };

    explicit FileCommands(Context context) : m_c(context) {}
    void setDialogs(FileDialogs* dialogs) { m_dialogs = dialogs; }

    // RenBtn, RenM
    void renameOrMove();
    // DelBtn, DelM
    void deleteSelected();
    // Lines of the File List or the Play List dropped on a folder of the Folder List.
    void dropOnFolder(const QString& folder, bool fromPlayList);
    // RenPLM, DelPLM
    void renamePlayListFile();
    void deletePlayListFile();
    // NewDirBtn, NewDirM: a subfolder of the folder selected in the Folder List.
    void createFolder();
    // PropertiesM: the file of the focused list's current line.
    void showProperties();
    // Whether Properties has a file to show (the File List or Play List focused with a selection).
    bool propertiesAvailable() const;
    // ShowFolderOfThisFileM: the File List moves to the folder of the Play List's current item.
    void showFolderOfCurrentItem();

private:
    bool refusedForPlayList(const QString& cdMessage);
    // What the rename box opens with for this kind and path.
    RenameDialogModel::Request renameRequest(RenameDialogModel::Kind kind, const QString& oldPath) const;
    void renameFolder();
    void moveInto(const QString& folder, bool fromPlayList);
    void afterFileListChange(const QString& selectName);
    QString propertiesFile() const;

    Context m_c;
    FileDialogs* m_dialogs = nullptr;
    ReadOnlyMemory m_readOnlyMemory;
};
