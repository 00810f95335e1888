// The command table of a session: what each command runs and when it is enabled, checked or shown.

#include "core/app/appsession.h"

#include "core/common/clipboard.h"
#include "core/playback/indicatorcommands.h"
#include "core/settings/favoritescommands.h"
#include "core/settings/shortcuts.h"
#include "core/shell/editcommandstates.h"
#include "core/shell/menutable.h"
#include "core/shell/toolbartable.h"

namespace {

Component componentAt(size_t index) {
    return static_cast<Component>(index);
}

QString latin(const char* text) {
    return QString::fromLatin1(text);
}

}  // namespace

void AppSession::declareCommands() {
    // Every item of the main menu is a command; the ones not built yet stay disabled.
    m_commands.addMenuItems();
    declareFileAndEditCommands();
    declareViewCommands();
    declareAudioCommands();
    declareTwins();
    declareFileManagementCommands();
    declareCDAudioCommands();
    declarePreferencesCommands();
    FavoritesCommands::declare(m_commands, m_favoritesAndHistory);
    IndicatorCommands::declare(m_commands, m_indicators, m_controller);
    m_commands.addContextItems();
    m_commands.addStateRule([this](QHash<QString, CommandState>& states) { commandStates(states); });
}

void AppSession::declareFileAndEditCommands() {
    m_commands.bind(latin("NewM"), [this] { m_document.NewPlayList(); });
    m_commands.bind(latin("OpenM"), [this] { m_document.OpenPlayList(QString(), true, false); });
    m_commands.bind(latin("SaveM"), [this] { m_document.SavePlayList(false); });
    m_commands.bind(latin("SaveAsM"), [this] { m_document.SavePlayList(true); });
    m_commands.bind(latin("ExitM"), [this] { Q_EMIT exitRequested(); });
    for (int n = 1; n <= Preferences::kHistorySize; ++n) {
        m_commands.bind(QStringLiteral("History%1M").arg(n), [this, n] { m_favoritesAndHistory.OpenHistoryEntry(n); });
    }
    const std::pair<const char*, void (PlayListEditor::*)()> editing[] = {
        {"UndoM", &PlayListEditor::Undo},
        {"RedoM", &PlayListEditor::Redo},
        {"CutM", &PlayListEditor::Cut},
        {"CopyM", &PlayListEditor::Copy},
        {"PasteM", &PlayListEditor::Paste},
        {"RemoveM", &PlayListEditor::RemoveSelectedItems},
        {"RemoveAllM", &PlayListEditor::RemoveAll},
        {"SelectAllM", &PlayListEditor::SelectAll},
        {"UnselectAllM", &PlayListEditor::UnselectAll},
        {"InvertSelectionM", &PlayListEditor::InvertSelection},
        {"SelectPlayingItemM", &PlayListEditor::SelectPlayingItem},
        {"ResetPlayedStatusAllM", &PlayListEditor::ResetPlayedStatusAll},
        {"ResetPlayedStatusSelectedM", &PlayListEditor::TogglePlayedStatusSelected},
        {"MoveUpM", &PlayListEditor::MoveUp},
        {"MoveDownM", &PlayListEditor::MoveDown},
        {"SortAlphabeticallyM", &PlayListEditor::SortAlphabetically},
        {"SortRandomlyM", &PlayListEditor::SortRandomly},
        {"RemoveDuplicateItemsM", &PlayListEditor::RemoveDuplicateItems},
        {"RemoveNonExistantItemsM", &PlayListEditor::RemoveNonExistentItems},
    };
    for (const auto& [name, command] : editing) {
        m_commands.bind(latin(name), [this, command = command] { (m_editor.*command)(); });
    }
    m_commands.bind(latin("AddM"), [this] { m_editor.AddSelectedItems(false); });
    m_commands.bind(latin("AddAllM"), [this] { m_editor.AddSelectedItems(true); });

    // The buttons beside the Play List, which its context menu names too.
    m_commands.add(latin("AddBtn"), [this] { m_editor.AddSelectedItems(false); });
    m_commands.add(latin("AddAllBtn"), [this] { m_editor.AddSelectedItems(true); });
    m_commands.add(latin("RemBtn"), [this] { m_editor.RemoveSelectedItems(); });
    m_commands.add(latin("RemAllBtn"), [this] { m_editor.RemoveAll(); });
    m_commands.add(latin("SpinButtonUp"), [this] { m_editor.MoveUp(); });
    m_commands.add(latin("SpinButtonDown"), [this] { m_editor.MoveDown(); });
    m_commands.add(latin("BrowseSB"), [this] { m_editor.browseForItem(); });
}

void AppSession::declareViewCommands() {
    for (size_t n = 0; n < m_preferences.components.size(); ++n) {
        m_commands.bind(ComponentMenuItem(componentAt(n)), [this, n] { toggleComponent(componentAt(n)); });
        m_commands.setCheckable(ComponentMenuItem(componentAt(n)));
    }
    m_commands.bind(latin("PathsM"), [this] { togglePaths(); });
    m_commands.bind(latin("ExtensionsM"), [this] { toggleExtensions(); });
    m_commands.setCheckable(latin("PathsM"));
    m_commands.setCheckable(latin("ExtensionsM"));
    if (m_external) {
        m_commands.bind(latin("MixerM"), [this] { m_external->startMixer(m_preferences.mixerPath); });
        m_commands.bind(latin("VLPropM"), [this] { m_external->openSoundSettings(); });
        m_commands.bind(latin("HomePageM"), [this] { m_external->openHomePage(); });
        m_commands.bind(latin("MailusM"), [this] { m_external->mailAuthor(); });
    }
    // Remote commands of the taskbar menu that this version does not carry out.
    for (const RemoteCommand& command : RemoteCommands()) {
        if (command.original.isEmpty()) {
            m_commands.add(command.name);
        }
    }
}

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
    for (const char* name : {"PauseM", "LoopSongOnceM", "LoopSongForeverM", "LoopPlayListM", "RandomPlayM", "AutoPlayM"}) {
        m_commands.setCheckable(latin(name));
    }
    // The position bar's context menu.
    m_commands.add(latin("Percent0PM"), [this] { m_controller.rewind(); });
    m_commands.add(latin("Percent25PM"), [this] { m_controller.PercentJump(25); });
    m_commands.add(latin("Percent75PM"), [this] { m_controller.PercentJump(75); });
}

void AppSession::declareTwins() {
    for (const auto* buttons : {&ToolbarTransportButtons(), &ToolbarViewToggles()}) {
        for (const ToolbarButton& button : *buttons) {
            m_commands.addTwin(button.name, button.original, button.caption);
        }
    }
    for (const RemoteCommand& command : RemoteCommands()) {
        if (!command.original.isEmpty()) {
            m_commands.addTwin(command.name, command.original);
        }
    }
}

void AppSession::connectCommandStates() {
    const auto invalidate = [this] { m_commands.invalidate(); };
    connect(&m_controller, &PlaybackController::changed, &m_commands, invalidate);
    connect(&m_editor, &PlayListEditor::clicked, &m_commands, invalidate);
    connect(&m_document, &PlayListDocument::fileNameChanged, &m_commands, invalidate);
    connect(&m_favoritesAndHistory, &FavoritesAndHistory::historyChanged, &m_commands, invalidate);
    connect(this, &AppSession::componentsChanged, &m_commands, invalidate);
    connect(this, &AppSession::settingsLoaded, &m_commands, invalidate);
}

void AppSession::commandStates(QHash<QString, CommandState>& states) const {
    transportStates(states);
    editStates(states);
    viewStates(states);
    // Toolbar buttons show their menu twin's caption and shortcut; Play, Previous and Next also name their item.
    const Shortcuts& shortcuts = m_preferences.shortcuts;
    for (const QString& name : m_commands.names()) {
        if (name.endsWith(QStringLiteral("SI"))) {
            states[name].hint = ToolbarHint(name, shortcuts);
        }
    }
    const TransportState transport = m_controller.transport();
    const auto itemHint = [&](const char* menuName, const QString& item) {
        const QString name = latin(menuName);
        return TransportHint(FindMenuEntry(name)->caption, ShortcutText(shortcuts.valueOf(name)), item);
    };
    states[latin("PlaySI")].hint = itemHint("PlayM", transport.playItem);
    states[latin("PrevSI")].hint = itemHint("PrevM", transport.previousItem);
    states[latin("NextSI")].hint = itemHint("NextM", transport.nextItem);
}

void AppSession::transportStates(QHash<QString, CommandState>& states) const {
    for (const char* name : {"select-playlist", "select-list"}) {
        states[latin(name)].refusal = CommandDispatcher::unknownCommandMessage(latin(name));
    }
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

void AppSession::editStates(QHash<QString, CommandState>& states) const {
    const bool rightSide = isOn(m_preferences.components, Component::FileList);
    const PlayListControls controls = m_editor.controls();
    const EditCommandStates edit =
        ComputeEditCommandStates(m_playList, m_run, m_editor.undoHistory(), controls,
                                 !m_ports.clipboard.text().isEmpty(), false, rightSide);
    const std::pair<const char*, bool> enabled[] = {
        {"UndoM", edit.undo},
        {"RedoM", edit.redo},
        {"CutM", edit.cut},
        {"CopyM", edit.copy},
        {"PasteM", edit.paste},
        {"AddM", edit.add},
        {"AddAllM", edit.addAll},
        {"RemoveM", edit.remove},
        {"RemoveAllM", edit.removeAll},
        {"SelectAllM", edit.selectAll},
        {"UnselectAllM", edit.selectAll},
        {"InvertSelectionM", edit.selectAll},
        {"SelectPlayingItemM", edit.selectPlayingItem},
        {"ResetPlayedStatusAllM", edit.playedStatus},
        {"ResetPlayedStatusSelectedM", edit.playedStatus},
        {"MoveUpM", edit.moveUpDown},
        {"MoveDownM", edit.moveUpDown},
        {"SortAlphabeticallyM", edit.sortAndClean},
        {"SortRandomlyM", edit.sortAndClean},
        {"RemoveDuplicateItemsM", edit.sortAndClean},
        {"RemoveNonExistantItemsM", edit.sortAndClean},
        {"CDAudioM", edit.cdAudio},
        {"RemBtn", controls.remove},
        {"RemAllBtn", controls.removeAll},
        {"SpinButtonUp", controls.move},
        {"SpinButtonDown", controls.move},
        {"BrowseSB", controls.browse},
    };
    for (const auto& [name, on] : enabled) {
        states[latin(name)].enabled = on;
    }
    states[latin("UndoM")].caption = m_editor.undoHistory().undoCaption();
    fileManagementStates(states);
    cdAudioStates(states);
}

void AppSession::viewStates(QHash<QString, CommandState>& states) const {
    const ComponentFlags& components = m_preferences.components;
    for (size_t n = 0; n < components.size(); ++n) {
        states[ComponentMenuItem(componentAt(n))].checked = components[n];
    }
    states[latin("PathsM")].checked = m_preferences.showPath;
    states[latin("ExtensionsM")].checked = m_preferences.showExtension;
    const bool cdMode = m_run.cdAudioModeShown;
    const bool rightSide = isOn(components, Component::FileList);
    states[latin("ViewFileListM")].caption = cdMode ? QStringLiteral("&CD Audio List") : QStringLiteral("&File List");
    states[latin("FileManModeM")].checked = rightSide && !cdMode;
    states[latin("CDAudioModeM")].checked = rightSide && cdMode;
    // The Organize menu goes with the Play List; the mode items and New Folder with the right-hand lists.
    for (const char* name : {"NewDirM", "FileManModeM", "CDAudioModeM"}) {
        states[latin(name)].visible = rightSide;
    }
    CommandState& organize = states[latin("OrganizeM")];
    organize.visible = isOn(components, Component::PlayList);
    organize.enabled = organize.visible;
    if (m_external) {
        states[latin("MixerM")].enabled = ExternalCommands::mixerAvailable(m_preferences.mixerPath);
        states[latin("VLPropM")].enabled = m_external->soundSettingsAvailable();
        states[latin("HomePageM")].enabled = m_external->homePageAvailable();
        states[latin("MailusM")].enabled = m_external->mailAvailable();
    }

    const History::Menu history = m_favoritesAndHistory.historyMenu();
    states[latin("Line3")].visible = history.separatorVisible;
    for (int n = 0; n < Preferences::kHistorySize; ++n) {
        CommandState& item = states[QStringLiteral("History%1M").arg(n + 1)];
        const History::MenuItem& entry = history.items[static_cast<size_t>(n)];
        item.caption = entry.caption;
        item.visible = entry.visible;
        item.checked = entry.checked;
    }
}
