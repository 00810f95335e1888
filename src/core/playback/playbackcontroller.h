#pragma once

#include "core/common/medialist.h"
#include "core/playback/midireset.h"
#include "core/playback/progressindicators.h"
#include "core/ports/mediadevice.h"

#include <QObject>
#include <QString>

#include <optional>

class ActiveLists;
class DiscRequests;
class PlayOrder;
class Prompter;
class TimerPort;
struct Preferences;

// What the transport commands may do now, and what their buttons say.
struct TransportState {
    bool play = false;
    bool pause = false;
    bool stop = false;
    bool rewind = false;
    bool previous = false;
    bool next = false;
    bool pauseDown = false;
    bool positionBar = false;
    int positionBarValue = 0;  // percent
    QString playItem;
    QString previousItem;
    QString nextItem;
};

// The transport: opens what a list gives it on the media device, plays, pauses, stops and rewinds it,
// and follows it with a 500 ms tick (run at once when the device reports an end); the only place that
// tells the device to play. Which line plays and what follows an item is the playing list's answer
// (MediaList); the controller carries it out, keeps the pause between items, the item loops, the
// window title and the position displays, and reports the device's failures.
class PlaybackController : public QObject {
    Q_OBJECT

public:
    struct Context {
        ActiveLists& lists;
        PlayOrder& order;  // the item loop marks and the played status
        Preferences& preferences;
        MediaDevice& device;
        Prompter& prompter;
        TimerPort& timer;       // the tick, 500 ms
        TimerPort& delayTimer;  // the pause between two items
        ProgressIndicators& indicators;
        DiscRequests* discs = nullptr;       // finds the disc a track is on; without it only the drive's disc
        TimerPort* cdResyncTimer = nullptr;  // re-reads where the disc stands, 30 s
        TimerPort* cdGraceTimer = nullptr;   // a track's first moments, 1.5 s
        TimerPort* openingTimer = nullptr;   // each second an item takes to open
    };

    static constexpr int kTickMs = 500;
    static constexpr int kCDResyncMs = 30000;
    static constexpr int kCDGraceMs = 1500;
    static constexpr int kOpeningWaitMs = 1000;
    // A file not ready to play after this long counts as one that cannot be opened.
    static constexpr int kOpeningLimitSeconds = 30;

    explicit PlaybackController(Context context, QObject* parent = nullptr);

    // The transport commands; each does nothing while its command is disabled.
    // Play: from the list Play starts from (the focused one, the Play List, the right-hand one).
    void Play();
    // A double-click or a list's own Play button: the list's focused (or selected) line from its start.
    void playFrom(MediaList& list);
    void stop();
    // The device's file is about to be moved or deleted: playback stops as Stop does and the device
    // lets go of the file.
    void stopAndClose();
    void togglePause();
    void rewind();
    void next() { step(+1); }
    void previous() { step(-1); }

    // The play options of the Audio menu.
    void toggleAutoPlay();
    void toggleRandomPlay();
    void toggleLoopPlayList();
    void toggleLoopItemOnce();
    void toggleLoopItemForever();

    // Starts the list's item: a user's start takes the focused line, an advance the list's current one;
    // start is an offset in ms into the item, or -1 for its beginning.
    void start(MediaList& list, bool user, qint64 start);
    // A list's lines, selection or visibility changed: the command states follow.
    void listChanged();
    // Lines of the playing list show their items anew (a title read from tags arrived): the window
    // title follows the playing item's line.
    void linesShownAnew();
    // The list is replaced by another one (a Play List opened or cleared): what plays from it stops and
    // the displays reset. Another list that plays goes on.
    void listReplaced(MediaList& list);

    void onPlaybackTick();
    void onDelayElapsed();
    // The device's answer to the item being opened; an answer for anything else is stale.
    void onDeviceOpened();
    void onDeviceOpenFailed(const QString& reason);
    // Each second an item opens: the status bar says so, and at the limit the opening gives up.
    void onOpeningWait();
    // The file queued to follow without a gap took over on the device.
    void onQueuedStarted();
    void CloseAndReset();
    void SetTitle(const QString& text);
    void ShowPlayError(const QString& text);

    // Discs
    void onCDGraceElapsed();
    void onCDResync();
    // The list that follows the disc came on screen: a disc the player plays on its own is shown as
    // playing from it; otherwise, unless another list plays, the transport rests.
    void adoptPlayingDisc();
    // That list leaves the screen: the disc stops when the user wants it to, and its displays rest.
    void leaveDiscList();
    // The drive holds no disc any more (ejected, or its tray opened): what played from it ends.
    void discRemoved();
    // The program ends: the disc stops when the user wants it to.
    void stopCDOnExit();

    // While the position bar is dragged, the tick leaves the indicators alone and the advance waits.
    void setPositionBarDragging(bool dragging);
    bool positionBarDragging() const { return m_dragging; }
    // The bar moved to percent p while dragged: the indicators preview, playback stays where it is.
    void previewBarPosition(int percent);
    // The bar was let go at percent p (or the Change Position box applied it): playback moves there,
    // inside the item or, with the percent indicator showing totals, into another item of the list.
    void applyBarPosition(int percent);
    // The Change Position box applies a percent: as the bar's release, and the tick runs again.
    void ChangePosition(int percent);
    // "&25 %", "&50 %", "&75 %".
    void PercentJump(int percent);
    // Moves within a file that plays or is paused to ms from its start (clamped to the file), keeping it
    // playing or paused; false when nothing of the kind is there to move in (a disc moves by percent).
    bool seekInItem(qint64 ms);
    // An indicator's mode changed: its texts follow.
    void indicatorModeChanged();
    // The program is closing: timers do nothing more.
    void setTerminating() { m_terminating = true; }

    TransportState transport() const;
    const IndicatorTexts& indicators() const { return m_c.indicators.texts(); }
    // The main window's caption, and the title with the progress indicator the taskbar shows.
    const QString& windowTitle() const { return m_titleText; }
    const QString& applicationTitle() const { return m_applicationTitle; }
    // The Floating Palette's position bar names what plays: "Playing \"3. Song\"", or nothing.
    const QString& playingHint() const { return m_playingHint; }
    // The item that plays, is paused or is being opened; Kind::None otherwise.
    PlayItem currentItem() const;
    bool isOpening() const { return m_phase == Phase::Opening; }
    // What the status bar says about playback: that an item is being opened, when it takes a while.
    const QString& statusText() const { return m_statusText; }
    bool loopOnce() const;
    bool loopForever() const;

Q_SIGNALS:
    // Title, indicators or command states changed.
    void changed();
    // The user asked for help on this topic.
    void helpRequested(const QString& topic);
    // A track of a disc starts: a list that shows that disc selects its line.
    void discTrackStarting(qint32 cdid, int track);
    // The drive's tray was opened while the tick watched it: the disc's list reads the drive again.
    void trayOpened();

private:
    // Where the transport stands: what the command states are computed from.
    enum class Phase {
        Idle,     // nothing plays (after Stop, the end of a list, or an item with nothing after it)
        Playing,  // an item plays
        Paused,   // an item is paused (a disc by stopping it)
        Waiting,  // the pause between two items
        Opening,  // an item is being opened: the device answers when it is ready
        Resetting,  // the MIDI reset file plays; its item follows
    };
    // The item being opened, and where it is to start.
    struct Opening {
        MediaList* list = nullptr;
        PlayItem item;
        qint64 start = -1;
        bool reset = false;  // the MIDI reset file before the item MidiReset holds
    };

    // The file handed to the device to follow what plays without a gap.
    struct Queued {
        PlayItem item;
        bool repeat = false;    // an item loop plays the same file again
        bool accepted = false;  // the device took it
        bool sameAs(const Queued& other) const {
            return repeat == other.repeat && item.line == other.item.line && item.path == other.item.path;
        }
    };

    void step(int direction);
    void itemEnded();
    void advance();
    void follow(MediaList& list, ListStep step);
    bool loopItem();
    void prepareDevice(const PlayItem& item);
    // Opens item (after the MIDI reset file when it needs one and allowReset).
    void startItem(MediaList& list, const PlayItem& item, qint64 start, bool allowReset);

    // MIDI reset (playbackcontroller_reset.cpp)
    // The file to open for item: the reset file when one is due (the reset then waits for the item).
    PlayItem resetOrItem(MediaList& list, const PlayItem& item, qint64& start, bool allowReset);
    void playReset();
    // The reset file ended: its item starts, or, when the list lost it meanwhile, what follows it.
    void finishReset();
    // The reset file cannot be played: said once, and the item starts without it.
    void skipReset(const QString& reason);
    void forgetReset();
    bool resetting() const { return m_reset.active(); }
    // The device opened the item: it starts playing.
    void startOpened(MediaList& list, PlayItem item, qint64 start);
    // An opening that is not wanted any more: the device lets go of it and its answer never comes.
    void cancelOpening();
    void endOpeningWait();
    // The list says the item plays now: length, title and indicators follow.
    void announceItem(MediaList& list, const PlayItem& item, qint64 length);
    void failToPlay(const QString& reason, bool resetPlayed);

    // Gapless handover (playbackcontroller_handover.cpp)
    // What follows the playing file without a gap, when that is known now and plays on the same device.
    std::optional<Queued> itemToFollow() const;
    // The device's queued file follows what is to follow now: queued, replaced or cancelled.
    void syncQueued();
    void dropQueued();
    // The queued file plays: what the end of an item does, without opening anything.
    void continueWithQueued(MediaList& list, const PlayItem& item);
    void endPlaying();
    void endOfList();
    void endOfRandomPass();
    void idleAfterItem();
    void startWaitingBetweenItems();
    void updateTickIndicators();
    void refreshPercent();
    void releaseBar();
    void refreshCommandStates();
    bool active() const { return m_phase == Phase::Playing || m_phase == Phase::Paused; }
    MediaList* playing() const;

    // Discs (playbackcontroller_cd.cpp)
    bool deviceIsCD() const { return m_c.device.deviceType() == MediaDevice::DeviceType::CDAudio; }
    // The track the device plays: the item's own, or the one a disc has moved on to.
    int playingTrack() const;
    // A Track item: the wanted disc is found (or the user picks another) and the span of its track is
    // set; false when nothing is to play.
    bool prepareTrack(const PlayItem& item);
    // A Disc item: the track to start from is one of the disc's, and its start is set.
    void prepareDisc(MediaList& list, PlayItem& item);
    // The CD rules of the tick; false ends the tick.
    bool cdTick(int mode);
    void followDiscPosition();
    void discMovedOn();
    void showDiscTrack(MediaList& list, int track);
    void endOfDisc();
    void stopCDTimers();
    void startCDTimers();
    // The track that plays starts again from its beginning (and, for a Track item, ends at its end).
    void restartCDTrack();
    // Plays the disc from a percent of its track (or, for the whole disc, of the disc).
    void playDiscAt(int percent, bool wholeDisc);
    void setTrackSpanEnd(int track);

    Context m_c;
    Phase m_phase = Phase::Idle;
    MidiReset m_reset;
    Opening m_opening;
    int m_openingSeconds = 0;
    QString m_statusText;
    PlayItem m_item;  // what the device was last given
    std::optional<Queued> m_queued;
    bool m_cdPaused = false;
    bool m_dragging = false;
    bool m_terminating = false;
    qint64 m_positionInTrack = 0;
    bool m_startGraceOver = false;
    bool m_trackEnded = false;
    QString m_titleText;
    QString m_applicationTitle;
    QString m_playingHint;
    TransportPreview m_preview;
};
