// Playing audio CDs: a Track item (one track of a particular disc) and a Disc item (the disc in the drive
// from a track on, followed through its tracks by the tick).

#include "core/playback/playbackcontroller.h"

#include "core/common/activelists.h"
#include "core/common/timerport.h"
#include "core/playback/discrequests.h"
#include "core/playlist/playorder.h"
#include "core/settings/preferences.h"

#include <cmath>

int PlaybackController::playingTrack() const {
    return m_item.isCD() ? m_item.track : 0;
}

void PlaybackController::stopCDTimers() {
    if (m_c.cdResyncTimer) {
        m_c.cdResyncTimer->stop();
    }
    if (m_c.cdGraceTimer) {
        m_c.cdGraceTimer->stop();
    }
}

void PlaybackController::startCDTimers() {
    if (m_c.cdResyncTimer) {
        m_c.cdResyncTimer->start(kCDResyncMs);
    }
    if (m_c.cdGraceTimer) {
        m_c.cdGraceTimer->start(kCDGraceMs);
    }
}

void PlaybackController::setTrackSpanEnd(int track) {
    m_c.device.setEndPosition(track < m_c.device.trackCount() ? m_c.device.trackPosition(track + 1)
                                                              : m_c.device.length());
}

bool PlaybackController::prepareTrack(const PlayItem& item) {
    const int track = item.track;
    while (true) {
        m_c.device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
        const bool hasDisc = m_c.device.mode() != MediaDevice::Open;
        const int tracks = hasDisc ? m_c.device.trackCount() : 0;
        const bool wanted = hasDisc && m_c.discs != nullptr && item.cdid &&
                            m_c.discs->discIdentifier(m_c.device) == *item.cdid;
        if (wanted && track >= 1 && track <= tracks) {
            break;
        }
        const DiscRequests::Answer answer =
            m_c.discs ? m_c.discs->askForDisc(item.cdid) : DiscRequests::Answer::CannotAsk;
        if (answer == DiscRequests::Answer::CannotAsk) {
            failToPlay(QStringLiteral("The CD with this track is not in the drive."), true);
            return false;
        }
        if (answer == DiscRequests::Answer::Cancel) {
            m_c.device.close();
            return false;
        }
        if (answer == DiscRequests::Answer::Ignore) {
            // The same track number from the disc that is in the drive, when it has one.
            if (m_c.device.mode() != MediaDevice::Open && track >= 1 && track <= m_c.device.trackCount()) {
                break;
            }
        }
        // Retry (or a disc that cannot give the track): the tray is closed on the disc the user put in, and
        // the drive is read afresh and asked again.
        if (answer == DiscRequests::Answer::Retry && m_c.device.mode() == MediaDevice::Open) {
            m_c.device.closeDoor();
        }
        m_c.device.close();
        m_c.device.open();
    }
    m_c.device.stop();
    m_c.device.setStartPosition(m_c.device.trackPosition(track));
    setTrackSpanEnd(track);
    if (m_c.discs) {
        Q_EMIT discTrackStarting(m_c.discs->discIdentifier(m_c.device), track);
    }
    return true;
}

void PlaybackController::prepareDisc(MediaList& list, PlayItem& item) {
    // A track the disc does not have is never asked for: the disc plays from its start instead.
    if (item.track < 1 || item.track > m_c.device.trackCount()) {
        item = list.itemAt(0);
    }
    m_c.device.setStartPosition(m_c.device.trackPosition(item.track));
    m_c.device.setEndPosition(-1);
}

void PlaybackController::onCDGraceElapsed() {
    if (!m_terminating) {
        m_startGraceOver = true;
    }
}

void PlaybackController::onCDResync() {
    if (m_terminating || !deviceIsCD() || m_c.device.mode() != MediaDevice::Playing) {
        return;
    }
    followDiscPosition();
    MediaList* list = playing();
    if (m_item.kind != PlayItem::Kind::Disc || list == nullptr || !list->canPlay()) {
        return;
    }
    // The device's own track: a seek or a drift between ticks never leaves the list on the wrong line.
    const qint64 position = m_c.device.position();
    const int tracks = static_cast<int>(std::min<qsizetype>(m_c.device.trackCount(), list->lineCount()));
    int track = 1;
    while (track < tracks && m_c.device.trackPosition(track + 1) <= position) {
        ++track;
    }
    if (track != m_item.track) {
        showDiscTrack(*list, track);
        followDiscPosition();
    }
    if (m_phase == Phase::Paused) {
        m_phase = Phase::Playing;
    }
    refreshCommandStates();
}

// Where the disc stands within its track. The device reports its position reliably, so it is asked on
// every tick rather than estimated between corrections.
void PlaybackController::followDiscPosition() {
    const qint64 start = m_c.device.trackPosition(playingTrack());
    const qint64 position = m_c.device.position();
    if (start >= 0 && position >= 0) {
        m_positionInTrack = std::max<qint64>(position - start, 0);
    }
}

void PlaybackController::adoptPlayingDisc() {
    MediaList* discList = m_c.lists.rightHand();
    const bool discPlays = deviceIsCD() && m_c.device.mode() == MediaDevice::Playing;
    const bool otherListPlays = playing() != nullptr && playing() != discList;
    if (discList && discList->followsDisc() && discPlays && !otherListPlays && discList->lineCount() > 0) {
        m_c.lists.setPlaying(discList);
        m_item = PlayItem{PlayItem::Kind::Disc};  // the resync below finds the track that plays
        m_phase = Phase::Playing;
        if (m_c.cdResyncTimer) {
            m_c.cdResyncTimer->start(kCDResyncMs);
        }
        onCDResync();
        m_c.indicators.ShowPosition(0);
        m_c.indicators.setBarEnabled(true);
    } else if (playing() == nullptr) {
        m_phase = Phase::Idle;
        m_positionInTrack = 0;
    }
    m_startGraceOver = true;
    // The tick watches the drive while the disc's list is shown: a tray opened by its own button, a
    // disc started by another program.
    m_c.timer.start(kTickMs);
    refreshCommandStates();
}

void PlaybackController::leaveDiscList() {
    MediaList* list = playing();
    const bool fromDiscList = list != nullptr && list->followsDisc();
    if (list != nullptr && !fromDiscList) {
        return;  // what plays from another list goes on as it was
    }
    cancelOpening();
    if (deviceIsCD() && m_c.device.mode() == MediaDevice::Playing &&
        m_c.preferences.stopCDAudioWhenChangingMode) {
        m_c.device.stop();
        m_c.device.close();
    }
    if (fromDiscList) {
        // A disc that plays on goes on without its list: nothing follows it until the list is shown again.
        list->playingLeft();
        m_c.lists.setPlaying(nullptr);
    }
    m_c.timer.stop();
    stopCDTimers();
    m_phase = Phase::Idle;
    m_c.indicators.reset();
    m_c.indicators.setBarEnabled(false);
    SetTitle(QString());
    if (deviceIsCD() && m_c.device.mode() != MediaDevice::Playing) {
        m_c.device.close();  // the player lets go of the drive it held for the list
    }
    m_c.device.setShareable(false);
    refreshCommandStates();
}

void PlaybackController::discRemoved() {
    if (!deviceIsCD() || playing() == nullptr || !m_item.isCD()) {
        // A file plays on: the drive is none of its business.
        refreshCommandStates();
        return;
    }
    m_c.timer.stop();
    stopCDTimers();
    m_c.device.close();
    SetTitle(QString());
    endPlaying();
    refreshCommandStates();
}

void PlaybackController::stopCDOnExit() {
    if (deviceIsCD() && m_c.device.mode() == MediaDevice::Playing && m_c.preferences.stopCDAudioOnExit) {
        m_c.device.stop();
        m_c.device.close();
    }
}

bool PlaybackController::cdTick(int mode) {
    if (mode == MediaDevice::Open) {
        // The tray was opened, by the eject command or the drive's own button: the list follows, and the
        // tray is never pulled shut again.
        discRemoved();
        Q_EMIT trayOpened();
        return false;
    }
    if (active()) {
        m_phase = mode == MediaDevice::Stopped && m_cdPaused ? Phase::Paused : Phase::Playing;
    }
    const bool fromDisc = playing() != nullptr && m_item.kind == PlayItem::Kind::Disc;
    const bool fromTrack = playing() != nullptr && m_item.kind == PlayItem::Kind::Track;
    if (fromDisc && mode == MediaDevice::Stopped && !m_cdPaused) {
        endOfDisc();  // the device stops only at the end of the disc
        return false;
    }
    if (mode == MediaDevice::Playing || fromTrack) {
        if (m_c.cdGraceTimer && m_c.cdGraceTimer->isActive() && !m_startGraceOver) {
            return false;
        }
        if (!fromDisc && !fromTrack) {
            const MediaList* discList = m_c.lists.rightHand();
            if (discList && discList->followsDisc() && discList->isShown()) {
                adoptPlayingDisc();  // a disc started elsewhere is shown as playing
            }
            return false;
        }
    }
    if (playing() == nullptr) {
        return false;  // the player only holds the drive for the list: nothing plays, nothing ends
    }
    if (!m_dragging && mode == MediaDevice::Playing) {
        followDiscPosition();
        const qint64 length = fromDisc ? m_c.device.trackLength(m_item.track) : m_c.indicators.itemLength();
        if (m_startGraceOver && fromDisc && length > 0 && m_positionInTrack >= length) {
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
    m_positionInTrack = 0;
    refreshCommandStates();
}

// The device already plays the next track: only the list and the displays move on.
void PlaybackController::discMovedOn() {
    m_positionInTrack = 0;
    MediaList* list = playing();
    if (list == nullptr || !list->canPlay()) {
        return;
    }
    const int next = m_item.track + 1;
    if (next > m_c.device.trackCount() || next > list->lineCount()) {
        endOfDisc();
        return;
    }
    showDiscTrack(*list, next);
    refreshCommandStates();
}

// The disc plays this track now: the list, the displays and the title follow it.
void PlaybackController::showDiscTrack(MediaList& list, int track) {
    m_item.track = track;
    m_item.line = track - 1;
    list.playingMovedTo(m_item.line);
    m_c.indicators.ShowLength(std::max<qint64>(m_c.device.trackLength(track), 0));
    m_c.indicators.setDisc(std::max<qint64>(m_c.device.length(), 0), m_c.device.trackPosition(track));
    SetTitle(list.itemAt(m_item.line).title);
}

void PlaybackController::restartCDTrack() {
    const int track = playingTrack();
    m_positionInTrack = 0;
    m_c.device.setStartPosition(m_c.device.trackPosition(track));
    if (m_item.kind == PlayItem::Kind::Track) {
        setTrackSpanEnd(track);
    }
    m_c.device.play();
}

void PlaybackController::playDiscAt(int percent, bool wholeDisc) {
    const int track = playingTrack();
    m_c.device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
    if (wholeDisc && m_item.kind == PlayItem::Kind::Disc) {
        m_c.device.setStartPosition(std::max<qint64>(m_c.device.trackPosition(1), 0) +
                                    std::llround(std::max<qint64>(m_c.device.length(), 0) * percent * 0.01));
    } else {
        m_positionInTrack = std::llround(m_c.indicators.itemLength() * percent * 0.01);
        m_c.device.setStartPosition(std::max<qint64>(m_c.device.trackPosition(track), 0) + m_positionInTrack);
    }
    if (m_item.kind == PlayItem::Kind::Track) {
        setTrackSpanEnd(track);
    }
    m_c.device.play();
}
