#pragma once

#include <QString>

#include <vector>

// The commands of the window's controls that are no main menu item, as data: the buttons beside the
// lists, the CD buttons, the mode tabs, and the position bar's and status bar's own context items. A
// control shows this caption and hint; a state rule may show others for a while (Rename in CD Audio Mode).
struct ControlEntry {
    QString name;     // component name
    QString caption;  // empty for a button that shows a picture
    QString hint;     // "tooltip|status line"
};

const std::vector<ControlEntry>& ControlEntries();

// The entry with that component name, or null.
const ControlEntry* FindControlEntry(const QString& name);
