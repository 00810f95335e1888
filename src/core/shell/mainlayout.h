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

// How the split layout shares a work width between the Play List and each of the two right-hand lists,
// with buttons of that width between them; the share comes back corrected where a right-hand list
// would be narrower than it may be.
struct ListWidths {
    int playList = 0;
    int rightList = 0;
    int playListShare = 0;
};
ListWidths SplitListWidths(int playListShare, int workWidth, int buttonsWidth);

// The narrowest work width from `from` up to `limit` at which the split layout gives the Play List at
// least `playList` pixels and each right-hand list at least `rightList`; `limit` when none does.
int WidthForLists(int playListShare, int buttonsWidth, int playList, int rightList, int from, int limit);

// The built-in window size suits an 8-point font at 96 dots per inch: the same size for a font of
// `fontPoints` at `logicalDpi`, grown or shrunk by its height in pixels against that one's.
QSize ScaleForFont(QSize size, double fontPoints, double logicalDpi);
