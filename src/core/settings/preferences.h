#pragma once

#include "core/settings/shortcuts.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Colours are stored as 0x00BBGGRR, or as a reference to a system colour (top bit set, index in the
// low byte).
namespace Colour {
constexpr int kButtonFace = static_cast<int>(0x8000000F);
constexpr int kWindowText = static_cast<int>(0x80000008);
constexpr int rgb(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}
}  // namespace Colour

// Where the main window stands and how the space is shared; read when the window is created and
// written only when it closes.
struct WindowPlacement {
    int height = 312;
    int width = 473;
    bool sizeStored = false;  // the settings gave both; else the window chooses its first size
    std::optional<int> top;   // missing: the window is centred
    std::optional<int> left;
    bool maximized = false;
    bool minimized = false;
    int playListWidth = 2958;  // the Play List's share of the two lists, in ten-thousandths
};

// The live settings of a run: loaded at the first show, changed by the program's dialogs and menus,
// written back by the Preferences dialog's OK and at close.
struct Preferences {
    static constexpr int kComponents = 11;
    static constexpr int kMaxFavorites = 25;
    static constexpr int kHistorySize = 4;
    static constexpr double kMinDelaySeconds = 0.5;
    static constexpr double kMaxDelaySeconds = 10.0;

    // "Playlist"
    bool randomPlay = false;
    bool loopPlayList = false;
    bool autoPlay = true;
    double delaySeconds = kMinDelaySeconds;  // what the delay box shows: 0.5 to 10 seconds
    bool delayEnabled = false;
    std::array<int, 4> indicatorModes = {0, 0, 0, 0};  // length, position, remaining, percent
    bool showPath = false;
    bool showExtension = true;
    bool showIcons = true;
    bool openLastPlayList = true;
    bool startPlaying = true;
    // Titles from tags: file items shown by the artist and title their tags hold.
    bool showTagTitles = false;

    // "General"
    std::array<bool, kComponents> components = {true, true, true, true, true, true,
                                                true, true, true, true, true};
    QString statusBarPanels = QStringLiteral("1234");  // digits 1..4 of the shown panels, in display order
    int videoSize = 100;                               // percent, 1..1000
    int titleFormat = 0;                               // 0 percent, 1 time, 2 remaining time
    QString midiResetFile;
    bool borderlessButtons = true;
    bool grayedButtons = false;
    bool showWelcomeScreen = true;
    bool cdAudioInitialMode = false;  // start in CD Audio Mode rather than File Management Mode
    int floatingPaletteMode = 0;  // 0 percent, 1 position, 2 remaining time
    bool favFoldersShowPath = false;
    int filter = 0;  // file-type filter 0..10
    bool recycleBin = true;  // deleted files go to the Trash
    QString lastPlayList;

    // "Paths"
    QString mixerPath;
    QString bitmapPath;
    QString toolbarBitmapPath;
    QString floatingPaletteBitmapPath;

    // "Color"
    int colourMainWindow = Colour::kButtonFace;
    int colourToolbar = Colour::kButtonFace;
    int colourPalette = Colour::kButtonFace;
    int textMainWindow = Colour::kWindowText;
    int textToolbar = Colour::kWindowText;
    int textPalette = Colour::kWindowText;

    // "CD Audio"
    bool stopCDAudioOnExit = false;
    bool stopCDAudioWhenChangingMode = false;
    bool askBeforeSavingCDDatabase = false;
    bool startInCDAudioModeIfPlaying = true;
    bool backUpCDDatabase = true;
    // The CD drive: a device path, empty for the default drive, or a ".cue" image standing for the
    // disc in a drive. Set by hand in the file; never written, so the line stays as the user left it.
    QString cdDevice;

    // "Tray"
    bool useTray = true;
    bool trayAlways = false;

    // "Font"
    QString fontName = QStringLiteral("Arial");
    int fontSize = 8;
    bool fontBold = false;
    bool fontItalic = false;

    // "Editors": MIDI, WAV, AVI, MOV, FLI, MPEG, MOD
    std::array<QString, 7> editors;

    // "History", "Favorite Folders", "Favorite Play Lists"
    QStringList history = {QString(), QString(), QString(), QString()};  // newest first; free slots last
    QStringList favoriteFolders;
    QStringList favoritePlayLists;

    // "Default Directories"
    QString mainFolder;
    QString openFolder;
    QString saveFolder;

    // "ToolBarPosition": the Floating Palette
    int paletteTop = 0;
    std::optional<int> paletteLeft;  // missing: near the screen's right edge

    WindowPlacement window;
    Shortcuts shortcuts;

    // Play log and error log beside the saved Play List; options of a run, never stored.
    bool useLog = false;                   // each item that starts from the Play List is logged
    bool logErrors = false;                // each item that fails to play is logged with its error
    bool allowDuplicateLogEntries = false;  // an item that fails again is logged again

    static const std::array<QString, 7>& editorKeys();
};
