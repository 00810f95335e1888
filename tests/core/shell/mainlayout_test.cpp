#include "core/shell/mainlayout.h"
#include "core/shell/splitterdrag.h"
#include "core/shell/statuspanels.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

namespace {

ComponentFlags allComponents() {
    ComponentFlags flags;
    flags.fill(true);
    return flags;
}

// A window whose work rectangle is `width` wide and `height` high below a 30-pixel toolbar and above a
// 20-pixel status bar.
LayoutInput window(int width, int height, ComponentFlags components = allComponents()) {
    LayoutInput input;
    input.components = components;
    input.client = QSize(width, height + 50);
    input.toolbar = QSize(width, 30);
    input.statusBarHeight = 20;
    input.playListHasItems = true;
    input.fileListHasItems = true;
    return input;
}

TEST(MainLayout, ANarrowSplitKeepsTheRightHandListsAtTheirLeastAndCorrectsTheShare) {
    const MainLayout layout = ComputeMainLayout(window(473, 300));
    EXPECT_EQ(layout.work, QRect(0, 30, 473, 300));
    EXPECT_EQ(layout.rect(s("PlayListBox")).width(), 116);
    EXPECT_EQ(layout.playListWidth, 2452);
    EXPECT_EQ(layout.rect(s("FileListBox")).width(), 115);
    EXPECT_EQ(layout.rect(s("DirectoryListBox")).width(), 115);
    // Play List, buttons, File List and Folder List side by side, five apart.
    EXPECT_EQ(layout.rect(s("PlayListBox")).left(), 12);
    EXPECT_EQ(layout.rect(s("AddBtnsPanel")).left(), 12 + 116 + 5);
    EXPECT_EQ(layout.rect(s("FileListBox")).left(), 12 + 116 + 5 + 80 + 5);
    EXPECT_EQ(layout.rect(s("DirectoryListBox")).left(), layout.rect(s("FileListBox")).right() + 1 + 5);
    EXPECT_EQ(layout.rect(s("ResizePaintBox")).left(), 12 + 116);
}

TEST(MainLayout, AWindowNarrowerThanBothSidesNeedStillLeavesThePlayListItsLeast) {
    const MainLayout layout = ComputeMainLayout(window(400, 300));
    EXPECT_EQ(layout.rect(s("PlayListBox")).width(), 100);
    EXPECT_EQ(layout.playListWidth, 2500);
    EXPECT_EQ(layout.rect(s("FileListBox")).width(), 115);
}

TEST(MainLayout, AWideSplitTakesTheStoredShare) {
    const MainLayout layout = ComputeMainLayout(window(1000, 500));
    EXPECT_EQ(layout.rect(s("PlayListBox")).width(), 296);  // 2958 of 10000, rounded
    EXPECT_EQ(layout.playListWidth, 2958);
    EXPECT_EQ(layout.rect(s("FileListBox")).width(), (1000 - 296 - 127) / 2);
    EXPECT_EQ(layout.rect(s("ModeSelector")).width(), 2 * 288 + 5);
    EXPECT_EQ(layout.rect(s("FullPathEdit")).width(), 296 - 26);
    EXPECT_EQ(layout.rect(s("BrowsePanel")).left(), 12 + 296 - 26 + 4);
    // A share too small for the Play List still leaves it 100 wide.
    LayoutInput thin = window(1000, 500);
    thin.playListWidth = 10;
    EXPECT_EQ(ComputeMainLayout(thin).rect(s("PlayListBox")).width(), 100);
}

TEST(MainLayout, HiddenLabelsMoveEveryListUpAndMakeItTaller) {
    ComponentFlags noLabels = allComponents();
    noLabels[static_cast<size_t>(Component::Labels)] = false;
    for (const bool cd : {false, true}) {
        LayoutInput with = window(800, 400);
        LayoutInput without = window(800, 400, noLabels);
        with.cdAudioMode = without.cdAudioMode = cd;
        const MainLayout a = ComputeMainLayout(with);
        const MainLayout b = ComputeMainLayout(without);
        const QStringList lists = cd ? lines({"PlayListBox", "CDAudioListBox", "TrackNumberListBox"})
                                     : lines({"PlayListBox", "FileListBox", "DirectoryListBox"});
        for (const QString& list : lists) {
            SCOPED_TRACE(list.toStdString());
            EXPECT_EQ(b.rect(list).top(), a.rect(list).top() - 25);
            EXPECT_EQ(b.rect(list).height(), a.rect(list).height() + 25);
        }
        EXPECT_FALSE(b.isVisible(s("PlayListBoxInfo")));
        EXPECT_FALSE(b.isVisible(s("DirLabel")));
    }
}

TEST(MainLayout, ListHeightsMakeRoomForWhatIsShownBelowThem) {
    struct Case {
        bool spin, path;
        int playListLess;
    };
    for (const Case c : {Case{true, true, 81}, Case{true, false, 55}, Case{false, true, 58}, Case{false, false, 32}}) {
        ComponentFlags flags = allComponents();
        flags[static_cast<size_t>(Component::SpinButton)] = c.spin;
        flags[static_cast<size_t>(Component::PathEdit)] = c.path;
        EXPECT_EQ(ComputeMainLayout(window(800, 400, flags)).rect(s("PlayListBox")).height(), 400 - c.playListLess);
    }
    struct FileCase {
        bool modeSelector, filterBox, filterEdit;
        int fileListLess, folderListLess;
    };
    for (const FileCase c : {FileCase{true, true, true, 98, 74}, FileCase{false, true, true, 82, 58},
                             FileCase{true, false, false, 72 - 24, 47}, FileCase{false, false, false, 56 - 24, 32}}) {
        ComponentFlags flags = allComponents();
        flags[static_cast<size_t>(Component::ModeSelector)] = c.modeSelector;
        flags[static_cast<size_t>(Component::FilterBox)] = c.filterBox;
        flags[static_cast<size_t>(Component::FilterEdit)] = c.filterEdit;
        const MainLayout layout = ComputeMainLayout(window(800, 400, flags));
        EXPECT_EQ(layout.rect(s("FileListBox")).height(), 400 - c.fileListLess);
        EXPECT_EQ(layout.rect(s("FileListBox")).top(), 30 + (c.filterEdit ? 53 : 29));
        EXPECT_EQ(layout.rect(s("DirectoryListBox")).height(), 400 - c.folderListLess);
    }
}

TEST(MainLayout, OneSideAloneTakesTheWholeWidth) {
    ComponentFlags playListOnly = allComponents();
    playListOnly[static_cast<size_t>(Component::FileList)] = false;
    const MainLayout left = ComputeMainLayout(window(273, 300, playListOnly));
    EXPECT_EQ(left.rect(s("PlayListBox")).width(), 273 - 24);
    EXPECT_EQ(left.rect(s("FullPathEdit")).width(), 273 - 50);
    EXPECT_FALSE(left.isVisible(s("AddBtnsPanel")));
    EXPECT_FALSE(left.isVisible(s("FileListBox")));
    EXPECT_EQ(left.minimum.width(), 273);

    ComponentFlags rightOnly = allComponents();
    rightOnly[static_cast<size_t>(Component::PlayList)] = false;
    const MainLayout right = ComputeMainLayout(window(600, 300, rightOnly));
    EXPECT_EQ(right.rect(s("FileListBox")).left(), 8);
    EXPECT_EQ(right.rect(s("FileListBox")).width(), 290);
    EXPECT_EQ(right.rect(s("DirectoryListBox")).left(), 8 + 290 + 5);
    EXPECT_EQ(right.rect(s("DriveComboBox")).left(), 290 + 13);
    EXPECT_FALSE(right.isVisible(s("PlayListBox")));
}

TEST(MainLayout, TheMinimumSizeFollowsWhatIsShown) {
    EXPECT_EQ(ComputeMainLayout(window(800, 400)).minimum, QSize(473, 263 + 30 + 20));
    LayoutInput starting = window(800, 400);
    starting.startupFinished = false;
    EXPECT_EQ(ComputeMainLayout(starting).minimum.width(), 273);
    ComponentFlags bare{};  // no list, no bars
    EXPECT_EQ(ComputeMainLayout(window(800, 400, bare)).minimum, QSize(273, 44));
    // A vertical toolbar adds no height.
    LayoutInput vertical = window(800, 400);
    vertical.toolbar = QSize(30, 400);
    vertical.toolbarDock = ToolbarDock::Left;
    const MainLayout layout = ComputeMainLayout(vertical);
    EXPECT_EQ(layout.minimum.height(), 263 + 20);
    EXPECT_EQ(layout.work.left(), 30);
    EXPECT_EQ(layout.rect(s("PlayListBox")).left(), 30 + 12);
}

// The help text shows whole or not at all: from a height of 280, and only where it fits above the
// file buttons.
TEST(MainLayout, TheHelpLabelShowsWholeOnlyWhereTheListsLeaveItRoom) {
    LayoutInput shortText = window(800, 279);
    shortText.sizes.infoHeight = 40;
    EXPECT_FALSE(ComputeMainLayout(shortText).isVisible(s("Info")));
    shortText = window(800, 280);
    shortText.sizes.infoHeight = 40;
    const MainLayout shown = ComputeMainLayout(shortText);
    EXPECT_TRUE(shown.isVisible(s("Info")));
    EXPECT_EQ(shown.rect(s("Info")).top(), (280 - 210) / 2 + 30 + 99);
    EXPECT_EQ(shown.rect(s("Info")).height(), 40);
    // 90 pixels of text with 56 above the file buttons: hidden rather than cut.
    EXPECT_FALSE(ComputeMainLayout(window(800, 280)).isVisible(s("Info")));
    EXPECT_TRUE(ComputeMainLayout(window(800, 360)).isVisible(s("Info")));
}

TEST(MainLayout, AStatusValueOfThirtyOnePlacesRemainingThenLength) {
    const StatusPanelLayout panels = ArrangeStatusPanels(StatusPanelCaptions(s("31")), {473, 125, 15});
    ASSERT_EQ(panels.shown.size(), 2u);
    EXPECT_EQ(panels.shown[0].name, s("RemPanel"));
    EXPECT_EQ(panels.shown[0].left, 5);
    EXPECT_EQ(panels.shown[1].name, s("LengthPanel"));
    EXPECT_EQ(panels.shown[1].left, 135);
}

}  // namespace

namespace {

// The first window's width for lists that want more room: the narrowest at which the Play List and the
// right-hand lists get what they ask, the share kept, never past the limit.
TEST(FirstWindowSize, WidensUntilEachListHasTheRoomItAsksFor) {
    const struct {
        int playList;
        int rightList;
        int from;
        int limit;
        int width;
    } cases[] = {
        {100, 115, 473, 2000, 473},   // the narrowest window already suffices
        {130, 115, 473, 2000, 487},   // a narrow split gives the Play List each pixel gained: 487 - 357
        {200, 115, 473, 2000, 675},   // round(2958 x 675 / 10000) = 200
        {140, 160, 473, 2000, 635},   // (635 - 188 - 127) div 2 = 160: the right-hand lists decide
        {250, 200, 473, 2000, 844},   // round(2958 x 844 / 10000) = 250: the Play List decides
        {250, 200, 900, 2000, 900},   // never narrower than it is
        {900, 200, 473, 1000, 1000},  // what the screen cannot hold stops at its width
    };
    for (const auto& c : cases) {
        const int width = WidthForLists(kDefaultPlayListWidth, 80, c.playList, c.rightList, c.from, c.limit);
        EXPECT_EQ(width, c.width) << c.playList << " " << c.rightList;
        if (width < c.limit && width > c.from) {
            const ListWidths got = SplitListWidths(kDefaultPlayListWidth, width, 80);
            EXPECT_GE(got.playList, c.playList);
            EXPECT_GE(got.rightList, c.rightList);
            const ListWidths less = SplitListWidths(kDefaultPlayListWidth, width - 1, 80);
            EXPECT_TRUE(less.playList < c.playList || less.rightList < c.rightList)
                << "one narrower would do";
        }
    }
}

TEST(FirstWindowSize, TheBuiltInSizeGrowsWithTheFontAndTheScreensDensity) {
    const QSize builtIn(473, 312);
    EXPECT_EQ(ScaleForFont(builtIn, 8, 96), builtIn);
    EXPECT_EQ(ScaleForFont(builtIn, 10, 96), QSize(591, 390));  // 473 x 1.25 = 591.25
    EXPECT_EQ(ScaleForFont(builtIn, 8, 120), QSize(591, 390));
    EXPECT_EQ(ScaleForFont(builtIn, 11, 144), QSize(976, 644));  // x 2.0625
    EXPECT_EQ(ScaleForFont(builtIn, 0, 96), builtIn) << "a font of unknown height changes nothing";
    EXPECT_EQ(ScaleForFont(builtIn, 9, 0), builtIn);
}

TEST(SplitterDrag, TheFirstMoveTakesHoldAndLaterOnesMoveThePlayListEdge) {
    SplitterDrag drag;
    EXPECT_FALSE(drag.move(2, true, 300, 1000).has_value());
    EXPECT_TRUE(drag.dragging());
    EXPECT_EQ(drag.move(52, true, 300, 1000), 3500);  // 300 + 50 of 1000
    EXPECT_EQ(drag.move(-18, true, 350, 1000), 3300);
    // Letting go ends the drag: the next press starts a new one.
    EXPECT_FALSE(drag.move(40, false, 330, 1000).has_value());
    EXPECT_FALSE(drag.dragging());
    EXPECT_FALSE(drag.move(40, true, 330, 1000).has_value());
}

TEST(SplitterDrag, APlayListAtItsNarrowestGrowsButNeverShrinks) {
    SplitterDrag drag;
    drag.move(2, true, 100, 1000);
    EXPECT_FALSE(drag.move(-30, true, 100, 1000).has_value());
    EXPECT_FALSE(drag.move(2, true, 100, 1000).has_value());
    EXPECT_EQ(drag.move(12, true, 100, 1000), 1100);
    EXPECT_FALSE(drag.move(5, true, 0, 0).has_value());  // no width to share
}

}  // namespace
