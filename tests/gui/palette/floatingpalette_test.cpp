#include "gui/palette/floatingpalette.h"
#include "gui/palette/palettedropdowns.h"
#include "gui/playlist/playlistbox.h"
#include "support/qtprinters.h"
#include "support/windowtest.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// The main window over a Play List of tiny files, and its Floating Palette.
class FloatingPaletteTest : public WindowTest {
protected:
    QStringList paths;

    void open(int items) {
        QStringList lines;
        for (int n = 0; n < items; ++n) {
            paths.append(music.write(s("t%1.mid").arg(n, 2, 10, QChar(u'0')), "MThd"));
            device.files[paths.last()].length = 60000;
            lines.append(s("[FILE=\"%1\", L=60000]").arg(paths.last()));
        }
        writeQuietSettings();
        startWindow(QSize(900, 400));
        if (items > 0) {
            ASSERT_TRUE(
                window->session().document().OpenPlayList(writePlayList(s("List.vlp"), lines), true, false));
        }
    }
    FloatingPalette& palette() { return window->floatingPalette(); }
    void play() { window->session().controller().playFrom(window->session().playListMedia()); }
    // Floating Palette from the keyboard, as the user asks for it.
    void showPalette() {
        window->activateWindow();
        QTest::keyClick(window.get(), Qt::Key_I, Qt::ControlModifier);
        QApplication::processEvents();
        ASSERT_TRUE(palette().isVisible());
    }
    // A click of the mouse on a control, through the window it is on.
    void click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(widget->window()->windowHandle(), button, {},
                          widget->mapTo(widget->window(), widget->rect().center()));
        QApplication::processEvents();
    }
    // A key on the palette, once the user made it the active window.
    void pressOnPalette(Qt::Key key) {
        palette().activateWindow();
        QApplication::processEvents();
        QTest::keyClick(&palette(), key);
        QApplication::processEvents();
    }
    // A point of the palette that holds no control: the bar between two button groups.
    QPoint freePoint() { return palette().findChild<QWidget*>(s("Panel"))->mapTo(&palette(), QPoint(61, 9)); }
    // The palette's menu opened with a right click, and an item of it chosen with its access keys.
    void choosePosition(Qt::Key submenuKey, const QString& itemCaption) {
        QTest::mouseClick(palette().windowHandle(), Qt::RightButton, {}, freePoint());
        QApplication::processEvents();
        QMenu* menu = palette().contextMenu();
        ASSERT_TRUE(menu->isVisible());
        QTest::keyClick(menu, submenuKey);
        QMenu* submenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(submenu, nullptr);
        QAction* item = nullptr;
        for (QAction* candidate : submenu->actions()) {
            if (candidate->text() == itemCaption) {
                item = candidate;
            }
        }
        ASSERT_NE(item, nullptr) << itemCaption.toStdString();
        QTest::mouseClick(submenu, Qt::LeftButton, {}, submenu->actionGeometry(item).center());
        QApplication::processEvents();
    }
    QMenu* openPlayListDropDown() {
        click(palette().toolButton(s("PlayPListSI")));
        QMenu* menu = palette().dropDowns().playListMenu();
        return menu->isVisible() ? menu : nullptr;
    }
    QStringList texts(const QMenu* menu) {
        QStringList result;
        for (const QAction* item : menu->actions()) {
            result.append(item->isSeparator() ? s("-") : item->text());
        }
        return result;
    }
    QRect screen() { return palette().screen()->geometry(); }
};

}  // namespace

TEST_F(FloatingPaletteTest, ItReplacesTheMainWindowUntilTheUserReturns) {
    open(2);
    showPalette();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(palette().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(palette().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(palette().pos(), QPoint(screen().width() - palette().width() - 60, 0)) << "the default place";

    // Asked for again while it shows, it stays where it was moved to.
    palette().move(40, 50);
    window->session().runCommand(s("FloatingPalM"));
    EXPECT_EQ(palette().pos(), QPoint(40, 50));

    click(palette().findChild<QToolButton*>(s("CloseSB")));
    EXPECT_FALSE(palette().isVisible());
    EXPECT_TRUE(window->isVisible());

    showPalette();
    pressOnPalette(Qt::Key_Escape);
    EXPECT_FALSE(palette().isVisible());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(FloatingPaletteTest, ClicksOnTheProgressLabelCycleItsModesAndADoubleClickOpensChangePosition) {
    open(2);
    play();
    showPalette();
    QLabel* label = palette().progressLabel();
    const IndicatorTexts& shown = window->session().controller().indicators();
    EXPECT_EQ(label->text(), shown.percent);
    click(label);
    EXPECT_EQ(palette().progressMode(), PaletteProgress::Position);
    EXPECT_EQ(label->text(), shown.position);
    click(label);
    EXPECT_EQ(label->text(), shown.remaining);
    EXPECT_EQ(window->session().preferences().floatingPaletteMode, 2) << "kept for the settings file";
    click(label);
    EXPECT_EQ(palette().progressMode(), PaletteProgress::Percent);

    click(label);
    ASSERT_EQ(palette().progressMode(), PaletteProgress::Position);
    QString opened;
    QTimer::singleShot(0, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            opened = box->objectName();
            box->close();
        }
    });
    QTest::mouseDClick(palette().windowHandle(), Qt::LeftButton, {},
                       label->mapTo(&palette(), label->rect().center()));
    EXPECT_EQ(opened, s("TChangePosBox"));
    EXPECT_EQ(palette().progressMode(), PaletteProgress::Position) << "the double click leaves the mode";
}

TEST_F(FloatingPaletteTest, ThirtyItemsBreakIntoASecondColumnAfterTheTwentyFirst) {
    open(30);
    showPalette();
    QMenu* menu = openPlayListDropDown();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(texts(menu).mid(0, 5),
              lines({"Favorite Play Lists", "History List", "-", "&Open Another Play List...", "-"}));
    const auto item = [menu](int line) { return menu->findChild<QPushButton*>(s("ListItem%1").arg(line)); };
    ASSERT_TRUE(item(0) && item(20) && item(21) && item(29));
    EXPECT_EQ(item(0)->text(), s("&1. t00.mid"));
    EXPECT_EQ(item(21)->text(), s("22. t21.mid"));
    const auto at = [menu](QWidget* widget) { return widget->mapTo(menu, QPoint(0, 0)); };
    EXPECT_EQ(at(item(20)).x(), at(item(0)).x()) << "21 lines in the first column";
    EXPECT_GT(at(item(20)).y(), at(item(19)).y());
    EXPECT_GT(at(item(21)).x(), at(item(20)).x()) << "item 22 starts the second column";
    EXPECT_EQ(at(item(21)).y(), at(item(0)).y());
    EXPECT_EQ(at(item(29)).x(), at(item(21)).x());
    menu->close();
}

// Other lines were selected, which Play would start from: the chosen item is the one that plays.
TEST_F(FloatingPaletteTest, ChoosingAnItemInTheDropDownPlaysThatItem) {
    open(6);
    PlayList& list = window->session().playList();
    list.setSelected(1, true);
    list.setSelected(2, true);
    showPalette();
    QMenu* menu = openPlayListDropDown();
    ASSERT_NE(menu, nullptr);
    QPushButton* fifth = menu->findChild<QPushButton*>(s("ListItem4"));
    ASSERT_NE(fifth, nullptr);
    click(fifth);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(device.fileName(), paths[4]);
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    EXPECT_EQ(list.selectedLines(), std::vector<qsizetype>{4});
    EXPECT_EQ(list.focusedLine(), 4);
}

TEST_F(FloatingPaletteTest, AnEmptyPlayListWithoutHistoryEndsWithNoItemsAvailable) {
    open(0);
    showPalette();
    QMenu* menu = openPlayListDropDown();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(texts(menu), lines({"Favorite Play Lists", "History List", "&Open Another Play List...", "-",
                                  "No items available"}));
    EXPECT_FALSE(menu->actions().last()->isEnabled());
    menu->close();
}

TEST_F(FloatingPaletteTest, LowerRightCornerPutsItInTheCornerOfItsScreen) {
    open(1);
    showPalette();
    choosePosition(Qt::Key_P, s("L&ower Right Corner"));
    EXPECT_EQ(palette().pos(),
              QPoint(screen().width() - palette().width(), screen().height() - palette().height()));
    choosePosition(Qt::Key_P, s("Move to &Top"));
    EXPECT_EQ(palette().pos(), QPoint(screen().width() - palette().width(), 0));
}

TEST_F(FloatingPaletteTest, ADraggedPaletteIsWhereTheNextStartShowsIt) {
    open(1);
    showPalette();
    const QPoint start = palette().pos();
    const QPoint grip = freePoint();
    QTest::mousePress(palette().windowHandle(), Qt::LeftButton, {}, grip);
    QTest::mouseMove(palette().windowHandle(), grip + QPoint(-300, 200));
    QTest::mouseRelease(palette().windowHandle(), Qt::LeftButton, {}, grip);
    const QPoint dragged = start + QPoint(-300, 200);
    ASSERT_EQ(palette().pos(), dragged);
    pressOnPalette(Qt::Key_Escape);
    ASSERT_TRUE(window->close());

    startWindow(QSize(900, 400));
    showPalette();
    EXPECT_EQ(palette().pos(), dragged);
}

TEST_F(FloatingPaletteTest, AStoredPlaceOnNoScreenFallsBackToTheDefaultCorner) {
    home.write(
        s("velmaro.ini"),
        "[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n[ToolBarPosition]\r\nTop=9000\r\nLeft=-9000\r\n");
    startWindow(QSize(900, 400));
    showPalette();
    EXPECT_EQ(palette().pos(), QPoint(screen().width() - palette().width() - 60, 0));
}

// Leaving the palette while its bar is held must not leave the indicators frozen in the drag.
TEST_F(FloatingPaletteTest, ADragOfItsPositionBarThatIsCutShortStillEnds) {
    open(2);
    play();
    showPalette();
    QSlider* bar = palette().positionBar();
    ASSERT_TRUE(bar->isEnabled());
    const QPoint handle(bar->mapTo(&palette(), QPoint(3, bar->height() / 2)));
    QTest::mousePress(palette().windowHandle(), Qt::LeftButton, {}, handle);
    QTest::mouseMove(palette().windowHandle(), handle + QPoint(40, 0));
    ASSERT_TRUE(window->session().indicators().dragging());
    pressOnPalette(Qt::Key_Escape);
    EXPECT_FALSE(palette().isVisible());
    EXPECT_FALSE(window->session().indicators().dragging());
    EXPECT_GT(device.position(), 0) << "the new position was applied";
    QTest::mouseRelease(palette().windowHandle(), Qt::LeftButton, {}, handle + QPoint(40, 0));
}

TEST_F(FloatingPaletteTest, ItTakesTheColoursAndPictureOfTheSettings) {
    QImage tile(4, 4, QImage::Format_RGB32);
    tile.fill(QColor(0, 128, 0));
    const QString picture = music.file(s("tile.png"));
    ASSERT_TRUE(tile.save(picture));
    home.write(s("velmaro.ini"),
               "[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n[Color]\r\nColorFP=255\r\n"
               "DefaultColorFP=0\r\nTextFP=16711680\r\nDefaultTextFP=0\r\n");
    startWindow(QSize(900, 400));
    showPalette();
    const QPalette colours = palette().findChild<QWidget*>(s("Panel"))->palette();
    EXPECT_EQ(colours.color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(colours.color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(colours.brush(QPalette::Window).texture().isNull());

    window->session().preferences().floatingPaletteBitmapPath = picture;
    palette().applyAppearance();
    EXPECT_EQ(palette().findChild<QWidget*>(s("Panel"))->palette().brush(QPalette::Window).texture().size(),
              QSize(4, 4));
}
