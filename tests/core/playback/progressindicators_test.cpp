#include "core/common/activelists.h"
#include "core/playback/lengthcalculator.h"
#include "core/playback/progressindicators.h"
#include "core/common/timetext.h"
#include "core/common/itemref.h"
#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"
#include "core/settings/preferences.h"
#include "support/fakemediadevice.h"
#include "support/fakes.h"
#include "support/standinlist.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Kind = LengthCalculator::Kind;
using PI = ProgressIndicators;

// Which list plays: the indicators' totals are the Play List's, the disc's or none.
enum class PlaybackSource { None, PlayList, FileList, CDList };

const char* sourceName(PlaybackSource source) {
    switch (source) {
        case PlaybackSource::None:
            return "none";
        case PlaybackSource::PlayList:
            return "Play List";
        case PlaybackSource::FileList:
            return "File List";
        case PlaybackSource::CDList:
            return "CD Audio List";
    }
    return "?";
}

TEST(FormatTime, ShowsHoursMinutesAndSecondsOfAtLeastTwoDigits) {
    const std::pair<qint64, const char*> cases[] = {
        {0, "00:00:00"},           {999, "00:00:00"},          {1000, "00:00:01"},
        {59999, "00:00:59"},       {60000, "00:01:00"},        {3599999, "00:59:59"},
        {3600000, "01:00:00"},     {3725000, "01:02:05"},      {359999999, "99:59:59"},
        {360000000, "100:00:00"},  {-4000, "00:00:00"},
    };
    for (const auto& [ms, text] : cases) {
        EXPECT_EQ(FormatTime(ms), s(text)) << ms;
    }
}

class ProgressIndicatorsTest : public ::testing::Test {
protected:
    PlayList playList;
    ItemSet played{ItemSet::Order::Insertion};
    StandInList playListInLists{&playList, ListTotals::PlayList};
    StandInList fileList;
    StandInList cdList{nullptr, ListTotals::Disc};
    ActiveLists lists{playListInLists};
    Preferences preferences;
    FakeMediaDevice device;
    FakeLengthProbe probe{device};
    FakePrompter prompter;
    FakeTimer timer;
    LengthCalculator lengths{{playList, played, device, probe, prompter, timer}};
    ProgressIndicators indicators{playList, played, lists, preferences, lengths};

    void SetUp() override {
        playList.setPlayedItems(&played);
        setSource(PlaybackSource::PlayList);
    }
    void setSource(PlaybackSource source) {
        MediaList* const sources[] = {nullptr, &playListInLists, &fileList, &cdList};
        lists.setPlaying(sources[static_cast<int>(source)]);
    }
    // Items /m/0.mid, /m/1.mid... with these known lengths.
    void setList(const std::vector<qint64>& listed) {
        std::vector<PlayListEntry> entries;
        for (size_t i = 0; i < listed.size(); ++i) {
            entries.push_back({MakeFileItem(QStringLiteral("/m/%1.mid").arg(i)), listed[i]});
        }
        playList.setEntries(std::move(entries));
        playList.RedrawPlayList(false);
        lengths.markPlayListChanged();
    }
    void select(std::initializer_list<qsizetype> lines) {
        playList.clearSelection();
        for (qsizetype line : lines) {
            playList.setSelected(line, true);
        }
    }
    void setCurrent(int line) {
        playList.setCurrentItem(line);
        lengths.markCurrentChanged();
    }
    void setAllModes(int mode) { preferences.indicatorModes = {mode, mode, mode, mode}; }
};

TEST_F(ProgressIndicatorsTest, ZeroIsNotALengthButIsAPosition) {
    indicators.ShowLength(0);
    indicators.ShowPosition(0);
    indicators.ShowRemaining(0);
    EXPECT_EQ(indicators.texts().length, s("N / A"));
    EXPECT_EQ(indicators.texts().position, s("00:00:00"));
    EXPECT_EQ(indicators.texts().remaining, s("00:00:00"));
}

TEST_F(ProgressIndicatorsTest, TheLengthIndicatorInItemMode) {
    struct Case {
        PlaybackSource source;
        qint64 value;
        const char* text;
    };
    const Case cases[] = {
        {PlaybackSource::PlayList, 3725000, "01:02:05"}, {PlaybackSource::FileList, 61000, "00:01:01"},
        {PlaybackSource::None, 61000, "N / A"},          {PlaybackSource::PlayList, -1, "N / A"},
        {PlaybackSource::PlayList, 999, "N / A"},  // shows as 00:00:00
        {PlaybackSource::PlayList, -2, "N / A"},   // a refresh with nothing known
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << sourceName(c.source) << ", " << c.value);
        setSource(c.source);
        ProgressIndicators fresh{playList, played, lists, preferences, lengths};
        fresh.ShowLength(c.value);
        EXPECT_EQ(fresh.texts().length, s(c.text));
    }
    // A refresh keeps the length last shown.
    indicators.ShowLength(61000);
    indicators.ShowLength(-2);
    EXPECT_EQ(indicators.texts().length, s("00:01:01"));
    EXPECT_EQ(indicators.itemLength(), 61000);
}

TEST_F(ProgressIndicatorsTest, TheModeDigitThatAppliesDependsOnTheSource) {
    struct Case {
        int mode;
        bool playListDigit;  // tens
        bool cdDigit;        // units
    };
    const Case cases[] = {{0, false, false}, {1, false, true}, {10, true, false}, {11, true, true}};
    for (const Case& c : cases) {
        for (const PlaybackSource source : {PlaybackSource::None, PlaybackSource::PlayList,
                                            PlaybackSource::FileList, PlaybackSource::CDList}) {
            SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", " << sourceName(source));
            setSource(source);
            preferences.indicatorModes = {c.mode, 0, 0, 0};
            const bool isTotals = source == PlaybackSource::CDList ? c.cdDigit : c.playListDigit;
            EXPECT_EQ(indicators.IsTotals(PI::Length), isTotals);
            const bool fromList = source == PlaybackSource::PlayList || source == PlaybackSource::CDList;
            EXPECT_EQ(indicators.showsTotals(PI::Length), fromList && isTotals);
            EXPECT_FALSE(indicators.IsTotals(PI::Position));
        }
    }
}

TEST_F(ProgressIndicatorsTest, ToggleChangesOnlyTheDigitThatApplies) {
    struct Case {
        int mode;
        PlaybackSource source;
        int after;
    };
    const Case cases[] = {
        {0, PlaybackSource::PlayList, 10}, {10, PlaybackSource::PlayList, 0}, {11, PlaybackSource::PlayList, 1},
        {0, PlaybackSource::CDList, 1},    {11, PlaybackSource::CDList, 10},  {1, PlaybackSource::None, 11},
        {11, PlaybackSource::FileList, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", " << sourceName(c.source));
        setSource(c.source);
        for (const PI::Indicator indicator : {PI::Length, PI::Position, PI::Remaining, PI::Percent}) {
            setAllModes(c.mode);
            indicators.toggle(indicator);
            EXPECT_EQ(preferences.indicatorModes[static_cast<size_t>(indicator)], c.after) << "indicator " << indicator;
        }
    }
}

TEST_F(ProgressIndicatorsTest, ChoosingTotalsWhileThePlayListPlaysComputesItsTotal) {
    setList({60000, 60000, 120000});
    for (const PlaybackSource source : {PlaybackSource::FileList, PlaybackSource::CDList}) {
        setSource(source);
        indicators.setTotals(PI::Position, true);
        EXPECT_EQ(lengths.cached(Kind::WholePlayList), 0) << sourceName(source);
    }
    setSource(PlaybackSource::PlayList);
    indicators.setTotals(PI::Position, true);
    EXPECT_EQ(lengths.cached(Kind::WholePlayList), 240000);

    // The length indicator shows its new mode at once.
    indicators.ShowLength(60000);
    EXPECT_EQ(indicators.texts().length, s("00:01:00"));
    indicators.setTotals(PI::Length, true);
    EXPECT_EQ(indicators.texts().length, s("00:04:00"));
    indicators.setTotals(PI::Length, false);
    EXPECT_EQ(indicators.texts().length, s("00:01:00"));
}

TEST_F(ProgressIndicatorsTest, LeavingPlayListTotalsKeepsTheCDDigits) {
    preferences.indicatorModes = {0, 1, 10, 11};
    indicators.leavePlayListTotals();
    EXPECT_EQ(preferences.indicatorModes, (std::array<int, 4>{0, 1, 0, 1}));
}

TEST_F(ProgressIndicatorsTest, TotalsAreShownOnlyWhileAListIsTheSource) {
    setList({60000, 60000, 120000});
    setCurrent(1);
    select({1});
    setAllModes(11);
    indicators.setItemLength(60000);
    struct Case {
        PlaybackSource source;
        const char* length;
        const char* position;
        const char* remaining;
    };
    const Case cases[] = {
        {PlaybackSource::PlayList, "00:04:00", "00:01:10", "00:02:50"},
        {PlaybackSource::FileList, "00:01:00", "00:00:10", "00:00:50"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(sourceName(c.source));
        setSource(c.source);
        indicators.ShowLength(-2);
        indicators.ShowPosition(10000);
        indicators.ShowRemaining(50000);
        EXPECT_EQ(indicators.texts().length, s(c.length));
        EXPECT_EQ(indicators.texts().position, s(c.position));
        EXPECT_EQ(indicators.texts().remaining, s(c.remaining));
    }
}

TEST_F(ProgressIndicatorsTest, ElapsedAndRemainingInThePlayList) {
    // Lengths 60 s, 60 s, 120 s, 30 s; the current item (line 2) is 10 s in.
    struct Case {
        const char* name;
        bool randomPlay;
        std::vector<qsizetype> selected;
        std::vector<qsizetype> played;
        qint64 elapsed;
        qint64 remaining;
    };
    const Case cases[] = {
        {"in order", false, {2}, {0, 1, 2}, 130000, 140000},
        {"in order, playing a selection", false, {0, 2}, {0, 2}, 70000, 110000},
        {"in order, the current line outside the selection", false, {0, 1}, {0, 1, 2}, 130000, 140000},
        {"at random", true, {2}, {3, 2}, 40000, 230000},
        {"at random, playing a selection", true, {0, 2}, {3, 2}, 10000, 170000},
    };
    setList({60000, 60000, 120000, 30000});
    setAllModes(10);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        preferences.randomPlay = c.randomPlay;
        setCurrent(2);
        playList.clearSelection();
        for (qsizetype line : c.selected) {
            playList.setSelected(line, true);
        }
        played.clear();
        for (qsizetype line : c.played) {
            played.add(playList.item(line));
        }
        lengths.markPlayedChanged();
        indicators.setItemLength(120000);

        indicators.ShowPosition(10000);
        indicators.ShowRemaining(110000);
        EXPECT_EQ(indicators.texts().position, FormatTime(c.elapsed));
        EXPECT_EQ(indicators.texts().remaining, FormatTime(c.remaining));
        EXPECT_EQ(indicators.elapsedInPlayList(), c.elapsed);
        EXPECT_EQ(indicators.remainingInPlayList(), c.remaining);
        EXPECT_EQ(indicators.itemPosition(), 10000);
    }
}

TEST_F(ProgressIndicatorsTest, TheLengthTotalIsTheSelectionWheneverMoreThanOneLineIsSelected) {
    setList({60000, 60000, 120000, 30000});
    setCurrent(3);
    preferences.indicatorModes[PI::Length] = 10;
    const std::pair<std::vector<qsizetype>, const char*> cases[] = {
        {{3}, "00:04:30"},
        {{0, 2}, "00:03:00"},  // the current line need not be one of them
        {{0, 3}, "00:01:30"},
    };
    for (const auto& [selected, text] : cases) {
        playList.clearSelection();
        for (qsizetype line : selected) {
            playList.setSelected(line, true);
        }
        indicators.ShowLength(-2);
        EXPECT_EQ(indicators.texts().length, s(text));
    }
}

TEST_F(ProgressIndicatorsTest, WhileTheBarIsDraggedTheDraggedValueIsShownAndNothingMoves) {
    setList({60000, 60000});
    setCurrent(1);
    setAllModes(10);
    indicators.setItemLength(60000);
    indicators.ShowPosition(5000);
    indicators.setDragging(true);
    indicators.ShowPosition(100000);
    indicators.ShowRemaining(20000);
    EXPECT_EQ(indicators.texts().position, s("00:01:40"));
    EXPECT_EQ(indicators.texts().remaining, s("00:00:20"));
    EXPECT_EQ(indicators.itemPosition(), 5000);
}

TEST_F(ProgressIndicatorsTest, PercentOfTheItem) {
    indicators.setItemLength(120000);
    struct Step {
        const char* name;
        qint64 position;  // handed to the position indicator first; -1 leaves it
        qint64 value;
        const char* text;
        int bar;
        bool enabled;
    };
    const Step steps[] = {
        {"a refresh", 30000, -2, "25 %", 25, true},
        {"a value", -1, 60, "60 %", 60, true},
        {"rounded", 40000, -2, "33 %", 33, true},
        {"a refresh beyond the end changes nothing", 130000, -2, "33 %", 33, true},
        {"a value above 100 changes nothing", -1, 101, "33 %", 33, true},
        {"the end", 120000, -2, "100 %", 100, true},
        {"nothing to show", -1, -1, "N / A", 100, false},
        {"shown again", 0, -2, "0 %", 0, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        if (step.position >= 0) {
            indicators.ShowPosition(step.position);
        }
        EXPECT_TRUE(indicators.ShowPercent(step.value));
        EXPECT_EQ(indicators.texts().percent, s(step.text));
        if (step.value != -1) {
            EXPECT_EQ(indicators.barValue(), step.bar);
        }
        EXPECT_EQ(indicators.barEnabled(), step.enabled);
    }
}

TEST_F(ProgressIndicatorsTest, PercentOfThePlayListUsesItsComputedTotal) {
    setList({60000, 60000, 120000, 30000});
    setCurrent(2);
    select({2});
    setAllModes(10);
    indicators.setItemLength(120000);
    // Nothing computed yet: no length to divide by, and nothing is measured to find one.
    indicators.ShowPosition(10000);
    EXPECT_FALSE(indicators.ShowPercent(-2));
    EXPECT_EQ(indicators.texts().percent, s("N / A"));
    EXPECT_EQ(lengths.cached(Kind::WholePlayList), 0);

    ASSERT_EQ(lengths.PlayListLength(Kind::WholePlayList), 270000);
    EXPECT_TRUE(indicators.ShowPercent(-2));
    EXPECT_EQ(indicators.texts().percent, s("48 %"));  // 130 s of 270 s
    EXPECT_EQ(indicators.IndicatorLength(PI::Percent), 270000);

    // Playing a selection divides by the selected total, once it was computed.
    select({0, 2});
    ASSERT_EQ(lengths.PlayListLength(Kind::Selected), 180000);
    EXPECT_EQ(indicators.IndicatorLength(PI::Percent), 180000);
    EXPECT_TRUE(indicators.ShowPercent(-2));
    EXPECT_EQ(indicators.texts().percent, s("39 %"));  // 70 s of 180 s
    // An indicator in item mode keeps the item's length.
    preferences.indicatorModes[PI::Length] = 0;
    EXPECT_EQ(indicators.IndicatorLength(PI::Length), 120000);
}

TEST_F(ProgressIndicatorsTest, ATotalsLengthWithoutACurrentItemStartsAtTheFirst) {
    setList({60000, 60000});
    setAllModes(10);
    lengths.PlayListLength(Kind::WholePlayList);
    for (const int current : {-1, 2, 7}) {
        playList.setCurrentItem(current);
        EXPECT_EQ(indicators.IndicatorLength(PI::Percent), 120000);
        EXPECT_EQ(playList.CurrentItem(), 0) << current;
    }
}

TEST_F(ProgressIndicatorsTest, NoLengthToDivideByIsReportedNotThrown) {
    // Totals over items of unknown length: the caller closes and resets, the percent reads "N / A".
    setList({0, 0});
    setCurrent(0);
    setAllModes(10);
    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 0);
    EXPECT_FALSE(indicators.ShowPercent(50));
    EXPECT_EQ(indicators.texts().percent, s("N / A"));
    // Item mode with no length known either.
    setAllModes(0);
    EXPECT_FALSE(indicators.ShowPercent(-2));
}

TEST_F(ProgressIndicatorsTest, TheMidiResetLeavesThePercentAlone) {
    indicators.setItemLength(100000);
    indicators.ShowPosition(20000);
    indicators.ShowPercent(-2);
    indicators.setMidiResetting(true);
    indicators.ShowPosition(90000);
    indicators.ShowPercent(-2);
    EXPECT_EQ(indicators.texts().percent, s("20 %"));
    EXPECT_EQ(indicators.barValue(), 20);
    indicators.setMidiResetting(false);
    indicators.ShowPercent(-2);
    EXPECT_EQ(indicators.barValue(), 90);
}

TEST_F(ProgressIndicatorsTest, ModeMenusNameTheItemAndTheWhole) {
    struct Case {
        PI::Indicator indicator;
        PlaybackSource source;
        std::vector<qsizetype> selected;  // the current line is 1
        const char* itemCaption;
        const char* itemHint;
        const char* totalsCaption;
        const char* totalsHint;
    };
    const Case cases[] = {
        {PI::Length, PlaybackSource::PlayList, {1}, "Show Length of &Item", "Show the length of only the current item",
         "Show Length of &Play List", "Show the length of the whole Play List"},
        {PI::Length, PlaybackSource::CDList, {1}, "Show Length of &Track", "Show the length of only the current track",
         "Show Length of &Compact Disc", "Show the length of the whole Compact Disc"},
        {PI::Length, PlaybackSource::PlayList, {0, 2}, "Show Length of &Item",
         "Show the length of only the current item", "Show Length of &Selection",
         "Show the length of the whole Selection"},
        {PI::Length, PlaybackSource::CDList, {0, 1}, "Show Length of &Track",
         "Show the length of only the current track", "Show Length of &Compact Disc",
         "Show the length of the whole Compact Disc"},
        {PI::Position, PlaybackSource::PlayList, {1}, "Show Position In &Item",
         "Show the position in only the current item", "Show Position In &Play List",
         "Show the position in the whole Play List"},
        // Position and remaining speak of a selection only while it plays; their hints always do.
        {PI::Position, PlaybackSource::PlayList, {0, 2}, "Show Position In &Item",
         "Show the position in only the current item", "Show Position In &Play List",
         "Show the position in the whole Selection"},
        {PI::Position, PlaybackSource::PlayList, {0, 1}, "Show Position In &Item",
         "Show the position in only the current item", "Show Position In &Selection",
         "Show the position in the whole Selection"},
        {PI::Remaining, PlaybackSource::PlayList, {0, 2}, "Show Remaining Time In &Item",
         "Show the remaining time in only the current item", "Show Remaining Time In &Play List",
         "Show the remaining time in the whole Selection"},
        {PI::Remaining, PlaybackSource::PlayList, {1, 2}, "Show Remaining Time In &Item",
         "Show the remaining time in only the current item", "Show Remaining Time In &Selection",
         "Show the remaining time in the whole Selection"},
        {PI::Remaining, PlaybackSource::CDList, {1}, "Show Remaining Time In &Track",
         "Show the remaining time in only the current track", "Show Remaining Time In &Compact Disc",
         "Show the remaining time in the whole Compact Disc"},
        {PI::Percent, PlaybackSource::PlayList, {1}, "Show Position In &Item",
         "Show the position in only the current item", "Show Position In &Play List",
         "Show the position in the whole Play List"},
        {PI::Percent, PlaybackSource::CDList, {1}, "Show Position In &Track",
         "Show the position in only the current track", "Show Position In &Compact Disc",
         "Show the position in the whole Compact Disc"},
    };
    setList({1000, 1000, 1000});
    playList.setCurrentItem(1);
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << ++n);
        setSource(c.source);
        playList.clearSelection();
        for (qsizetype line : c.selected) {
            playList.setSelected(line, true);
        }
        const PI::ModeMenu menu = indicators.modeMenu(c.indicator);
        EXPECT_EQ(menu.itemCaption, s(c.itemCaption));
        EXPECT_EQ(menu.itemHint, s(c.itemHint));
        EXPECT_EQ(menu.totalsCaption, s(c.totalsCaption));
        EXPECT_EQ(menu.totalsHint, s(c.totalsHint));
        EXPECT_TRUE(menu.enabled);
    }
}

TEST_F(ProgressIndicatorsTest, ModeMenusAreEnabledOnlyForAListAndCheckTheModeThatApplies) {
    struct Case {
        PlaybackSource source;
        int mode;
        bool enabled;
        bool totals;
    };
    const Case cases[] = {
        {PlaybackSource::None, 10, false, true},     {PlaybackSource::FileList, 0, false, false},
        {PlaybackSource::PlayList, 10, true, true},  {PlaybackSource::PlayList, 1, true, false},
        {PlaybackSource::CDList, 1, true, true},     {PlaybackSource::CDList, 10, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << sourceName(c.source) << ", mode " << c.mode);
        setSource(c.source);
        setAllModes(c.mode);
        const PI::ModeMenu menu = indicators.modeMenu(PI::Remaining);
        EXPECT_EQ(menu.enabled, c.enabled);
        EXPECT_EQ(menu.totals, c.totals);
    }
}

}  // namespace
