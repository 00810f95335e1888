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
        if (m_cdAudio.isShown()) {
            m_controller.adoptPlayingDisc();
        }
    };
    m_commands.bind(latin("EjectM"), eject);
    m_commands.add(latin("EjectSB"), eject);
    m_commands.bind(latin("SaveTracklistM"), [this] { m_cdAudio.saveTrackList(); });
    m_commands.add(latin("SaveTrackListSB"), [this] { m_cdAudio.saveTrackList(); });
    m_commands.bind(latin("RearrangeM"), [this] { m_cdAudio.rearrangeDiscs(); });
    m_commands.add(latin("RearrangeSB"), [this] { m_cdAudio.rearrangeDiscs(); });

    connect(&m_cdAudio, &CDAudioMode::reenterRequested, this, [this] {
        if (m_run.cdAudioModeShown) {
            enterCDAudioMode();
        }
    });
    // The Play List names its CD tracks from the database.
    connect(&m_cdAudio, &CDAudioMode::databaseChanged, &m_playList, [this] { m_playList.RedrawPlayList(true); });
    connect(&m_cdAudio, &CDAudioMode::discGone, &m_controller, &PlaybackController::discRemoved);
    connect(&m_cdAudio, &CDAudioMode::changed, &m_controller, [this] {
        if (m_cdAudio.isShown()) {
            m_controller.followCDListSelection();
        }
        m_commands.invalidate();
    });
}

void AppSession::enterCDAudioMode() {
    m_run.cdAudioModeShown = true;
    updateFileListVisibility();
    m_cdAudio.ReadCD();
    m_controller.adoptPlayingDisc();
    if (m_cdAudio.isShown() && m_cdAudio.list().isEnabled()) {
        m_cdAudio.listEntered();
    } else {
        m_cdAudio.listClicked();
    }
    Q_EMIT componentsChanged();
}

void AppSession::leaveCDAudioMode() {
    m_controller.leaveCDMode();
    m_run.cdAudioModeShown = false;
    updateFileListVisibility();
    if (m_run.focusList == ActiveList::CDList) {
        m_run.focusList = ActiveList::FileList;
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

void AppSession::cdAudioStates(QHash<QString, CommandState>& states) const {
    const bool shown = m_cdAudio.isShown();
    states[latin("PanelCurrentCD")].enabled = isOn(m_preferences.components, Component::FileList);
    for (const char* name : {"EjectM", "EjectSB", "RearrangeM", "RearrangeSB"}) {
        states[latin(name)].enabled = shown;
    }
    for (const char* name : {"SaveTracklistM", "SaveTrackListSB"}) {
        states[latin(name)].enabled = shown && m_cdAudio.saveEnabled();
    }
    if (!shown) {
        return;
    }
    const CDAudioList& tracks = m_cdAudio.list();
    states[latin("AddBtn")].enabled = m_cdAudio.addEnabled() && tracks.selectedCount() > 0;
    states[latin("AddAllBtn")].enabled = m_cdAudio.addAllEnabled() && !tracks.isEmpty();
    states[latin("AddM")].enabled = tracks.selectedCount() > 0;
    states[latin("AddAllM")].enabled = !tracks.isEmpty();
    states[latin("AddBtn")].hint = QStringLiteral("Adds the selected items(s) in the\rCD Audio List to the Play List|");
    states[latin("AddAllBtn")].hint = QStringLiteral("Adds all the items in the CD\rAudio List to the Play List|");
    states[latin("PlayFileListSI")].enabled = m_controller.transport().play && m_cdAudio.showingDriveCD() &&
                                              !tracks.isEmpty();
    states[latin("NewDirM")].enabled = states[latin("NewDirBtn")].enabled = false;
    const bool playingFromTracks = m_run.playbackSource == PlaybackSource::CDList &&
                                   m_controller.currentTrackIndex() >= 0;
    states[latin("SelectItemCurrentlyBeingPlayedFLM")].enabled = playingFromTracks;
    if (playingFromTracks) {
        states[latin("SelectPlayingItemM")].enabled = true;
    }
    if (m_run.focusList != ActiveList::CDList) {
        return;
    }
    // Rename and Delete act on the disc shown; with no disc there is nothing to act on.
    const bool onDisc = m_cdAudio.renameDeleteEnabled() && tracks.cdid().has_value() && !tracks.isEmpty();
    for (const char* name : {"RenBtn", "DelBtn", "RenM", "DelM"}) {
        states[latin(name)].enabled = onDisc;
    }
    states[latin("RenBtn")].caption = QStringLiteral("&Rename...");
    states[latin("RenBtn")].hint = QStringLiteral("Renames the current track \rin the CD Audio List to the right|");
    states[latin("DelBtn")].hint = QStringLiteral("Remove the current CD from the database|");
    states[latin("RenM")].caption = QStringLiteral("&Rename Track...");
    states[latin("RenM")].hint = QStringLiteral("Edits the CD Database entry for this CD");
    states[latin("DelM")].caption = QStringLiteral("&Delete CD From Database...");
    states[latin("DelM")].hint = QStringLiteral("Removes the entry for this CD from the CD Database");
    for (const char* name : {"SelectAllM", "UnselectAllM", "InvertSelectionM"}) {
        states[latin(name)].enabled = !tracks.isEmpty();
    }
    states[latin("CopyM")].enabled = tracks.selectedCount() > 0;
}
