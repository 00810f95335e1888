#include "gui/playback/indicatorcontrols.h"
#include "gui/playlist/playlistbox.h"
#include "gui/shell/transportbar.h"

#include "support/mousedrag.h"
#include "support/qtprinters.h"
#include "support/windowtest.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {
class ToolbarTest : public WindowTest {
protected:
    // Starts with this toolbar section in the settings.
    void startWithLayout(const QByteArray& section, QSize size = QSize(900, 500)) {
        home.write(s("velmaro.ini"),
                   "[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n[TVLPMainSpeedBar]\r\n" + section);
        startWindow(size);
    }
    QByteArray screenDensity() const { return QByteArray::number(QWidget().logicalDpiY()); }
    QToolBar* bar() const { return window->transportBar().toolBar(); }
    QToolButton* button(const char* name) const {
        return qobject_cast<QToolButton*>(bar()->widgetForAction(window->transportBar().button(s(name))));
    }
    // The buttons the bar shows, from its start.
    QStringList shownButtons() const {
        QStringList names;
        for (QAction* action : bar()->actions()) {
            if (auto* shown = qobject_cast<QToolButton*>(bar()->widgetForAction(action));
                shown && shown->defaultAction() && action->isVisible()) {
                names.append(action->objectName());
            }
        }
        return names;
    }
    Qt::ToolBarArea area() const { return window->toolBarArea(bar()); }
    QDialog* customizeWindow() const { return window->findChild<QDialog*>(s("TCustomizeToolbarBox")); }
};

// Dragging between windows needs a window system; the X11 run covers it.
class ToolbarDragTest : public ToolbarTest {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() == u"offscreen") {
            GTEST_SKIP() << "drag and drop needs a window system; the X11 run covers it";
        }
    }
};

const QStringList kDefaultButtons =
    lines({"NewSI", "OpenSI", "SaveSI", "PlaySI", "PauseSI", "StopSI", "RewindSI", "PrevSI", "NextSI",
           "FindSI", "FloatingPalSI", "PrefSI", "MixerSI", "FavFoldersSI", "FavPlayListsSI", "ContentsSI"});

TEST_F(ToolbarTest, RestoreDefaultAnsweredNoKeepsTheBarAndYesDocksTheSixteenButtonsAtTheTop) {
    startWithLayout(
        "Version=1\r\nPosition=2\r\nCount=2\r\nButton1=StopSI,3,3\r\nButton2=LoopSongOnceSI,25,3\r\n");
    ASSERT_EQ(area(), Qt::BottomToolBarArea);
    ASSERT_EQ(shownButtons(), lines({"StopSI", "LoopSongOnceSI"}));

    prompter.messageAnswers = {Prompter::Answer::No};
    window->action(s("DefaultToolbarM"))->trigger();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Confirmation);
    EXPECT_EQ(prompter.messages[0].text, s("Are you sure you want to restore the default toolbar layout?"));
    EXPECT_EQ(area(), Qt::BottomToolBarArea);
    EXPECT_EQ(shownButtons(), lines({"StopSI", "LoopSongOnceSI"}));

    prompter.messageAnswers = {Prompter::Answer::Yes};
    window->action(s("DefaultToolbarM"))->trigger();
    QApplication::processEvents();
    EXPECT_EQ(area(), Qt::TopToolBarArea);
    EXPECT_EQ(shownButtons(), kDefaultButtons);
    EXPECT_EQ(bar()->height(), 29);
    const int row = button("NewSI")->y();
    for (const QString& name : kDefaultButtons) {
        QToolButton* shown = button(name.toLatin1().constData());
        EXPECT_TRUE(shown->isVisible()) << name.toStdString();
        EXPECT_EQ(shown->y(), row) << name.toStdString();
        EXPECT_LE(shown->geometry().right(), bar()->width())
            << name.toStdString() << " lies past the bar's end";
    }
    // The gaps of the default stay: Play is 11 pixels after Save.
    EXPECT_EQ(button("PlaySI")->x() - button("SaveSI")->geometry().right() - 1, 11);
}

TEST_F(ToolbarTest, ALayoutStoredAtAnotherPixelDensityIsIgnoredWhole) {
    const QByteArray stored = "Version=1\r\nPosition=3\r\nCount=1\r\nButton1=StopSI,3,3\r\nPixelsPerInch=";
    startWithLayout(stored + QByteArray::number(QWidget().logicalDpiY() + 24) + "\r\n");
    EXPECT_EQ(area(), Qt::TopToolBarArea) << "no edge of an ignored layout is used";
    EXPECT_EQ(shownButtons(), kDefaultButtons);

    startWithLayout(stored + screenDensity() + "\r\n");
    EXPECT_EQ(area(), Qt::LeftToolBarArea);
    EXPECT_EQ(shownButtons(), lines({"StopSI"}));
}

TEST_F(ToolbarTest, ADamagedStoredLayoutUsesOnlyWhatItSaysSoundly) {
    startWithLayout(
        "Version=1\r\nPosition=9\r\nCount=2000000000\r\nButton1=NoSuchSI,3,3\r\nButton2=StopSI,x,3\r\n"
        "Button3=PauseSI,3,3\r\n");
    EXPECT_EQ(area(), Qt::TopToolBarArea);
    EXPECT_EQ(shownButtons(), lines({"PauseSI"}));
}

TEST_F(ToolbarTest, DockedLeftThePositionBarStandsUpWithThePercentNumberUnderIt) {
    music.write(s("a.wav"), "RIFF");
    parameters = {writePlayList(s("list.vlp"), {s("[FILE=\"") + music.file(s("a.wav")) + s("\"]")})};
    startWithLayout("Version=1\r\nPosition=3\r\n", QSize(900, 700));
    QApplication::processEvents();
    ASSERT_EQ(area(), Qt::LeftToolBarArea);
    auto* positionBar = bar()->findChild<QSlider*>(s("ScrollBar"));
    auto* percent = bar()->findChild<QLabel*>(s("ProgressLabel"));
    EXPECT_EQ(positionBar->orientation(), Qt::Vertical);
    EXPECT_TRUE(positionBar->isVisible());
    EXPECT_GT(positionBar->height(), 0);
    EXPECT_GE(positionBar->y(), button("ContentsSI")->geometry().bottom() + 1) << "under the buttons";
    EXPECT_GE(percent->y(), positionBar->geometry().bottom() + 1);
    EXPECT_LT(percent->geometry().left(), positionBar->geometry().center().x());
    EXPECT_GT(percent->geometry().right(), positionBar->geometry().center().x());

    // Playing, the percent shows its number alone.
    PlayListBox* list = window->playListBox();
    ASSERT_EQ(list->model()->rowCount(), 1);
    const QPoint first = list->visualRect(list->model()->index(0, 0)).center();
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                       list->viewport()->mapTo(window.get(), first));
    ASSERT_TRUE(QTest::qWaitFor([&] { return percent->text() == s("0"); })) << percent->text().toStdString();

    prompter.messageAnswers = {Prompter::Answer::Yes};
    window->action(s("DefaultToolbarM"))->trigger();
    QApplication::processEvents();
    EXPECT_EQ(positionBar->orientation(), Qt::Horizontal);
    EXPECT_TRUE(percent->text().endsWith(s(" %"))) << percent->text().toStdString();
    EXPECT_GE(positionBar->x(), button("ContentsSI")->geometry().right() + 1);
}

TEST_F(ToolbarDragTest, AButtonDraggedFromTheCustomizeWindowStaysAfterARestartAndOneDraggedOffGoes) {
    writeQuietSettings();
    startWindow();
    window->action(s("CustomizeToolbarM"))->trigger();
    QDialog* box = customizeWindow();
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
    EXPECT_FALSE(bar()->findChild<QSlider*>(s("ScrollBar"))->isVisible()) << "hidden while customizing";
    box->setGeometry(window->geometry().left(), window->geometry().bottom() + 40, 500, 600);

    auto* categories = box->findChild<QListWidget*>(s("CategoriesList"));
    auto* buttons = box->findChild<QListWidget*>(s("ButtonsList"));
    const auto rowOf = [](QListWidget* list, const QString& text) {
        return list->visualItemRect(list->findItems(text, Qt::MatchExactly).value(0)).center();
    };
    QTest::mouseClick(categories->viewport(), Qt::LeftButton, {}, rowOf(categories, s("Audio")));
    ASSERT_EQ(buttons->item(0)->text(), s("Play From Focused List"));
    EXPECT_EQ(buttons->visualItemRect(buttons->item(0)).height(), 26);
    const QPoint afterTheLast(button("ContentsSI")->geometry().right() + 30, bar()->height() / 2);
    MouseDrag::dragWithMouse(buttons->viewport(), rowOf(buttons, s("Loop Item Once")), bar(), afterTheLast);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownButtons().value(16) == s("LoopSongOnceSI"); }));

    // Moved on the bar: before Open.
    MouseDrag::dragWithMouse(button("LoopSongOnceSI"), QPoint(11, 11), bar(),
                             button("OpenSI")->geometry().topLeft() + QPoint(3, 11));
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownButtons().value(1) == s("LoopSongOnceSI"); }));
    // Dragged off the bar onto the Play List: it goes.
    MouseDrag::dragWithMouse(button("NewSI"), QPoint(11, 11), window->playListBox()->viewport(),
                             QPoint(20, 20));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shownButtons().contains(s("NewSI")); }));

    QTest::mouseClick(box->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar()->findChild<QSlider*>(s("ScrollBar"))->isVisible(); }));
    const QStringList customized = shownButtons();
    window->close();

    startWindow();
    EXPECT_EQ(shownButtons(), customized);
    EXPECT_EQ(shownButtons().value(0), s("LoopSongOnceSI"));
}

TEST_F(ToolbarTest, LoopItemOnceReleasesLoopItemForeverOnTheToolbarAsInTheMenu) {
    startWithLayout(
        "Version=1\r\nCount=2\r\nButton1=LoopSongForeverSI,3,3\r\nButton2=LoopSongOnceSI,25,3\r\n");
    QToolButton* forever = button("LoopSongForeverSI");
    QToolButton* once = button("LoopSongOnceSI");
    ASSERT_LT(forever->x(), once->x()) << "as the stored layout places them";
    QTest::mouseClick(forever, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(forever->isChecked());
    EXPECT_TRUE(window->action(s("LoopSongForeverM"))->isChecked());

    QTest::mouseClick(once, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(once->isChecked());
    EXPECT_FALSE(forever->isChecked()) << "Loop Item Once releases Loop Item Forever";
    EXPECT_FALSE(window->action(s("LoopSongForeverM"))->isChecked());

    window->action(s("LoopSongForeverM"))->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(forever->isChecked());
    EXPECT_FALSE(once->isChecked()) << "and the menu's Forever releases the button's Once";
}

}  // namespace
