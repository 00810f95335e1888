#pragma once

#include <QString>

class Prompter;
class Shell;
struct Preferences;

// Edit Item: the editor the user chose for the file's media group ("Editors") is started on the file
// and not waited for.
class ExternalEditors {
public:
    struct Context {
        const Preferences& preferences;
        Shell& shell;
        Prompter& prompter;
    };

    explicit ExternalEditors(Context context) : m_c(context) {}

    // An item reference. The editor gets the file's full path as its one argument, so a name with
    // blanks or a leading "-" reaches it whole and as a file. True when the editor started.
    bool LaunchEditor(const QString& reference);
    // The same for a file's path as it stands on disk (empty: there is no file to edit).
    bool editFile(const QString& path);

private:
    Context m_c;
};
