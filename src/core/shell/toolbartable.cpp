#include "core/shell/toolbartable.h"

#include "core/shell/menutable.h"

namespace {

ToolbarButton button(const char* name, const char* original, bool separatorAfter = false) {
    return {QString::fromLatin1(name), QString::fromLatin1(original), QString(), separatorAfter};
}

ToolbarButton toggle(const char* name, const QString& original, const char* caption) {
    return {QString::fromLatin1(name), original, QString::fromLatin1(caption), false};
}

}  // namespace

const std::vector<ToolbarButton>& ToolbarTransportButtons() {
    static const std::vector<ToolbarButton> buttons = {
        button("PlaySI", "PlayM"),
        button("PauseSI", "PauseM"),
        button("StopSI", "StopM"),
        button("RewindSI", "RewindM", true),
        button("PrevSI", "PrevM"),
        button("NextSI", "NextM", true),
        button("LoopSongOnceSI", "LoopSongOnceM"),
        button("LoopSongForeverSI", "LoopSongForeverM"),
        button("LoopPlayListSI", "LoopPlayListM"),
        button("RandomPlaySI", "RandomPlayM"),
        button("AutoPlaySI", "AutoPlayM", true),
    };
    return buttons;
}

const std::vector<ToolbarButton>& ToolbarViewToggles() {
    static const std::vector<ToolbarButton> toggles = {
        toggle("ViewPlayListSI", ComponentMenuItem(Component::PlayList), "Play List"),
        toggle("ViewFileListSI", ComponentMenuItem(Component::FileList), "File List / CD Audio List"),
        toggle("ViewToolBarSI", ComponentMenuItem(Component::Toolbar), "Tool Bar"),
        toggle("ViewScrollBarSI", ComponentMenuItem(Component::ScrollBar), "Scroll Bar"),
        toggle("ViewStatusBarSI", ComponentMenuItem(Component::StatusBar), "Status Bar"),
        toggle("ViewSpinButtonSI", ComponentMenuItem(Component::SpinButton), "Spin Button"),
        toggle("ViewPathEditSI", ComponentMenuItem(Component::PathEdit), "Path Edit"),
        toggle("ViewLabelsSI", ComponentMenuItem(Component::Labels), "Labels"),
        toggle("ViewModeSelectorSI", ComponentMenuItem(Component::ModeSelector), "Mode Selector"),
        toggle("ViewFilterBoxSI", ComponentMenuItem(Component::FilterBox), "Filter Box"),
        toggle("ViewFilterEditSI", ComponentMenuItem(Component::FilterEdit), "Filter Edit"),
        toggle("PathsSI", QStringLiteral("PathsM"), "Paths"),
        toggle("ExtensionsSI", QStringLiteral("ExtensionsM"), "Extensions"),
    };
    return toggles;
}

const std::vector<RemoteCommand>& RemoteCommands() {
    // The two "select-" commands open the tray's list, as its menu does.
    static const std::vector<RemoteCommand> commands = {
        {QStringLiteral("play"), QStringLiteral("PlayM")},
        {QStringLiteral("select-playlist"), QStringLiteral("SelectPLTPM")},
        {QStringLiteral("select-list"), QStringLiteral("SelectFLTPM")},
        {QStringLiteral("pause"), QStringLiteral("PauseM")},
        {QStringLiteral("stop"), QStringLiteral("StopM")},
        {QStringLiteral("rewind"), QStringLiteral("RewindM")},
        {QStringLiteral("previous"), QStringLiteral("PrevM")},
        {QStringLiteral("next"), QStringLiteral("NextM")},
        {QStringLiteral("exit"), QStringLiteral("ExitM")},
    };
    return commands;
}
