#include "core/playback/playbackcontroller.h"

#include "core/app/runstate.h"
#include "core/cdaudio/cdaudiomode.h"
#include "core/common/busyindicator.h"
#include "core/common/prompter.h"
#include "core/common/timerport.h"
#include "core/files/filelist.h"
#include "core/playback/playorder.h"
#include "core/playback/positionfinder.h"
#include "core/playback/timetext.h"
#include "core/playlist/itemref.h"
#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"
#include "core/settings/preferences.h"


#include <cmath>

namespace {

const QString kProduct = QStringLiteral("Velmaro");
const QString kVersion = QStringLiteral("4.02");

bool keepsCurrentItem(PlaybackController::Sender sender) {
    return sender != PlaybackController::Sender::User;
}

// The file name of a line: the text after the last folder separator.
QString titleOfLine(const QString& line) {
    const qsizetype slash = line.lastIndexOf(u'/');
    const bool windowsPath = line.size() >= 3 && line.at(1) == u':' && line.at(2) == u'\\';
    const qsizetype cut = windowsPath ? std::max(slash, line.lastIndexOf(u'\\')) : slash;
    return line.mid(cut + 1);
}

}  // namespace

PlaybackController::PlaybackController(Context context, QObject* parent) : QObject(parent), m_c(context) {
    m_titleText = kProduct + u' ' + kVersion;
    m_applicationTitle = m_titleText;
    // An item that ends between two ticks is followed at once rather than up to half a second later.
    connect(&m_c.device, &MediaDevice::modeChanged, this, [this] {
        if (m_c.timer.isActive() && !m_dragging) {
            onPlaybackTick();
        }
    });
}

bool PlaybackController::loopOnce() const {
    return m_c.order.loopOnce();
}

bool PlaybackController::loopForever() const {
    return m_c.order.loopForever();
}

// ---------------------------------------------------------------------------------------------
// Commands

void PlaybackController::Play() {
    refreshCommandStates();
    if (!m_playEnabled) {
        return;
    }
    m_c.delayTimer.stop();
    const bool playListHasLines = m_c.playList.lineCount() > 0;
    const bool rightListLines = rightListHasLines();
    switch (m_c.run.focusList) {
        case ActiveList::FileList:
        case ActiveList::CDList:
            if (!rightListLines && playListHasLines) {
                playFocusedItem();
                return;
            }
            playFromRightList(Sender::User);
            break;
        case ActiveList::PlayList:
            if (!playListHasLines && rightListLines) {
                playFromRightList(Sender::User);
                return;
            }
            playFocusedItem();
            break;
        default:
            if (playListHasLines) {
                playFocusedItem();
            } else if (rightListLines) {
                playFromRightList(Sender::User);
            }
            break;
    }
    refreshCommandStates();
}

bool PlaybackController::fileListShown() const {
    return m_c.fileList != nullptr && m_c.fileList->isVisible();
}

bool PlaybackController::fileListHasSelection() const {
    return fileListShown() && m_c.fileList->selectedCount() > 0;
}

void PlaybackController::followFileListSelection() {
    if (fileListHasSelection() && !m_pauseEnabled) {
        m_playEnabled = true;
    }
    refreshCommandStates();
}

void PlaybackController::playFocusedItem() {
    PlayFromPlayList(Sender::User, -1);
}

void PlaybackController::stop() {
    refreshCommandStates();
    if (!m_stopEnabled) {
        return;
    }
    SetTitle(QString());
    m_c.delayTimer.stop();
    m_c.order.ResetPlayed();
    m_c.device.stop();
    m_c.timer.stop();
    stopCDTimers();
    if (m_c.run.playbackSource == PlaybackSource::CDList && cdListPlayable()) {
        m_playEnabled = true;
    }
    if (m_c.run.playbackSource == PlaybackSource::FileList && fileListShown() &&
        !m_c.fileList->folderChangedDuringFilePlay()) {
        m_playEnabled = true;
    }
    if (m_c.run.playbackSource == PlaybackSource::PlayList && m_c.playList.lineCount() > 0) {
        m_playEnabled = true;
        followPlayListSelection();
    }
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
    m_pauseEnabled = m_stopEnabled = m_rewindEnabled = false;
    m_pauseDown = false;
    m_c.run.playbackSource = PlaybackSource::None;
    m_c.playList.setPlayListPlaying(false);
    m_c.indicators.reset();
    m_c.indicators.setBarEnabled(false);
}

void PlaybackController::togglePause() {
    refreshCommandStates();
    if (!m_pauseEnabled) {
        return;
    }
    if (m_c.device.deviceType() == MediaDevice::DeviceType::CDAudio) {
        // CD audio pauses by stopping.
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
    m_pauseDown = mode == MediaDevice::Paused ||
                  (m_c.device.deviceType() == MediaDevice::DeviceType::CDAudio && mode == MediaDevice::Stopped);
    refreshCommandStates();
}

void PlaybackController::rewind() {
    refreshCommandStates();
    if (!m_rewindEnabled) {
        return;
    }
    m_c.device.stop();
    if (m_c.device.deviceType() == MediaDevice::DeviceType::CDAudio) {
        restartCDTrack();
    } else {
        m_c.device.seek(0);
        m_c.device.play();
    }
    m_pauseDown = false;
    refreshCommandStates();
}

void PlaybackController::next() {
    refreshCommandStates();
    if (!m_preview.nextEnabled) {
        return;
    }
    PlayList& list = m_c.playList;
    const bool fromPlayList = m_c.run.playbackSource == PlaybackSource::PlayList;
    if (m_c.run.focusList == ActiveList::PlayList && list.CurrentItem() == -1) {
        list.setCurrentItem(static_cast<int>(list.focusedLine()));
    }
    if (m_c.run.playbackSource == PlaybackSource::FileList ||
        (!fromPlayList && m_c.run.focusList == ActiveList::FileList)) {
        stepInFileList(1);
        return;
    }
    if (m_c.run.playbackSource == PlaybackSource::CDList ||
        (!fromPlayList && m_c.run.focusList == ActiveList::CDList)) {
        stepInCDList(1);
        refreshCommandStates();
        return;
    }
    if (!fromPlayList) {
        if (m_c.run.focusList != ActiveList::PlayList) {
            refreshCommandStates();
            return;
        }
        const qsizetype focused = list.focusedLine();
        if (list.selectedCount() == 1 && focused + 1 < list.lineCount()) {
            list.setCurrentItem(static_cast<int>(focused + 1));
        } else if (m_c.preferences.loopPlayList) {
            list.setCurrentItem(0);
        } else {
            return;
        }
        if (list.selectedCount() > 1) {
            list.setCurrentItem(static_cast<int>(focused));
        }
    } else if (m_c.device.deviceType() == MediaDevice::DeviceType::CDAudio &&
               m_c.device.mode() == MediaDevice::Playing) {
        m_c.device.stop();
    }
    m_previousRequested = false;
    m_nextRequested = true;
    onPlaybackTick();
    refreshCommandStates();
}

void PlaybackController::previous() {
    refreshCommandStates();
    if (!m_preview.previousEnabled) {
        return;
    }
    PlayList& list = m_c.playList;
    const bool fromPlayList = m_c.run.playbackSource == PlaybackSource::PlayList;
    if (m_c.run.focusList == ActiveList::PlayList && list.CurrentItem() == -1) {
        list.setCurrentItem(static_cast<int>(list.focusedLine()));
    }
    if (m_c.run.playbackSource == PlaybackSource::FileList ||
        (!fromPlayList && m_c.run.focusList == ActiveList::FileList)) {
        stepInFileList(-1);
        refreshCommandStates();
        return;
    }
    if (m_c.run.playbackSource == PlaybackSource::CDList ||
        (!fromPlayList && m_c.run.focusList == ActiveList::CDList)) {
        stepInCDList(-1);
        refreshCommandStates();
        return;
    }
    if (!fromPlayList && m_c.run.focusList != ActiveList::PlayList) {
        return;
    }
    if (fromPlayList) {
        if (m_c.device.deviceType() == MediaDevice::DeviceType::CDAudio &&
            m_c.device.mode() == MediaDevice::Playing) {
            m_c.device.stop();
        }
    } else {
        const qsizetype focused = list.focusedLine();
        if (list.selectedCount() == 1 && focused > 0) {
            list.setCurrentItem(static_cast<int>(focused - 1));
        } else if (m_c.preferences.loopPlayList) {
            list.setCurrentItem(static_cast<int>(list.lineCount() - 1));
        } else {
            return;
        }
        if (list.selectedCount() > 1) {
            list.setCurrentItem(static_cast<int>(focused));
        }
    }
    m_nextRequested = false;
    m_previousRequested = true;
    refreshCommandStates();
    onPlaybackTick();
}

bool PlaybackController::stepInFileList(int step) {
    if (!fileListShown()) {
        return false;
    }
    FileList& files = *m_c.fileList;
    const bool fromFileList = m_c.run.playbackSource == PlaybackSource::FileList;
    const qsizetype focused = files.focusedLine();
    // After a change of folder the playing line is not in the list: the focused line stands in for it.
    const qsizetype from = fromFileList && files.playingLine() >= 0 ? files.playingLine() : focused;
    const qsizetype line = from + step;
    if (from < 0 || line < 0 || line >= files.count()) {
        return false;
    }
    if (files.selectedCount() <= 1 && focused >= 0) {
        files.setSelected(focused, false);
    }
    files.setFocusedLine(line);
    files.setSelected(line, true);
    Q_EMIT fileListLineChosen(files.name(line));
    PlayFromFileList(step > 0 ? Sender::Next : Sender::Previous, -1);
    return true;
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

void PlaybackController::followPlayListSelection() {
    // While an item plays or is paused, Play stays off: pressing it would start the item again.
    if (m_c.playList.count() > 0 && !m_pauseEnabled) {
        m_playEnabled = true;
    }
    refreshCommandStates();
}

void PlaybackController::setPositionBarDragging(bool dragging) {
    const bool released = m_dragging && !dragging;
    m_dragging = dragging;
    m_c.indicators.setDragging(dragging);
    // An item that ended during the drag is followed now.
    if (released && m_c.timer.isActive()) {
        onPlaybackTick();
    }
}

// ---------------------------------------------------------------------------------------------
// Moving the position

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
    } else if (m_c.device.deviceType() == MediaDevice::DeviceType::Automatic) {
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
    if (!m_c.device.isOpen()) {
        releaseBar();
        return;
    }
    ProgressIndicators& indicators = m_c.indicators;
    m_c.device.stop();
    m_c.device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
    PlayList& list = m_c.playList;
    if (indicators.showsTotals(ProgressIndicators::Percent) && m_c.run.playbackSource == PlaybackSource::PlayList) {
        const qint64 target = std::llround(indicators.IndicatorLength(ProgressIndicators::Percent) * percent * 0.01);
        FoundPosition found;
        {
            // Only the random walk can take long enough to need telling.
            BusyScope busy(m_c.preferences.randomPlay ? m_c.busy : nullptr,
                           QStringLiteral(" Please wait while ") + kProduct +
                               QStringLiteral(" finds the new position in the Play List..."));
            found = FindPositionInPlayList(list, m_c.order, m_c.played, m_c.preferences.randomPlay,
                                           indicators.playingSelection(), target,
                                           [this](qsizetype bound) { return m_c.order.draw(bound); });
        }
        if (found.line < 0) {
            releaseBar();
            return;
        }
        list.setCurrentItem(static_cast<int>(found.line));
        if (list.selectedCount() == 1) {
            list.clearSelection();
        }
        list.setSelected(found.line, true);
        list.setFocusedLine(found.line);
        list.centreLine(found.line);
        m_continuingPlayback = true;
        m_c.timer.stop();
        releaseBar();
        followPlayListSelection();
        PlayFromPlayList(Sender::Timer, found.offset);
        return;
    }
    if (m_c.device.deviceType() == MediaDevice::DeviceType::CDAudio) {
        playDiscAt(percent, indicators.showsTotals(ProgressIndicators::Percent));
        m_pauseDown = false;
        releaseBar();
        if (m_c.run.playbackSource == PlaybackSource::CDList) {
            onCDResync();  // a move across tracks selects the track it landed in
        }
        onPlaybackTick();
        return;
    }
    const qint64 target = std::llround(std::max<qint64>(m_c.device.length(), 0) * percent * 0.01);
    m_c.device.setStartPosition(target);
    m_c.device.play();
    m_pauseDown = false;
    releaseBar();
    if (m_c.run.playbackSource == PlaybackSource::PlayList) {
        followPlayListSelection();
    }
    onPlaybackTick();
}

void PlaybackController::ChangePosition(int percent) {
    applyBarPosition(percent);
    if (m_c.device.isOpen() && !m_c.timer.isActive()) {
        m_c.timer.start(kTickMs);
    }
}

void PlaybackController::PercentJump(int percent) {
    if (!m_c.device.isOpen() || !m_rewindEnabled) {
        return;
    }
    m_c.device.stop();
    if (m_c.device.deviceType() == MediaDevice::DeviceType::CDAudio) {
        playDiscAt(percent, false);
    } else {
        m_c.device.seek(std::llround(std::max<qint64>(m_c.device.length(), 0) * percent * 0.01));
        m_c.device.play();
    }
    m_pauseDown = false;
    refreshCommandStates();
}

void PlaybackController::indicatorModeChanged() {
    if (m_c.timer.isActive() && m_c.device.mode() == MediaDevice::Playing) {
        updateTickIndicators();
    }
    Q_EMIT changed();
}

// ---------------------------------------------------------------------------------------------
// Starting an item

void PlaybackController::prepareFileItem(const QString& ref) {
    m_c.device.close();
    m_c.device.setDeviceType(MediaDevice::DeviceType::Automatic);
    m_c.device.setShareable(false);
    m_c.device.setFileName(GetItemValue(ref, QStringLiteral("FILE")));
}

void PlaybackController::PlayFromPlayList(Sender sender, qint64 start) {
    PlayList& list = m_c.playList;
    m_cdPaused = false;
    m_startGraceOver = false;
    if (list.isEmpty()) {
        return;
    }
    // A new start ends a pause between items: its timer must not advance once more.
    m_c.delayTimer.stop();
    const auto& modes = m_c.preferences.indicatorModes;
    if (std::any_of(modes.begin(), modes.end(), [](int mode) { return mode / 10 % 10 == 1; })) {
        m_c.lengths.PlayListLength(LengthCalculator::Kind::WholePlayList);
    }
    if (list.selectedCount() == 0) {
        qsizetype line = list.focusedLine() < 0 ? 0 : list.focusedLine();
        if (m_c.preferences.randomPlay && list.lineCount() > 1) {
            // Any line but the focused one; drawing among the others needs one draw only.
            const qsizetype drawn = m_c.order.draw(list.lineCount() - 1);
            line = drawn < line ? drawn : drawn + 1;
        } else if (m_c.preferences.randomPlay) {
            line = 0;
        }
        // The line drawn is the one that plays: it takes the focus as well as the selection.
        list.setFocusedLine(line);
        list.setSelected(line, true);
        followPlayListSelection();
    }
    if (!keepsCurrentItem(sender)) {
        list.setCurrentItem(static_cast<int>(std::max<qsizetype>(list.focusedLine(), 0)));
    }
    if (list.CurrentItem() < 0 || list.CurrentItem() >= list.count()) {
        list.setCurrentItem(0);
    }
    const QString ref = list.item(list.CurrentItem());
    if (m_c.device.deviceType() == MediaDevice::DeviceType::CDAudio && m_c.device.mode() == MediaDevice::Playing) {
        m_c.device.stop();
    }
    const bool cdItem = IsCDItem(ref);
    m_playingTrack = 0;
    m_positionInTrack = 0;
    if (cdItem) {
        m_c.device.close();
        m_c.device.setFileName(QString());
        m_c.device.setDeviceType(MediaDevice::DeviceType::CDAudio);
        m_c.device.setShareable(true);
    } else {
        stopCDTimers();
        prepareFileItem(ref);
    }
    m_c.device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
    if (!m_c.device.open()) {
        failToPlay(m_c.device.errorText());
        return;
    }
    if (cdItem && !prepareCDItem(ref)) {
        refreshCommandStates();
        return;
    }
    m_c.lengths.markCurrentChanged();
    m_c.run.playbackSource = PlaybackSource::PlayList;
    list.setPlayListPlaying(true);
    if (!m_continuingPlayback) {
        m_c.order.ResetPlayed();
    }
    m_c.order.MarkPlayed(ref, true);
    SetTitle(titleOfLine(list.line(list.CurrentItem())));

    m_c.device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
    const qint64 length = cdItem ? m_c.device.trackLength(m_playingTrack) : m_c.device.length();
    m_c.indicators.setItemLength(0);
    m_c.indicators.ShowLength(length);
    if (length > 0) {
        list.setLength(list.CurrentItem(), length);
    }
    if (cdItem) {
        // Positions show again once the track's first moments are over; until then nothing stale.
        m_c.indicators.resetPositions();
        if (m_c.cdResyncTimer) {
            m_c.cdResyncTimer->start(kCDResyncMs);
        }
    }
    if (start != -1) {
        // A CD track's offset counts from the start of its track.
        m_c.device.setStartPosition(cdItem ? m_c.device.trackPosition(m_playingTrack) + start : start);
    }
    if (m_c.device.hasVideoWindow()) {
        m_c.device.sizeVideoWindow(m_c.preferences.videoSize * 0.01);
    }
    if (!m_c.device.play()) {
        stopCDTimers();
        failToPlay(m_c.device.errorText());
        return;
    }
    if (cdItem && m_c.cdGraceTimer) {
        m_c.cdGraceTimer->start(kCDGraceMs);
    }
    m_playEnabled = false;
    m_pauseEnabled = m_stopEnabled = m_rewindEnabled = true;
    m_pauseDown = false;
    m_continuingPlayback = false;
    m_c.timer.start(kTickMs);
    m_c.indicators.setBarEnabled(true);
    refreshCommandStates();
}

void PlaybackController::PlayFromFileList(Sender sender, qint64 start) {
    if (cdListShown()) {
        PlayFromCDList(sender, start);
        return;
    }
    m_cdPaused = false;
    if (!fileListHasSelection()) {
        return;
    }
    FileList& files = *m_c.fileList;
    qsizetype line = files.focusedLine();
    if (line < 0 || line >= files.count() || !files.isSelected(line)) {
        line = 0;
        while (!files.isSelected(line)) {
            ++line;
        }
    }
    if (m_c.device.deviceType() == MediaDevice::DeviceType::CDAudio && m_c.device.mode() == MediaDevice::Playing &&
        m_c.run.playbackSource == PlaybackSource::PlayList) {
        m_c.device.stop();
    }
    m_c.delayTimer.stop();
    m_c.timer.stop();
    stopCDTimers();
    m_c.run.playbackSource = PlaybackSource::FileList;
    m_c.playList.setPlayListPlaying(false);
    prepareFileItem(MakeFileItem(files.path(line)));
    m_c.device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
    if (!m_c.device.open()) {
        failToPlay(m_c.device.errorText(), false);
        return;
    }
    const qint64 length = m_c.device.length();
    m_c.indicators.setItemLength(0);
    m_c.indicators.ShowLength(length);
    m_playEnabled = m_c.playList.lineCount() > 0;
    SetTitle(files.name(line));
    files.setPlayingLine(line);
    m_c.timer.start(kTickMs);
    m_c.indicators.resetPositions();
    if (start != -1) {
        m_c.device.setStartPosition(start);
    }
    if (m_c.device.hasVideoWindow()) {
        m_c.device.sizeVideoWindow(m_c.preferences.videoSize * 0.01);
    }
    if (!m_c.device.play()) {
        failToPlay(m_c.device.errorText(), false);
        return;
    }
    m_pauseEnabled = m_stopEnabled = m_rewindEnabled = true;
    m_pauseDown = false;
    m_c.indicators.setBarEnabled(true);
    refreshCommandStates();
}

// An item that cannot be opened, or fails while it plays, ends playback there: the displays reset as
// after Stop, so nothing of the previous item stays behind the message.
void PlaybackController::failToPlay(const QString& reason, bool resetPlayed) {
    m_c.timer.stop();
    m_c.delayTimer.stop();
    m_c.device.close();
    endPlaying();
    if (resetPlayed) {
        m_c.order.ResetPlayed();
    }
    m_continuingPlayback = false;
    // Another item can still be chosen and played.
    m_playEnabled = m_c.playList.count() > 0 || fileListHasSelection();
    refreshCommandStates();
    ShowPlayError(reason);
    refreshCommandStates();
}

void PlaybackController::PlayListReplaced() {
    // What the File List or the CD Audio List plays has nothing to do with the Play List.
    if (m_c.run.playbackSource == PlaybackSource::FileList || m_c.run.playbackSource == PlaybackSource::CDList) {
        return;
    }
    m_c.delayTimer.stop();
    CloseAndReset();
    m_c.indicators.ShowLength(-1);
    if (m_c.run.playbackSource == PlaybackSource::PlayList) {
        m_c.run.playbackSource = PlaybackSource::None;
    }
    m_c.playList.setPlayListPlaying(false);
    refreshCommandStates();
}

// ---------------------------------------------------------------------------------------------
// The tick and what follows the end of an item

void PlaybackController::onPlaybackTick() {
    if (m_terminating) {
        return;
    }
    const bool requested = m_nextRequested || m_previousRequested;
    int mode = 0;
    bool cdAudio = false;
    // A failure while playing is no end of the item (the device may even have closed the file).
    // A disc taken out is no failure to report: the tick's CD rules follow the drive.
    const bool discTakenOut = m_c.device.deviceType() == MediaDevice::DeviceType::CDAudio &&
                              m_c.device.mode() == MediaDevice::Open;
    if (!requested && !discTakenOut && !m_c.device.playbackFailure().isEmpty()) {
        failToPlay(m_c.device.playbackFailure());
        return;
    }
    if (!requested) {
        mode = m_c.device.mode();
        if (mode < 0) {
            m_c.timer.stop();
            return;
        }
        cdAudio = m_c.device.deviceType() == MediaDevice::DeviceType::CDAudio;
        m_trackEnded = false;
        m_c.device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
        if (cdAudio && !cdTick(mode)) {
            return;
        }
        if (!m_dragging && mode == MediaDevice::Playing) {
            updateTickIndicators();
        }
    }
    const bool ended = requested || (mode == MediaDevice::Stopped && (!cdAudio || !m_cdPaused)) ||
                       (cdAudio && m_trackEnded);
    if (!ended) {
        return;
    }
    const bool pauseBetweenItems = m_c.run.playbackSource == PlaybackSource::PlayList &&
                                   m_c.preferences.delayEnabled && !requested && !m_c.order.loopOnce() &&
                                   !m_c.order.loopForever();
    if (pauseBetweenItems) {
        CloseAndReset();
        m_stopEnabled = true;  // Stop ends the pause: no further item starts
        SetTitle(QStringLiteral("Pausing..."));
        m_c.delayTimer.start(static_cast<int>(std::lround(m_c.preferences.delaySeconds * 1000)));
        Q_EMIT changed();
        return;
    }
    AdvancePlayback(Sender::Timer);
}

void PlaybackController::onDelayElapsed() {
    if (m_terminating) {
        return;
    }
    m_c.delayTimer.stop();
    AdvancePlayback(Sender::DelayTimer);
}

void PlaybackController::updateTickIndicators() {
    const qint64 position = m_c.device.position();
    const qint64 length = m_c.device.length();
    ProgressIndicators& indicators = m_c.indicators;
    if (m_c.device.deviceType() == MediaDevice::DeviceType::Automatic) {
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
    const QString tail = QStringLiteral(" - ") + kProduct;
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

void PlaybackController::focusCurrentItem(bool selectWhenSingle) {
    PlayList& list = m_c.playList;
    if (list.selectedCount() <= 1 && list.focusedLine() >= 0 && list.focusedLine() < list.lineCount()) {
        list.setSelected(list.focusedLine(), false);
    }
    list.setFocusedLine(list.CurrentItem());
    if (!selectWhenSingle || list.selectedCount() <= 1) {
        list.setSelected(list.CurrentItem(), true);
    }
    list.centreLine(list.CurrentItem());
}

void PlaybackController::AdvancePlayback(Sender sender) {
    if (m_dragging) {
        return;
    }
    const bool requested = m_nextRequested || m_previousRequested;
    if (m_c.run.playbackSource == PlaybackSource::CDList && !requested) {
        endOfCDTrack();
        return;
    }
    if ((m_c.order.loopOnce() || m_c.order.loopForever()) && !requested && m_playingTrack > 0) {
        m_c.device.stop();
        restartCDTrack();
        if (m_c.order.loopOnce()) {
            m_c.order.clearLoopOnce();
            refreshCommandStates();
        }
        return;
    }
    if ((m_c.order.loopOnce() || m_c.order.loopForever()) && !requested) {
        m_c.device.stop();
        m_c.device.seek(0);
        if (m_c.device.hasVideoWindow()) {
            m_c.device.sizeVideoWindow(m_c.preferences.videoSize * 0.01);
        }
        m_c.device.play();
        if (m_c.order.loopOnce()) {
            m_c.order.clearLoopOnce();
            refreshCommandStates();
        }
        return;
    }
    PlayList& list = m_c.playList;
    const bool fromPlayList = m_c.run.playbackSource == PlaybackSource::PlayList;
    if (fromPlayList && (m_c.preferences.autoPlay || requested)) {
        if (list.lineCount() == 0) {
            m_c.run.playbackSource = PlaybackSource::None;
            list.setPlayListPlaying(false);
            CloseAndReset();
            return;
        }
        PlayOrder::Choice choice;
        if (m_c.preferences.randomPlay) {
            choice = m_previousRequested ? m_c.order.previousAtRandom() : m_c.order.nextAtRandom();
        } else {
            choice = m_previousRequested ? m_c.order.previousInOrder() : m_c.order.nextInOrder();
            if (list.selectedCount() == 1) {
                followPlayListSelection();
            }
        }
        switch (choice) {
            case PlayOrder::Choice::SequentialEnd:
                endOfListSequential();
                return;
            case PlayOrder::Choice::RandomEnd:
                endOfListRandom();
                return;
            case PlayOrder::Choice::Dropped:
                m_previousRequested = false;  // the current item plays on
                refreshCommandStates();
                return;
            case PlayOrder::Choice::Chosen:
                break;
        }
        m_continuingPlayback = true;
    }
    if (m_previousRequested) {
        focusCurrentItem(false);
        followPlayListSelection();
        m_continuingPlayback = true;
        m_previousRequested = false;
        releaseBar();
        m_c.timer.stop();
        PlayFromPlayList(sender, -1);
        return;
    }
    if ((fromPlayList && m_c.preferences.autoPlay) || m_nextRequested) {
        if (list.lineCount() > 0) {
            focusCurrentItem(true);
        }
        if (m_nextRequested) {
            m_nextRequested = false;
            releaseBar();
        }
        followPlayListSelection();
        m_c.timer.stop();
        PlayFromPlayList(sender, -1);
        return;
    }
    idleAfterItem();
}

void PlaybackController::idleAfterItem() {
    SetTitle(QString());
    m_c.timer.stop();
    if (m_c.run.playbackSource == PlaybackSource::PlayList || m_c.run.playbackSource == PlaybackSource::FileList) {
        m_playEnabled = true;
    }
    m_pauseEnabled = m_stopEnabled = m_rewindEnabled = false;
    m_pauseDown = false;
    m_c.indicators.resetPositions();  // the source and the length stay as they are
    m_c.indicators.setBarEnabled(false);
    refreshCommandStates();
}

void PlaybackController::endOfListSequential() {
    SetTitle(QString());
    m_c.device.stop();
    m_c.timer.stop();
    m_playEnabled = true;
    followPlayListSelection();
    m_pauseEnabled = m_stopEnabled = m_rewindEnabled = false;
    m_pauseDown = false;
    m_c.indicators.resetPositions();
    m_c.indicators.setBarEnabled(false);
    m_c.run.playbackSource = PlaybackSource::None;
    m_c.playList.setPlayListPlaying(false);
    m_nextRequested = false;
    refreshCommandStates();
}

void PlaybackController::endOfListRandom() {
    CloseAndReset();
    followPlayListSelection();
    m_nextRequested = false;
    m_c.timer.stop();
    m_c.order.ResetPlayed();
    refreshCommandStates();
}

void PlaybackController::CloseAndReset() {
    m_c.device.close();
    m_c.timer.stop();
    m_playEnabled = m_c.playList.selectedCount() > 0 || fileListHasSelection() || cdListPlayable();
    m_pauseEnabled = m_stopEnabled = m_rewindEnabled = false;
    m_pauseDown = false;
    m_c.indicators.resetPositions();
    m_c.indicators.setBarEnabled(false);
    m_applicationTitle = m_titleText;
    SetTitle(QString());
}

// ---------------------------------------------------------------------------------------------
// Title and error

void PlaybackController::SetTitle(const QString& text) {
    QString shown = text == NotAvailable() ? QString() : text;
    if (!shown.isEmpty() && m_c.run.playbackSource == PlaybackSource::PlayList) {
        shown = QString::number(m_c.order.playNumber()) + QStringLiteral(". ") + shown;
    }
    m_titleText = shown.isEmpty() ? kProduct + u' ' + kVersion
                                  : shown + QStringLiteral(" - ") + kProduct + u' ' + kVersion;
    m_applicationTitle = m_titleText;
    Q_EMIT changed();
}

void PlaybackController::ShowPlayError(const QString& text) {
    m_rewindEnabled = m_pauseEnabled = m_stopEnabled = false;
    m_c.indicators.setBarEnabled(false);
    SetTitle(QString());
    const QString message =
        QStringLiteral("Unable to play specified file. Either there is not enough memory, the file is damaged, "
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
    const PlayList& list = m_c.playList;
    qsizetype index = -1;
    bool reference = false;
    if (m_c.run.playbackSource == PlaybackSource::PlayList) {
        reference = true;
        index = list.CurrentItem() >= 0 && list.CurrentItem() < list.lineCount() ? list.CurrentItem()
                                                                                  : list.focusedLine();
    } else if (m_c.run.playbackSource == PlaybackSource::None && m_c.run.focusList == ActiveList::PlayList) {
        reference = true;
        index = list.focusedLine();
    }
    if (reference) {
        m_preview = PreviewPlayList(list, m_c.order, m_c.played, m_c.preferences, index);
    } else if (fileListShown() && (m_c.run.playbackSource == PlaybackSource::FileList ||
                                   (m_c.run.playbackSource == PlaybackSource::None &&
                                    m_c.run.focusList == ActiveList::FileList))) {
        const FileList& files = *m_c.fileList;
        const bool playing = m_c.run.playbackSource == PlaybackSource::FileList && files.playingLine() >= 0;
        m_preview = PreviewFileList(files, playing ? files.playingLine() : files.focusedLine());
    } else if (cdListShown() && (m_c.run.playbackSource == PlaybackSource::CDList ||
                                 (m_c.run.playbackSource == PlaybackSource::None &&
                                  m_c.run.focusList == ActiveList::CDList))) {
        const CDAudioList& tracks = m_c.cd->list();
        const bool playing = m_c.run.playbackSource == PlaybackSource::CDList && m_currentTrackIndex >= 0;
        m_preview = cdListPlayable() ? PreviewCDList(tracks, playing ? m_currentTrackIndex : tracks.focusedLine())
                                     : TransportPreview();
    }
    if (list.lineCount() == 0 && m_c.run.playbackSource == PlaybackSource::None && !fileListHasSelection() &&
        !cdListPlayable()) {
        m_playEnabled = false;
    }
    Q_EMIT changed();
}

TransportState PlaybackController::transport() const {
    TransportState state;
    state.play = m_playEnabled;
    state.pause = m_pauseEnabled;
    state.stop = m_stopEnabled;
    state.rewind = m_rewindEnabled;
    state.previous = m_preview.previousEnabled;
    state.next = m_preview.nextEnabled;
    state.pauseDown = m_pauseDown;
    state.positionBar = m_c.indicators.barEnabled();
    state.positionBarValue = m_c.indicators.barValue();
    state.playItem = m_preview.playItem;
    state.previousItem = m_preview.previousEnabled ? m_preview.previousItem : QString();
    state.nextItem = m_preview.nextEnabled ? m_preview.nextItem : QString();
    return state;
}
