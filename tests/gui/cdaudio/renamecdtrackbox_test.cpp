#include "gui/cdaudio/renamecdtrackbox.h"
#include "support/qtprinters.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(RenameCDTrackBoxTest, KeysClicksAndEscapeRenameSeveralTracksBeforeOk) {
    RenameCDTrackBox box(lines({"a", "b", "c", "d"}), 3, false);
    box.show();
    QApplication::setActiveWindow(&box);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    auto* edit = box.findChild<QLineEdit*>(s("RenEdit"));
    auto* track = box.findChild<QLineEdit*>(s("TrackEdit"));
    auto* list = box.findChild<QListWidget*>(s("ListBox"));
    auto* expand = box.findChild<QPushButton*>(s("ExpandBtn"));
    ASSERT_TRUE(edit && track && list && expand);
    EXPECT_EQ(box.height(), 128);
    EXPECT_EQ(expand->text(), s("&>>"));
    EXPECT_FALSE(list->isVisible());
    ASSERT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->selectedText(), s("c"));

    // Typing replaces the selected name; F3 reaches the box although the field has the focus.
    QTest::keyClicks(edit, s("Third"));
    QTest::keyClick(edit, Qt::Key_F3);
    EXPECT_EQ(track->text(), s("4"));
    EXPECT_EQ(edit->selectedText(), s("d"));

    // Escape takes back the typing and leaves the box open.
    QTest::keyClicks(edit, s("Fou"));
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_TRUE(box.isVisible());
    EXPECT_EQ(edit->text(), s("d"));
    EXPECT_EQ(edit->selectedText(), s("d"));
    QTest::keyClicks(edit, s("Fourth"));
    QTest::keyClick(edit, Qt::Key_F3);
    EXPECT_EQ(track->text(), s("4"));
    EXPECT_EQ(edit->text(), s("Fourth"));

    QTest::mouseClick(expand, Qt::LeftButton);
    EXPECT_EQ(box.height(), 337);
    EXPECT_EQ(expand->text(), s("&<<"));
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->item(2)->text(), s("Third"));
    EXPECT_EQ(list->item(3)->text(), s("Fourth"));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(track->text(), s("1"));
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->selectedText(), s("a"));
    QTest::keyClick(edit, Qt::Key_F2);
    EXPECT_EQ(track->text(), s("1"));
    QTest::keyClicks(edit, s("First"));

    QTest::mouseClick(expand, Qt::LeftButton);
    EXPECT_EQ(box.height(), 128);
    EXPECT_EQ(expand->text(), s("&>>"));
    QTest::mouseClick(box.findChild<QPushButton*>(s("OKBtn")), Qt::LeftButton);
    EXPECT_EQ(box.result(), QDialog::Accepted);
    EXPECT_EQ(box.names(), lines({"First", "b", "Third", "Fourth"}));
    EXPECT_FALSE(box.expanded());
}

}  // namespace
