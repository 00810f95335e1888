#include "core/playlist/playorder.h"
#include "core/playback/positionfinder.h"
#include "core/common/itemref.h"
#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"
#include "core/settings/preferences.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <vector>

namespace {

class PositionFinderTest : public ::testing::Test {
protected:
    PlayList playList;
    ItemSet played{ItemSet::Order::Insertion};
    ItemSet unplayed{ItemSet::Order::Sorted};
    Preferences preferences;
    PlayOrder order{playList, played, unplayed, preferences};
    std::deque<qsizetype> draws;   // scripted random numbers
    std::vector<qsizetype> bounds;  // what each draw was asked to stay below

    void SetUp() override { playList.setPlayedItems(&played); }

    // Items a.mid, b.mid... with these lengths beside them.
    void setList(const std::vector<qint64>& listed) {
        std::vector<PlayListEntry> entries;
        for (size_t i = 0; i < listed.size(); ++i) {
            entries.push_back({ref(static_cast<qsizetype>(i)), listed[i]});
        }
        playList.setEntries(std::move(entries));
        playList.RedrawPlayList(false);
        order.ResetPlayed();
    }
    static QString ref(qsizetype i) {
        return MakeFileItem(QStringLiteral("/m/%1.mid").arg(QChar(static_cast<char16_t>(u'a' + i))));
    }
    void setPlayed(const std::vector<qsizetype>& lines) {
        order.ResetPlayed();
        for (qsizetype line : lines) {
            order.MarkPlayed(playList.item(line), false);
        }
    }
    QStringList playedRefs(const std::vector<qsizetype>& lines) const {
        QStringList refs;
        for (qsizetype line : lines) {
            refs.append(ref(line));
        }
        return refs;
    }
    void select(const std::vector<qsizetype>& lines) {
        playList.clearSelection();
        for (qsizetype line : lines) {
            playList.setSelected(line, true);
        }
    }
    FoundPosition find(qint64 target, bool randomPlay, bool playingSelection = false) {
        return FindPositionInPlayList(playList, order, played, randomPlay, playingSelection, target,
                                      [this](qsizetype bound) {
                                          bounds.push_back(bound);
                                          if (draws.empty()) {
                                              ADD_FAILURE() << "an unexpected draw below " << bound;
                                              return qsizetype{0};
                                          }
                                          const qsizetype value = draws.front();
                                          draws.pop_front();
                                          return value;
                                      });
    }
};

struct Expected {
    qint64 target;
    qsizetype line;
    qint64 offset;
};

TEST_F(PositionFinderTest, InOrderTheFirstItemWhoseRunningTotalReachesTheTarget) {
    setList({60000, 60000, 120000});
    setPlayed({1});
    const Expected cases[] = {
        {0, 0, 0},
        {1, 0, 1},
        {60000, 0, 60000},  // reaching the target exactly stops at that item
        {60001, 1, 1},
        {120000, 1, 60000},
        {std::llround(240000 * 75 * 0.01), 2, 60000},  // 75 %
        {240000, 2, 120000},
        {999999, 2, 120000},  // beyond the end: the end of the last item
    };
    for (const Expected& c : cases) {
        const FoundPosition found = find(c.target, false);
        EXPECT_EQ(found.line, c.line) << c.target;
        EXPECT_EQ(found.offset, c.offset) << c.target;
    }
    EXPECT_TRUE(bounds.empty());
    EXPECT_EQ(played.items(), playedRefs({1}));  // in order the played status is left alone
}

TEST_F(PositionFinderTest, UnknownLengthsCountNothing) {
    for (const qint64 unknown : {qint64{0}, qint64{-1}, qint64{2147483647}}) {
        setList({60000, unknown, 120000});
        const FoundPosition found = find(60001, false);
        EXPECT_EQ(found.line, 2) << unknown;
        EXPECT_EQ(found.offset, 1) << unknown;
    }
}

TEST_F(PositionFinderTest, PlayingASelectionCountsOnlyItsLines) {
    setList({10000, 20000, 30000, 40000});
    select({1, 3});
    const Expected cases[] = {{0, 1, 0}, {20000, 1, 20000}, {25000, 3, 5000}, {60000, 3, 40000}};
    for (const Expected& c : cases) {
        const FoundPosition found = find(c.target, false, true);
        EXPECT_EQ(found.line, c.line) << c.target;
        EXPECT_EQ(found.offset, c.offset) << c.target;
    }
}

TEST_F(PositionFinderTest, AnEmptyListHasNoPosition) {
    setList({});
    EXPECT_EQ(find(0, false).line, -1);
    EXPECT_EQ(find(0, true).line, -1);
}

TEST_F(PositionFinderTest, AtRandomBeyondThePlayedItemsNewItemsAreDrawn) {
    struct Case {
        qint64 target;
        std::vector<qsizetype> draws;
        qsizetype line;
        qint64 offset;
        std::vector<qsizetype> bounds;
        std::vector<qsizetype> playedAfter;
    };
    // Lengths 60 s, 60 s, 120 s, 30 s; the second item was played.
    const Case cases[] = {
        {100000, {1}, 2, 40000, {3}, {1, 2}},
        {200000, {2, 0, 0}, 2, 50000, {3, 2, 1}, {1, 3, 0, 2}},
        {60001, {2}, 3, 1, {3}, {1, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        setList({60000, 60000, 120000, 30000});
        setPlayed({1});
        draws.assign(c.draws.begin(), c.draws.end());
        bounds.clear();

        const FoundPosition found = find(c.target, true);
        EXPECT_EQ(found.line, c.line);
        EXPECT_EQ(found.offset, c.offset);
        EXPECT_EQ(bounds, c.bounds);
        EXPECT_EQ(played.items(), playedRefs(c.playedAfter));
        EXPECT_EQ(played.size() + unplayed.size(), 4);
        EXPECT_FALSE(unplayed.contains(ref(c.line)));
    }
}

TEST_F(PositionFinderTest, AtRandomWithinThePlayedItemsTheyAreWalkedInTheirOrder) {
    struct Case {
        qint64 target;
        qsizetype line;
        qint64 offset;
        std::vector<qsizetype> playedAfter;
    };
    // Lengths 60 s, 60 s, 120 s, 30 s; played third, first, second.
    const Case cases[] = {
        {0, 2, 0, {2}},
        {120000, 2, 120000, {2}},
        {150000, 0, 30000, {2, 0}},
        {240000, 1, 60000, {2, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        setList({60000, 60000, 120000, 30000});
        setPlayed({2, 0, 1});
        bounds.clear();

        const FoundPosition found = find(c.target, true);
        EXPECT_EQ(found.line, c.line);
        EXPECT_EQ(found.offset, c.offset);
        EXPECT_TRUE(bounds.empty());
        EXPECT_EQ(played.items(), playedRefs(c.playedAfter));
        EXPECT_EQ(played.size() + unplayed.size(), 4);
    }
}

TEST_F(PositionFinderTest, AtRandomPlayingASelectionCountsItsPlayedLinesOnly) {
    setList({60000, 60000, 120000, 30000});
    select({0, 2, 3});

    // The second item is played but not selected: the played copy is the third alone (120 s).
    setPlayed({1, 2});
    draws = {1};
    FoundPosition found = find(150000, true, true);
    EXPECT_EQ(found.line, 3);
    EXPECT_EQ(found.offset, 30000);
    EXPECT_EQ(bounds, std::vector<qsizetype>{2});  // the first and the fourth were left to draw
    EXPECT_LT(played.indexOf(ref(2)), played.indexOf(ref(3)));
    EXPECT_TRUE(played.contains(ref(2)));

    setPlayed({3, 1, 2});
    bounds.clear();
    found = find(100000, true, true);
    EXPECT_EQ(found.line, 2);
    EXPECT_EQ(found.offset, 70000);
    EXPECT_TRUE(bounds.empty());
    EXPECT_LT(played.indexOf(ref(3)), played.indexOf(ref(2)));
}

TEST_F(PositionFinderTest, AtRandomAnItemListedTwiceIsDrawnOnce) {
    // a, b, a again, c: once a is drawn, its second line is played as well.
    std::vector<PlayListEntry> entries = {{ref(0), 60000}, {ref(1), 60000}, {ref(0), 60000}, {ref(2), 120000}};
    playList.setEntries(std::move(entries));
    playList.RedrawPlayList(false);
    setPlayed({1});
    draws = {0, 0};

    const FoundPosition found = find(200000, true);
    EXPECT_EQ(found.line, 3);
    EXPECT_EQ(found.offset, 80000);  // 60 s played, a 60 s, then c from 80 s
    EXPECT_EQ(bounds, (std::vector<qsizetype>{2, 1}));
    EXPECT_EQ(played.items(), (QStringList{ref(1), ref(0), ref(2)}));
}

TEST_F(PositionFinderTest, AtRandomWithNothingPlayedTheStartIsADrawnItem) {
    setList({60000, 60000, 120000});
    draws = {1};
    const FoundPosition found = find(0, true);
    EXPECT_EQ(found.line, 1);
    EXPECT_EQ(found.offset, 0);
    EXPECT_EQ(played.items(), QStringList{ref(1)});
}

}  // namespace
