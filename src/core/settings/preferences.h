#pragma once

#include <QString>

// The live settings of a run: loaded at the first show, changed by the program's dialogs and menus,
// written back at close.
struct Preferences {
    // "Playlist"
    bool showPath = false;
    bool showExtension = true;
    bool showIcons = true;
    bool openLastPlayList = true;
    bool startPlaying = true;

    // "General"
    QString lastPlayList;

    // "Default Directories"
    QString mainFolder;
    QString openFolder;
    QString saveFolder;
};
