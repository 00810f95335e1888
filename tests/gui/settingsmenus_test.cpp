#include "core/common/textfile.h"
#include "gui/app/mainmenu.h"
#include "gui/app/tvlpmain.h"
#include "gui/playlist/playlistbox.h"
#include "support/fakemediadevice.h"
#include "support/fakes.h"
#include "support/tempfolder.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A window over its own user data folder; each start() is a new run of the program.
class SettingsMenusTest : public ::testing::Test {
protected:
    TempFolder home;
    TempFolder music;
    FakePrompter prompter;
    FakeMediaDevice device;
    FakeLengthProbe probe{device};
    FakeShell shell;
    std::unique_ptr<TVLPMain> window;

    void start() {
        window = std::make_unique<TVLPMain>(
            TVLPMain::Options{{home.path(), QString(), music.path()}, {}, music.path(), &prompter, &device, &probe, &shell});
        window->show();
        QApplication::processEvents();
    }
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
    // Nothing is open yet, so there is nothing to add; configuring waits for the Preferences dialog.
    EXPECT_FALSE(item(s("FavPlayListsM"), s("&Add This Play List To Favorites"))->isEnabled());
    EXPECT_FALSE(item(s("FavPlayListsM"), s("&Configure Favorite Play Lists..."))->isEnabled());

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
}

}  // namespace
