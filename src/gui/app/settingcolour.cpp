#include "gui/app/settingcolour.h"

namespace {

// The old system colour numbers the settings can refer to, as the roles of a Qt palette. "Button
// face" is the colour of dialogs and windows, Qt's Window role.
QPalette::ColorRole roleOf(int index) {
    switch (index) {
    case 4:  // menu
    case 15:  // button face
        return QPalette::Window;
    case 5:  // window (the inside of lists and edits)
        return QPalette::Base;
    case 13:  // highlight
        return QPalette::Highlight;
    case 14:  // highlighted text
        return QPalette::HighlightedText;
    case 16:  // button shadow
        return QPalette::Dark;
    case 18:  // button text
        return QPalette::ButtonText;
    case 20:  // button highlight
        return QPalette::Light;
    default:  // window text and the rest
        return QPalette::WindowText;
    }
}

}  // namespace

QColor colourFromSetting(int value, const QPalette& palette) {
    if (value < 0) {
        return palette.color(QPalette::Active, roleOf(value & 0xFF));
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
