#include "core/common/programerror.h"
#include "core/shell/statuspanels.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

namespace {

QStringList namesOf(const StatusPanelLayout& layout) {
    QStringList names;
    for (const StatusPanelGeometry& panel : layout.shown) {
        names.append(panel.name);
    }
    return names;
}

TEST(StatusPanels, ShownPanelsFollowTheChosenOrderFiveApart) {
    const StatusPanelSizes sizes{500, 100, 15};
    const StatusPanelLayout all = ArrangeStatusPanels(StatusPanelCaptions(s("1234")), sizes);
    EXPECT_EQ(namesOf(all), lines({"LengthPanel", "PosPanel", "RemPanel", "AlbumPanel"}));
    EXPECT_EQ(all.shown[0].left, 5);
    EXPECT_EQ(all.shown[1].left, 110);
    EXPECT_EQ(all.shown[2].left, 215);
    EXPECT_EQ(all.shown[3].left, 320);
    // The name panel takes what the others leave: 500 - 3 * 105 - 10.
    EXPECT_EQ(all.shown[3].width, 175);
    EXPECT_EQ(all.albumButtonLeft, 175 - 15 - 3);

    const StatusPanelLayout two = ArrangeStatusPanels(StatusPanelCaptions(s("42")), sizes);
    EXPECT_EQ(namesOf(two), lines({"AlbumPanel", "PosPanel"}));
    EXPECT_EQ(two.shown[0].width, 500 - 105 - 10);
    EXPECT_EQ(two.shown[1].left, 5 + 385 + 5);

    EXPECT_TRUE(ArrangeStatusPanels(StatusPanelCaptions(QString()), sizes).shown.empty());
    // Digits outside 1..4 name no panel.
    EXPECT_EQ(StatusPanelCaptions(s("1x95")), lines({"Length"}));
}

TEST(StatusPanels, ANarrowWindowLeavesTheNamePanelEmptyNotNegative) {
    const StatusPanelLayout layout = ArrangeStatusPanels(StatusPanelCaptions(s("1234")), {200, 100, 15});
    EXPECT_EQ(layout.shown[3].width, 0);
}

TEST(StatusPanels, APanelNameComesFromItsCheckBoxWhichMustEndInCB) {
    EXPECT_EQ(StatusPanelOfCheckBox(StatusPanelCheckBox(s("Remaining Time"))), s("RemPanel"));
    EXPECT_EQ(StatusPanelOfCheckBox(StatusPanelCheckBox(s("Name of Play List"))), s("AlbumPanel"));
    try {
        ArrangeStatusPanels({s("Length"), s("Volume")}, {500, 100, 15});
        FAIL() << "an unknown caption was placed";
    } catch (const ProgramError& error) {
        EXPECT_TRUE(error.message().startsWith(s("The name of the component passed did not end with \"CB\"\n\r")));
    }
}

}  // namespace
