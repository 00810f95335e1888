#pragma once

class SettingsPage;

// The pages of the Preferences dialog whose controls are check boxes, radio buttons and boxes of their own.
void buildGeneralPage(SettingsPage& page);
void buildPlayListPage(SettingsPage& page);
void buildTitlePage(SettingsPage& page);
void buildVideoPage(SettingsPage& page);
void buildStatusBarPage(SettingsPage& page);
void buildComponentsPage(SettingsPage& page);
void buildCDAudioPage(SettingsPage& page);
void buildFavoritesPage(SettingsPage& page);
