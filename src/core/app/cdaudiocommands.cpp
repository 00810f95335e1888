// The commands of CD Audio Mode and the mode's own frame: entering, leaving, the start-up rule.

#include "core/app/appsession.h"

namespace {

QString latin(const char* text) {
    return QString::fromLatin1(text);
}

}  // namespace

void AppSession::declareCDAudioCommands() {
    m_commands.bind(latin("CDAudioModeM"), [this] { enterCDAudioMode(); });
    m_commands.add(latin("PanelCurrentCD"), [this] { enterCDAudioMode(); });
    const auto eject = [this] {
        m_cdAudio.eject();
        m_controller.discRemoved();
        // The tick watches the tray through the player, which holds the disc only once the tray has
        // moved and the drive is read.
        m_cdAudio.whenDiscRead([this] {
            if (m_cdAudio.isShown()) {
                m_controller.adoptPlayingDisc();
            }
        });
    };
    m_commands.bind(latin("EjectM"), eject);
    m_commands.add(latin("EjectSB"), eject);
    m_commands.bind(latin("SaveTracklistM"), [this] { m_cdAudio.saveTrackList(); });
    m_commands.add(latin("SaveTrackListSB"), [this] { m_cdAudio.saveTrackList(); });
    m_commands.bind(latin("RearrangeM"), [this] { m_cdAudio.rearrangeDiscs(); });
    m_commands.add(latin("RearrangeSB"), [this] { m_cdAudio.rearrangeDiscs(); });
    m_commands.addStateRule([this](CommandStates& states) { cdAudioStates(states); });

    connect(&m_cdAudio, &CDAudioMode::reenterRequested, this, [this] {
        if (m_cdAudioModeShown) {
            enterCDAudioMode();
        }
    });
    // The Play List names its CD tracks from the database.
    connect(&m_cdAudio, &CDAudioMode::databaseChanged, &m_playList,
            [this] { m_playList.RedrawPlayList(true); });
    connect(&m_cdAudio, &CDAudioMode::discGone, &m_controller, &PlaybackController::discRemoved);
    connect(&m_cdAudio, &CDAudioMode::changed, &m_controller, [this] {
        m_controller.listChanged();
        m_commands.invalidate();
    });
    connect(&m_cdAudio, &CDAudioMode::listFocused, this, [this] { m_lists.setFocused(m_cdListMedia); });
    connect(&m_controller, &PlaybackController::discTrackStarting, this,
            [this](qint32 cdid, int track) { m_cdListMedia.showTrackStarting(cdid, track); });
    connect(&m_controller, &PlaybackController::trayOpened, &m_cdAudio, [this] { m_cdAudio.ReadCD(); });
    // A read still under way when the window closes answers nobody.
    connect(this, &AppSession::closing, &m_cdAudio, &CDAudioMode::cancelRead);
}

void AppSession::enterCDAudioMode() {
    m_cdAudioModeShown = true;
    updateFileListVisibility();
    m_cdAudio.ReadCD();
    // The window goes on while the drive is read; the disc is adopted and the list entered once it is.
    m_cdAudio.whenDiscRead([this] {
        m_controller.adoptPlayingDisc();
        if (m_cdAudio.isShown() && m_cdAudio.list().isEnabled()) {
            m_cdAudio.listEntered();
        } else {
            m_cdAudio.listClicked();
        }
    });
    Q_EMIT componentsChanged();
}

void AppSession::leaveCDAudioMode() {
    m_cdAudio.cancelRead();  // no late answer fills a list that is not shown
    m_controller.leaveDiscList();
    m_cdAudioModeShown = false;
    updateFileListVisibility();
    if (m_lists.isFocused(m_cdListMedia)) {
        m_lists.setFocused(m_fileListMedia);
    }
}

void AppSession::enterStartMode() {
    // The program plays discs itself, so at its start no disc can be playing already: the rule that
    // would look for one ("StartInCDAudioModeIfCDIsPlaying") has nothing to find, and asking the drive
    // would only spin it up on every start.
    if (m_preferences.cdAudioInitialMode && isOn(m_preferences.components, Component::FileList)) {
        enterCDAudioMode();
    }
}

void AppSession::cdAudioStates(CommandStates& states) const {
    const bool shown = m_cdAudio.isShown();
    const bool rightSide = isOn(m_preferences.components, Component::FileList);
    states[latin("PanelCurrentCD")].enabled = rightSide;
    // The CD Audio submenu of the Edit menu is there only beside a CD Audio List on screen.
    states[latin("CDAudioM")].enabled = rightSide && m_cdAudioModeShown;
    for (const char* name : {"RearrangeM", "RearrangeSB"}) {
        states[latin(name)].enabled = shown;
    }
    // A press while the tray moves would only race it in the drive.
    for (const char* name : {"EjectM", "EjectSB"}) {
        states[latin(name)].enabled = shown && !m_cdAudio.isMovingTray();
    }
    for (const char* name : {"SaveTracklistM", "SaveTrackListSB"}) {
        states[latin(name)].enabled = shown && m_cdAudio.saveEnabled();
    }
}
