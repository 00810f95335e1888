#include "core/app/palettecommands.h"

#include "core/app/favoritesandhistory.h"
#include "core/playback/playbackcontroller.h"
#include "core/playlist/playlistdocument.h"
#include "core/settings/history.h"
#include "core/settings/preferences.h"
#include "core/shell/commandtable.h"

#include <QFileInfo>

namespace PaletteCommands {

namespace {

QString latin(const char* text) {
    return QString::fromLatin1(text);
}

// Menu items that are the main window's commands under the palette's own captions.
struct Twin {
    const char* name;
    const char* original;
    const char* caption;
};
constexpr Twin kTwins[] = {
    {"ExitPM", "ExitM", "E&xit Velmaro"},
    {"FPLoopSongForeverM", "LoopSongForeverM", "&Loop Song Forever"},
    {"FPLoopSongOnceM", "LoopSongOnceM", "Loop &Song Once"},
    {"FPRandomPlayM", "RandomPlayM", "&Random Play"},
    {"FPContinuousLoopM", "LoopPlayListM", "&Loop Play List"},
    {"FPAutoPlayM", "AutoPlayM", "&Auto Play"},
    {"FPAnyValuePM", "ChangePosM", "Any Va&lue..."},
    {"FPFileManagementModeM", "FileManModeM", "&File Management Mode"},
    {"FPCDAudioModeM", "CDAudioModeM", "&CD Audio Mode"},
    {"PreferencesPM", "PrefM", "Pr&eferences..."},
    {"HelpPM", "ContentsM", "&Help"},
    {"FPFavPlayListsM", "FavPlayListsM", "Favorite Play Lists"},
    {"FPFavFoldersM", "FavFoldersM", "Favorite Folders"},
    {"FPDisplayFolderM", "FavFoldersM", "&Display Another Folder"},
    {"FPOpenM", "OpenM", "&Open Another Play List..."},
    {"FPFileManagementListM", "FileManModeM", "File Management Mode"},
    {"FPCDAudioListM", "CDAudioModeM", "CD Audio Mode"},
};

void historyStates(const Context& context, CommandStates& states) {
    const QStringList& history = context.preferences.history;
    const History::Menu menu = History::RefreshHistoryMenu(history, context.document.fileName());
    for (int n = 1; n <= Preferences::kHistorySize; ++n) {
        CommandState& item = states[historyCommand(n)];
        const QString path = history.value(n - 1);
        item.caption = historyCaption(n, path);
        item.visible = !path.isEmpty();
        item.checked = menu.items[static_cast<size_t>(n - 1)].checked;
    }
}

}  // namespace

void declare(const Context& context) {
    CommandTable& table = context.table;
    // Moving and closing the palette are the palette window's; it binds them.
    for (const char* name : {"CloseSB", "ReturnPM", "MinimizePM", "MoveToTopSI"}) {
        table.add(latin(name));
    }
    for (const PlaceCommand& command : placeCommands()) {
        table.add(command.command);
    }
    for (const char* name :
         {"PositionM", "PlayListPM", "PositionInFileM", "ModeM", "FPHistoryM", "PlayPListSI", "PlayListSI"}) {
        table.add(latin(name), {}, false, true);
    }
    table.add(latin("Percent50PM"), [&controller = context.controller] { controller.PercentJump(50); });
    for (int n = 1; n <= Preferences::kHistorySize; ++n) {
        table.add(
            historyCommand(n), [&favorites = context.favorites, n] { favorites.OpenHistoryEntry(n); }, true);
    }
    for (const Twin& twin : kTwins) {
        table.addTwin(latin(twin.name), latin(twin.original), latin(twin.caption));
    }
    table.addStateRule([context](CommandStates& states) {
        // The jump goes with the position bar, as the other fixed jumps do.
        states[latin("Percent50PM")].enabled = context.controller.transport().positionBar;
        historyStates(context, states);
    });
}

const std::vector<MenuEntry>& contextMenu() {
    static const std::vector<MenuEntry> entries = [] {
        std::vector<MenuEntry> menu;
        const auto add = [&menu](const char* name, int depth = 0) { menu.push_back({latin(name), depth}); };
        add("ReturnPM");
        add("MinimizePM");
        add("ExitPM");
        add("-");
        add("PositionM");
        for (const char* name : {"DefaultM", "-", "UpperLeftCornerM", "UpperRightCornerM", "-",
                                 "LowerLeftCornerM", "LowerRightCornerM", "-", "MoveToLeftSidePM",
                                 "MoveToRightSidePM", "-", "MoveToTopPM", "MoveToBottomPM"}) {
            add(name, 1);
        }
        add("-");
        add("FPLoopSongForeverM");
        add("FPLoopSongOnceM");
        add("-");
        add("PlayListPM");
        for (const char* name : {"FPRandomPlayM", "FPContinuousLoopM", "FPAutoPlayM"}) {
            add(name, 1);
        }
        add("PositionInFileM");
        for (const char* name : {"Percent0PM", "Percent25PM", "Percent50PM", "Percent75PM", "FPAnyValuePM"}) {
            add(name, 1);
        }
        add("ModeM");
        add("FPFileManagementModeM", 1);
        add("FPCDAudioModeM", 1);
        add("-");
        add("PreferencesPM");
        add("MixerPM");
        add("HelpPM");
        return menu;
    }();
    return entries;
}

const std::vector<PlaceCommand>& placeCommands() {
    using Place = PalettePlacement::Place;
    static const std::vector<PlaceCommand> commands = {
        {latin("DefaultM"), Place::Default},
        {latin("UpperLeftCornerM"), Place::UpperLeftCorner},
        {latin("UpperRightCornerM"), Place::UpperRightCorner},
        {latin("LowerLeftCornerM"), Place::LowerLeftCorner},
        {latin("LowerRightCornerM"), Place::LowerRightCorner},
        {latin("MoveToLeftSidePM"), Place::LeftSide},
        {latin("MoveToRightSidePM"), Place::RightSide},
        {latin("MoveToTopPM"), Place::Top},
        {latin("MoveToBottomPM"), Place::Bottom},
    };
    return commands;
}

QString historyCommand(int n) {
    return QStringLiteral("FPHistory%1M").arg(n);
}

QString historyCaption(int n, const QString& path) {
    if (path.isEmpty()) {
        return {};
    }
    QString name = QFileInfo(path).fileName();
    name.replace(u'&', QStringLiteral("&&"));
    return u'&' + QString::number(n) + QStringLiteral(". ") + name;
}

QString modeSwitchCommand(bool cdAudioModeShown) {
    return latin(cdAudioModeShown ? "FPFileManagementListM" : "FPCDAudioListM");
}

}  // namespace PaletteCommands
