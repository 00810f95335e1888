#pragma once

#include "core/files/filereferences.h"
#include "core/playback/playlogs.h"

#include <QString>
#include <QStringList>

class ItemSet;
class LengthCalculator;
class MediaDevice;
class PlaybackController;
class PlayList;
class PlayListDocument;
class PlayListEditor;
class Prompter;
struct Preferences;
class ActiveLists;

// The renames, moves and deletions of File Management Mode once the user confirmed them, with the
// Play List following what really happened on disk: references move only with files that moved, and
// items go only with files that went. Every path is a full path, collected before anything is done.
// Failures are told in one message per operation, naming each file and the reason.
class FileOperations {
public:
    struct Context {
        PlayList& playList;
        ItemSet& played;
        ItemSet& unplayed;
        ActiveLists& lists;
        Preferences& preferences;
        PlaybackController& controller;
        MediaDevice& device;  // MPlayer: a file it has open is let go before it moves or goes
        PlayListDocument& document;
        PlayListEditor& editor;  // the Play List's click handler
        LengthCalculator& lengths;
        Prompter& prompter;
    };

    explicit FileOperations(Context context);

    // One file to a new full path. False when it did not move (nothing else changed then).
    bool moveFile(const QString& from, const QString& to);
    // Files into one folder under their own names, in the order given; a name already in the folder is
    // refused, never replaced. Returns how many moved.
    qsizetype moveFilesIntoFolder(const QStringList& files, const QString& folder);
    // A folder to a new full path. Returns the folder the lists show next: currentFolder, under its new
    // name when it lay in the moved folder, or its nearest existing ancestor.
    QString moveFolder(const QString& from, const QString& to, const QString& currentFolder);

    // Files to the Trash or for good, with their Play List items. When the file of the playing Play List
    // item went and Auto Play is on, the Play List plays on from the item now at its place.
    void deleteFiles(const QStringList& files, bool toTrash);
    // An empty folder; a folder with anything in it stays.
    bool deleteFolder(const QString& path);

    // The open Play List's file: renamed, it is opened again from its new name, which heads the
    // history; deleted, a new empty Play List follows.
    bool renamePlayListFile(const QString& to);
    bool deletePlayListFile(bool toTrash);
    // Its play log or error log.
    bool deletePlayListLog(PlayLogs::Kind kind, bool toTrash);

    // The files of the selected Play List lines, from the last line to the first, CD tracks skipped;
    // with none selected and selectCurrent set, the current line is selected and taken.
    QStringList selectedPlayListFiles(bool selectCurrent);

    static QString folderNotDeletedMessage();

private:
    bool holdsFile(const QString& path) const;
    bool acceptsName(const QString& path);
    void markChanged();
    void report(QStringList failures);
    QString moveOne(const QString& from, const QString& to, bool* moved);

    Context m_c;
    FileReferences m_references;
};
