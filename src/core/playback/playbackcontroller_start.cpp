// Starting an item: the device opens it while the window goes on, and it plays once the device
// answers; an opening the user moved on from is cancelled, and one that fails is reported.

#include "core/playback/playbackcontroller.h"

#include "core/common/activelists.h"
#include "core/common/timerport.h"
#include "core/playlist/playorder.h"
#include "core/settings/preferences.h"

#include <algorithm>
#include <utility>

void PlaybackController::prepareDevice(const PlayItem& item) {
    m_c.device.close();
    if (item.kind == PlayItem::Kind::File) {
        m_c.device.setDeviceType(MediaDevice::DeviceType::Automatic);
        m_c.device.setShareable(false);
        m_c.device.setFileName(item.path);
    } else {
        m_c.device.setFileName(QString());
        m_c.device.setDeviceType(MediaDevice::DeviceType::CDAudio);
        m_c.device.setShareable(true);
    }
    m_c.device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
}

void PlaybackController::start(MediaList& list, bool user, qint64 start) {
    m_cdPaused = false;
    m_startGraceOver = false;
    PlayItem item = list.itemToStart(user);
    if (item.kind == PlayItem::Kind::None) {
        refreshCommandStates();
        return;
    }
    startItem(list, item, start, true);
}

void PlaybackController::startItem(MediaList& list, const PlayItem& item, qint64 start, bool allowReset) {
    // A new start ends a pause between items, whose timer must not advance once more, and an opening.
    m_c.delayTimer.stop();
    cancelOpening();
    if (m_phase == Phase::Waiting) {
        m_phase = Phase::Idle;
    }
    if (deviceIsCD() && m_c.device.mode() == MediaDevice::Playing) {
        m_c.device.stop();
    }
    if (MediaList* previous = playing(); previous != nullptr && previous != &list) {
        previous->playingLeft();
    }
    m_c.timer.stop();
    stopCDTimers();
    m_positionInTrack = 0;
    const PlayItem toOpen = resetOrItem(list, item, start, allowReset);
    prepareDevice(toOpen);
    // The window goes on while the device opens the item: the title shows it from now on.
    m_opening = Opening{&list, toOpen, start, resetting()};
    m_phase = Phase::Opening;
    m_c.lists.setPlaying(&list);
    SetTitle(toOpen.title);
    m_c.indicators.setBarEnabled(false);
    m_openingSeconds = 0;
    if (m_c.openingTimer) {
        m_c.openingTimer->start(kOpeningWaitMs);
    }
    refreshCommandStates();
    m_c.device.beginOpen();
}

void PlaybackController::onDeviceOpened() {
    if (m_phase != Phase::Opening || m_opening.list == nullptr) {
        return;
    }
    const Opening opening = std::exchange(m_opening, Opening());
    endOpeningWait();
    if (opening.reset) {
        playReset();
        return;
    }
    startOpened(*opening.list, opening.item, opening.start);
}

void PlaybackController::onDeviceOpenFailed(const QString& reason) {
    if (m_phase != Phase::Opening || m_opening.list == nullptr) {
        return;
    }
    const Opening opening = std::exchange(m_opening, Opening());
    endOpeningWait();
    if (opening.reset) {
        skipReset(reason);
        return;
    }
    opening.list->itemFailed(opening.item, reason);
    failToPlay(reason, false);
}

void PlaybackController::onOpeningWait() {
    if (m_terminating || m_phase != Phase::Opening) {
        endOpeningWait();
        return;
    }
    ++m_openingSeconds;
    if (m_openingSeconds >= kOpeningLimitSeconds) {
        m_c.device.close();
        onDeviceOpenFailed(QStringLiteral("The %1 could not be opened within %2 seconds.")
                               .arg(m_opening.item.isCD() ? QStringLiteral("disc") : QStringLiteral("file"))
                               .arg(kOpeningLimitSeconds));
        return;
    }
    if (m_statusText.isEmpty()) {
        m_statusText = QStringLiteral("Opening %1...").arg(m_opening.item.title);
        Q_EMIT changed();
    }
}

void PlaybackController::endOpeningWait() {
    if (m_c.openingTimer) {
        m_c.openingTimer->stop();
    }
    m_openingSeconds = 0;
    if (!m_statusText.isEmpty()) {
        m_statusText.clear();
        Q_EMIT changed();
    }
}

void PlaybackController::cancelOpening() {
    if (m_phase != Phase::Opening) {
        return;
    }
    m_opening = Opening();
    m_phase = Phase::Idle;
    endOpeningWait();
    m_c.device.close();
}

void PlaybackController::startOpened(MediaList& list, PlayItem item, qint64 start) {
    m_phase = Phase::Idle;
    if (item.kind == PlayItem::Kind::Track && !prepareTrack(item)) {
        if (playing() != nullptr) {
            SetTitle(QString());
            endPlaying();  // the user cancelled the question for the disc
        }
        refreshCommandStates();
        return;
    }
    if (item.kind == PlayItem::Kind::Disc) {
        prepareDisc(list, item);
    }
    m_item = item;
    m_c.device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
    announceItem(list, item, item.isCD() ? m_c.device.trackLength(item.track) : m_c.device.length());
    if (item.kind == PlayItem::Kind::Disc) {
        m_c.indicators.setDisc(std::max<qint64>(m_c.device.length(), 0),
                               m_c.device.trackPosition(item.track));
    }
    if (start != -1) {
        // A disc's offset counts from the start of its track.
        m_c.device.setStartPosition(item.isCD() ? m_c.device.trackPosition(item.track) + start : start);
    }
    if (m_c.device.hasVideoWindow()) {
        m_c.device.sizeVideoWindow(m_c.preferences.videoSize * 0.01);
    }
    if (!m_c.device.play()) {
        list.itemFailed(item, m_c.device.errorText());
        failToPlay(m_c.device.errorText(), false);
        return;
    }
    if (item.isCD()) {
        startCDTimers();
    }
    m_phase = Phase::Playing;
    m_c.timer.start(kTickMs);
    m_c.indicators.setBarEnabled(true);
    refreshCommandStates();
}

void PlaybackController::announceItem(MediaList& list, const PlayItem& item, qint64 length) {
    list.itemStarted(item, length);
    SetTitle(item.title);
    m_c.indicators.setItemLength(0);
    m_c.indicators.ShowLength(item.kind == PlayItem::Kind::Disc ? std::max<qint64>(length, 0) : length);
    m_c.indicators.resetPositions();
}

// An item that cannot be opened, or fails while it plays, ends playback there: the displays reset as
// after Stop, so nothing of the previous item stays behind the message.
void PlaybackController::failToPlay(const QString& reason, bool resetPlayed) {
    m_c.timer.stop();
    m_c.delayTimer.stop();
    stopCDTimers();
    m_c.device.close();
    endPlaying();
    if (resetPlayed) {
        m_c.order.ResetPlayed();
    }
    refreshCommandStates();
    ShowPlayError(reason);
    refreshCommandStates();
}

void PlaybackController::listReplaced(MediaList& list) {
    // What another list plays has nothing to do with this one.
    if (playing() != nullptr && playing() != &list) {
        return;
    }
    m_c.delayTimer.stop();
    forgetReset();
    CloseAndReset();
    m_c.indicators.ShowLength(-1);
    if (playing() == &list) {
        list.playingLeft();
        m_c.lists.setPlaying(nullptr);
    }
    refreshCommandStates();
}
