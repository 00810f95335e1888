#pragma once

#include <QObject>
#include <QString>

class BusyIndicator;
class CDDatabase;
class ItemSet;
class PlayList;
class Prompter;
struct Preferences;
class ActiveLists;

// The Play List as a document: its file, its changed state, and the commands that open, save, renew
// and update it. Other subsystems follow through the signals, which come at the points of each
// command where their part is done (playback stops before a list is read, history takes a name
// after it is opened or saved...).
class PlayListDocument : public QObject {
    Q_OBJECT

public:
    struct Context {
        PlayList& playList;
        ItemSet& unplayedItems;
        CDDatabase& cdDatabase;
        ActiveLists& lists;
        Preferences& preferences;
        Prompter& prompter;
        BusyIndicator* busy = nullptr;
        QString cdDatabasePath;  // "CDDB.INI" in the user data folder
    };

    enum class SavePrompt { NotNeeded, Saved, NotSaved, Cancelled };

    explicit PlayListDocument(Context context, QObject* parent = nullptr);

    const QString& fileName() const { return m_fileName; }
    bool isChanged() const { return m_changed; }
    void setChanged(bool changed);

    // " Play List: " and the file's title, or "N / A" without a file; fitting to the panel is the view's.
    QString albumPanelCaption() const;

    bool OpenPlayList(const QString& name, bool addToHistory, bool startPlaying);
    bool SavePlayList(bool saveAs);
    bool UpdatePlayListFile(bool fromDisk);
    bool NewPlayList();
    // The file was renamed (or deleted: an empty name) outside the document: the name follows it,
    // and nothing is written to the old one.
    void fileMoved(const QString& path);

    // Asks to save a changed, non-empty Play List (SaveChangesDialog); "&Yes" saves it.
    SavePrompt promptToSaveChanges();

    static constexpr qsizetype kLongUpdateLines = 100;

Q_SIGNALS:
    void fileNameChanged(const QString& fileName);
    // The file now has another name; what remembers the old one follows.
    void fileRenamed(const QString& from, const QString& to);
    void changedStateChanged(bool changed);
    // A list is about to replace the current one: playback and indicators let go of it.
    void aboutToLoad();
    // A list was read into the Play List and shown.
    void loaded(const QString& fileName);
    // The name goes to the top of the history (after opening with history, and after every save).
    void historyEntry(const QString& fileName);
    // Opening asks playback to start from CurrentItem.
    void playRequested();
    // New emptied the Play List.
    void cleared();

private:
    // Writes the Play List's items with their lengths under the header naming the last played item.
    bool writePlayList(const QString& path);
    bool writeFile(const QString& path, const QStringList& lines);
    void setFileName(const QString& name);

    Context m_context;
    QString m_fileName;
    bool m_changed = false;
    // What "LastPlayed=" of the file names, as lastPlayedFor would give it: the file learns a new last
    // played item only when that changed.
    QString m_lastPlayedInFile;
};
