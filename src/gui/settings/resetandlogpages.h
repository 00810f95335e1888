#pragma once

#include <QString>

class SettingsPage;

// "General, MIDI Reset": the reset file, browsed for from resetFolder, and the link to the box of
// the reset files that come with the program.
void buildMidiResetPage(SettingsPage& page, const QString& resetFolder);
// "Advanced", "Advanced, Play Log File", "Advanced, Error Log File".
void buildAdvancedPage(SettingsPage& page);
void buildPlayLogPage(SettingsPage& page);
void buildErrorLogPage(SettingsPage& page);
