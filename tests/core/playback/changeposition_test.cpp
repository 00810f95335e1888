#include "core/playback/changeposition.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace {

constexpr qint64 kSecond = 1000;
constexpr qint64 kMinute = 60 * kSecond;
constexpr qint64 kHour = 60 * kMinute;

using Field = ChangePosition::Field;

// {hours, minutes, seconds} of values, maxima or enabled states.
std::array<int, 3> Values(const ChangePosition& box) {
    return {box.hours(), box.minutes(), box.seconds()};
}
std::array<int, 3> Maxima(const ChangePosition& box) {
    return {box.maximum(Field::Hours), box.maximum(Field::Minutes), box.maximum(Field::Seconds)};
}
std::array<bool, 3> Enabled(const ChangePosition& box) {
    return {box.isEnabled(Field::Hours), box.isEnabled(Field::Minutes), box.isEnabled(Field::Seconds)};
}

TEST(ChangePosition, LimitsOnShowingFollowTheTotal) {
    struct Case {
        qint64 total;
        std::array<int, 3> maxima;
        std::array<bool, 3> enabled;
    };
    const Case cases[] = {
        {kSecond, {0, 0, 1}, {false, false, true}},
        {59 * kSecond + 999, {0, 0, 59}, {false, false, true}},
        {kMinute, {0, 1, 59}, {false, true, true}},
        {kHour - 1, {0, 59, 59}, {false, true, true}},
        {kHour, {1, 59, 59}, {true, true, true}},
        {150 * kHour, {150, 59, 59}, {true, true, true}},  // past a spin box's usual 99
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.total);
        const ChangePosition box(c.total, 0);
        EXPECT_EQ(Maxima(box), c.maxima);
        EXPECT_EQ(Enabled(box), c.enabled);
        EXPECT_TRUE(box.canApply());
    }
}

TEST(ChangePosition, ATotalUnderOneSecondDisablesAllThreeFields) {
    for (const qint64 total : {qint64{-5000}, qint64{0}, qint64{999}}) {
        SCOPED_TRACE(total);
        ChangePosition box(total, 40);
        EXPECT_EQ(Enabled(box), (std::array<bool, 3>{false, false, false}));
        box.setHours(1);
        box.setMinutes(1);
        box.setSeconds(1);
        EXPECT_EQ(Values(box), (std::array<int, 3>{0, 0, 0}));
        EXPECT_EQ(box.percent(), 40);
        // A zero total has no position to move to; a short one still has.
        EXPECT_EQ(box.canApply(), total > 0);
    }
}

TEST(ChangePosition, TheStartingPercentIsClampedAndPlacesTheFields) {
    const qint64 total = kHour + 30 * kMinute + 20 * kSecond;
    EXPECT_EQ(Values(ChangePosition(total, 50)), (std::array<int, 3>{0, 45, 10}));
    const ChangePosition beyond(total, 150);
    EXPECT_EQ(beyond.percent(), 100);
    EXPECT_EQ(Values(beyond), (std::array<int, 3>{1, 30, 20}));
    EXPECT_EQ(Maxima(beyond), (std::array<int, 3>{1, 30, 20}));
    EXPECT_EQ(ChangePosition(total, -1).percent(), 0);

    // An absurd total is capped, not overflowed.
    ChangePosition longest(std::numeric_limits<qint64>::max(), 100);
    const int maxInt = std::numeric_limits<int>::max();
    EXPECT_EQ(Values(longest), (std::array<int, 3>{maxInt, 0, 0}));
    longest.setHours(maxInt / 2);
    EXPECT_EQ(longest.percent(), 50);
}

TEST(ChangePosition, FieldsBelowTheTotalsLastHourAndMinuteAreHeldToTheRest) {
    ChangePosition box(kHour + 30 * kMinute + 20 * kSecond, 0);
    box.setMinutes(45);
    box.setSeconds(50);
    box.setHours(7);  // clamped to 1; 45 min do not fit and drop to 30, the last minute, so 50 s drop to 20
    EXPECT_EQ(Values(box), (std::array<int, 3>{1, 30, 20}));
    EXPECT_EQ(Maxima(box), (std::array<int, 3>{1, 30, 20}));
    EXPECT_EQ(box.percent(), 100);

    box.setMinutes(29);  // out of the last minute: the seconds are free again
    box.setSeconds(75);
    EXPECT_EQ(Values(box), (std::array<int, 3>{1, 29, 59}));
    box.setMinutes(30);
    box.setHours(0);  // out of the last hour, although the minutes kept their value
    EXPECT_EQ(Values(box), (std::array<int, 3>{0, 30, 20}));
    EXPECT_EQ(Maxima(box), (std::array<int, 3>{1, 59, 59}));
    box.setMinutes(59);  // minute 59 of an earlier hour keeps all its seconds
    box.setSeconds(45);
    box.setMinutes(-3);
    EXPECT_EQ(Values(box), (std::array<int, 3>{0, 0, 45}));
}

TEST(ChangePosition, EachSideSetsTheOtherWithoutEcho) {
    struct Case {
        qint64 total;
        int minutes, seconds, percent;
    };
    const Case cases[] = {
        {3 * kSecond, 0, 2, 67},     // 66.7
        {8 * kSecond, 0, 1, 13},     // 12.5 rounds up
        {10 * kMinute, 9, 59, 100},  // 99.8
        {10 * kMinute, 0, 2, 0},     // 0.3
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.total);
        ChangePosition box(c.total, 0);
        box.setMinutes(c.minutes);
        box.setSeconds(c.seconds);
        EXPECT_EQ(box.percent(), c.percent);
        EXPECT_EQ(Values(box), (std::array<int, 3>{0, c.minutes, c.seconds}));
    }
    // 15 % of 10 s is 1.5 s: one whole second shows, and the typed percent stays.
    ChangePosition box(10 * kSecond, 0);
    box.setPercent(15);
    EXPECT_EQ(box.percent(), 15);
    EXPECT_EQ(box.seconds(), 1);
    box.setPercent(101);
    EXPECT_EQ(box.percent(), 100);
    EXPECT_EQ(box.seconds(), 10);
}

TEST(ChangePosition, EveryPercentSurvivesTheWayThroughTheFields) {
    // Totals whose hundredths are whole seconds, so each percent is an exact time.
    for (const qint64 total : {100 * kSecond, kHour + 40 * kMinute, 200 * kHour}) {
        for (int percent = 0; percent <= 100; ++percent) {
            SCOPED_TRACE(testing::Message() << total << " at " << percent << " %");
            const ChangePosition shown(total, percent);
            EXPECT_EQ(shown.fieldPosition(), total * percent / 100);
            ChangePosition typed(total, 0);
            typed.setHours(shown.hours());
            typed.setMinutes(shown.minutes());
            typed.setSeconds(shown.seconds());
            EXPECT_EQ(typed.percent(), percent);
        }
    }
}

}  // namespace
