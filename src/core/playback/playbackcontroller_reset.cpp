// The MIDI reset: before a MIDI item the reset file of the Preferences plays through the same device
// and tick as an item, and then the item it was for starts from its beginning.

#include "core/playback/playbackcontroller.h"

#include "core/common/prompter.h"
#include "core/common/timerport.h"
#include "core/settings/preferences.h"

#include <QDir>

PlayItem PlaybackController::resetOrItem(MediaList& list, const PlayItem& item, qint64& start,
                                         bool allowReset) {
    forgetReset();
    const QString file = allowReset ? MidiReset::fileBefore(item, m_c.preferences.midiResetFile) : QString();
    if (file.isEmpty()) {
        return item;
    }
    m_reset.begin(list, item);
    start = -1;  // the item then starts from its beginning
    PlayItem reset;
    reset.kind = PlayItem::Kind::File;
    reset.line = item.line;
    reset.path = file;
    reset.title = MidiReset::title();
    return reset;
}

void PlaybackController::playReset() {
    if (!m_c.device.play()) {
        skipReset(m_c.device.errorText());
        return;
    }
    m_phase = Phase::Resetting;
    m_c.indicators.setMidiResetting(true);
    m_c.indicators.resetPositions();
    m_c.indicators.setBarEnabled(false);
    m_c.timer.start(kTickMs);
    refreshCommandStates();
}

void PlaybackController::finishReset() {
    MediaList* list = m_reset.list();
    const PlayItem item = m_reset.itemNow();
    forgetReset();
    if (list == nullptr) {
        idleAfterItem();
        return;
    }
    if (item.kind == PlayItem::Kind::None) {
        // The item went while its reset played: what would have followed it follows.
        follow(*list, list->afterItem());
        return;
    }
    releaseBar();
    m_c.timer.stop();
    startItem(*list, item, -1, false);
}

void PlaybackController::skipReset(const QString& reason) {
    MediaList* list = m_reset.list();
    const PlayItem item = m_reset.itemNow();
    const QString file = m_c.preferences.midiResetFile;
    forgetReset();
    m_c.timer.stop();
    m_c.device.close();
    if (m_reset.firstFailureOf(file)) {
        m_c.prompter.showMessage(
            Prompter::Kind::Warning,
            QStringLiteral("Velmaro could not play the MIDI reset file \"%1\":\r\n%2\r\n\r\nMIDI items play "
                           "without the reset; this message is not shown again for this file.")
                .arg(QDir::toNativeSeparators(file), reason));
    }
    if (list == nullptr || item.kind == PlayItem::Kind::None) {
        endPlaying();
        refreshCommandStates();
        return;
    }
    startItem(*list, item, -1, false);
}

void PlaybackController::forgetReset() {
    m_reset.clear();
    m_c.indicators.setMidiResetting(false);
}
