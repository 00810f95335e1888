#include "core/shell/toolbartable.h"

#include "core/shell/menutable.h"

namespace {

// A button that runs the menu item of its stem ("OpenSI" runs "OpenM").
ToolbarButton twin(const char* name, const char* caption, int defaultLeft = -1) {
    const QString own = QString::fromLatin1(name);
    return {own, own.chopped(2) + u'M', QString::fromLatin1(caption), defaultLeft};
}

ToolbarButton component(const char* name, Component shown, const char* caption) {
    return {QString::fromLatin1(name), ComponentMenuItem(shown), QString::fromLatin1(caption), -1};
}

// A button with a command of its own, which no menu item runs.
ToolbarButton own(const char* name, const char* caption) {
    return {QString::fromLatin1(name), QString(), QString::fromLatin1(caption), -1};
}

std::vector<ToolbarCategory> makeCategories() {
    return {
        {QStringLiteral("File"),
         {twin("NewSI", "New", 3), twin("OpenSI", "Open", 25), twin("SaveSI", "Save", 47),
          twin("SaveAsSI", "Save As..."), twin("DelPLSI", "Delete"), twin("RenPLSI", "Rename"),
          twin("ExitSI", "Exit")}},
        {QStringLiteral("Edit"),
         {twin("UndoSI", "Undo"), twin("RedoSI", "Redo"), twin("CutSI", "Cut"), twin("CopySI", "Copy"),
          twin("PasteSI", "Paste"), twin("ExploreSI", "Explore"), twin("EditItemSI", "Edit Item"),
          twin("SelectAllSI", "Select All"), twin("UnselectAllSI", "Unselect All"),
          twin("InvertSelectionSI", "Invert Selection"), twin("SelectPlayingItemSI", "Select Playing Item"),
          twin("FindSI", "Find", 234), twin("FindAgainSI", "Find Again")}},
        {QStringLiteral("View"),
         {twin("PathsSI", "Paths"), twin("ExtensionsSI", "Extensions"),
          twin("FloatingPalSI", "Floating Palette", 256), twin("MixerSI", "Mixer", 300),
          twin("VLPropSI", "Multimedia Properties"), twin("FavFoldersSI", "Favorite Folders", 333),
          twin("FavPlayListsSI", "Favorite Play Lists", 355), twin("PlayListLogSI", "Play List Log"),
          twin("PlayListErrorLogSI", "Play List Error Log"), twin("PrefSI", "Preferences", 278)}},
        {QStringLiteral("Components"),
         {component("ViewPlayListSI", Component::PlayList, "Play List"),
          component("ViewFileListSI", Component::FileList, "File List / CD Audio List"),
          component("ViewToolBarSI", Component::Toolbar, "Tool Bar"),
          component("ViewScrollBarSI", Component::ScrollBar, "Scroll Bar"),
          component("ViewStatusBarSI", Component::StatusBar, "Status Bar"),
          component("ViewSpinButtonSI", Component::SpinButton, "Spin Button"),
          component("ViewPathEditSI", Component::PathEdit, "Path Edit"),
          component("ViewLabelsSI", Component::Labels, "Labels"),
          component("ViewModeSelectorSI", Component::ModeSelector, "Mode Selector"),
          component("ViewFilterBoxSI", Component::FilterBox, "Filter Box"),
          component("ViewFilterEditSI", Component::FilterEdit, "Filter Edit")}},
        {QStringLiteral("Organize"),
         {twin("SortAlphabeticallySI", "Sort Alphabetically"),
          twin("SortRandomlySI", "Sort Randomly (Shuffle)"),
          twin("RemoveDuplicateItemsSI", "Remove Duplicate Items"),
          twin("RemoveNonExistantItemsSI", "Remove Non-Existent Items"),
          twin("ShowFolderOfThisFileSI", "Show Folder Of This File")}},
        {QStringLiteral("Audio"),
         {twin("PlaySI", "Play From Focused List", 80), own("PlayPlayListSI", "Play From Play List"),
          own("PlayFileListSI", "Play From File List / CD List"), twin("PauseSI", "Pause", 102),
          twin("StopSI", "Stop", 124), twin("RewindSI", "Rewind", 146), twin("PrevSI", "Previous", 179),
          twin("NextSI", "Next", 201), twin("LoopSongForeverSI", "Loop Item Forever"),
          twin("LoopSongOnceSI", "Loop Item Once"), twin("LoopPlayListSI", "Loop Play List"),
          twin("RandomPlaySI", "Random Play"), twin("AutoPlaySI", "Auto Play"),
          twin("ChangePosSI", "Change Position")}},
        {QStringLiteral("Help"), {twin("ContentsSI", "Show Contents", 388)}},
    };
}

}  // namespace

const std::vector<ToolbarCategory>& ToolbarCategories() {
    static const std::vector<ToolbarCategory> categories = makeCategories();
    return categories;
}

const ToolbarButton* FindToolbarButton(const QString& name) {
    for (const ToolbarCategory& category : ToolbarCategories()) {
        for (const ToolbarButton& button : category.buttons) {
            if (button.name.compare(name, Qt::CaseInsensitive) == 0) {
                return &button;
            }
        }
    }
    return nullptr;
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
