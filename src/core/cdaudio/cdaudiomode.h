#pragma once

#include "core/cdaudio/cdaudiolist.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class BusyIndicator;
class CDDatabase;
class CDDialogs;
class MediaDevice;
class Prompter;
class Settings;
struct Preferences;

// CD Audio Mode's disc: which disc the CD Audio List shows (the one in the drive, a stored one picked
// by name, or none: a state of its own, since every identifier, 0 included, names a disc), its names from the
// CD database, the disc-name box and the database commands (save, rename tracks, remove the disc, rearrange
// the discs). Playing the disc is the playback controller's.
class CDAudioMode : public QObject {
    Q_OBJECT

public:
    struct Context {
        Preferences& preferences;
        const Settings& settings;  // the two choices the boxes store at once
        CDDatabase& database;
        MediaDevice& player;  // MPlayer: asked about the disc when it holds the CD device
        MediaDevice& reader;  // LengthMP: reads the disc otherwise
        Prompter& prompter;
        CDDialogs* dialogs = nullptr;
        BusyIndicator* busy = nullptr;
        QString databasePath;  // "CDDB.INI"
        QString backupPath;    // "CDDB.BAK"
    };

    static const QString kNoCD;         // "No CD"
    static const QString kUnknownCD;    // "Unknown CD"
    static const QString kReadingDisc;  // what the disc-name box says while the drive is read
    static const QString kOpeningTray;  // ... while the eject button moves the tray out
    static const QString kClosingTray;  // ... and in

    explicit CDAudioMode(Context context, QObject* parent = nullptr);
    void setDialogs(CDDialogs* dialogs) { m_c.dialogs = dialogs; }
    CDDialogs* dialogs() const { return m_c.dialogs; }
    void setBusyIndicator(BusyIndicator* busy) { m_c.busy = busy; }

    CDAudioList& list() { return m_list; }
    const CDAudioList& list() const { return m_list; }

    // Starts reading the disc in the drive and returns at once: the list says that it is being read until
    // the drive answers, then shows the disc, no disc, or nothing with a message that says why. A read
    // under way is replaced by the new one.
    void ReadCD();
    // Until the list shows what the drive holds and the player holds the disc for the tick; a tray
    // that moves counts, since the drive is read once it has.
    bool isReadingDrive() const { return m_read != DriveRead::None; }
    bool isMovingTray() const { return m_read == DriveRead::MovingTray; }
    // Runs then once the read of the drive under way has ended (at once when none is); a cancelled
    // read runs nothing, a replaced one runs it when its replacement ends.
    void whenDiscRead(std::function<void()> then);
    // The read under way is forgotten and its device let go: no answer fills the list any more.
    void cancelRead();
    // Shows a stored disc, without lengths and not playable, with its number of track lines.
    void ReadStoredCD(qint32 cdid, int trackCount);
    // For a loop that asks the user for a disc, and so waits on the user anyway: these wait for the
    // drive (at most as long as the device allows).
    // The identifier of the disc in the drive, asked of the player when it holds the CD device, else of
    // the reader; none when there is no disc.
    std::optional<qint32> ComputeCDID();
    // The length of a track of the disc in the drive in ms; -1 when there is no such track.
    qint64 trackLengthInDrive(int track);
    // The user says the wanted disc is in: an open tray is closed on it.
    void closeTray();

    // None while no disc is shown.
    std::optional<qint32> currentCDID() const { return m_currentCDID; }
    const QString& currentCDName() const { return m_currentCDName; }
    void setCurrentCDName(const QString& name) { m_currentCDName = name; }
    bool showingDriveCD() const { return m_showingDriveCD; }
    qint64 totalLength() const { return m_totalLength; }
    // The stored name of a disc, or "Unknown CD".
    QString storedName(qint32 cdid);

    // The disc-name box: its drop-down entries (the database's discs in file order), its text and
    // whether it and the save command are enabled.
    const QStringList& storedNames() const { return m_storedNames; }
    const QString& nameText() const { return m_nameText; }
    bool nameBoxEnabled() const { return m_nameBoxEnabled; }
    bool saveEnabled() const { return m_saveEnabled; }
    // Typing in the box: the name the next save writes.
    void setNameText(const QString& text);
    // An entry of the drop-down was chosen: the first disc of that name is shown (the drive's disc when
    // it is the one in the drive, which takes a read of the drive).
    void pickStoredName(const QString& name);

    // What the list's events leave enabled.
    bool addEnabled() const { return m_addEnabled; }
    bool addAllEnabled() const { return m_addAllEnabled; }
    bool renameDeleteEnabled() const { return m_renameDeleteEnabled; }
    bool playEnabled() const { return m_playEnabled; }
    void listClicked();
    // The list took the focus: it is the one the commands act on.
    void listEntered();
    // The line of the track that plays becomes the only one selected, in the middle of the box.
    void selectPlayingLine(int index);

    // The database commands.
    void saveTrackList();
    void renameTracks();
    void removeDisc();
    void rearrangeDiscs();
    // The drive's eject button: starts the tray out, or in when the door is open (or the drive was
    // empty when last read), and returns at once; what plays from the disc ends now. Once the tray has
    // moved the drive is read again; a tray that could not move is told in a message. Ignored while
    // the tray moves.
    void eject();

    // The mode's controls are shown or hidden.
    void setShown(bool shown);
    bool isShown() const { return m_list.isVisible(); }
    void setNameBoxFocused(bool focused) { m_nameBoxFocused = focused; }
    bool nameBoxFocused() const { return m_nameBoxFocused; }

    QString browseLabel() const { return m_list.browseLabel(); }

Q_SIGNALS:
    // Names, the name box or the button states changed.
    void changed();
    // The CD Audio List took the focus.
    void listFocused();
    // The drive holds no disc: what the playback controls show of it should return to idle.
    void discGone();
    // The database was changed by a command: the mode is entered afresh (the drive read again).
    void reenterRequested();
    // The database file was written: names taken from it (the Play List's CD tracks) follow.
    void databaseChanged();

private:
    // Where a read of the drive stands.
    enum class DriveRead {
        None,
        Reading,     // the reader opens the drive for the list
        Holding,     // the player opens the drive to hold the disc for the list
        MovingTray,  // the tray moves; the drive is read when it answers
    };
    // A stored disc picked by name, shown unless the drive holds that very disc.
    struct StoredChoice {
        qint32 cdid = 0;
        int trackCount = 0;
    };

    void readDrive(std::optional<StoredChoice> otherwise);
    // The read under way is let go of; what waits for its end keeps waiting for the next read.
    void stopReading();
    void beginReaderRead();
    void onReaderOpened();
    void onReaderOpenFailed(const QString& reason);
    void onPlayerAnswered();
    // The tray moves through the player when it holds the disc for the list (it knows at once that the
    // disc left), else through the reader, closed, so that no disc is read for it.
    enum class TrayMover { Reader, Player };
    MediaDevice& trayMover() { return m_trayMover == TrayMover::Player ? m_c.player : m_c.reader; }
    void onTrayMoved(MediaDevice& device, bool moved, const QString& reason);
    // An opening answered by the device that moves the tray: the controller took it for an item, which
    // cancelled the move.
    void trayMoverAnswered(MediaDevice& device);
    void stopMovingTray();
    void finishRead();
    // What the open device found: the disc, no disc, or the stored disc picked when the drive holds another.
    void showReadDisc(MediaDevice& device);
    void showStoredDisc(qint32 cdid, int trackCount);
    void fillList(MediaDevice* drive, qint32 cdid, int tracks);
    // An empty list and nothing to act on, the disc-name box saying text.
    void showNothing(const QString& text);
    // The shown disc forgotten, the name box saying nameText; announced by the caller.
    void clearDisc(const QString& nameText);
    bool playerHoldsCD() const;
    bool playerIsFree() const;
    bool readerIsPlayer() const { return &m_c.reader == &m_c.player; }
    void prepareReader();
    void releaseReader();
    void queryDrive(const std::function<void(MediaDevice&)>& query);
    void showNoDisc();
    void takeCDText(const QStringList& text);
    // Whether the player began opening the drive to hold the disc.
    bool holdDiscInPlayer();
    void fillNameBox();
    void reloadDatabase();
    QStringList shownTrackNames() const;

    Context m_c;
    CDAudioList m_list;
    std::optional<qint32> m_currentCDID;
    QString m_currentCDName;
    QStringList m_trackNames;
    QStringList m_storedNames;
    QString m_nameText;
    qint64 m_totalLength = 0;
    bool m_showingDriveCD = false;
    bool m_nameBoxEnabled = false;
    bool m_saveEnabled = false;
    bool m_addEnabled = false;
    bool m_addAllEnabled = false;
    bool m_renameDeleteEnabled = false;
    bool m_playEnabled = false;
    bool m_nameBoxFocused = false;
    DriveRead m_read = DriveRead::None;
    std::optional<StoredChoice> m_readOtherwise;
    std::vector<std::function<void()>> m_afterRead;
    TrayMover m_trayMover = TrayMover::Reader;
    bool m_driveWasEmpty = false;  // the last read of the drive found no disc: the tray may be open
};
