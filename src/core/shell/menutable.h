#pragma once

#include <QString>

#include <vector>

// The main menu's items as data: component name, caption, hint and built-in shortcut (stored value).
struct MenuEntry {
    QString name;
    QString caption;
    QString hint;
    int shortcut = 0;
};

// The File menu's fixed items, in menu order.
const std::vector<MenuEntry>& FileMenuEntries();
