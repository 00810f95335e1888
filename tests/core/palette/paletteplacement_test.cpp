#include "core/palette/paletteplacement.h"
#include "core/palette/paletteprogress.h"
#include "core/playback/progressindicators.h"

#include <gtest/gtest.h>

namespace {

using PalettePlacement::Place;

const QRect kScreen(0, 0, 1024, 768);
const QSize kPalette(350, 18);

}  // namespace

TEST(PalettePlacement, EachPositionCommandPutsThePaletteWhereItSays) {
    const QPoint current(100, 200);
    const struct {
        Place place;
        QPoint expected;
    } cases[] = {
        {Place::Default, {1024 - 350 - 60, 0}},
        {Place::UpperLeftCorner, {0, 0}},
        {Place::UpperRightCorner, {1024 - 350, 0}},
        {Place::LowerLeftCorner, {0, 768 - 18}},
        {Place::LowerRightCorner, {1024 - 350, 768 - 18}},
        {Place::LeftSide, {0, 200}},
        {Place::RightSide, {1024 - 350, 200}},
        {Place::Top, {100, 0}},
        {Place::Bottom, {100, 768 - 18}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.place));
        EXPECT_EQ(PalettePlacement::place(c.place, kScreen, kPalette, current), c.expected);
    }
    // A second screen to the right counts from its own corner.
    EXPECT_EQ(PalettePlacement::place(Place::LowerRightCorner, QRect(1024, 0, 800, 600), kPalette, current),
              QPoint(1024 + 800 - 350, 600 - 18));
}

TEST(PalettePlacement, AStoredPlaceIsKeptOnlyWhereAScreenShowsThePalette) {
    const QList<QRect> screens{kScreen, QRect(1024, 0, 800, 600)};
    const QPoint fallback(1024 - 350 - 60, 0);
    const auto restored = [&](std::optional<int> top, std::optional<int> left) {
        return PalettePlacement::restoredPlace(top, left, screens, kScreen, kPalette);
    };
    EXPECT_EQ(restored(120, 300), QPoint(300, 120));
    EXPECT_EQ(restored(100, 1500), QPoint(1500, 100)) << "on the second screen";
    EXPECT_EQ(restored(0, std::nullopt), fallback) << "no left stored";
    EXPECT_EQ(restored(700, 1500), fallback) << "below the second screen, which is shorter";
    EXPECT_EQ(restored(-5000, 10), fallback) << "far above every screen";
    EXPECT_EQ(restored(100, 4000), fallback) << "on a monitor that is gone";
    EXPECT_EQ(restored(768 - 4, 10), fallback) << "only a sliver shows: nothing to grab";
    EXPECT_EQ(restored(768 - 18, 1024 - 350), QPoint(1024 - 350, 768 - 18)) << "a corner is a place";
}

TEST(PaletteProgress, ModesCycleAndAStoredModeOutOfRangeShowsThePercent) {
    using namespace PaletteProgress;
    EXPECT_EQ(next(next(next(Percent))), Percent);
    EXPECT_EQ(next(Percent), Position);
    EXPECT_EQ(previous(Percent), Remaining);
    EXPECT_EQ(previous(next(Remaining)), Remaining);
    EXPECT_EQ(fromStored(2), Remaining);
    EXPECT_EQ(fromStored(3), Percent);
    EXPECT_EQ(fromStored(-1), Percent);

    const IndicatorTexts texts{QStringLiteral("00:03:00"), QStringLiteral("00:01:00"),
                               QStringLiteral("00:02:00"), QStringLiteral("33 %")};
    EXPECT_EQ(text(Percent, texts), QStringLiteral("33 %"));
    EXPECT_EQ(text(Position, texts), QStringLiteral("00:01:00"));
    EXPECT_EQ(text(Remaining, texts), QStringLiteral("00:02:00"));
}
