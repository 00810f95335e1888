#pragma once

#include "core/app/cdlistmedia.h"
#include "core/app/filelistmedia.h"
#include "core/app/playlistmedia.h"
#include "core/cdaudio/cdaudiomode.h"
#include "core/cdaudio/cddatabase.h"
#include "core/common/activelists.h"
#include "core/common/busystate.h"
#include "core/common/product.h"
#include "core/common/timerport.h"
#include "core/files/externaleditors.h"
#include "core/files/filecommands.h"
#include "core/files/filemanagement.h"
#include "core/files/fileoperations.h"
#include "core/files/filesearch.h"
#include "core/files/searchdialogmodel.h"
#include "core/playback/lengthcalculator.h"
#include "core/playback/playbackcontroller.h"
#include "core/playback/playlogs.h"
#include "core/playlist/playorder.h"
#include "core/playback/progressindicators.h"
#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"
#include "core/playlist/playlistdocument.h"
#include "core/playlist/playlisteditor.h"
#include "core/playlist/tagtitles.h"
#include "core/app/favoritesandhistory.h"
#include "core/settings/preferences.h"
#include "core/settings/preferencesdialogmodel.h"
#include "core/settings/settings.h"
#include "core/shell/commanddispatcher.h"
#include "core/shell/commandtable.h"
#include "core/shell/externalcommands.h"
#include "core/shell/mainlayout.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class BusyIndicator;
class DesktopFileTypes;
class Clipboard;
class LengthProbe;
class TagReader;
class Prompter;
class Shell;
class TextMeasurer;

// The whole program without its windows: every core object, wired together, built from the ports it
// talks to the outside through. The main window is a view of it; tests and benchmarks build the same.
// It holds the frame of a run (start, first show, close, command-line parameters, our own or a second
// start's) and the command table every surface binds to.
class AppSession : public QObject {
    Q_OBJECT

public:
    struct Folders {
        QString userData;          // settings, CD database, the first-run sample list
        QString samples;           // the sample MIDI files shipped with the program
        QString defaultFolder;     // where folders start out before the user picked any
        QString mixerDefault;      // the mixer program when the settings name none
        QString backgroundBitmap;  // the shipped main-window background
    };
    struct Ports {
        Prompter& prompter;
        MediaDevice& device;  // MPlayer, the device that plays
        Clipboard& clipboard;
        LengthProbe& probe;             // LengthMP, the device that measures lengths
        BusyIndicator* busy = nullptr;  // the busy signs on screen; the window attaches its own
        const TextMeasurer* measurer = nullptr;
        Shell* shell = nullptr;           // other programs and addresses; without it their commands are off
        QStringList soundSettings;        // the desktop's sound settings program and its arguments
        MediaDevice* cdReader = nullptr;  // reads discs while the player holds something else
        DesktopFileTypes* fileTypes = nullptr;  // registers the media groups with the desktop
        TagReader* tags = nullptr;              // reads the titles from the files' tags
    };

    AppSession(Folders folders, Ports ports, QObject* parent = nullptr);

    static QString version() { return Product::version(); }
    static QString title() { return Product::name() + u' ' + version(); }

    // The window's busy signs and its text measurer, once it exists.
    void attachWindow(BusyIndicator* busy, const TextMeasurer* measurer);

    // Creation of the main window: the lists exist, the window placement is read, and on the first run
    // the sample Play List is written.
    void beginRun();
    // The one-time part of the first show: settings, the last Play List, the command line.
    void windowShown(const QStringList& parameters, const QString& baseFolder);
    // Its two halves: the settings (the window shows their effect at once)...
    void applyFirstShowSettings();
    // ...and the lists the start opens: the last or the sample Play List, then the command line's.
    void openStartLists(const QStringList& parameters, const QString& baseFolder);
    // Whether one of those lists is long enough to be read after the window is painted.
    bool startListsAreLong(const QStringList& parameters, const QString& baseFolder) const;
    static constexpr qint64 kLongStartListBytes = 256 * 1024;
    void ProcessParameter(const QString& text, int position, const QString& baseFolder);
    // A second start's parameters, handed over by the running instance.
    void processForwardedParameters(const QStringList& parameters, const QString& baseFolder);

    // False when the user cancelled the save prompt: the window stays open.
    bool confirmClose();
    // View, Paths and View, Extensions: the Play List is redrawn keeping its selection.
    void togglePaths();
    void toggleExtensions();
    void toggleTagTitles();
    // View, Components: the component shows or hides.
    void toggleComponent(Component component);
    // A double-click on a Play List line plays it.
    void playLine(qsizetype line);
    // A double-click on a line of the File List or the CD Audio List plays it.
    void playRightHandLine();
    // The user moved into the Play List: it becomes the list the commands act on.
    void playListEntered();
    // The Edit menu opened: the Undo caption may change.
    void editMenuOpened();
    // The closing steps after the window agreed to close; placement is where the window stands.
    void endRun(const WindowPlacement& placement);

    bool isFirstRun() const { return m_firstRun; }
    bool startPlayingFlag() const { return m_startPlayingFlag; }
    QString samplePlayListPath() const;
    QString cdDatabasePath() const;

    const Folders& folders() const { return m_folders; }
    Preferences& preferences() { return m_preferences; }
    // Which list plays and which one the commands act on.
    ActiveLists& lists() { return m_lists; }
    bool cdAudioModeShown() const { return m_cdAudioModeShown; }
    // The lists as the transport and the commands see them.
    MediaList& playListMedia() { return m_playListMedia; }
    MediaList& fileListMedia() { return m_fileListMedia; }
    MediaList& cdListMedia() { return m_cdListMedia; }
    PlayList& playList() { return m_playList; }
    const ItemSet& playedItems() const { return m_playedItems; }
    ItemSet& playedItems() { return m_playedItems; }
    ItemSet& unplayedItems() { return m_unplayedItems; }
    CDDatabase& cdDatabase() { return m_cdDatabase; }
    CDAudioMode& cdAudio() { return m_cdAudio; }
    QString cdBackupPath() const;
    PlayListDocument& document() { return m_document; }
    FavoritesAndHistory& favoritesAndHistory() { return m_favoritesAndHistory; }
    PlaybackController& controller() { return m_controller; }
    // The play log and error log of the saved Play List.
    PlayLogs& playLogs() { return m_playLogs; }
    LengthCalculator& lengths() { return m_lengths; }
    ProgressIndicators& indicators() { return m_indicators; }
    // The device that plays.
    MediaDevice& player() { return m_ports.device; }
    PlayListEditor& editor() { return m_editor; }
    PlayOrder& playOrder() { return m_playOrder; }
    FileManagement& fileManagement() { return m_fileManagement; }
    FileCommands& fileCommands() { return m_fileCommands; }
    FileOperations& fileOperations() { return m_fileOperations; }
    // Registering the media groups with the desktop; null without a shell to tell about the types.
    DesktopFileTypes* fileTypes() { return m_ports.fileTypes; }
    // The Search box's state lives for the whole run: Find Again reads its text and Match Case.
    SearchDialogModel& searchModel() { return m_searchModel; }
    FileSearch& fileSearch() { return m_fileSearch; }
    // What the Search box opens with; droppedFolder is a folder dropped on the Play List, else empty.
    SearchDialogModel::Opening searchOpening(const QString& droppedFolder) const;
    const Settings& settings() const { return m_settings; }
    // The Preferences dialog's state; it edits the live settings.
    PreferencesDialogModel& preferencesDialog() { return m_preferencesDialog; }
    // OK in the Preferences dialog: the favorites lists it edited are taken over, every setting takes
    // effect and the settings file is written.
    void preferencesAccepted(const QStringList& favoriteFolders, const QStringList& favoritePlayLists);
    // Cancel: the settings go back to what they were when the dialog was shown.
    void preferencesCancelled();
    BusyState& busy() { return m_busy; }
    // The playback tick and the pause between items, for tests that drive them in virtual time.
    const TimerPort& playbackTimer() const { return m_timer; }
    const TimerPort& delayTimer() const { return m_delayTimer; }
    const TimerPort& openingTimer() const { return m_openingTimer; }
    CommandTable& commands() { return m_commands; }
    CommandDispatcher& dispatcher() { return m_dispatcher; }
    // Runs a command of the table as the window's own input does.
    void runCommand(const QString& command) { m_dispatcher.execute(command, CommandOrigin::Window); }
    Prompter& prompter() { return m_ports.prompter; }

Q_SIGNALS:
    // The settings were read at the first show and should be applied.
    void settingsLoaded();
    // A media file named on the command line, for the File List to select and play.
    void mediaFileParameter(const QString& path);
    // The window is closing: playback and timers stop.
    void closing();
    // Exit was chosen (in the window or by a second start).
    void exitRequested();
    // The components shown changed.
    void componentsChanged();
    // The Preferences dialog is wanted, on the page the dialog's model may have been asked for.
    void preferencesRequested();
    // The viewer of the Play List's error log (errorLog) or play log is wanted.
    void logRequested(bool errorLog);

private:
    void writeSamplePlayList();
    void reportSampleListError();
    bool opensSampleList() const;
    QString lastOrSampleList() const;
    QStringList startLists(const QStringList& parameters, const QString& baseFolder) const;
    void connectPlayback();
    void connectLengths();
    void connectFileManagement();
    // The File List is on screen when its side is and CD Audio Mode is not.
    void updateFileListVisibility();
    void connectLists();
    void declareFileManagementCommands();
    void declareCDAudioCommands();
    void declarePreferencesCommands();
    void openPreferencesAt(PreferencesPage page);
    void reportSettingsError(const QString& error);
    void cdAudioStates(CommandStates& states) const;
    // PanelCurrentCDClick: the drive is read, the mode's controls shown, a disc playing on its own
    // adopted. From the tick only the adoption runs.
    void enterCDAudioMode();
    // Leaving CD Audio Mode for File Management Mode.
    void leaveCDAudioMode();
    // The start-up rule: CD Audio Mode as the initial mode.
    void enterStartMode();
    void fileManagementStates(CommandStates& states) const;
    void applyDisplayOptions();
    void connectCommandStates();
    void declareCommands();
    void declareFileAndEditCommands();
    void declareViewCommands();
    void declareAudioCommands();
    void declareTwins();
    void declareListCommands();
    void toolbarStates(CommandStates& states) const;
    void transportStates(CommandStates& states) const;
    void editStates(CommandStates& states) const;
    void listStates(CommandStates& states) const;
    void viewStates(CommandStates& states) const;

    Folders m_folders;
    Ports m_ports;
    Settings m_settings;
    Preferences m_preferences;
    PreferencesDialogModel m_preferencesDialog;
    BusyState m_busy;
    PlayLogs m_playLogs;

    // The lists as the transport and the commands see them, and the owner of which one plays and which
    // one has the focus. They hold the objects below before these are built, and reach them later.
    PlayListMedia m_playListMedia;
    FileListMedia m_fileListMedia;
    FolderListMedia m_folderListMedia;
    CDListMedia m_cdListMedia;
    ActiveLists m_lists{m_playListMedia};
    bool m_cdAudioModeShown = false;

    // The lists of the main window, created empty in this order.
    CDDatabase m_cdDatabase;
    PlayList m_playList;
    TagTitles m_tagTitles{m_playList, m_ports.tags};
    // The random pool: any order serves a uniform draw, and keeping it sorted costs a sort per refill.
    ItemSet m_unplayedItems{ItemSet::Order::Insertion};
    ItemSet m_playedItems{ItemSet::Order::Insertion};

    PlayListDocument m_document;
    FavoritesAndHistory m_favoritesAndHistory;
    PlayOrder m_playOrder;
    FileManagement m_fileManagement;
    QtTimerPort m_timer;
    QtTimerPort m_delayTimer;
    QtTimerPort m_cdResyncTimer;
    QtTimerPort m_cdGraceTimer;
    QtTimerPort m_openingTimer;
    CDAudioMode m_cdAudio;
    LengthCalculator m_lengths;
    ProgressIndicators m_indicators;
    PlaybackController m_controller;
    PlayListEditor m_editor;
    FileOperations m_fileOperations;
    FileCommands m_fileCommands;
    FileSearch m_fileSearch;
    SearchDialogModel m_searchModel;
    std::unique_ptr<ExternalCommands> m_external;
    std::unique_ptr<ExternalEditors> m_externalEditors;
    CommandTable m_commands;
    CommandDispatcher m_dispatcher;

    int m_commandDepth = 0;  // commands running, one inside another
    bool m_controlsStale = false;
    bool m_playRequested = false;  // a list asked to start playing on the next turn  // the Play List moved
                                   // during a command since its controls were updated
    bool m_firstRun = false;
    QString m_sampleListError;  // the system's reason when the first run could not write the sample list
    bool m_firstShow = true;
    bool m_startListsOpened = false;
    bool m_startPlayingFlag = false;
};
