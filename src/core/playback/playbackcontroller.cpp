#include "core/playback/playbackcontroller.h"

#include "core/common/activelists.h"
#include "core/common/product.h"
#include "core/common/prompter.h"
#include "core/common/timerport.h"
#include "core/common/timetext.h"
#include "core/playlist/playorder.h"
#include "core/settings/preferences.h"

#include <cmath>

PlaybackController::PlaybackController(Context context, QObject* parent) : QObject(parent), m_c(context) {
    m_titleText = Product::name() + u' ' + Product::version();
    m_applicationTitle = m_titleText;
    // An item that ends between two ticks is followed at once rather than up to half a second later.
    connect(&m_c.device, &MediaDevice::modeChanged, this, [this] {
        if (m_c.timer.isActive() && !m_dragging) {
            onPlaybackTick();
        }
    });
    // The list that plays or has the focus is the one Play, Next and Previous preview.
    connect(&m_c.lists, &ActiveLists::changed, this, &PlaybackController::refreshCommandStates);
    connect(&m_c.device, &MediaDevice::opened, this, &PlaybackController::onDeviceOpened);
    connect(&m_c.device, &MediaDevice::openFailed, this, &PlaybackController::onDeviceOpenFailed);
    connect(&m_c.device, &MediaDevice::queuedStarted, this, &PlaybackController::onQueuedStarted);
}

bool PlaybackController::loopOnce() const {
    return m_c.order.loopOnce();
}

bool PlaybackController::loopForever() const {
    return m_c.order.loopForever();
}

MediaList* PlaybackController::playing() const {
    return m_c.lists.playing();
}

PlayItem PlaybackController::currentItem() const {
    if (m_phase == Phase::Opening) {
        return m_opening.item;
    }
    return active() ? m_item : PlayItem();
}

// ---------------------------------------------------------------------------------------------
// Commands

void PlaybackController::Play() {
    refreshCommandStates();
    if (!transport().play) {
        return;
    }
    m_c.delayTimer.stop();
    if (m_phase == Phase::Waiting) {
        m_phase = Phase::Idle;
    }
    if (MediaList* list = m_c.lists.listToPlay()) {
        start(*list, true, -1);
    }
    refreshCommandStates();
}

void PlaybackController::playFrom(MediaList& list) {
    start(list, true, -1);
}

void PlaybackController::stop() {
    refreshCommandStates();
    if (!transport().stop) {
        return;
    }
    SetTitle(QString());
    m_c.delayTimer.stop();
    m_c.order.ResetPlayed();
    cancelOpening();
    m_c.device.stop();
    m_c.timer.stop();
    stopCDTimers();
    endPlaying();
    refreshCommandStates();
}

void PlaybackController::stopAndClose() {
    stop();
    m_c.delayTimer.stop();
    CloseAndReset();
    endPlaying();
    refreshCommandStates();
}

// Nothing plays any more: the source is cleared and the displays reset.
void PlaybackController::endPlaying() {
    cancelOpening();
    if (MediaList* list = playing()) {
        list->playingLeft();
    }
    m_c.lists.setPlaying(nullptr);
    m_phase = Phase::Idle;
    forgetReset();
    m_c.indicators.reset();
    m_c.indicators.setBarEnabled(false);
}

void PlaybackController::togglePause() {
    refreshCommandStates();
    if (!transport().pause) {
        return;
    }
    if (deviceIsCD()) {
        // A disc pauses by stopping.
        if (m_c.device.mode() == MediaDevice::Stopped) {
            m_c.device.resume();  // on to the end of the same span
            m_cdPaused = false;
        } else {
            m_c.device.stop();
            m_cdPaused = true;
        }
    } else {
        m_c.device.pause();
    }
    const int mode = m_c.device.mode();
    const bool paused = mode == MediaDevice::Paused || (deviceIsCD() && mode == MediaDevice::Stopped);
    m_phase = paused ? Phase::Paused : Phase::Playing;
    refreshCommandStates();
}

void PlaybackController::rewind() {
    refreshCommandStates();
    if (!transport().rewind) {
        return;
    }
    m_c.device.stop();
    if (deviceIsCD()) {
        restartCDTrack();
    } else {
        m_c.device.seek(0);
        m_c.device.play();
    }
    m_phase = Phase::Playing;
    refreshCommandStates();
}

// Next and Previous: the list that plays (or has the focus) says what comes, the transport follows.
void PlaybackController::step(int direction) {
    refreshCommandStates();
    const TransportState state = transport();
    MediaList* list = m_c.lists.referenceList();
    if (!(direction > 0 ? state.next : state.previous) || list == nullptr) {
        return;
    }
    if (list == playing() && deviceIsCD() && m_c.device.mode() == MediaDevice::Playing) {
        m_c.device.stop();
    }
    follow(*list, list->step(direction));
    refreshCommandStates();
}

void PlaybackController::toggleAutoPlay() {
    m_c.preferences.autoPlay = !m_c.preferences.autoPlay;
    refreshCommandStates();
}

void PlaybackController::toggleRandomPlay() {
    m_c.preferences.randomPlay = !m_c.preferences.randomPlay;
    refreshCommandStates();
}

void PlaybackController::toggleLoopPlayList() {
    m_c.preferences.loopPlayList = !m_c.preferences.loopPlayList;
    refreshCommandStates();
}

void PlaybackController::toggleLoopItemOnce() {
    m_c.order.toggleLoopOnce();
    refreshCommandStates();
}

void PlaybackController::toggleLoopItemForever() {
    m_c.order.toggleLoopForever();
    refreshCommandStates();
}

void PlaybackController::listChanged() {
    refreshCommandStates();
}

void PlaybackController::linesShownAnew() {
    MediaList* list = playing();
    if (!active() || list == nullptr || m_item.kind != PlayItem::Kind::File) {
        return;
    }
    const PlayItem now = list->itemAt(m_item.line);
    if (now.kind != m_item.kind || now.path != m_item.path || now.title == m_item.title) {
        return;
    }
    m_item.title = now.title;
    SetTitle(now.title);
}

// ---------------------------------------------------------------------------------------------
// The tick and what follows the end of an item

void PlaybackController::onPlaybackTick() {
    // While an item opens there is nothing to follow: the device answers when it is ready.
    if (m_terminating || m_phase == Phase::Opening) {
        return;
    }
    // A failure while playing is no end of the item (the device may even have closed the file).
    // A disc taken out is no failure to report: the tick's CD rules follow the drive.
    const bool discTakenOut = deviceIsCD() && m_c.device.mode() == MediaDevice::Open;
    if (!discTakenOut && !m_c.device.playbackFailure().isEmpty()) {
        if (m_phase == Phase::Resetting) {
            skipReset(m_c.device.playbackFailure());
            return;
        }
        if (MediaList* list = playing()) {
            list->itemFailed(m_item, m_c.device.playbackFailure());
        }
        failToPlay(m_c.device.playbackFailure(), true);
        return;
    }
    const int mode = m_c.device.mode();
    if (mode < 0) {
        m_c.timer.stop();
        return;
    }
    const bool cdAudio = deviceIsCD();
    m_trackEnded = false;
    m_c.device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
    if (cdAudio && !cdTick(mode)) {
        return;
    }
    // The reset file has no length worth showing: the indicators stay at "N / A".
    if (!m_dragging && mode == MediaDevice::Playing && m_phase != Phase::Resetting) {
        updateTickIndicators();
    }
    const bool ended =
        (mode == MediaDevice::Stopped && (!cdAudio || !m_cdPaused)) || (cdAudio && m_trackEnded);
    if (ended) {
        itemEnded();
    } else {
        syncQueued();  // whatever changed unannounced since, the queued file follows it
    }
}

// The pause between items, or what follows at once.
void PlaybackController::itemEnded() {
    // Nothing took over: a file still queued is not to follow this end as well.
    dropQueued();
    const MediaList* list = playing();
    // The item loop marks are for the item: a reset file never loops.
    const bool loops = !resetting() && (m_c.order.loopOnce() || m_c.order.loopForever());
    if (list && list->pausesBetweenItems() && !loops) {
        startWaitingBetweenItems();
        return;
    }
    advance();
}

void PlaybackController::startWaitingBetweenItems() {
    // After a reset file the pause runs before its item, which still waits.
    const MidiReset reset = m_reset;
    CloseAndReset();
    m_reset = reset;
    m_phase = Phase::Waiting;  // Stop ends the pause: no further item starts
    SetTitle(QStringLiteral("Pausing..."));
    m_c.delayTimer.start(static_cast<int>(std::lround(m_c.preferences.delaySeconds * 1000)));
    refreshCommandStates();
}

void PlaybackController::onDelayElapsed() {
    if (m_terminating) {
        return;
    }
    m_c.delayTimer.stop();
    if (m_phase == Phase::Waiting) {
        m_phase = Phase::Idle;
    }
    advance();
}

// The end of an item: it plays again while an item loop is on; else the list says what follows.
void PlaybackController::advance() {
    if (m_dragging) {
        return;
    }
    if (resetting()) {
        finishReset();
        return;
    }
    if (loopItem()) {
        return;
    }
    MediaList* list = playing();
    if (list == nullptr) {
        idleAfterItem();
        return;
    }
    follow(*list, list->afterItem());
}

bool PlaybackController::loopItem() {
    if (!m_c.order.loopOnce() && !m_c.order.loopForever()) {
        return false;
    }
    m_c.device.stop();
    if (m_item.isCD()) {
        restartCDTrack();
    } else {
        m_c.device.seek(0);
        if (m_c.device.hasVideoWindow()) {
            m_c.device.sizeVideoWindow(m_c.preferences.videoSize * 0.01);
        }
        m_c.device.play();
    }
    if (m_c.order.loopOnce()) {
        m_c.order.clearLoopOnce();
        refreshCommandStates();
    }
    return true;
}

void PlaybackController::follow(MediaList& list, ListStep step) {
    // Next or Previous during a reset ends it as it would end the item.
    if (step != ListStep::Stay) {
        cancelOpening();
        forgetReset();
    }
    switch (step) {
        case ListStep::Start:
            releaseBar();
            m_c.timer.stop();
            start(list, false, -1);
            return;
        case ListStep::Stay:
            refreshCommandStates();
            return;
        case ListStep::Idle:
            idleAfterItem();
            return;
        case ListStep::End:
            endOfList();
            return;
        case ListStep::EndAndForget:
            endOfRandomPass();
            return;
        case ListStep::OnDevice:
            discMovedOn();
            return;
    }
}

// Nothing follows the item: the transport rests, the list stays the source and keeps its length shown.
void PlaybackController::idleAfterItem() {
    SetTitle(QString());
    m_c.timer.stop();
    m_phase = Phase::Idle;
    m_c.indicators.resetPositions();
    m_c.indicators.setBarEnabled(false);
    refreshCommandStates();
}

void PlaybackController::endOfList() {
    SetTitle(QString());
    m_c.device.stop();
    m_c.timer.stop();
    m_c.indicators.resetPositions();
    m_c.indicators.setBarEnabled(false);
    if (MediaList* list = playing()) {
        list->playingLeft();
    }
    m_c.lists.setPlaying(nullptr);
    m_phase = Phase::Idle;
    refreshCommandStates();
}

void PlaybackController::endOfRandomPass() {
    CloseAndReset();
    m_c.timer.stop();
    m_c.order.ResetPlayed();
    refreshCommandStates();
}

void PlaybackController::CloseAndReset() {
    cancelOpening();
    forgetReset();
    m_c.device.close();
    m_c.timer.stop();
    m_phase = Phase::Idle;
    m_c.indicators.resetPositions();
    m_c.indicators.setBarEnabled(false);
    m_applicationTitle = m_titleText;
    SetTitle(QString());
}

// ---------------------------------------------------------------------------------------------
// Title and error

void PlaybackController::SetTitle(const QString& text) {
    QString shown = text == NotAvailable() ? QString() : text;
    if (!shown.isEmpty() && playing() != nullptr) {
        shown = playing()->titlePrefix() + shown;
    }
    m_titleText = shown.isEmpty()
                      ? Product::name() + u' ' + Product::version()
                      : shown + QStringLiteral(" - ") + Product::name() + u' ' + Product::version();
    m_applicationTitle = m_titleText;
    m_playingHint = shown.isEmpty() ? QString() : QStringLiteral("Playing \"") + shown + u'"';
    Q_EMIT changed();
}

void PlaybackController::ShowPlayError(const QString& text) {
    m_phase = Phase::Idle;
    m_c.indicators.setBarEnabled(false);
    SetTitle(QString());
    const QString message =
        QStringLiteral(
            "Unable to play specified file. Either there is not enough memory, the file is damaged, "
            "missing or a GStreamer plug-in for the specified file type is missing. \r\n\r\n"
            "The error message returned was: \"") +
        text + QStringLiteral("\".\r\n\r\nWould you like to view additional information?");
    if (m_c.prompter.showMessage(Prompter::Kind::Error, message, Prompter::Buttons::YesNo) ==
        Prompter::Answer::Yes) {
        Q_EMIT helpRequested(QStringLiteral("File_Types"));
    }
}

// ---------------------------------------------------------------------------------------------
// Command states

void PlaybackController::refreshCommandStates() {
    // Every change of state passes here: the queued file follows it.
    syncQueued();
    // Without a list to preview, the previews stay as they were.
    if (const MediaList* reference = m_c.lists.referenceList()) {
        m_preview = reference->preview(reference == playing());
    }
    Q_EMIT changed();
}

TransportState PlaybackController::transport() const {
    TransportState state;
    const MediaList* toPlay = m_c.lists.listToPlay();
    state.play = !active() && m_phase != Phase::Opening && m_phase != Phase::Resetting && toPlay != nullptr &&
                 toPlay->canPlay();
    state.pause = active();
    state.stop =
        active() || m_phase == Phase::Waiting || m_phase == Phase::Opening || m_phase == Phase::Resetting;
    state.rewind = active();
    state.pauseDown = m_phase == Phase::Paused;
    state.previous = m_preview.previousEnabled;
    state.next = m_preview.nextEnabled;
    state.positionBar = m_c.indicators.barEnabled();
    state.positionBarValue = m_c.indicators.barValue();
    state.playItem = m_preview.playItem;
    state.previousItem = m_preview.previousEnabled ? m_preview.previousItem : QString();
    state.nextItem = m_preview.nextEnabled ? m_preview.nextItem : QString();
    return state;
}
