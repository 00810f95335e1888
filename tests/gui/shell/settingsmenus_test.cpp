#include "core/common/textfile.h"
#include "gui/shell/mainmenu.h"
#include "gui/shell/mainwindow.h"
#include "gui/playback/indicatorcontrols.h"
#include "gui/playlist/playlistbox.h"
#include "support/windowtest.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QScreen>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A window over its own user data folder; each start() is a new run of the program.
class SettingsMenusTest : public WindowTest {
protected:

    void start() { startWindow(QSize()); }
    void stop() {
        ASSERT_TRUE(window->close());
        window.reset();
    }
    QString writeList(const QString& name) {
        return music.write(name, TextFile::encode(TextFile::joinLines(
                                     lines({"[General]", "LastPlayed=", "", "[Items]", "[FILE=\"/m/a.mid\", L=0]"}))));
    }
    QStringList captionsOf(const QString& menuName) {
        QMenu* menu = window->mainMenu().menu(menuName);
        Q_EMIT menu->aboutToShow();
        QStringList captions;
        for (const QAction* action : menu->actions()) {
            captions.append(action->isSeparator() ? s("-") : action->text());
        }
        return captions;
    }
    QAction* item(const QString& menuName, const QString& caption) {
        for (QAction* action : window->mainMenu().menu(menuName)->actions()) {
            if (action->text() == caption) {
                return action;
            }
        }
        return nullptr;
    }
};

TEST_F(SettingsMenusTest, FavoritePlayListsAreAddedFromTheViewMenuAndKeptAcrossRuns) {
    home.write(s("velmaro.ini"), "[Playlist]\r\nStartPlaying=0\r\n");
    start();
    EXPECT_EQ(captionsOf(s("FavPlayListsM")),
              lines({"&Add This Play List To Favorites", "&Configure Favorite Play Lists...",
                     "C&lear List of Favorite Play Lists...", "-", "No Favorite Play Lists available"}));
    // Nothing is open yet, so there is nothing to add.
    EXPECT_FALSE(item(s("FavPlayListsM"), s("&Add This Play List To Favorites"))->isEnabled());
    EXPECT_TRUE(item(s("FavPlayListsM"), s("&Configure Favorite Play Lists..."))->isEnabled());

    const QString party = writeList(s("Rock & Roll.vlp"));
    ASSERT_TRUE(window->session().document().OpenPlayList(party, true, false));
    captionsOf(s("FavPlayListsM"));
    item(s("FavPlayListsM"), s("&Add This Play List To Favorites"))->trigger();
    EXPECT_EQ(captionsOf(s("FavPlayListsM")),
              lines({"&Remove This Play List From Favorites", "&Configure Favorite Play Lists...",
                     "C&lear List of Favorite Play Lists...", "-", "&1. Rock && Roll"}));
    EXPECT_TRUE(item(s("FavPlayListsM"), s("&1. Rock && Roll"))->isChecked());
    stop();

    start();
    EXPECT_EQ(window->session().preferences().favoritePlayLists, QStringList{party});
    EXPECT_EQ(captionsOf(s("FileM")).mid(8, 1), QStringList{s("&1 Rock && Roll")});
}

TEST_F(SettingsMenusTest, AHistoryEntryOpensItsList) {
    home.write(s("velmaro.ini"), "[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n");
    start();
    const QString first = writeList(s("First.vlp"));
    const QString second = writeList(s("Second.vlp"));
    ASSERT_TRUE(window->session().document().OpenPlayList(first, true, false));
    ASSERT_TRUE(window->session().document().OpenPlayList(second, true, false));
    EXPECT_EQ(captionsOf(s("FileM")).mid(8, 2), lines({"&1 Second", "&2 First"}));
    window->action(s("History2M"))->trigger();
    EXPECT_EQ(window->session().document().fileName(), first);
    EXPECT_EQ(captionsOf(s("FileM")).mid(8, 2), lines({"&1 First", "&2 Second"}));
    EXPECT_TRUE(window->action(s("History1M"))->isChecked());
}

TEST_F(SettingsMenusTest, StoredShortcutsReachTheMenu) {
    home.write(s("velmaro.ini"), "[ShortCuts]\r\nNewM=0\r\nSaveAsM=24659\r\n");
    start();
    EXPECT_TRUE(window->action(s("NewM"))->shortcut().isEmpty());
    EXPECT_EQ(window->action(s("SaveAsM"))->shortcut().toString(), s("Ctrl+Shift+S"));
    EXPECT_EQ(window->action(s("OpenM"))->shortcut().toString(), s("Ctrl+O"));
}

TEST_F(SettingsMenusTest, PathsAndExtensionsRedrawTheListKeepingTheSelection) {
    home.write(s("velmaro.ini"), "[Playlist]\r\nStartPlaying=0\r\n");
    start();
    ASSERT_TRUE(window->session().document().OpenPlayList(writeList(s("List.vlp")), true, false));
    const QAbstractItemModel* model = window->playListBox()->model();
    EXPECT_EQ(model->index(0, 0).data().toString(), s("a.mid"));
    window->action(s("ExtensionsM"))->trigger();
    EXPECT_EQ(model->index(0, 0).data().toString(), s("a"));
    window->action(s("PathsM"))->trigger();
    EXPECT_EQ(model->index(0, 0).data().toString(), s("/m/a"));
    EXPECT_TRUE(window->session().playList().isSelected(0));
    stop();
    const QStringList settings = TextFile::readLines(home.file(s("velmaro.ini"))).lines;
    EXPECT_TRUE(settings.contains(s("ShowPath=1")));
    EXPECT_TRUE(settings.contains(s("ShowExt=0")));
}

TEST_F(SettingsMenusTest, TitlesFromTagsFillTheListAsTheyArriveKeepingTheSelection) {
    home.write(s("velmaro.ini"), "[Playlist]\r\nStartPlaying=0\r\n");
    tags.setTags(s("/m/a.mid"), s("Artist"), s("Title"));
    start();
    ASSERT_TRUE(window->session().document().OpenPlayList(writeList(s("List.vlp")), true, false));
    window->session().playList().setSelected(0, true);
    const QAbstractItemModel* model = window->playListBox()->model();
    QAction* titles = window->action(s("TagTitlesM"));
    EXPECT_FALSE(titles->isChecked());

    titles->trigger();
    EXPECT_EQ(model->index(0, 0).data().toString(), s("a.mid"));  // shown at once, filled in later
    tags.answerAll();
    EXPECT_EQ(model->index(0, 0).data().toString(), s("Artist - Title"));
    EXPECT_EQ(model->index(0, 0).data(Qt::ToolTipRole).toString(), s("/m/a.mid"));
    EXPECT_TRUE(window->session().playList().isSelected(0));
    Q_EMIT window->mainMenu().menu(s("ViewM"))->aboutToShow();
    EXPECT_TRUE(titles->isChecked());
    stop();
    EXPECT_TRUE(TextFile::readLines(home.file(s("velmaro.ini"))).lines.contains(s("ShowTitlesFromTags=1")));
}

TEST_F(SettingsMenusTest, TheWindowComesBackWhereItWas) {
    start();
    window->resize(640, 420);
    window->move(30, 40);
    QApplication::processEvents();
    const QRect before = window->geometry();
    stop();
    start();
    EXPECT_EQ(window->geometry().size(), before.size());
    stop();

    home.write(s("velmaro.ini"), "[Position]\r\nMaximized=1\r\nHeight=400\r\nWidth=600\r\nTop=10\r\nLeft=20\r\n");
    start();
    EXPECT_TRUE(window->isMaximized());
    stop();
    const QStringList settings = TextFile::readLines(home.file(s("velmaro.ini"))).lines;
    EXPECT_TRUE(settings.contains(s("Maximized=1")));
    EXPECT_TRUE(settings.contains(s("Width=600"))) << settings.join(u' ').toStdString();
    EXPECT_TRUE(settings.contains(s("Height=400")));

    // A size larger than the screens is cut to them, and the cut size is what is written back.
    home.write(s("velmaro.ini"), "[Position]\r\nHeight=4000\r\nWidth=5000\r\nTop=10\r\nLeft=20\r\n");
    start();
    const QRect screen = window->screen()->availableGeometry();
    const QSize shown = window->size();
    EXPECT_LT(shown.width(), 5000);  // the screen's width, or the window's minimum where that is wider
    EXPECT_LE(shown.height(), screen.height());
    stop();
    const QStringList cut = TextFile::readLines(home.file(s("velmaro.ini"))).lines;
    EXPECT_TRUE(cut.contains(QStringLiteral("Width=%1").arg(shown.width()))) << cut.join(u' ').toStdString();
    EXPECT_TRUE(cut.contains(QStringLiteral("Height=%1").arg(shown.height())))
        << cut.join(u' ').toStdString();
}

// The colour of the main area where no control covers it.
QColor bareAreaColour(QWidget* area) {
    const QImage image = area->grab().toImage();
    for (int y = 0; y < area->height(); y += 3) {
        for (int x = 0; x < area->width(); x += 3) {
            if (!area->childAt(x, y)) {
                return image.pixelColor(x, y);
            }
        }
    }
    ADD_FAILURE() << "every pixel of the area is covered";
    return {};
}

QWidget* area(MainWindow& window) {
    return window.findChild<QWidget*>(s("TiledBitmap"));
}

TEST_F(SettingsMenusTest, TheMainWindowAndToolbarTakeTheirColoursFromTheSettings) {
    home.write(s("velmaro.ini"), "[Paths]\r\nBitmapPath=\r\n[Color]\r\nColorMW=255\r\nDefaultColorMW=0\r\n"
                                 "TextMW=65280\r\nDefaultTextMW=0\r\nColorTB=16711680\r\nDefaultColorTB=0\r\n"
                                 "TextTB=255\r\nDefaultTextTB=0\r\n");
    start();
    EXPECT_EQ(bareAreaColour(area(*window)), QColor(255, 0, 0));
    for (const char* name : {"PlayListBoxInfo", "FileListBoxInfo", "Info", "DirLabel"}) {
        EXPECT_EQ(window->findChild<QWidget*>(s(name))->palette().color(QPalette::WindowText), QColor(0, 255, 0)) << name;
    }
    EXPECT_EQ(window->indicatorControls().progressLabel()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(prompter.messages.empty());
    stop();

    // A default flag wins over the colour stored beside it.
    home.write(s("velmaro.ini"), "[Paths]\r\nBitmapPath=\r\n[Color]\r\nColorMW=255\r\nDefaultColorMW=1\r\n");
    start();
    EXPECT_EQ(bareAreaColour(area(*window)), QApplication::palette().color(QPalette::Window));
}

TEST_F(SettingsMenusTest, APictureIsTiledAndAMissingOneIsSaid) {
    QImage tile(4, 4, QImage::Format_RGB32);
    tile.fill(QColor(0, 0, 255));
    const QString picture = home.file(s("tile.png"));
    ASSERT_TRUE(tile.save(picture));
    const QString missing = home.file(s("gone.png"));
    home.write(s("velmaro.ini"), TextFile::encode(TextFile::joinLines(
                                     {s("[Paths]"), s("BitmapPath=") + picture, s("ToolbarBitmapPath=") + missing})));
    start();
    EXPECT_EQ(bareAreaColour(area(*window)), QColor(0, 0, 255));
    ASSERT_EQ(prompter.messages.size(), 1U);
    EXPECT_EQ(prompter.messages[0].text, s("Unable to find ") + missing);
    EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Error);
}

}  // namespace
