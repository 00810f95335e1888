#include "gui/files/filelistbox.h"
#include "gui/files/filemanagementpanel.h"
#include "gui/playlist/playlistbox.h"
#include "gui/shell/mainarea.h"
#include "gui/shell/transportbar.h"
#include "support/qtprinters.h"
#include "support/windowtest.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class ListsAppearanceTest : public WindowTest {
protected:
    void startWith(const QByteArray& settings) {
        // Loop Item Once is no button of the default toolbar: the stored layout places it.
        home.write(s("velmaro.ini"), "[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n[TVLPMainSpeedBar]\r\nVersion=1\r\n"
                                     "Count=2\r\nButton1=PlaySI,3,3\r\nButton2=LoopSongOnceSI,25,3\r\n" + settings);
        startWindow();
    }
    QToolBar* bar() const { return window->transportBar().toolBar(); }
    QToolButton* button(const char* name) const {
        return qobject_cast<QToolButton*>(bar()->widgetForAction(window->transportBar().button(s(name))));
    }
    // The most saturated colour among the button's middle pixels, where its icon is drawn.
    int iconSaturation(const char* name) const {
        QToolButton* shown = button(name);
        const QImage image = shown->grab().toImage();
        QRect icon(QPoint(), shown->iconSize());
        icon.moveCenter(image.rect().center());
        int most = 0;
        for (int y = icon.top(); y <= icon.bottom(); ++y) {
            for (int x = icon.left(); x <= icon.right(); ++x) {
                most = std::max(most, image.pixelColor(x, y).hsvSaturation());
            }
        }
        return most;
    }
    int rowHeight(QAbstractItemView* list) const {
        return list->visualRect(list->model()->index(0, 0)).height();
    }
};

TEST_F(ListsAppearanceTest, TheListsFontSetsTheirRowHeightsAtStartAndAgainWhenChanged) {
    music.write(s("a.mid"), "MThd");
    music.write(s("b.mid"), "MThd");
    parameters = {writePlayList(s("list.vlp"), {s("[FILE=\"") + music.file(s("a.mid")) + s("\"]")})};
    startWith("[Font]\r\nName=Arial\r\nSize=20\r\nBold=1\r\nItalic=0\r\n");
    PlayListBox* playList = window->playListBox();
    FileListBox* files = window->mainArea().fileManagementPanel()->fileListBox();
    ASSERT_EQ(playList->model()->rowCount(), 1);
    ASSERT_GE(files->model()->rowCount(), 1);

    QFont large(s("Arial"));
    large.setPointSize(20);
    large.setBold(true);
    EXPECT_EQ(playList->font().pointSize(), 20);
    EXPECT_TRUE(playList->font().bold());
    EXPECT_EQ(rowHeight(playList), QFontMetrics(large).height() + 3);
    EXPECT_GE(rowHeight(files), QFontMetrics(large).height());

    // The Preferences' OK applies a smaller font to lists already laid out.
    Preferences& preferences = window->session().preferences();
    preferences.fontSize = 14;
    preferences.fontBold = false;
    window->applyListsAppearance();
    QApplication::processEvents();
    QFont smaller(s("Arial"));
    smaller.setPointSize(14);
    EXPECT_EQ(rowHeight(playList), QFontMetrics(smaller).height() + 3);
    EXPECT_LT(rowHeight(files), QFontMetrics(large).height());
    EXPECT_GE(rowHeight(files), QFontMetrics(smaller).height());

    // A size no font has (a hand-edited file) gives the default 8 points.
    preferences.fontSize = 0;
    window->applyListsAppearance();
    EXPECT_EQ(playList->font().pointSize(), 8);
}

TEST_F(ListsAppearanceTest, RaisedButtonsAreNeverGrayedAndButtonsAddedLaterFollow) {
    startWith("[General]\r\nBorderlessButtons=0\r\nGrayedButtons=1\r\n");
    int commands = 0;
    for (QAction* action : bar()->actions()) {
        if (auto* each = qobject_cast<QToolButton*>(bar()->widgetForAction(action));
            each && each->defaultAction()) {
            EXPECT_FALSE(each->autoRaise()) << action->objectName().toStdString();
            ++commands;
        }
    }
    EXPECT_GE(commands, 11);
    EXPECT_GT(iconSaturation("LoopSongOnceSI"), 100);

    auto* added = new QAction(QIcon(QPixmap(16, 16)), s("Added"), bar());
    bar()->addAction(added);
    QApplication::processEvents();
    EXPECT_FALSE(qobject_cast<QToolButton*>(bar()->widgetForAction(added))->autoRaise());
}

TEST_F(ListsAppearanceTest, GrayedFlatButtonsShowTheirColoursOnlyUnderThePointer) {
    startWith("[General]\r\nBorderlessButtons=1\r\nGrayedButtons=1\r\n");
    QToolButton* loop = button("LoopSongOnceSI");
    ASSERT_TRUE(loop->isEnabled());
    EXPECT_TRUE(loop->autoRaise());
    EXPECT_LT(iconSaturation("LoopSongOnceSI"), 20);

    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTest::mouseMove(loop, loop->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([loop] { return loop->underMouse(); }));
    EXPECT_GT(iconSaturation("LoopSongOnceSI"), 100);

    QTest::mouseMove(window->playListBox()->viewport(), QPoint(5, 5));
    ASSERT_TRUE(QTest::qWaitFor([loop] { return !loop->underMouse(); }));
    EXPECT_LT(iconSaturation("LoopSongOnceSI"), 20);

    // A disabled button looks as it does without the grayed style.
    QToolButton* play = button("PlaySI");
    ASSERT_FALSE(play->isEnabled());
    const QImage grayedLook = play->grab().toImage();
    window->session().preferences().grayedButtons = false;
    window->applyListsAppearance();
    EXPECT_EQ(play->grab().toImage(), grayedLook);
    EXPECT_GT(iconSaturation("LoopSongOnceSI"), 100);

    // Toggled back on, as the Preferences do live; the window then closes with the style in use.
    window->session().preferences().grayedButtons = true;
    window->applyListsAppearance();
    EXPECT_LT(iconSaturation("LoopSongOnceSI"), 20);
}

}  // namespace
