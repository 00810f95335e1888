#pragma once

#include <QHash>
#include <QRect>
#include <QSet>
#include <QString>

#include <array>

// The eleven components the user can show or hide, in the order the settings keep them (the
// "Components" flags of the Preferences).
enum class Component {
    PlayList,
    FileList,  // the File List or, in CD Audio Mode, the CD Audio List
    Toolbar,
    ScrollBar,
    StatusBar,
    SpinButton,
    PathEdit,
    Labels,
    ModeSelector,
    FilterBox,  // and the drive box
    FilterEdit,
};
using ComponentFlags = std::array<bool, 11>;

inline bool isOn(const ComponentFlags& flags, Component component) {
    return flags[static_cast<size_t>(component)];
}

enum class ToolbarDock { Top, Bottom, Left, Right };

// Sizes the layout takes from the controls as they are; only positions and the sizes it decides change.
struct ControlSizes {
    QSize addButtons{80, 56};     // AddBtnsPanel
    int removeButtonsHeight = 56;  // RemoveBtnsPanel
    int fileManHeight = 84;        // FileManPanel
    int infoHeight = 90;           // Info
    int spinButtonHeight = 24;
    int pathEditHeight = 24;       // FullPathEdit and BrowsePanel
    int browseWidth = 22;          // BrowsePanel
    int labelHeight = 16;          // PlayListBoxInfo, FileListBoxInfo, DirLabel
    int filterEditHeight = 22;
    int comboHeight = 22;          // FilterComboBox, DriveComboBox, CDAudioComboBox
    int modeSelectorHeight = 24;
    int nameOfCDHeight = 22;
    int trackNumberWidth = 24;
    int trackLengthWidth = 50;
    int cdButtonsWidth = 72;       // CDSBPanel
    int splitterWidth = 5;         // ResizePaintBox
    int progressBarWidth = 160;
};

struct LayoutInput {
    ComponentFlags components{};
    bool cdAudioMode = false;
    bool playListHasItems = false;
    bool fileListHasItems = false;
    QSize client;
    QSize toolbar;  // the toolbar's own size; vertical when its height is at least its width
    ToolbarDock toolbarDock = ToolbarDock::Top;
    int statusBarHeight = 0;
    int playListWidth = 2958;  // PLWidth, in ten-thousandths of the work width
    bool startupFinished = true;
    ControlSizes sizes;
};

// Where everything goes: the controls shown, each with its rectangle, the work rectangle left for the
// lists, the Play List share (the split layout corrects one that leaves a right-hand list too narrow)
// and the window's minimum size.
struct MainLayout {
    QSet<QString> visible;
    QHash<QString, QRect> geometry;
    QRect work;
    int playListWidth = 0;
    QSize minimum;

    bool isVisible(const QString& name) const { return visible.contains(name); }
    QRect rect(const QString& name) const { return geometry.value(name); }
};

// The default Play List share, also what a double click on the splitter restores.
constexpr int kDefaultPlayListWidth = 2958;

MainLayout ComputeMainLayout(const LayoutInput& input);
