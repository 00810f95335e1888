#include "gui/settings/settingcolour.h"

#include "core/settings/preferences.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingColour, StoredValuesAreBlueGreenRedOrADesktopColour) {
    QPalette desktop;
    desktop.setColor(QPalette::Window, QColor(1, 2, 3));
    desktop.setColor(QPalette::WindowText, QColor(4, 5, 6));
    desktop.setColor(QPalette::Highlight, QColor(7, 8, 9));
    EXPECT_EQ(colourFromSetting(0x0000FF, desktop), QColor(255, 0, 0));
    EXPECT_EQ(colourFromSetting(Colour::rgb(107, 156, 255), desktop), QColor(107, 156, 255));
    EXPECT_EQ(colourFromSetting(0, desktop), QColor(0, 0, 0));
    EXPECT_EQ(colourFromSetting(Colour::kButtonFace, desktop), QColor(1, 2, 3));
    EXPECT_EQ(colourFromSetting(Colour::kWindowText, desktop), QColor(4, 5, 6));
    EXPECT_EQ(colourFromSetting(static_cast<int>(0x8000000D), desktop), QColor(7, 8, 9));
    // A number no desktop colour has is a background, not black text.
    EXPECT_EQ(colourFromSetting(static_cast<int>(0x800000FF), desktop), QColor(1, 2, 3));
}

}  // namespace
