#pragma once

#include "core/cdaudio/cdaudiolist.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

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

    static const QString kNoCD;       // "No CD"
    static const QString kUnknownCD;  // "Unknown CD"

    explicit CDAudioMode(Context context, QObject* parent = nullptr);
    void setDialogs(CDDialogs* dialogs) { m_c.dialogs = dialogs; }
    CDDialogs* dialogs() const { return m_c.dialogs; }
    void setBusyIndicator(BusyIndicator* busy) { m_c.busy = busy; }

    CDAudioList& list() { return m_list; }
    const CDAudioList& list() const { return m_list; }

    // Shows the disc in the drive. Returns false when the CD device could not be opened (the user was told).
    bool ReadCD();
    // Shows a stored disc, without lengths and not playable, with its number of track lines.
    void ReadStoredCD(qint32 cdid, int trackCount);
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
    // it is the one in the drive).
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
    // The drive's eject button: ejects, or closes the door when it is open; then the drive is read again.
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
    // Shows the stored disc given, or the disc in the drive when none is given.
    bool readDisc(std::optional<qint32> stored, int trackCount);
    MediaDevice& queryDevice();
    bool playerHoldsCD() const;
    bool openReader();
    void releaseReader();
    void showNoDisc();
    void takeCDText(const QStringList& text);
    void holdDiscInPlayer();
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
};
