// Playing audio CDs: from the CD Audio List on through the disc, and CD-track items of the Play List.

#include "core/playback/playbackcontroller.h"

#include "core/app/runstate.h"
#include "core/cdaudio/cdaudiomode.h"
#include "core/cdaudio/cddialogs.h"
#include "core/cdaudio/cdidentifier.h"
#include "core/common/timerport.h"
#include "core/files/filelist.h"
#include "core/playback/playorder.h"
#include "core/playlist/itemref.h"
#include "core/playlist/playlist.h"
#include "core/settings/preferences.h"

bool PlaybackController::cdListShown() const {
    return m_c.cd != nullptr && m_c.cd->isShown();
}

bool PlaybackController::cdListPlayable() const {
    return cdListShown() && m_c.cd->showingDriveCD() && !m_c.cd->list().isEmpty();
}

bool PlaybackController::rightListHasLines() const {
    return fileListShown() ? !m_c.fileList->isEmpty() : cdListShown() && !m_c.cd->list().isEmpty();
}

void PlaybackController::playFromRightList(Sender sender) {
    if (cdListShown()) {
        PlayFromCDList(sender, -1);
    } else {
        PlayFromFileList(sender, -1);
    }
}

void PlaybackController::stopCDTimers() {
    if (m_c.cdResyncTimer) {
        m_c.cdResyncTimer->stop();
    }
    if (m_c.cdGraceTimer) {
        m_c.cdGraceTimer->stop();
    }
}

void PlaybackController::followCDListSelection() {
    if (cdListPlayable() && !m_pauseEnabled) {
        m_playEnabled = true;
    }
    refreshCommandStates();
}

void PlaybackController::selectTrackLine(int index) {
    CDAudioList& tracks = m_c.cd->list();
    if (index < 0 || index >= tracks.count()) {
        return;
    }
    const qsizetype focused = tracks.focusedLine();
    if (focused >= 0 && focused < tracks.count() && tracks.selectedCount() <= 1) {
        tracks.setSelected(focused, false);
    }
    tracks.setSelected(index, true);
    tracks.setFocusedLine(index);
    tracks.centreLine(index);
}

void PlaybackController::PlayFromCDList(Sender, qint64 start) {
    m_startGraceOver = false;
    m_cdPaused = false;
    if (!cdListPlayable()) {
        return;
    }
    CDAudioList& tracks = m_c.cd->list();
    if (m_c.device.deviceType() == MediaDevice::DeviceType::CDAudio && m_c.device.mode() == MediaDevice::Playing &&
        m_c.run.playbackSource == PlaybackSource::PlayList) {
        m_c.device.stop();
    }
    m_c.delayTimer.stop();
    m_c.run.playbackSource = PlaybackSource::CDList;
    m_c.playList.setPlayListPlaying(false);
    m_positionInTrack = 0;
    m_c.device.close();
    m_c.device.setFileName(QString());
    m_c.device.setDeviceType(MediaDevice::DeviceType::CDAudio);
    m_c.device.setShareable(true);
    if (!m_c.device.open()) {
        failToPlay(m_c.device.errorText(), false);
        return;
    }
    m_c.device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
    // A track the disc does not have is never asked for: the focused line is one of the list's.
    qsizetype line = tracks.focusedLine();
    if (line < 0 || line >= tracks.count() || line >= m_c.device.trackCount()) {
        line = 0;
    }
    if (line == 0) {
        tracks.selectOnly(0);
        tracks.setFocusedLine(0);
    }
    m_c.device.setStartPosition(start != -1 ? start : m_c.device.trackPosition(static_cast<int>(line + 1)));
    m_c.device.setEndPosition(-1);
    SetTitle(tracks.name(line));
    m_c.timer.start(kTickMs);
    if (m_c.cdResyncTimer) {
        m_c.cdResyncTimer->start(kCDResyncMs);
    }
    if (m_c.cdGraceTimer) {
        m_c.cdGraceTimer->start(kCDGraceMs);
    }
    m_c.indicators.ShowPosition(-1);
    if (!m_c.device.play()) {
        stopCDTimers();
        failToPlay(m_c.device.errorText(), false);
        return;
    }
    m_playEnabled = false;
    m_pauseEnabled = m_stopEnabled = m_rewindEnabled = true;
    m_pauseDown = false;
    m_currentTrackIndex = static_cast<int>(line);
    m_c.indicators.setItemLength(0);
    m_c.indicators.ShowLength(std::max<qint64>(tracks.length(line), 0));
    m_c.indicators.setDisc(m_c.cd->totalLength(), m_c.device.trackPosition(m_currentTrackIndex + 1));
    m_c.indicators.setBarEnabled(true);
    m_c.cd->listClicked();
    refreshCommandStates();
}

bool PlaybackController::stepInCDList(int step) {
    if (!cdListPlayable()) {
        return false;
    }
    CDAudioList& tracks = m_c.cd->list();
    const bool playing = m_c.run.playbackSource == PlaybackSource::CDList;
    const qsizetype from = playing && m_currentTrackIndex >= 0 ? m_currentTrackIndex : tracks.focusedLine();
    const qsizetype line = from + step;
    if (from < 0 || line < 0 || line >= tracks.count()) {
        return false;
    }
    selectTrackLine(static_cast<int>(line));
    PlayFromCDList(step > 0 ? Sender::Next : Sender::Previous, -1);
    return true;
}

void PlaybackController::onCDGraceElapsed() {
    if (!m_terminating) {
        m_startGraceOver = true;
    }
}

void PlaybackController::onCDResync() {
    if (m_terminating || m_c.device.deviceType() != MediaDevice::DeviceType::CDAudio ||
        m_c.device.mode() != MediaDevice::Playing || !m_c.cd) {
        return;
    }
    followDiscPosition();
    if (m_c.run.playbackSource != PlaybackSource::CDList || !m_c.cd->showingDriveCD() || !cdListShown() ||
        !m_c.cd->list().isEnabled()) {
        return;
    }
    // The device's own track: a seek or a drift between ticks never leaves the list on the wrong line.
    const qint64 position = m_c.device.position();
    const int tracks = static_cast<int>(std::min<qsizetype>(m_c.device.trackCount(), m_c.cd->list().count()));
    int track = 1;
    while (track < tracks && m_c.device.trackPosition(track + 1) <= position) {
        ++track;
    }
    if (track - 1 != m_currentTrackIndex) {
        m_currentTrackIndex = track - 1;
        selectTrackLine(m_currentTrackIndex);
        m_c.indicators.ShowLength(std::max<qint64>(m_c.cd->list().length(m_currentTrackIndex), 0));
        m_c.indicators.setDisc(m_c.cd->totalLength(), m_c.device.trackPosition(track));
        SetTitle(m_c.cd->list().name(m_currentTrackIndex));
        m_c.cd->listClicked();
        followDiscPosition();
    }
    m_pauseDown = false;
    Q_EMIT changed();
}

// Where the disc stands within its track. The device reports its position reliably, so it is asked on
// every tick rather than estimated between corrections.
void PlaybackController::followDiscPosition() {
    const int track = m_c.run.playbackSource == PlaybackSource::PlayList ? m_playingTrack : m_currentTrackIndex + 1;
    const qint64 start = m_c.device.trackPosition(track);
    const qint64 position = m_c.device.position();
    if (start >= 0 && position >= 0) {
        m_positionInTrack = std::max<qint64>(position - start, 0);
    }
}

void PlaybackController::adoptPlayingDisc() {
    const bool playListPlays = m_c.run.playbackSource == PlaybackSource::PlayList;
    const bool discPlays = m_c.device.deviceType() == MediaDevice::DeviceType::CDAudio &&
                           m_c.device.mode() == MediaDevice::Playing;
    if (discPlays && !playListPlays && m_c.cd && !m_c.cd->list().isEmpty()) {
        m_c.run.playbackSource = PlaybackSource::CDList;
        m_playEnabled = false;
        m_pauseEnabled = m_stopEnabled = m_rewindEnabled = true;
        m_pauseDown = false;
        m_c.timer.start(kTickMs);
        if (m_c.cdResyncTimer) {
            m_c.cdResyncTimer->start(kCDResyncMs);
        }
        m_currentTrackIndex = -1;  // the resync below selects the track that plays
        onCDResync();
        m_c.indicators.ShowPosition(0);
        m_c.indicators.setBarEnabled(true);
        m_startGraceOver = true;
    } else if (m_c.run.playbackSource == PlaybackSource::None) {
        m_pauseEnabled = m_stopEnabled = m_rewindEnabled = false;
        m_positionInTrack = 0;
    }
    m_startGraceOver = true;
    // The tick watches the drive while the mode is shown: a tray opened by its own button, a disc
    // started by another program.
    m_c.timer.start(kTickMs);
    followCDListSelection();
}

void PlaybackController::leaveCDMode() {
    const bool discPlays = m_c.device.deviceType() == MediaDevice::DeviceType::CDAudio &&
                           m_c.device.mode() == MediaDevice::Playing;
    const bool playListPlays = m_c.run.playbackSource == PlaybackSource::PlayList;
    if (discPlays && m_c.preferences.stopCDAudioWhenChangingMode && !playListPlays) {
        m_c.device.stop();
        m_c.device.close();
    }
    if (playListPlays || m_c.run.playbackSource == PlaybackSource::FileList) {
        return;  // what plays from another list goes on as it was
    }
    if (m_c.run.playbackSource == PlaybackSource::CDList && m_c.device.mode() == MediaDevice::Playing) {
        // The disc plays on without its list: nothing follows it until the mode is shown again.
        m_c.run.playbackSource = PlaybackSource::None;
    }
    m_c.timer.stop();
    stopCDTimers();
    if (m_c.run.playbackSource == PlaybackSource::CDList) {
        m_c.run.playbackSource = PlaybackSource::None;
    }
    m_playEnabled = m_pauseEnabled = m_stopEnabled = m_rewindEnabled = false;
    m_pauseDown = false;
    m_c.indicators.reset();
    m_c.indicators.setBarEnabled(false);
    SetTitle(QString());
    if (m_c.device.deviceType() == MediaDevice::DeviceType::CDAudio && m_c.device.mode() != MediaDevice::Playing) {
        m_c.device.close();  // the player lets go of the drive it held for the list
    }
    m_c.device.setShareable(false);
    refreshCommandStates();
}

void PlaybackController::discRemoved() {
    const bool cdPlayed = m_c.device.deviceType() == MediaDevice::DeviceType::CDAudio &&
                          m_c.run.playbackSource != PlaybackSource::FileList &&
                          (m_c.run.playbackSource == PlaybackSource::CDList ||
                           (m_c.run.playbackSource == PlaybackSource::PlayList && m_playingTrack > 0));
    if (!cdPlayed) {
        // A file plays on: the drive is none of its business. Idle, Play has no disc to start.
        if (m_c.run.playbackSource == PlaybackSource::None && !m_pauseEnabled) {
            m_playEnabled = m_c.playList.selectedCount() > 0 || fileListHasSelection();
            refreshCommandStates();
        }
        return;
    }
    m_c.timer.stop();
    stopCDTimers();
    m_c.device.close();
    SetTitle(QString());
    endPlaying();
    m_playEnabled = m_c.playList.selectedCount() > 0;
    refreshCommandStates();
}

void PlaybackController::stopCDOnExit() {
    if (m_c.device.deviceType() == MediaDevice::DeviceType::CDAudio && m_c.device.mode() == MediaDevice::Playing &&
        m_c.preferences.stopCDAudioOnExit) {
        m_c.device.stop();
        m_c.device.close();
    }
}

bool PlaybackController::cdTick(int mode) {
    if (mode == MediaDevice::Open) {
        // The tray was opened, by the eject command or the drive's own button: the list follows, and the
        // tray is never pulled shut again.
        discRemoved();
        if (m_c.cd) {
            m_c.cd->ReadCD();
        }
        return false;
    }
    m_pauseDown = mode == MediaDevice::Stopped && m_cdPaused;
    const PlaybackSource source = m_c.run.playbackSource;
    if (source == PlaybackSource::CDList && mode == MediaDevice::Stopped && !m_cdPaused) {
        endOfDisc();  // the device stops only at the end of the disc
        return false;
    }
    if (mode == MediaDevice::Playing || source == PlaybackSource::PlayList) {
        if (m_c.cdGraceTimer && m_c.cdGraceTimer->isActive() && !m_startGraceOver) {
            return false;
        }
        if (source != PlaybackSource::PlayList && source != PlaybackSource::CDList) {
            if (cdListShown()) {
                adoptPlayingDisc();  // a disc started elsewhere is shown as playing
            }
            return false;
        }
    }
    if (source == PlaybackSource::None) {
        return false;  // the player only holds the drive for the list: nothing plays, nothing ends
    }
    if (!m_dragging && mode == MediaDevice::Playing) {
        followDiscPosition();
        qint64 length = m_c.indicators.itemLength();
        if (source == PlaybackSource::CDList && cdListShown() && m_currentTrackIndex >= 0 &&
            m_currentTrackIndex < m_c.cd->list().count()) {
            length = m_c.cd->list().length(m_currentTrackIndex);
        }
        if (m_startGraceOver && source == PlaybackSource::CDList && length > 0 && m_positionInTrack >= length) {
            m_trackEnded = true;
        }
    }
    return true;
}

void PlaybackController::endOfDisc() {
    stopCDTimers();
    SetTitle(QString());
    m_c.device.stop();
    m_c.timer.stop();
    endPlaying();
    m_c.indicators.ShowLength(-1);
    m_playEnabled = cdListPlayable();
    m_currentTrackIndex = -1;
    m_positionInTrack = 0;
    refreshCommandStates();
}

void PlaybackController::endOfCDTrack() {
    m_positionInTrack = 0;
    if (!m_c.cd || !m_c.cd->showingDriveCD()) {
        return;
    }
    CDAudioList& tracks = m_c.cd->list();
    if (m_c.order.loopOnce() || m_c.order.loopForever()) {
        // The same track again, from the track of the list (never CurrentItem of the Play List).
        m_c.device.stop();
        m_c.device.setStartPosition(m_c.device.trackPosition(m_currentTrackIndex + 1));
        m_c.device.play();
        if (m_c.order.loopOnce()) {
            m_c.order.clearLoopOnce();
        }
        refreshCommandStates();
        return;
    }
    if (m_currentTrackIndex + 1 >= tracks.count()) {
        endOfDisc();
        return;
    }
    // The device already plays the next track: only the list and the displays move on.
    ++m_currentTrackIndex;
    selectTrackLine(m_currentTrackIndex);
    m_c.indicators.ShowLength(std::max<qint64>(tracks.length(m_currentTrackIndex), 0));
    m_c.indicators.setDisc(m_c.cd->totalLength(), m_c.device.trackPosition(m_currentTrackIndex + 1));
    SetTitle(tracks.name(m_currentTrackIndex));
    m_c.cd->listClicked();
    refreshCommandStates();
}

bool PlaybackController::prepareCDItem(const QString& ref) {
    bool number = false;
    const qint32 wanted = GetItemValue(ref, QStringLiteral("CDID")).toInt(&number);
    const int track = GetItemValue(ref, QStringLiteral("T")).toInt();
    CDDialogs* dialogs = m_c.cd ? m_c.cd->dialogs() : nullptr;
    while (true) {
        m_c.device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
        const bool hasDisc = m_c.device.mode() != MediaDevice::Open;
        const int tracks = hasDisc ? m_c.device.trackCount() : 0;
        const qint32 inDrive = hasDisc ? ComputeCDID(m_c.device) : 0;
        if (number && hasDisc && inDrive == wanted && track >= 1 && track <= tracks) {
            break;
        }
        if (!dialogs) {
            failToPlay(QStringLiteral("The CD with this track is not in the drive."));
            return false;
        }
        m_c.cd->setCurrentCDName(m_c.cd->storedName(wanted));
        const CDDialogs::InsertAnswer answer = dialogs->askForDisc(m_c.cd->currentCDName(), true);
        if (answer == CDDialogs::InsertAnswer::Cancel) {
            m_c.device.close();
            return false;
        }
        if (answer == CDDialogs::InsertAnswer::Ignore) {
            // The same track number from the disc that is in the drive, when it has one.
            if (m_c.device.mode() != MediaDevice::Open && track >= 1 && track <= m_c.device.trackCount()) {
                break;
            }
        }
        // Retry (or a disc that cannot give the track): the tray is closed on the disc the user put in, and
        // the drive is read afresh and asked again.
        if (answer == CDDialogs::InsertAnswer::Retry && m_c.device.mode() == MediaDevice::Open) {
            m_c.device.closeDoor();
        }
        m_c.device.close();
        m_c.device.open();
    }
    m_playingTrack = track;
    m_c.device.stop();
    m_c.device.setStartPosition(m_c.device.trackPosition(track));
    m_c.device.setEndPosition(track < m_c.device.trackCount() ? m_c.device.trackPosition(track + 1)
                                                             : m_c.device.length());
    if (cdListShown() && m_c.cd->list().isEnabled() && m_c.cd->showingDriveCD() &&
        m_c.cd->list().cdid() == ComputeCDID(m_c.device)) {
        selectTrackLine(track - 1);
    }
    return true;
}

void PlaybackController::restartCDTrack() {
    const int track = m_c.run.playbackSource == PlaybackSource::PlayList ? m_playingTrack : m_currentTrackIndex + 1;
    m_positionInTrack = 0;
    m_c.device.setStartPosition(m_c.device.trackPosition(track));
    if (m_c.run.playbackSource == PlaybackSource::PlayList) {
        m_c.device.setEndPosition(track < m_c.device.trackCount() ? m_c.device.trackPosition(track + 1)
                                                                 : m_c.device.length());
    }
    m_c.device.play();
}

void PlaybackController::playDiscAt(int percent, bool wholeDisc) {
    const bool fromPlayList = m_c.run.playbackSource == PlaybackSource::PlayList;
    const int track = fromPlayList ? m_playingTrack : m_currentTrackIndex + 1;
    m_c.device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
    if (wholeDisc && m_c.run.playbackSource == PlaybackSource::CDList && m_c.cd) {
        m_c.device.setStartPosition(std::max<qint64>(m_c.device.trackPosition(1), 0) +
                                    std::llround(m_c.cd->totalLength() * percent * 0.01));
    } else {
        m_positionInTrack = std::llround(m_c.indicators.itemLength() * percent * 0.01);
        m_c.device.setStartPosition(std::max<qint64>(m_c.device.trackPosition(track), 0) + m_positionInTrack);
    }
    if (fromPlayList) {
        m_c.device.setEndPosition(track < m_c.device.trackCount() ? m_c.device.trackPosition(track + 1)
                                                                 : m_c.device.length());
    }
    m_c.device.play();
}
