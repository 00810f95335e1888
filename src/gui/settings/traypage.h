#pragma once

class SettingsPage;

// "General, Tray": whether the tray icon is used, and whether it shows always or only while the window
// is minimized.
void buildTrayPage(SettingsPage& page);
