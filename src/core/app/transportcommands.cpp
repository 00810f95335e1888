// The commands of the Audio menu and the position bar's own: the transport and the play options.

#include "core/app/appsession.h"

namespace {

QString latin(const char* text) {
    return QString::fromLatin1(text);
}

}  // namespace

void AppSession::declareAudioCommands() {
    const std::pair<const char*, void (PlaybackController::*)()> transport[] = {
        {"PlayM", &PlaybackController::Play},
        {"PauseM", &PlaybackController::togglePause},
        {"StopM", &PlaybackController::stop},
        {"RewindM", &PlaybackController::rewind},
        {"PrevM", &PlaybackController::previous},
        {"NextM", &PlaybackController::next},
        {"LoopSongOnceM", &PlaybackController::toggleLoopItemOnce},
        {"LoopSongForeverM", &PlaybackController::toggleLoopItemForever},
        {"LoopPlayListM", &PlaybackController::toggleLoopPlayList},
        {"RandomPlayM", &PlaybackController::toggleRandomPlay},
        {"AutoPlayM", &PlaybackController::toggleAutoPlay},
    };
    for (const auto& [name, command] : transport) {
        m_commands.bind(latin(name), [this, command = command] { (m_controller.*command)(); });
    }
    for (const char* name :
         {"PauseM", "LoopSongOnceM", "LoopSongForeverM", "LoopPlayListM", "RandomPlayM", "AutoPlayM"}) {
        m_commands.setCheckable(latin(name));
    }
    // The position bar's context menu.
    m_commands.add(latin("Percent0PM"), [this] { m_controller.rewind(); });
    m_commands.add(latin("Percent25PM"), [this] { m_controller.PercentJump(25); });
    m_commands.add(latin("Percent75PM"), [this] { m_controller.PercentJump(75); });
    m_commands.addStateRule([this](CommandStates& states) { transportStates(states); });
}

void AppSession::transportStates(CommandStates& states) const {
    const TransportState transport = m_controller.transport();
    const struct {
        const char* name;
        bool enabled;
        const char* refusal;
    } commands[] = {
        {"PlayM", transport.play, "There is nothing to play."},
        {"PauseM", transport.pause, "Nothing is playing."},
        {"StopM", transport.stop, "Nothing is playing."},
        {"RewindM", transport.rewind, "Nothing is playing."},
        {"PrevM", transport.previous, "There is no previous item to play."},
        {"NextM", transport.next, "There is no next item to play."},
    };
    for (const auto& command : commands) {
        CommandState& state = states[latin(command.name)];
        state.enabled = state.enabled && command.enabled;
        state.refusal = latin(command.refusal);
    }
    // Play is off too while an item plays or is paused: that is the reason then.
    if (transport.pauseDown) {
        states[latin("PlayM")].refusal =
            QStringLiteral("Velmaro is paused; the command \"pause\" resumes playing.");
    } else if (transport.stop) {
        states[latin("PlayM")].refusal = QStringLiteral("Velmaro is already playing.");
    }
    states[latin("PauseM")].checked = transport.pauseDown;
    states[latin("LoopSongOnceM")].checked = m_controller.loopOnce();
    states[latin("LoopSongForeverM")].checked = m_controller.loopForever();
    states[latin("LoopPlayListM")].checked = m_preferences.loopPlayList;
    states[latin("RandomPlayM")].checked = m_preferences.randomPlay;
    states[latin("AutoPlayM")].checked = m_preferences.autoPlay;
    // The position bar's commands go with it.
    for (const char* name : {"ChangePosM", "Percent0PM", "Percent25PM", "Percent75PM"}) {
        states[latin(name)].enabled = transport.positionBar;
    }
}
