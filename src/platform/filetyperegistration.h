#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/ports/desktopfiletypes.h"

#include <functional>

class IniFile;
class Prompter;
class Shell;

// Where the desktop keeps what opens a file, and where we keep what it opened before.
struct FileTypeLocations {
    QString applicationsFolder;  // our desktop entry goes here: $XDG_DATA_HOME/applications
    QStringList dataFolders;     // $XDG_DATA_DIRS, where an installation put its applications/ entry
    QString mimeFolder;          // the user's additions to the MIME database: $XDG_DATA_HOME/mime
    QString mimeAppsList;        // the user's defaults: $XDG_CONFIG_HOME/mimeapps.list
    QString templatesFolder;     // the file manager's "New document" templates; empty: none are made
    QString previousDefaults;    // the defaults we replaced, to give them back
    QString programPath;         // the program the desktop entry starts

    // From the XDG variables (with their defaults under the home folder) and user-dirs.dirs.
    static FileTypeLocations fromEnvironment(const QString& userDataFolder, const QString& programPath);
};

// The MIME type the desktop gives files of an extension (without the dot); for the extensions its
// database does not know, the type of the same kind of file.
QString MimeTypeOfExtension(const QString& extension);
// The group's types, each once, in the order of its extensions.
QStringList MediaGroupMimeTypes(int group);

// The types of the extensions the shared MIME database does not know, as a package of the database.
QByteArray VelmaroMimePackage();
// Every media type the program plays, each once.
QStringList VelmaroMimeTypes();
// The text of our desktop entry: it opens every media type the program plays. An installation puts
// the same text in place, for its own program path.
QByteArray VelmaroDesktopEntry(const QString& programPath);

// Makes Velmaro, or again the application the desktop used before, the default for the MIME types of a
// media group. Each reports to the user once for the whole group; on failure the box says which file
// could not be written and why, and the files written so far stay consistent with each other.
class FileTypeRegistration : public DesktopFileTypes {
public:
    static constexpr const char* kDesktopFileName = "velmaro.desktop";

    FileTypeRegistration(FileTypeLocations locations, Prompter& prompter, Shell& shell)
        : m_locations(std::move(locations)), m_prompter(prompter), m_shell(shell) {}

    const FileTypeLocations& locations() const { return m_locations; }

    // With an entry installed for this program (in a folder of $XDG_DATA_DIRS), the types are given to
    // it; else our own entry is written under $XDG_DATA_HOME first, as it is when one there starts
    // another program.
    bool registerGroup(int group) override;
    // Where a type had no default before we took it, our entry is removed and the desktop's own
    // choice applies again.
    bool restoreDesktopDefault(int group) override;

private:
    struct MimeAppsList;
    // Changes what one MIME type opens with, and our record of what it opened with before.
    using TypeChange = std::function<void(const QString& type, MimeAppsList& mimeApps, IniFile& previous)>;

    QString installedEntry() const;
    bool writesOwnEntry(const QString& entryPath) const;
    bool changeDefaults(int group, bool recordFirst, const TypeChange& change);
    bool finish(int group, const QString& report);
    bool installMimePackage();
    bool writeTemplates(int group);
    bool reportFailure(const QString& path, const QString& reason);

    FileTypeLocations m_locations;
    Prompter& m_prompter;
    Shell& m_shell;
};
