#pragma once

#include "core/shell/mainlayout.h"

#include <QString>

#include <vector>

// The main menu as data, in menu order: each entry's component name, caption, hint and built-in
// shortcut (as a stored value), with its depth in the tree (0 for the menu bar's menus).
struct MenuEntry {
    QString name;     // component name; empty for most separators
    QString caption;  // "-" for a separator
    QString hint;
    int shortcut = 0;
    int depth = 0;
    bool excludedFromShortcuts = false;  // the items the shortcut editor leaves alone
    bool radio = false;

    bool isSeparator() const { return caption == QStringLiteral("-"); }
};

const std::vector<MenuEntry>& MainMenuEntries();

// The entry with that component name, or null.
const MenuEntry* FindMenuEntry(const QString& name);
// Whether the entry at that index opens a submenu (the next entry is deeper).
bool HasSubItems(qsizetype index);
// Whether the item of that name opens a menu: its sub-items, or a list the program fills as it opens
// (the favorites, the indicator modes).
bool OpensMenu(const QString& name);

// The View, Components item that shows or hides a component.
QString ComponentMenuItem(Component component);
