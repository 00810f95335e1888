// Where playback stands and moving it: the position bar, the percent jumps, the Change Position box,
// and the indicators and taskbar title each tick refreshes.

#include "core/playback/playbackcontroller.h"

#include "core/common/activelists.h"
#include "core/common/product.h"
#include "core/common/timerport.h"
#include "core/settings/preferences.h"

#include <algorithm>
#include <cmath>

void PlaybackController::setPositionBarDragging(bool dragging) {
    const bool released = m_dragging && !dragging;
    m_dragging = dragging;
    m_c.indicators.setDragging(dragging);
    // While dragged, an item that ends waits: nothing may follow it by itself.
    syncQueued();
    // An item that ended during the drag is followed now.
    if (released && m_c.timer.isActive()) {
        onPlaybackTick();
    }
}

void PlaybackController::releaseBar() {
    m_dragging = false;
    m_c.indicators.setDragging(false);
}

void PlaybackController::previewBarPosition(int percent) {
    m_dragging = true;
    ProgressIndicators& indicators = m_c.indicators;
    indicators.setDragging(true);
    indicators.ShowPercent(percent);
    qint64 total = 0;
    if (indicators.showsTotals(ProgressIndicators::Percent)) {
        total = indicators.IndicatorLength(ProgressIndicators::Percent);
    } else if (!deviceIsCD()) {
        total = std::max<qint64>(m_c.device.length(), 0);
    } else {
        total = indicators.itemLength();
    }
    const qint64 at = std::llround(total * percent * 0.01);
    indicators.ShowPosition(at);
    indicators.ShowRemaining(total - at);
    Q_EMIT changed();
}

void PlaybackController::applyBarPosition(int percent) {
    // An item still opening has no position to move to yet.
    if (!m_c.device.isOpen() || m_phase == Phase::Opening) {
        releaseBar();
        return;
    }
    ProgressIndicators& indicators = m_c.indicators;
    m_c.device.stop();
    m_c.device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
    MediaList* list = playing();
    const bool totals = indicators.showsTotals(ProgressIndicators::Percent);
    if (list && totals && list->totals() == ListTotals::PlayList) {
        // Into whichever item of the list holds that point of its total.
        const qint64 target =
            std::llround(indicators.IndicatorLength(ProgressIndicators::Percent) * percent * 0.01);
        qint64 offset = 0;
        if (!list->jumpToTotal(target, offset)) {
            releaseBar();
            return;
        }
        m_c.timer.stop();
        releaseBar();
        start(*list, false, offset);
        return;
    }
    if (deviceIsCD()) {
        playDiscAt(percent, totals);
        m_phase = Phase::Playing;
        releaseBar();
        if (m_item.kind == PlayItem::Kind::Disc) {
            onCDResync();  // a move across tracks selects the track it landed in
        }
        onPlaybackTick();
        return;
    }
    const qint64 target = std::llround(std::max<qint64>(m_c.device.length(), 0) * percent * 0.01);
    m_c.device.setStartPosition(target);
    m_c.device.play();
    m_phase = Phase::Playing;
    releaseBar();
    refreshCommandStates();
    onPlaybackTick();
}

void PlaybackController::ChangePosition(int percent) {
    applyBarPosition(percent);
    if (m_c.device.isOpen() && !m_c.timer.isActive()) {
        m_c.timer.start(kTickMs);
    }
}

void PlaybackController::PercentJump(int percent) {
    if (!m_c.device.isOpen() || !active()) {
        return;
    }
    m_c.device.stop();
    if (deviceIsCD()) {
        playDiscAt(percent, false);
    } else {
        m_c.device.seek(std::llround(std::max<qint64>(m_c.device.length(), 0) * percent * 0.01));
        m_c.device.play();
    }
    m_phase = Phase::Playing;
    refreshCommandStates();
}

bool PlaybackController::seekInItem(qint64 ms) {
    if (!active() || deviceIsCD() || !m_c.device.isOpen()) {
        return false;
    }
    const qint64 length = std::max<qint64>(m_c.device.length(), 0);
    if (!m_c.device.seek(std::clamp<qint64>(ms, 0, length))) {
        return false;
    }
    updateTickIndicators();
    refreshCommandStates();
    return true;
}

void PlaybackController::indicatorModeChanged() {
    if (m_c.timer.isActive() && m_c.device.mode() == MediaDevice::Playing) {
        updateTickIndicators();
    }
    Q_EMIT changed();
}

void PlaybackController::updateTickIndicators() {
    const qint64 position = m_c.device.position();
    const qint64 length = m_c.device.length();
    ProgressIndicators& indicators = m_c.indicators;
    if (!deviceIsCD()) {
        if (length > 0 && indicators.itemLength() <= 0) {
            indicators.ShowLength(length);  // a stream that learnt its length while playing
        }
        indicators.ShowPosition(position);
        indicators.ShowRemaining(length - position);
    } else if (m_startGraceOver) {
        indicators.ShowPosition(m_positionInTrack);
        indicators.ShowRemaining(std::max<qint64>(indicators.itemLength() - m_positionInTrack, 0));
    }
    refreshPercent();
    // The taskbar title carries the chosen progress value; the window caption keeps the plain title.
    const IndicatorTexts& texts = indicators.texts();
    const QString indicator = m_c.preferences.titleFormat == 1   ? texts.position
                              : m_c.preferences.titleFormat == 2 ? texts.remaining
                                                                 : texts.percent;
    const QString tail = QStringLiteral(" - ") + Product::name();
    const qsizetype at = m_titleText.lastIndexOf(tail);
    m_applicationTitle = m_titleText;
    m_applicationTitle.insert(at < 0 ? 0 : at, at < 0 ? u'(' + indicator + QStringLiteral(") ")
                                                      : QStringLiteral(" (") + indicator + u')');
    Q_EMIT changed();
}

// A total of zero to show a position against: with the whole list as total the displays close and
// reset (an item of unknown length just shows no percent).
void PlaybackController::refreshPercent() {
    if (!m_c.indicators.ShowPercent(-2) && m_c.indicators.showsTotals(ProgressIndicators::Percent)) {
        CloseAndReset();
    }
}
