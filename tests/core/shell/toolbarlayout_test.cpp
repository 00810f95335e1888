#include "core/shell/toolbarlayout.h"
#include "core/settings/inifile.h"
#include "core/settings/toolbarsettings.h"
#include "core/shell/toolbarindicators.h"
#include "core/shell/toolbartable.h"

#include "support/qtprinters.h"

#include <gtest/gtest.h>

namespace {

using Button = ToolbarLayout::Button;

QStringList names(const ToolbarLayout& layout) {
    QStringList found;
    for (const Button& button : layout.buttons) {
        found.append(button.name);
    }
    return found;
}

ToolbarLayout oneButtonAtBottom() {
    ToolbarLayout layout;
    layout.edge = ToolbarEdge::Bottom;
    layout.thickness = 40;
    layout.buttons = {{s("StopSI"), 3, 3}};
    return layout;
}

TEST(ToolbarLayout, EveryButtonIsACommandOfTheSevenCategoriesOnce) {
    QStringList seen;
    for (const ToolbarCategory& category : ToolbarCategories()) {
        for (const ToolbarButton& button : category.buttons) {
            EXPECT_FALSE(seen.contains(button.name)) << button.name.toStdString();
            seen.append(button.name);
        }
    }
    EXPECT_EQ(ToolbarCategories().size(), 7u);
    EXPECT_EQ(seen.size(), 61);
    EXPECT_EQ(FindToolbarButton(s("playsi"))->name, s("PlaySI"));
    EXPECT_EQ(FindToolbarButton(s("NoSuchSI")), nullptr);
}

TEST(ToolbarLayout, TheDefaultIsSixteenButtonsInOneRowTwentyNinePixelsHigh) {
    const ToolbarLayout layout = DefaultToolbarLayout();
    EXPECT_EQ(layout.edge, ToolbarEdge::Top);
    EXPECT_EQ(layout.thickness, 29);
    EXPECT_EQ(names(layout), lines({"NewSI", "OpenSI", "SaveSI", "FindSI", "FloatingPalSI", "MixerSI",
                                    "FavFoldersSI", "FavPlayListsSI", "PrefSI", "PlaySI", "PauseSI", "StopSI",
                                    "RewindSI", "PrevSI", "NextSI", "ContentsSI"}));
    for (const Button& button : layout.buttons) {
        EXPECT_EQ(button.top, 3) << button.name.toStdString();
    }
}

// The bar shows one line: the gaps of the stored places survive the trip through it.
TEST(ToolbarLayout, ALineKeepsTheGapsAndGivesBackTheSamePlaces) {
    const ToolbarLayout layout = DefaultToolbarLayout();
    const std::vector<ToolbarLineItem> line = ToolbarLine(layout);
    ASSERT_EQ(line.size(), 16u);
    EXPECT_EQ(line[0], (ToolbarLineItem{s("NewSI"), 0}));
    EXPECT_EQ(line[3], (ToolbarLineItem{s("PlaySI"), 11}));  // 47 + 22 + 11 = 80
    EXPECT_EQ(LayoutOfLine(ToolbarEdge::Top, 29, line), layout);

    // Docked at the side, the same line runs down the bar.
    const ToolbarLayout down = LayoutOfLine(ToolbarEdge::Left, 29, line);
    EXPECT_EQ(down.buttons.front(), (Button{s("NewSI"), 3, 3}));
    EXPECT_EQ(down.buttons.back(), (Button{s("ContentsSI"), 3, 388}));
    EXPECT_EQ(ToolbarLine(down), line);
    // A stored edge without buttons turns the bar's own line, gaps and all.
    const IniFile leftOnly(lines({"[TVLPMainSpeedBar]", "Version=1", "Position=3"}));
    EXPECT_EQ(ReadToolbarLayout(leftOnly, 96, layout), down);
}

// ---------------------------------------------------------------------------------------------
// The stored section

TEST(ToolbarLayout, AWrittenLayoutReadsBackAndKeepsForeignKeys) {
    IniFile file(lines({"[TVLPMainSpeedBar]", "Visible=1", "Button9=OldSI,1,1"}));
    ToolbarLayout layout = LayoutOfLine(ToolbarEdge::Right, 31, {{s("LoopSongOnceSI"), 0}, {s("NewSI"), 5}});
    WriteToolbarLayout(file, layout, 96);
    EXPECT_EQ(file.value(s("TVLPMainSpeedBar"), s("Visible")), s("1"));
    EXPECT_FALSE(file.contains(s("TVLPMainSpeedBar"), s("Button9")));
    EXPECT_EQ(file.value(s("TVLPMainSpeedBar"), s("Count")), s("2"));
    // Numbered in the order of the categories: File before Audio.
    EXPECT_EQ(file.value(s("TVLPMainSpeedBar"), s("Button1")), s("NewSI,3,30"));
    EXPECT_EQ(file.value(s("TVLPMainSpeedBar"), s("Button2")), s("LoopSongOnceSI,3,3"));
    EXPECT_EQ(ReadToolbarLayout(file, 96, DefaultToolbarLayout()), layout);
}

TEST(ToolbarLayout, ALayoutOfAnotherDensityOrAnOlderVersionIsIgnoredWhole) {
    const QStringList stored = lines({"[TVLPMainSpeedBar]", "Version=1", "Position=3", "Width=40",
                                      "PixelsPerInch=120", "Count=1", "Button1=StopSI,3,3"});
    EXPECT_FALSE(ReadToolbarLayout(IniFile(stored), 96, DefaultToolbarLayout()).has_value());
    EXPECT_TRUE(ReadToolbarLayout(IniFile(stored), 120, DefaultToolbarLayout()).has_value());

    QStringList older = stored;
    older[1] = s("Version=0");
    EXPECT_FALSE(ReadToolbarLayout(IniFile(older), 120, DefaultToolbarLayout()).has_value());
    EXPECT_FALSE(
        ReadToolbarLayout(IniFile(lines({"[Playlist]", "RandomPlay=1"})), 96, DefaultToolbarLayout()));
}

struct DamagedCase {
    const char* what;
    QStringList stored;
    ToolbarLayout expected;
};

TEST(ToolbarLayout, ADamagedLayoutIsReadForWhatItSaysSoundly) {
    const ToolbarLayout current = oneButtonAtBottom();
    ToolbarLayout top = current;
    top.edge = ToolbarEdge::Top;
    ToolbarLayout empty = current;
    empty.buttons.clear();
    ToolbarLayout pause = current;
    pause.buttons = {{s("NewSI"), 3, 3}, {s("PauseSI"), 25, 3}};
    const DamagedCase cases[] = {
        {"an edge outside 1-4 means top", lines({"[TVLPMainSpeedBar]", "Version=1", "Position=9"}), top},
        {"an unreadable edge means top", lines({"[TVLPMainSpeedBar]", "Version=1", "Position=left"}), top},
        {"no positive Count keeps the buttons",
         lines({"[TVLPMainSpeedBar]", "Version=1", "Position=2", "Count=0", "Button1=NewSI,3,3"}), current},
        {"a Count of two billion reads the keys there are",
         lines({"[TVLPMainSpeedBar]", "Version=1", "Position=2", "Count=2000000000", "Button7=PauseSI,25,3",
                "Button2=NewSI,3,3"}),
         pause},
        {"unknown names and entries without two integers are skipped",
         lines({"[TVLPMainSpeedBar]", "Version=1", "Position=2", "Count=6", "Button1=NoSuchSI,3,3",
                "Button2=PauseSI,x,3", "Button3=PauseSI,25", "Button4=,3,3", "Button5=NewSI,3,3,4",
                "Button6=pausesi,25,3", "Button7=StopSI,47,3"}),
         [&] {
             ToolbarLayout only = current;
             only.buttons = {{s("PauseSI"), 25, 3}};
             return only;
         }()},
        {"naming no known button empties the bar",
         lines({"[TVLPMainSpeedBar]", "Version=1", "Position=2", "Count=1", "Button1=NoSuchSI,3,3"}), empty},
        {"a damaged thickness keeps the bar's",
         lines({"[TVLPMainSpeedBar]", "Version=1", "Position=2", "Width=99999"}), current},
    };
    for (const DamagedCase& c : cases) {
        const auto read = ReadToolbarLayout(IniFile(c.stored), 96, current);
        ASSERT_TRUE(read.has_value()) << c.what;
        EXPECT_EQ(*read, c.expected) << c.what;
    }
}

// ---------------------------------------------------------------------------------------------
// The position bar and the percent

TEST(ToolbarIndicators, AHorizontalBarPutsThePositionBarAfterTheFirstRow) {
    const ToolbarIndicatorPlaces places =
        PlaceToolbarIndicators(DefaultToolbarLayout(), 600, {40, 16}, {12, 16});
    EXPECT_FALSE(places.vertical);
    EXPECT_EQ(places.scrollBar, QRect(388 + 22 + 8, 6, 600 - 388 - 22 - 63, 16));
    EXPECT_EQ(places.progressLabel, QPoint(places.scrollBar.right() + 1 + 4, 7));
    EXPECT_EQ(places.percentButton.x(), places.progressLabel.x() + 40 - 4);

    // A wider percent (a larger font) still ends inside the bar.
    const ToolbarIndicatorPlaces wide =
        PlaceToolbarIndicators(DefaultToolbarLayout(), 600, {60, 16}, {16, 16});
    EXPECT_LE(wide.percentButton.x() + 16, 600);
    EXPECT_EQ(wide.progressLabel.x(), wide.scrollBar.right() + 1 + 4);
}

TEST(ToolbarIndicators, AVerticalBarPutsThePercentUnderThePositionBar) {
    ToolbarLayout layout = LayoutOfLine(ToolbarEdge::Left, 29, ToolbarLine(DefaultToolbarLayout()));
    const ToolbarIndicatorPlaces left = PlaceToolbarIndicators(layout, 500, {40, 16}, {12, 16});
    EXPECT_TRUE(left.vertical);
    EXPECT_EQ(left.scrollBar, QRect(5, 388 + 22 + 8, 16, 500 - 388 - 22 - 28));
    EXPECT_EQ(left.progressLabel, QPoint(-6, left.scrollBar.bottom() + 1 + 4));
    layout.edge = ToolbarEdge::Right;
    const ToolbarIndicatorPlaces right = PlaceToolbarIndicators(layout, 500, {40, 16}, {12, 16});
    EXPECT_EQ(right.scrollBar.left(), 7);
    EXPECT_EQ(right.progressLabel.x(), -3);
    EXPECT_EQ(ToolbarPercentText(s("42 %"), true), s("42"));
    EXPECT_EQ(ToolbarPercentText(s("42 %"), false), s("42 %"));
    EXPECT_EQ(ToolbarPercentText(s("N / A"), true), s("N / A"));
}

TEST(ToolbarIndicators, AnEmptyFirstRowStartsFromTheGridAndAShortBarNeverGoesNegative) {
    ToolbarLayout layout;
    layout.buttons = {{s("PlaySI"), 3, 30}};  // a second row only
    const ToolbarIndicatorPlaces places = PlaceToolbarIndicators(layout, 400, {40, 16}, {12, 16});
    EXPECT_EQ(places.scrollBar, QRect(3 + 8, 6, 400 - 3 - 63, 16));

    const ToolbarIndicatorPlaces narrow =
        PlaceToolbarIndicators(DefaultToolbarLayout(), 200, {40, 16}, {12, 16});
    EXPECT_EQ(narrow.scrollBar.width(), 0);
    EXPECT_GE(narrow.scrollBar.left(), 388 + 22);
    layout.edge = ToolbarEdge::Left;
    EXPECT_EQ(PlaceToolbarIndicators(layout, 10, {40, 16}, {12, 16}).scrollBar.height(), 0);
}

}  // namespace
