#include "core/help/tips.h"
#include "core/help/memoryfigures.h"
#include "core/help/welcome.h"

#include "support/qtprinters.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

TEST(Tips, EveryTipFitsTheBoxWhole) {
    for (int n = 1; n <= Tips::kCount; ++n) {
        const QStringList lines = Tips::lines(n);
        EXPECT_GE(lines.size(), 1) << n;
        EXPECT_LE(lines.size(), Tips::kMaxLines) << "tip " << n;
        for (const QString& line : lines) {
            EXPECT_LE(line.size(), Tips::kLineLength) << "tip " << n << ": " << line.toStdString();
        }
        // Wrapping loses and changes no word, and keeps what no-break spaces join.
        EXPECT_EQ(lines.join(u' '), Tips::tip(n).text.split(u' ', Qt::SkipEmptyParts).join(u' ')) << n;
    }
}

TEST(Tips, CrossReferencesByNumberAreKept) {
    EXPECT_EQ(Tips::tip(7).seeTip, 3);
    EXPECT_EQ(Tips::tip(29).seeTip, 25);
    const QRegularExpression mention(QStringLiteral("\\b[Tt]ip (\\d+)\\b"));
    for (int n = 1; n <= Tips::kCount; ++n) {
        const Tip& tip = Tips::tip(n);
        QSet<int> named;
        for (const auto& match : mention.globalMatch(tip.text)) {
            named.insert(match.captured(1).toInt());
        }
        const QSet<int> expected = tip.seeTip ? QSet<int>{tip.seeTip} : QSet<int>{};
        EXPECT_EQ(named, expected) << "tip " << n << " names other tips than it refers to";
        EXPECT_NE(tip.seeTip, n);
        EXPECT_FALSE(tip.topic.isEmpty()) << n;
    }
    EXPECT_TRUE(Tips::tip(1).text.startsWith(
        s("You can reorganize the items in the Play List by using drag-and-drop.")));
    EXPECT_TRUE(Tips::tip(2).text.startsWith(s("You can use drag-and-drop to add and remove items.")));
}

TEST(Tips, HeadingNumbersOutOfThirtyFive) {
    EXPECT_EQ(Tips::heading(1), s("Tip 1 of 35:"));
    EXPECT_EQ(Tips::heading(35), s("Tip 35 of 35:"));
}

TEST(TipPager, StopsAtEitherEnd) {
    TipPager pager(34);
    pager.next();
    EXPECT_EQ(pager.number(), 35);
    EXPECT_FALSE(pager.canGoForward());
    EXPECT_TRUE(pager.canGoBack());
    pager.next();
    EXPECT_EQ(pager.number(), 35) << "a held Next stays on the last tip";

    pager.show(2);
    pager.previous();
    EXPECT_EQ(pager.number(), 1);
    EXPECT_FALSE(pager.canGoBack());
    EXPECT_TRUE(pager.canGoForward());
    pager.previous();
    EXPECT_EQ(pager.number(), 1);

    pager.show(0);
    EXPECT_EQ(pager.number(), 1);
    pager.show(36);
    EXPECT_EQ(pager.number(), 35);
}

TEST(TipPager, TheFirstTipIsAnyOfTheThirtyFive) {
    QRandomGenerator generator(27);
    QSet<int> drawn;
    for (int i = 0; i < 5000; ++i) {
        const int number = Tips::randomNumber(generator);
        ASSERT_GE(number, 1);
        ASSERT_LE(number, Tips::kCount);
        drawn.insert(number);
    }
    EXPECT_EQ(drawn.size(), Tips::kCount);
}

TEST(Welcome, GreetsWithTheProductAndLinksFourTopics) {
    EXPECT_EQ(Welcome::caption(), s("Welcome to Velmaro"));
    const QString text = Welcome::text();
    EXPECT_TRUE(text.startsWith(s("Welcome to Velmaro 4.02, an easy-to-use multimedia player for Linux.")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(s("Windows")));
    EXPECT_TRUE(text.endsWith(s("Please click the links to the left for more information.")));
    QStringList topics;
    for (const Welcome::Link& link : Welcome::links()) {
        topics.append(link.topic);
    }
    EXPECT_EQ(topics, (QStringList{s("Introduction"), s("Getting_Started_Guide"), s("What_s_New_"),
                                   s("Contacting_the_author___Internet")}));
}

TEST(MemoryFigures, AvailableMemoryAndLoadFromTheKernel) {
    const MemoryFigures figures = MemoryFigures::parse(
        "MemTotal:       16000000 kB\nMemFree:         1000000 kB\nMemAvailable:    4000000 kB\n"
        "Buffers:          200000 kB\n");
    EXPECT_EQ(figures.availableText(), s("3,906 MB"));
    EXPECT_EQ(figures.loadText(), s("75 %"));
}

TEST(MemoryFigures, WhatCannotBeKnownIsNotAvailable) {
    const struct {
        const char* meminfo;
        const char* available;
        const char* load;
    } cases[] = {
        {"", "N / A", "N / A"},
        {"MemTotal: 1000 kB\n", "N / A", "N / A"},  // a kernel without MemAvailable
        {"MemTotal: 0 kB\nMemAvailable: 0 kB\n", "0 MB", "N / A"},
        {"MemTotal: 1000 kB\nMemAvailable: 2000 kB\n", "1 MB", "0 %"},
        {"MemTotal: lots\nMemAvailable: -5 kB\n", "N / A", "N / A"},
        {"MemTotalX: 1000 kB\nMemAvailable: 500 kB\n", "0 MB", "N / A"},
    };
    for (const auto& c : cases) {
        const MemoryFigures figures = MemoryFigures::parse(c.meminfo);
        EXPECT_EQ(figures.availableText(), s(c.available)) << c.meminfo;
        EXPECT_EQ(figures.loadText(), s(c.load)) << c.meminfo;
    }
    EXPECT_EQ(MemoryFigures::read(s("/no/such/meminfo")).loadText(), s("N / A"));
}

}  // namespace
