#pragma once

#include "core/palette/paletteplacement.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class CommandTable;
class FavoritesAndHistory;
class PlaybackController;
class PlayListDocument;
struct Preferences;

// The Floating Palette's commands: its own (return, minimize, the positions, the history of its Play List
// drop-down, the 50 % jump) and its menu items that are the main window's commands under the palette's
// captions. The palette window binds the ones that move or close it.
namespace PaletteCommands {

struct Context {
    CommandTable& table;
    PlaybackController& controller;
    FavoritesAndHistory& favorites;
    const Preferences& preferences;
    const PlayListDocument& document;
};

void declare(const Context& context);

// The right-click menu, in order: command names, "-" for a separator; an entry whose next entry is
// deeper opens a submenu holding the deeper entries.
struct MenuEntry {
    QString command;
    int depth = 0;
};
const std::vector<MenuEntry>& contextMenu();

// The positioning commands and the place each one moves the palette to.
struct PlaceCommand {
    QString command;
    PalettePlacement::Place place;
};
const std::vector<PlaceCommand>& placeCommands();

// The Play List drop-down's fixed part: its submenus and the Open item.
inline const QString kFavoritePlayLists = QStringLiteral("FPFavPlayListsM");
inline const QString kFavoriteFolders = QStringLiteral("FPFavFoldersM");
inline const QString kDisplayFolder = QStringLiteral("FPDisplayFolderM");  // enabled with the File List
inline const QString kHistory = QStringLiteral("FPHistoryM");
inline const QString kOpen = QStringLiteral("FPOpenM");
// History entry n (1 to 4) of the drop-down.
QString historyCommand(int n);
// "&2. Party.vlp": the entry's file name with its extension.
QString historyCaption(int n, const QString& path);
// The one mode item of the File List drop-down: the mode that is not shown.
QString modeSwitchCommand(bool cdAudioModeShown);

}  // namespace PaletteCommands
