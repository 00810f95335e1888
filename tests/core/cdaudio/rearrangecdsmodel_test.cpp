#include "core/cdaudio/rearrangecdsmodel.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

namespace {

TEST(RearrangeCDsModel, MovesTheSelectedEntryWithinTheListAndKeepsItSelected) {
    RearrangeCDsModel model(lines({"Piano", "Live", "Songs"}), 0);
    EXPECT_FALSE(model.moveUp());
    EXPECT_EQ(model.order(), (QList<int>{0, 1, 2}));

    EXPECT_TRUE(model.moveDown());
    EXPECT_TRUE(model.moveDown());
    EXPECT_EQ(model.selected(), 2);
    EXPECT_FALSE(model.moveDown());
    EXPECT_EQ(model.names(), lines({"Live", "Songs", "Piano"}));
    EXPECT_EQ(model.order(), (QList<int>{1, 2, 0}));

    model.select(-1);
    EXPECT_FALSE(model.moveUp());
    EXPECT_EQ(model.order(), (QList<int>{1, 2, 0}));
}

TEST(RearrangeCDsModel, TwoDiscsOfTheSameNameStayTwoEntries) {
    const QStringList names = lines({"Live", "Piano", "live"});
    // The shown disc's name picks the first entry that matches in any case.
    EXPECT_EQ(RearrangeCDsModel::initialSelection(names, s("LIVE")), 0);
    EXPECT_EQ(RearrangeCDsModel::initialSelection(names, s("Unknown CD")), 0);
    EXPECT_EQ(RearrangeCDsModel::initialSelection(QStringList(), s("Live")), -1);

    RearrangeCDsModel model(names, 2);
    EXPECT_TRUE(model.moveUp());
    EXPECT_TRUE(model.moveUp());
    EXPECT_EQ(model.order(), (QList<int>{2, 0, 1}));
    EXPECT_EQ(model.countLabel(), s("Number of CDs in the Database: 3"));
}

TEST(RearrangeCDsModel, AnEmptyDatabaseShowsTheFirstTextAndMovesNothing) {
    RearrangeCDsModel model(QStringList(), 0);
    EXPECT_EQ(model.selected(), -1);
    EXPECT_FALSE(model.moveDown());
    EXPECT_TRUE(model.order().isEmpty());
    EXPECT_EQ(model.countLabel(), s("Total Number of CDs in the Database: 0 "));
}

}  // namespace
