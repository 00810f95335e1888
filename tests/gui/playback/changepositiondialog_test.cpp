#include "gui/playback/changepositiondialog.h"
#include "support/qtprinters.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr qint64 kSecond = 1000;
constexpr qint64 kMinute = 60 * kSecond;
constexpr qint64 kHour = 60 * kMinute;

class ChangePosBoxTest : public ::testing::Test {
protected:
    std::vector<int> applied;
    std::unique_ptr<ChangePositionDialog> box;

    void open(qint64 total, int percent) {
        box = std::make_unique<ChangePositionDialog>(total, percent, [this](int p) { applied.push_back(p); });
        box->show();
        QApplication::setActiveWindow(box.get());
        QApplication::processEvents();
    }
    QSpinBox* spin(const char* name) const { return box->findChild<QSpinBox*>(s(name)); }
    QPushButton* button(const char* name) const { return box->findChild<QPushButton*>(s(name)); }
    QString selectedPercent() const { return spin("SpinEdit")->findChild<QLineEdit*>()->selectedText(); }
    void type(const char* name, const char* text) {
        spin(name)->setFocus();
        spin(name)->selectAll();
        QTest::keyClicks(spin(name), s(text));
    }
};

TEST_F(ChangePosBoxTest, OpensWithThePercentSelectedAndTheFieldsPlaced) {
    open(kHour + 30 * kMinute + 20 * kSecond, 50);
    EXPECT_EQ(box->windowTitle(), s("Change Position"));
    ASSERT_NE(button("OKBtn"), nullptr);
    ASSERT_NE(button("CloseBtn"), nullptr);
    EXPECT_TRUE(button("OKBtn")->isDefault());
    EXPECT_TRUE(spin("SpinEdit")->hasFocus());
    EXPECT_EQ(selectedPercent(), s("50"));
    EXPECT_EQ(spin("HoursSE")->maximum(), 1);
    EXPECT_EQ(spin("MinutesSE")->value(), 45);
    EXPECT_EQ(spin("SecondsSE")->text(), s("10"));
}

TEST_F(ChangePosBoxTest, EnterAndTheButtonApplyAndKeepTheBoxOpen) {
    open(10 * kMinute, 20);
    type("SpinEdit", "75");
    EXPECT_EQ(spin("MinutesSE")->value(), 7);
    EXPECT_EQ(spin("SecondsSE")->value(), 30);
    QTest::keyClick(spin("SpinEdit"), Qt::Key_Return);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(selectedPercent(), s("75"));

    spin("SecondsSE")->setFocus();
    QTest::mouseClick(button("OKBtn"), Qt::LeftButton);
    EXPECT_EQ(applied, (std::vector<int>{75, 75}));
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(spin("SpinEdit")->hasFocus());
    EXPECT_EQ(selectedPercent(), s("75"));
}

TEST_F(ChangePosBoxTest, EscapeAndCloseCloseWithoutApplying) {
    open(10 * kMinute, 20);
    QTest::keyClick(spin("SpinEdit"), Qt::Key_Escape);
    EXPECT_FALSE(box->isVisible());
    open(10 * kMinute, 20);
    QTest::mouseClick(button("CloseBtn"), Qt::LeftButton);
    EXPECT_FALSE(box->isVisible());
    EXPECT_TRUE(applied.empty());
}

TEST_F(ChangePosBoxTest, EditingTheFieldsUpdatesThePercentWithoutEcho) {
    open(kHour + 30 * kMinute + 20 * kSecond, 0);
    type("MinutesSE", "30");
    type("SecondsSE", "20");
    EXPECT_EQ(spin("SpinEdit")->value(), 34);  // 30:20 of 1:30:20
    spin("HoursSE")->stepUp();
    EXPECT_EQ(spin("MinutesSE")->maximum(), 30);
    EXPECT_EQ(spin("SecondsSE")->maximum(), 20);
    EXPECT_EQ(spin("SpinEdit")->value(), 100);

    // 15 % of 10 s is 1.5 s: the field shows 1, and neither side moves the other back.
    open(10 * kSecond, 0);
    type("SecondsSE", "1");
    EXPECT_EQ(spin("SpinEdit")->value(), 10);
    type("SpinEdit", "15");
    EXPECT_EQ(spin("SecondsSE")->value(), 1);
    QTest::keyClick(spin("SpinEdit"), Qt::Key_Return);
    EXPECT_EQ(applied, std::vector<int>{15});
}

TEST_F(ChangePosBoxTest, EnabledControlsFollowTheModel) {
    struct Case {
        qint64 total;
        bool hours, minutes, seconds, apply;
    };
    const Case cases[] = {
        {2 * kHour, true, true, true, true},      {5 * kMinute, false, true, true, true},
        {45 * kSecond, false, false, true, true}, {999, false, false, false, true},
        {0, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.total);
        open(c.total, 30);
        EXPECT_EQ(spin("HoursSE")->isEnabled(), c.hours);
        EXPECT_EQ(spin("MinutesSE")->isEnabled(), c.minutes);
        EXPECT_EQ(spin("SecondsSE")->isEnabled(), c.seconds);
        EXPECT_EQ(button("OKBtn")->isEnabled(), c.apply);
        QTest::keyClick(spin("SpinEdit"), Qt::Key_Return);
        EXPECT_EQ(applied.size(), c.apply ? 1u : 0u);
        EXPECT_TRUE(box->isVisible());
        applied.clear();
    }
}

}  // namespace
