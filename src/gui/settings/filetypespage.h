#pragma once

class DesktopFileTypes;
class SettingsPage;

// "General, File Types": the editor of each media group, and the group's registration with the desktop.
// Without a registration service (no desktop to tell) the two buttons are disabled.
void buildFileTypesPage(SettingsPage& page, DesktopFileTypes* registration);
