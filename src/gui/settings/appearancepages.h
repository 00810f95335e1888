#pragma once

class SettingsPage;

// The pages of the Appearance node: the toolbar's buttons, the backgrounds, the text colours and the
// lists' font.
void buildAppearancePage(SettingsPage& page);
void buildBitmapsPage(SettingsPage& page);
void buildBackgroundColoursPage(SettingsPage& page);
void buildTextColoursPage(SettingsPage& page);
void buildFontPage(SettingsPage& page);
