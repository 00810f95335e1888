#pragma once

#include "core/playback/mediadevice.h"
#include "core/playback/progressindicators.h"
#include "core/playback/transportpreview.h"

#include <QObject>
#include <QString>

class BusyIndicator;
class CDAudioMode;
class FileList;
class ItemSet;
class PlayList;
class PlayOrder;
class Prompter;
class TimerPort;
struct Preferences;
struct RunState;

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

// Starts, pauses, stops, rewinds and advances playback; the only place that tells the media device to
// play. It never waits for the device: a 500 ms tick polls it (and runs at once when the device reports
// an end), and the play order decides what follows.
class PlaybackController : public QObject {
    Q_OBJECT

public:
    // Who asked: an advance keeps CurrentItem, a user's Play takes the focused line.
    enum class Sender { User, Timer, DelayTimer, Next, Previous };

    struct Context {
        PlayList& playList;
        PlayOrder& order;
        ItemSet& played;
        RunState& run;
        Preferences& preferences;
        MediaDevice& device;
        Prompter& prompter;
        TimerPort& timer;       // the tick, 500 ms
        TimerPort& delayTimer;  // the pause between two Play List items
        LengthCalculator& lengths;
        ProgressIndicators& indicators;
        BusyIndicator* busy = nullptr;  // the random search for a position tells the user it is busy
        FileList* fileList = nullptr;   // the File List files play from, when there is one
        CDAudioMode* cd = nullptr;      // the CD Audio List and the disc it shows, when there is one
        TimerPort* cdResyncTimer = nullptr;  // re-reads where the disc stands, 30 s
        TimerPort* cdGraceTimer = nullptr;   // a track's first moments, 1.5 s
    };

    static constexpr int kTickMs = 500;
    static constexpr int kCDResyncMs = 30000;
    static constexpr int kCDGraceMs = 1500;

    explicit PlaybackController(Context context, QObject* parent = nullptr);

    // The transport commands; each does nothing while its command is disabled.
    void Play();
    void playFocusedItem();
    void stop();
    // The device's file is about to be moved or deleted: playback stops as Stop does and the device
    // lets go of the file.
    void stopAndClose();
    void togglePause();
    void rewind();
    void next();
    void previous();

    // The play options of the Audio menu.
    void toggleAutoPlay();
    void toggleRandomPlay();
    void toggleLoopPlayList();
    void toggleLoopItemOnce();
    void toggleLoopItemForever();

    void PlayFromPlayList(Sender sender, qint64 start);
    // Plays the File List's focused file (or its first selected one).
    void PlayFromFileList(Sender sender, qint64 start);
    // A click in the File List: Play follows its selection.
    void followFileListSelection();
    // Plays the CD Audio List's focused track, on to the end of the disc.
    void PlayFromCDList(Sender sender, qint64 start);
    // A click in the CD Audio List: Play follows it.
    void followCDListSelection();
    void onCDGraceElapsed();
    void onCDResync();
    // CD Audio Mode was entered: a disc the player plays on its own (started from the list earlier or
    // by another program) is shown as playing; otherwise, unless the Play List plays, the transport rests.
    void adoptPlayingDisc();
    // CD Audio Mode is left: the disc stops when the user wants it to, and its displays rest.
    void leaveCDMode();
    // The drive holds no disc any more (ejected, or its tray opened): what played from it ends.
    void discRemoved();
    // The program ends: the disc stops when the user wants it to.
    void stopCDOnExit();
    qint64 positionInTrack() const { return m_positionInTrack; }
    int currentTrackIndex() const { return m_currentTrackIndex; }
    void onPlaybackTick();
    void onDelayElapsed();
    void AdvancePlayback(Sender sender);
    void CloseAndReset();
    void SetTitle(const QString& text);
    void ShowPlayError(const QString& text);

    // A click in the Play List (or a command that changed it): the play commands follow its lines.
    void followPlayListSelection();
    // Another list replaces the Play List (open, New): what plays from it stops, the displays reset.
    void PlayListReplaced();
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
    // An indicator's mode changed: its texts follow.
    void indicatorModeChanged();
    // The program is closing: timers do nothing more.
    void setTerminating() { m_terminating = true; }

    TransportState transport() const;
    const IndicatorTexts& indicators() const { return m_c.indicators.texts(); }
    // The main window's caption, and the title with the progress indicator the taskbar shows.
    const QString& windowTitle() const { return m_titleText; }
    const QString& applicationTitle() const { return m_applicationTitle; }
    bool loopOnce() const;
    bool loopForever() const;

Q_SIGNALS:
    // Title, indicators or command states changed.
    void changed();
    // The user asked for help on this topic.
    void helpRequested(const QString& topic);
    // Next or Previous moved to this file of the File List: the filter edit shows its name.
    void fileListLineChosen(const QString& name);

private:
    void refreshCommandStates();
    void failToPlay(const QString& reason, bool resetPlayed = true);
    bool fileListShown() const;
    bool cdListShown() const;
    bool cdListPlayable() const;
    bool rightListHasLines() const;
    void playFromRightList(Sender sender);
    // The CD rules of the tick; false ends the tick.
    bool cdTick(int mode);
    void followDiscPosition();
    void endOfCDTrack();
    void endOfDisc();
    void stopCDTimers();
    // A CD-track item: the wanted disc is found (or the user picks another) and the span of its track
    // is set; false when nothing is to play.
    bool prepareCDItem(const QString& ref);
    bool stepInCDList(int step);
    void selectTrackLine(int index);
    // The track that plays starts again from its beginning (and, for a Play List item, ends at its end).
    void restartCDTrack();
    // Plays the disc from a percent of its track (or, for the whole disc, of the disc).
    void playDiscAt(int percent, bool wholeDisc);
    bool fileListHasSelection() const;
    // Next/Previous in the File List: the line step away from the playing (or focused) one.
    bool stepInFileList(int step);
    void endPlaying();
    void prepareFileItem(const QString& ref);
    void focusCurrentItem(bool selectWhenSingle);
    void endOfListSequential();
    void endOfListRandom();
    void idleAfterItem();
    void updateTickIndicators();
    void refreshPercent();
    void releaseBar();

    Context m_c;
    bool m_nextRequested = false;
    bool m_previousRequested = false;
    bool m_continuingPlayback = false;
    bool m_cdPaused = false;
    bool m_dragging = false;
    bool m_terminating = false;
    qint64 m_positionInTrack = 0;
    int m_currentTrackIndex = -1;
    int m_playingTrack = 0;  // the track a CD-track item of the Play List plays
    bool m_startGraceOver = false;
    bool m_trackEnded = false;
    bool m_playEnabled = false;
    bool m_pauseEnabled = false;
    bool m_stopEnabled = false;
    bool m_rewindEnabled = false;
    bool m_pauseDown = false;
    QString m_titleText;
    QString m_applicationTitle;
    TransportPreview m_preview;
};
