#pragma once

#include "core/settings/favorites.h"

#include <QStringList>

class CommandTable;
class FavoritesAndHistory;

// The View menu's Favorite Folders and Favorite Play Lists (also behind the status bar's Play List
// button) as commands: adding or removing the current folder or Play List, Configure, Clear, and one
// command per favourite, or a line that says there is none.
namespace FavoritesCommands {

// Declares the fixed commands of both menus and the rule that captions, checks, shows and enables them
// as the favorites stand.
void declare(CommandTable& table, FavoritesAndHistory& favorites);
// The commands the menu holds now, in menu order, "-" for the separator. A favourite's command that the
// table did not have yet is declared now, so that a list of any length is shown whole.
QStringList menu(CommandTable& table, FavoritesAndHistory& favorites, Favorites::Kind kind);

}  // namespace FavoritesCommands
