// The command table of a session: what each command runs and when it is enabled, checked or shown.

#include "core/app/appsession.h"

#include "core/app/favoritescommands.h"
#include "core/app/palettecommands.h"
#include "core/app/traycommands.h"
#include "core/playback/indicatorcommands.h"
#include "core/playback/logcommands.h"
#include "core/playback/transportpreview.h"
#include "core/settings/shortcuts.h"
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
    // Every item of the main menu is a command; the ones not built yet stay disabled. Each group below
    // declares what its commands run and the one rule that sets their states.
    m_commands.addMenuItems();
    declareFileAndEditCommands();
    declareListCommands();
    declareViewCommands();
    declareAudioCommands();
    // Before the twins: a second start's "select-" commands show the tray menu's.
    TrayCommands::declare(m_commands, m_controller, {m_playListMedia, m_fileListMedia, m_cdListMedia});
    declareTwins();
    declareFileManagementCommands();
    declareCDAudioCommands();
    declarePreferencesCommands();
    FavoritesCommands::declare(m_commands, m_favoritesAndHistory);
    IndicatorCommands::declare(m_commands, m_indicators, m_controller);
    LogCommands::declare(m_commands, m_playLogs,
                         [this](PlayLogs::Kind kind) { Q_EMIT logRequested(kind == PlayLogs::Kind::Error); });
    m_commands.addContextItems();
    PaletteCommands::declare({m_commands, m_controller, m_favoritesAndHistory, m_preferences, m_document});
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
    m_commands.bind(latin("TagTitlesM"), [this] { toggleTagTitles(); });
    m_commands.setCheckable(latin("TagTitlesM"));
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
    m_commands.addStateRule([this](CommandStates& states) { viewStates(states); });
}

void AppSession::declareTwins() {
    // Two toolbar buttons are commands of their own (declared with the lists); the rest are twins.
    for (const ToolbarCategory& category : ToolbarCategories()) {
        for (const ToolbarButton& button : category.buttons) {
            if (!button.original.isEmpty()) {
                m_commands.addTwin(button.name, button.original, button.caption);
            }
        }
    }
    for (const RemoteCommand& command : RemoteCommands()) {
        if (!command.original.isEmpty()) {
            m_commands.addTwin(command.name, command.original);
        }
    }
    m_commands.addStateRule([this](CommandStates& states) { toolbarStates(states); });
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

// Toolbar buttons show their menu twin's caption and shortcut; Play, Previous and Next also name their item.
void AppSession::toolbarStates(CommandStates& states) const {
    const Shortcuts& shortcuts = m_preferences.shortcuts;
    for (const QString& name : m_commands.names()) {
        const CommandTable::Command* command = m_commands.find(name);
        if (name.endsWith(QStringLiteral("SI")) && !command->twinOf.isEmpty()) {
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

void AppSession::viewStates(CommandStates& states) const {
    const ComponentFlags& components = m_preferences.components;
    for (size_t n = 0; n < components.size(); ++n) {
        states[ComponentMenuItem(componentAt(n))].checked = components[n];
    }
    states[latin("PathsM")].checked = m_preferences.showPath;
    states[latin("ExtensionsM")].checked = m_preferences.showExtension;
    states[latin("TagTitlesM")].checked = m_preferences.showTagTitles;
    const bool cdMode = m_cdAudioModeShown;
    const bool rightSide = isOn(components, Component::FileList);
    states[latin("ViewFileListM")].caption =
        cdMode ? QStringLiteral("&CD Audio List") : QStringLiteral("&File List");
    states[latin("FileManModeM")].checked = rightSide && !cdMode;
    states[latin("CDAudioModeM")].checked = rightSide && cdMode;
    // The Organize menu goes with the Play List; the mode items with the right-hand lists.
    for (const char* name : {"FileManModeM", "CDAudioModeM"}) {
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

    for (const RemoteCommand& command : RemoteCommands()) {
        if (command.original.isEmpty()) {
            states[command.name].refusal = CommandDispatcher::unknownCommandMessage(command.name);
        }
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
