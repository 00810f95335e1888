#include "core/app/trayclicks.h"
#include "core/app/traylist.h"
#include "core/common/itemref.h"
#include "support/qtprinters.h"
#include "support/sessionfixture.h"

#include <memory>

namespace {

class TrayListTest : public SessionFixture {
protected:
    void SetUp() override { writeSettings({s("[Playlist]"), s("StartPlaying=0"), s("OpenLastPL=0")}); }

    // A Play List of files "00.mid", "01.mid"... in the music folder, opened.
    void openList(int items) {
        QStringList lines;
        for (int i = 0; i < items; ++i) {
            lines.append(MakeFileItem(music.write(name(i), "MThd")));
        }
        start({writeList(s("list.vlp"), lines)});
        nextTurn();
        tray = std::make_unique<TrayList>(TrayList::Context{
            session->playListMedia(), session->fileListMedia(), session->cdListMedia(), session->playList(),
            session->fileManagement().files(), session->cdAudio().list(),
            [this](MediaList& list) { session->controller().playFrom(list); }});
    }
    static QString name(int i) { return QStringLiteral("%1.mid").arg(i, 2, 10, QChar(u'0')); }

    std::unique_ptr<TrayList> tray;
};

// The lines chosen in the box are the Play List's selection, and the first of them is the one that
// plays, wherever the Play List's focus stood before.
TEST_F(TrayListTest, TheChosenPlayListLinesAreSelectedAndTheFirstOfThemPlays) {
    openList(6);
    PlayList& list = session->playList();
    list.selectOnly(5);
    list.setFocusedLine(5);
    tray->open(TrayList::Mode::PlayList);
    ASSERT_EQ(tray->shownLines().size(), 6);

    EXPECT_TRUE(tray->play({4, 1, 2}));
    EXPECT_EQ(list.selectedLines(), (std::vector<qsizetype>{1, 2, 4}));
    EXPECT_EQ(list.focusedLine(), 1);
    EXPECT_EQ(device.fileName(), music.file(name(1)));
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
}

// Nothing plays from "No items available", from no choice, or from rows whose lines are gone or are
// other lines now than the box shows.
TEST_F(TrayListTest, NoRowOutsideTheListOrChangedSinceTheBoxOpenedIsPlayed) {
    openList(0);
    tray->open(TrayList::Mode::PlayList);
    EXPECT_EQ(tray->shownLines(), QStringList{TrayList::noItemsText()});
    EXPECT_FALSE(tray->hasItems());
    EXPECT_FALSE(tray->play({0}));

    openList(3);
    tray->open(TrayList::Mode::PlayList);
    EXPECT_FALSE(tray->play({}));
    EXPECT_FALSE(tray->play({-1, 3, 70}));
    // The first line goes behind the box's back: every row now stands for another line, or for none.
    PlayList& list = session->playList();
    list.selectOnly(0);
    session->runCommand(s("RemoveM"));
    nextTurn();
    ASSERT_EQ(list.count(), 2);
    EXPECT_FALSE(tray->play({0, 1, 2}));
    EXPECT_TRUE(device.fileName().isEmpty());
    // Filled again, the box plays what it shows.
    tray->open(TrayList::Mode::PlayList);
    EXPECT_TRUE(tray->play({1}));
    EXPECT_EQ(device.fileName(), music.file(name(2)));
}

// The menu's two list items are off while their list is empty, and say so when a second start asks.
TEST_F(TrayListTest, TheTrayListItemsAreOffWhileTheirListIsEmpty) {
    openList(0);
    nextTurn();
    CommandTable& commands = session->commands();
    commands.refreshNow();
    EXPECT_FALSE(commands.state(s("SelectPLTPM")).enabled);
    commands.bind(s("SelectPLTPM"), [] {});
    commands.refreshNow();
    EXPECT_FALSE(commands.state(s("select-playlist")).enabled);
    EXPECT_EQ(session->dispatcher().availability(s("select-playlist"), CommandOrigin::Outside),
              s("The Play List is empty."));

    openList(2);
    session->commands().bind(s("SelectPLTPM"), [] {});
    session->commands().refreshNow();
    EXPECT_TRUE(session->commands().state(s("select-playlist")).enabled);
}

// Under the notification area's double-click time a click waits to see whether a second one follows.
class TrayClicksTest : public SessionFixture {
protected:
    int pauses = 0;
    int restores = 0;
    bool pauseEnabled = true;
    bool shuttingDown = false;
    TrayClicks clicks{{[this] { return pauseEnabled; }, [this] { ++pauses; }, [this] { ++restores; },
                       [this] { return shuttingDown; }},
                      400};
};

TEST_F(TrayClicksTest, ADoubleClickRestoresWithoutTogglingPause) {
    clicks.clicked();
    clicks.doubleClicked();
    clicks.timerFired();
    EXPECT_EQ(restores, 1);
    EXPECT_EQ(pauses, 0);
    // The next click is a click again.
    clicks.clicked();
    clicks.timerFired();
    EXPECT_EQ(pauses, 1);
}

TEST_F(TrayClicksTest, AClickPausesOnlyWhenPauseIsOnAndTheProgramIsNotEnding) {
    pauseEnabled = false;
    clicks.clicked();
    EXPECT_TRUE(clicks.isWaiting());
    clicks.timerFired();
    EXPECT_EQ(pauses, 0) << "nothing plays";

    pauseEnabled = true;
    shuttingDown = true;
    clicks.clicked();
    clicks.timerFired();
    EXPECT_EQ(pauses, 0);

    shuttingDown = false;
    clicks.clicked();
    clicks.timerFired();
    EXPECT_EQ(pauses, 1);
    EXPECT_FALSE(clicks.isWaiting());
}

// A double-click the notification area reports without its first click leaves no mark that would eat
// the next click.
TEST_F(TrayClicksTest, ALoneDoubleClickDoesNotSwallowTheNextClick) {
    clicks.doubleClicked();
    EXPECT_EQ(restores, 1);
    clicks.clicked();
    clicks.timerFired();
    EXPECT_EQ(pauses, 1);
}

}  // namespace
