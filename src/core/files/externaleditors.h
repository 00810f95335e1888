#pragma once

#include <QString>

class FileList;
class PlayListEditor;
class Prompter;
class Shell;
struct Preferences;
struct RunState;

// Edit Item: the editor the user chose for the file's media group ("Editors") is started on the file
// and not waited for.
class ExternalEditors {
public:
    struct Context {
        const RunState& run;
        const Preferences& preferences;
        const FileList& fileList;
        PlayListEditor& playListEditor;  // its editRequested comes back to LaunchEditor
        Shell& shell;
        Prompter& prompter;
    };

    explicit ExternalEditors(Context context) : m_c(context) {}

    // EditItemM, EditItemSI, EditPM: the focused file of the File List, or the Play List's item (with
    // its refusals for CD tracks and an empty list). A folder has no editor.
    void EditItem();
    // An item reference or a path. The editor gets the file's full path as its one argument, so a name
    // with blanks or a leading "-" reaches it whole and as a file. True when the editor started.
    bool LaunchEditor(const QString& reference);

private:
    bool launchOn(const QString& path);

    Context m_c;
};
