#include "core/playlist/itemset.h"
#include "support/qtprinters.h"

#include "core/common/itemref.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

QString file(const char* path) {
    return MakeFileItem(s(path));
}

QStringList files(std::initializer_list<const char*> paths) {
    QStringList list;
    for (const char* path : paths) {
        list.append(file(path));
    }
    return list;
}

std::string show(const QStringList& list) {
    return list.join(QStringLiteral(" | ")).toStdString();
}

class ItemSetOrders : public ::testing::TestWithParam<ItemSet::Order> {};

// Two paths that differ in letter case are two files; a CD track is its disc and track number.
TEST_P(ItemSetOrders, DuplicatesAreTheSameItemOnly) {
    ItemSet set(GetParam());
    EXPECT_TRUE(set.add(file("/music/Waltz.mid")));
    EXPECT_FALSE(set.add(file("/music/Waltz.mid")));
    EXPECT_TRUE(set.add(file("/MUSIC/waltz.MID")));
    EXPECT_TRUE(set.add(s("[file=\"/music/waltz.mid\"]")));
    EXPECT_TRUE(set.add(file("/music/Müller.mid")));
    EXPECT_TRUE(set.add(file("/music/MÜLLER.mid")));
    EXPECT_TRUE(set.add(MakeCDItem(1234567, 3)));
    EXPECT_FALSE(set.add(s("[CDID=1234567,T=03]")));
    EXPECT_EQ(set.size(), 6);
    // The first spelling is the one kept.
    EXPECT_TRUE(set.items().contains(MakeCDItem(1234567, 3)));
    EXPECT_EQ(set.indexOf(s("[CDID=1234567,T=03]")), set.indexOf(MakeCDItem(1234567, 3)));
}

TEST_P(ItemSetOrders, ContainsAndIndexOfMatchTheItemExactly) {
    ItemSet set(GetParam());
    set.addAll(files({"/m/c.mid", "/m/A.mid", "/m/b.mid"}));
    for (const QString& item : set.items()) {
        ASSERT_GE(set.indexOf(item), 0) << item.toStdString();
        EXPECT_EQ(set.at(set.indexOf(item)), item);
        EXPECT_FALSE(set.contains(item.toUpper())) << item.toStdString();
        EXPECT_EQ(set.indexOf(item.toUpper()), -1);
    }
    EXPECT_FALSE(set.contains(file("/m/d.mid")));
    EXPECT_EQ(set.indexOf(file("/m/d.mid")), -1);
    EXPECT_EQ(set.indexOf(file("/m/a.mi")), -1);
}

TEST_P(ItemSetOrders, RemovingTakesTheItemOutAndAllowsAddingAgain) {
    ItemSet set(GetParam());
    set.addAll(files({"/m/a.mid", "/m/B.mid", "/m/b.mid", "/m/c.mid"}));
    EXPECT_FALSE(set.remove(file("/M/b.MID")));
    EXPECT_TRUE(set.remove(file("/m/B.mid")));
    EXPECT_FALSE(set.contains(file("/m/B.mid")));
    EXPECT_TRUE(set.contains(file("/m/b.mid")));
    EXPECT_EQ(set.indexOf(file("/m/B.mid")), -1);
    EXPECT_EQ(set.size(), 3);
    EXPECT_EQ(set.items(), files({"/m/a.mid", "/m/b.mid", "/m/c.mid"}));
    EXPECT_EQ(set.indexOf(file("/m/c.mid")), 2);
    EXPECT_FALSE(set.remove(file("/m/B.mid")));
    EXPECT_FALSE(set.remove(file("/m/never.mid")));

    EXPECT_TRUE(set.add(file("/m/B.mid")));
    EXPECT_TRUE(set.contains(file("/m/B.mid")));
}

TEST_P(ItemSetOrders, ClearEmptiesTheSet) {
    ItemSet set(GetParam());
    set.addAll(files({"/m/a.mid", "/m/b.mid"}));
    set.clear();
    EXPECT_TRUE(set.isEmpty());
    EXPECT_EQ(set.size(), 0);
    EXPECT_TRUE(set.items().isEmpty());
    EXPECT_FALSE(set.contains(file("/m/a.mid")));
    EXPECT_EQ(set.indexOf(file("/m/a.mid")), -1);
    EXPECT_TRUE(set.add(file("/m/a.mid")));
    EXPECT_EQ(set.items(), files({"/m/a.mid"}));
}

TEST_P(ItemSetOrders, AddingAllGivesTheSameAsAddingOneByOne) {
    const std::vector<std::pair<QStringList, QStringList>> cases = {
        {{}, files({"/m/b.mid", "/m/a.mid"})},
        {files({"/m/b.mid"}), files({"/m/d.mid", "/m/a.mid", "/m/c.mid"})},
        {files({"/m/b.mid", "/m/a.mid"}), files({"/m/B.mid", "/m/e.mid", "/M/A.MID", "/m/e.MID", "/m/0.mid"})},
        {files({"/m/a.mid"}), {}},
        {{}, {MakeCDItem(9, 2), file("/z.mid"), MakeCDItem(-9, 1), s("not a reference"), file("/A.mid")}},
    };
    for (const auto& [existing, added] : cases) {
        ItemSet oneByOne(GetParam());
        ItemSet all(GetParam());
        for (const QString& ref : existing) {
            oneByOne.add(ref);
            all.add(ref);
        }
        for (const QString& ref : added) {
            oneByOne.add(ref);
        }
        all.addAll(added);
        EXPECT_EQ(all.items(), oneByOne.items()) << show(added);
        for (const QString& ref : added) {
            EXPECT_EQ(all.indexOf(ref), oneByOne.indexOf(ref)) << ref.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ItemSet, ItemSetOrders, ::testing::Values(ItemSet::Order::Insertion, ItemSet::Order::Sorted),
                         [](const ::testing::TestParamInfo<ItemSet::Order>& info) {
                             return std::string(info.param == ItemSet::Order::Sorted ? "Sorted" : "Insertion");
                         });

TEST(ItemSet, InsertionOrderIsKept) {
    ItemSet set(ItemSet::Order::Insertion);
    set.add(file("/m/c.mid"));
    set.add(file("/m/a.mid"));
    set.addAll(files({"/m/b.mid", "/m/c.mid", "/m/0.mid"}));
    EXPECT_EQ(set.items(), files({"/m/c.mid", "/m/a.mid", "/m/b.mid", "/m/0.mid"}));
    EXPECT_EQ(set.indexOf(file("/m/b.mid")), 2);
    EXPECT_EQ(set.at(0), file("/m/c.mid"));
}

TEST(ItemSet, SortedOrderIgnoresCase) {
    ItemSet set(ItemSet::Order::Sorted);
    set.add(file("/m/c.mid"));
    set.add(file("/m/B.mid"));
    set.add(file("/m/a.mid"));
    set.add(file("/m/D.mid"));
    set.add(file("/m/b.mid"));
    EXPECT_EQ(set.items(), files({"/m/a.mid", "/m/B.mid", "/m/b.mid", "/m/c.mid", "/m/D.mid"}));

    ItemSet bulk(ItemSet::Order::Sorted);
    bulk.addAll(files({"/m/c.mid", "/m/b.mid", "/m/B.mid", "/m/a.mid", "/m/D.mid"}));
    EXPECT_EQ(bulk.items(), set.items());
}

TEST(ItemSet, ManyItemsStayFindableInBothOrders) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pick(0, 299);
    QStringList refs;
    for (int i = 0; i < 1000; ++i) {
        QString ref = MakeFileItem(QStringLiteral("/m/%1.mid").arg(pick(random)));
        if (i % 3 == 0) {
            ref = ref.toUpper();
        }
        refs.append(ref);
    }
    for (ItemSet::Order order : {ItemSet::Order::Insertion, ItemSet::Order::Sorted}) {
        ItemSet oneByOne(order);
        ItemSet bulk(order);
        for (qsizetype i = 0; i < refs.size(); ++i) {
            oneByOne.add(refs.at(i));
            if (i % 100 == 99) {
                bulk.addAll(refs.mid(i - 99, 100));
            }
        }
        ASSERT_EQ(bulk.items(), oneByOne.items());
        for (int removed = 0; removed < 300; removed += 7) {
            oneByOne.remove(MakeFileItem(QStringLiteral("/M/%1.MID").arg(removed)));
        }
        for (qsizetype i = 0; i < oneByOne.size(); ++i) {
            EXPECT_EQ(oneByOne.indexOf(oneByOne.at(i)), i);
        }
        if (order == ItemSet::Order::Sorted) {
            QStringList folded;
            for (const QString& item : oneByOne.items()) {
                folded.append(item.toCaseFolded());
            }
            EXPECT_TRUE(std::is_sorted(folded.cbegin(), folded.cend()));
        }
    }
}

}  // namespace
