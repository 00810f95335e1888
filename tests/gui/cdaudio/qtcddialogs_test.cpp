#include "gui/cdaudio/qtcddialogs.h"
#include "support/qtprinters.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs act on the box once its modal loop runs; act must close the box.
void WhenShown(std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no modal box";
            return;
        }
        act(*box);
    });
}

template <typename T>
T* Child(QDialog& box, const char* name) {
    T* child = box.findChild<T*>(s(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

TEST(QtCDDialogsTest, TheConfirmationTakesTheCheckBoxOnlyOnOk) {
    QtCDDialogs dialogs(nullptr);
    bool ask = true;
    WhenShown([](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), s("Confirmation"));
        auto* future = Child<QCheckBox>(box, "FutureCB");
        EXPECT_TRUE(future->isChecked());
        QTest::mouseClick(future, Qt::LeftButton, {}, QPoint(6, future->height() / 2));
        box.close();  // as the title bar's close button does
    });
    EXPECT_FALSE(dialogs.confirmSave(ask));
    EXPECT_TRUE(ask);

    WhenShown([](QDialog& box) {
        auto* future = Child<QCheckBox>(box, "FutureCB");
        QTest::mouseClick(future, Qt::LeftButton, {}, QPoint(6, future->height() / 2));
        QTest::mouseClick(Child<QPushButton>(box, "OKBtn"), Qt::LeftButton);
    });
    EXPECT_TRUE(dialogs.confirmSave(ask));
    EXPECT_FALSE(ask);
}

TEST(QtCDDialogsTest, ABoxIsCentredAndMovesWithADragOnItsText) {
    QtCDDialogs dialogs(nullptr);
    WhenShown([](QDialog& box) {
        const QPoint centre = box.screen()->availableGeometry().center();
        EXPECT_LE((box.frameGeometry().center() - centre).manhattanLength(), 2);
        const QPoint start = box.pos();

        // A press on a button is the button's; the box stays where it is.
        auto* cancel = Child<QPushButton>(box, "CancelBtn");
        QTest::mousePress(cancel, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(cancel, QPoint(40, 30));
        QTest::mouseRelease(cancel, Qt::LeftButton, {}, QPoint(40, 30));
        EXPECT_EQ(box.pos(), start);

        auto* info = Child<QLabel>(box, "Info2");
        QTest::mousePress(info, Qt::LeftButton, {}, QPoint(10, 5));
        QTest::mouseMove(info, QPoint(40, 25));
        QTest::mouseRelease(info, Qt::LeftButton, {}, QPoint(40, 25));
        EXPECT_EQ(box.pos(), start + QPoint(30, 20));
        EXPECT_TRUE(box.isVisible());
        EXPECT_EQ(Child<QLineEdit>(box, "Name")->text(), s("Rock & Roll"));
        QTest::keyClick(&box, Qt::Key_Escape);
    });
    EXPECT_FALSE(dialogs.confirmRemove(s("Rock & Roll")));
}

TEST(QtCDDialogsTest, TheInsertBoxAnswersByItsButtonsAndItsCloseButtonCancels) {
    QtCDDialogs dialogs(nullptr);
    WhenShown([](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), s("Insert New CD"));
        EXPECT_EQ(box.height(), 121);
        EXPECT_EQ(Child<QPushButton>(box, "CancelBtn")->height(), 49);
        EXPECT_EQ(Child<QLabel>(box, "NameOfCDLabel")->text(), s("Rock & Roll"));
        auto* play = Child<QPushButton>(box, "PlayThisTrackBtn");
        EXPECT_TRUE(play->isVisible());
        QTest::mouseClick(play, Qt::LeftButton);
    });
    EXPECT_EQ(dialogs.askForDisc(s("Rock & Roll"), true), CDDialogs::InsertAnswer::Ignore);

    WhenShown([](QDialog& box) {
        EXPECT_EQ(box.height(), 97);
        EXPECT_EQ(Child<QPushButton>(box, "CancelBtn")->height(), 25);
        EXPECT_FALSE(Child<QPushButton>(box, "PlayThisTrackBtn")->isVisible());
        box.close();
    });
    EXPECT_EQ(dialogs.askForDisc(s("Piano"), false), CDDialogs::InsertAnswer::Cancel);

    WhenShown([](QDialog& box) { QTest::keyClick(&box, Qt::Key_Return); });
    EXPECT_EQ(dialogs.askForDisc(s("Piano"), false), CDDialogs::InsertAnswer::Retry);
}

TEST(QtCDDialogsTest, TheRearrangeBoxMovesTheSelectedDiscWithTheSpinButton) {
    QtCDDialogs dialogs(nullptr);
    WhenShown([](QDialog& box) {
        EXPECT_EQ(Child<QLabel>(box, "CDsInDBLabel")->text(), s("Number of CDs in the Database: 3"));
        auto* list = Child<QListWidget>(box, "ListBox");
        EXPECT_EQ(list->currentRow(), 2);
        auto* up = Child<QToolButton>(box, "UpButton");
        QTest::mouseClick(up, Qt::LeftButton);
        QTest::mouseClick(up, Qt::LeftButton);
        QTest::mouseClick(up, Qt::LeftButton);  // at the top: nothing
        EXPECT_EQ(list->currentRow(), 0);
        EXPECT_EQ(list->item(0)->text(), s("live"));
        // Another disc chosen by a click moves next.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QTest::mouseClick(Child<QToolButton>(box, "DownButton"), Qt::LeftButton);
        QTest::mouseClick(Child<QPushButton>(box, "OKBtn"), Qt::LeftButton);
    });
    EXPECT_EQ(dialogs.rearrange(lines({"Live", "Piano", "live"}), 2), (QList<int>{2, 1, 0}));

    WhenShown([](QDialog& box) {
        EXPECT_EQ(Child<QLabel>(box, "CDsInDBLabel")->text(), s("Total Number of CDs in the Database: 0 "));
        EXPECT_FALSE(Child<QListWidget>(box, "ListBox")->isEnabled());
        EXPECT_FALSE(Child<QWidget>(box, "SpinButton")->isEnabled());
        box.reject();
    });
    EXPECT_EQ(dialogs.rearrange(QStringList(), -1), std::nullopt);
}

}  // namespace
