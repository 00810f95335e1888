#include "gui/settings/settingcolour.h"

#include <array>

namespace {

// The old system colour numbers the settings can refer to, as the roles of a Qt palette. "Button
// face" is the colour of dialogs and windows, Qt's Window role.
QPalette::ColorRole roleOf(int index) {
    static constexpr std::array<QPalette::ColorRole, 31> kRoles = {
        QPalette::Button,           // 0 scroll bar
        QPalette::Window,           // 1 desktop
        QPalette::Highlight,        // 2 active caption
        QPalette::Mid,              // 3 inactive caption
        QPalette::Window,           // 4 menu
        QPalette::Base,             // 5 window (the inside of lists and edits)
        QPalette::Shadow,           // 6 window frame
        QPalette::WindowText,       // 7 menu text
        QPalette::WindowText,       // 8 window text
        QPalette::HighlightedText,  // 9 caption text
        QPalette::Window,           // 10 active border
        QPalette::Window,           // 11 inactive border
        QPalette::Mid,              // 12 application workspace
        QPalette::Highlight,        // 13 highlight
        QPalette::HighlightedText,  // 14 highlighted text
        QPalette::Window,           // 15 button face
        QPalette::Dark,             // 16 button shadow
        QPalette::PlaceholderText,  // 17 grey text
        QPalette::ButtonText,       // 18 button text
        QPalette::WindowText,       // 19 inactive caption text
        QPalette::Light,            // 20 button highlight
        QPalette::Shadow,           // 21 dark shadow
        QPalette::Midlight,         // 22 light
        QPalette::ToolTipText,      // 23 tool tip text
        QPalette::ToolTipBase,      // 24 tool tip
        QPalette::Window,           // 25 (unused)
        QPalette::Link,             // 26 hot light
        QPalette::Highlight,        // 27 active caption gradient
        QPalette::Mid,              // 28 inactive caption gradient
        QPalette::Highlight,        // 29 menu highlight
        QPalette::Window,           // 30 menu bar
    };
    return index >= 0 && index < static_cast<int>(kRoles.size()) ? kRoles[static_cast<size_t>(index)] : QPalette::Window;
}

}  // namespace

QColor colourFromSetting(int value, const QPalette& palette) {
    if (value < 0) {
        return palette.color(QPalette::Active, roleOf(value & 0xFF));
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
