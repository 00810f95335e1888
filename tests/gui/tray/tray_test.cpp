#include "core/common/itemref.h"
#include "gui/help/welcomebox.h"
#include "gui/settings/preferencesdialog.h"
#include "gui/tray/trayicon.h"
#include "gui/tray/traylistbox.h"
#include "support/qtprinters.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The window over a Play List of files "00.mid", "01.mid"... in the music folder.
class TrayTest : public WindowTest {
protected:
    void startWith(int items, const char* settings = "[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n") {
        home.write(s("velmaro.ini"), settings);
        QStringList lines;
        for (int i = 0; i < items; ++i) {
            lines.append(MakeFileItem(music.write(name(i), "MThd")));
        }
        parameters = {writePlayList(s("list.vlp"), lines)};
        startWindow();
        for (int turn = 0; turn < 200 && session->playList().lineCount() < items; ++turn) {
            QTest::qWait(10);
        }
        ASSERT_EQ(session->playList().lineCount(), items);
    }
    static QString name(int i) { return QStringLiteral("%1.mid").arg(i, 2, 10, QChar(u'0')); }

    TrayListBox* box() const { return window->trayIcon().listBox(); }
    QString secondStart(const char* command) {
        const QString refused = session->dispatcher().execute(s(command), CommandOrigin::Outside);
        QApplication::processEvents();
        return refused;
    }
    QPoint rowCentre(int row) const {
        QListWidget* list = box()->listBox();
        return list->visualItemRect(list->item(row)).center();
    }
    // As the window system delivers it, so that the list sees the press before the double-click.
    void doubleClickRow(int row) {
        QTest::mouseDClick(box()->windowHandle(), Qt::LeftButton, {},
                           box()->listBox()->viewport()->mapTo(box(), rowCentre(row)));
    }
    void clickRow(int row, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(box()->listBox()->viewport(), Qt::LeftButton, keys, rowCentre(row));
    }
};

// A second start's select-playlist opens the box on the Play List; three lines chosen there are the Play
// List's selection when the first of them starts, and the box stays open for the next choice.
TEST_F(TrayTest, ThreeItemsChosenInTheTrayListAreSelectedInThePlayListBeforePlaying) {
    startWith(6);
    EXPECT_TRUE(secondStart("select-playlist").isEmpty());
    ASSERT_TRUE(box()->isVisible());
    EXPECT_EQ(box()->windowTitle(), s("Choose item to play"));
    ASSERT_EQ(ShownTexts(box()->listBox()),
              lines({"00.mid", "01.mid", "02.mid", "03.mid", "04.mid", "05.mid"}));

    clickRow(1);
    clickRow(3, Qt::ControlModifier);
    clickRow(4, Qt::ControlModifier);
    QTest::mouseClick(box()->playButton(), Qt::LeftButton);
    QApplication::processEvents();

    EXPECT_EQ(session->playList().selectedLines(), (std::vector<qsizetype>{1, 3, 4}));
    EXPECT_EQ(device.fileName(), music.file(name(1)));
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    EXPECT_TRUE(box()->isVisible());
}

// With an empty Play List the command says why it cannot run; the box opened anyway offers nothing to
// play, and neither Play nor a double-click plays anything.
TEST_F(TrayTest, PlayAndDoubleClickDoNothingWhileNoItemsAreAvailable) {
    startWith(0);
    EXPECT_EQ(secondStart("select-playlist"), s("The Play List is empty."));
    EXPECT_FALSE(box()->isVisible());

    box()->openIn(TrayList::Mode::PlayList);
    QApplication::processEvents();
    EXPECT_EQ(ShownTexts(box()->listBox()), lines({"No items available"}));
    EXPECT_FALSE(box()->listBox()->isEnabled());
    doubleClickRow(0);
    QTest::mouseClick(box()->playButton(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(device.fileName().isEmpty());
}

// select-list opens the box on the File List, one line at a time; a double-click plays that file from
// the File List, which shows it selected.
TEST_F(TrayTest, ADoubleClickInTheFileListModePlaysTheFileFromTheFileList) {
    startWith(3);
    EXPECT_TRUE(secondStart("select-list").isEmpty());
    ASSERT_TRUE(box()->isVisible());
    EXPECT_EQ(box()->listBox()->selectionMode(), QAbstractItemView::SingleSelection);
    const int row = static_cast<int>(ShownTexts(box()->listBox()).indexOf(name(2)));
    ASSERT_GE(row, 0);

    doubleClickRow(row);
    QApplication::processEvents();
    EXPECT_EQ(device.fileName(), music.file(name(2)));
    const FileList& files = session->fileManagement().files();
    EXPECT_EQ(files.selectedCount(), 1);
    EXPECT_EQ(files.name(files.focusedLine()), name(2));
}

// The tray menu: its items in order under the tray's captions, Pause drawn bold, and each item enabled
// as the command it shows when the menu opens.
TEST_F(TrayTest, TheTrayMenuShowsItsCommandsAsTheyStandWhenItOpens) {
    startWith(2);
    QMenu* menu = window->trayIcon().menu();
    menu->popup(QPoint(0, 0));
    QApplication::processEvents();
    QStringList captions;
    for (const QAction* action : menu->actions()) {
        captions.append(action->isSeparator() ? s("-") : action->text());
    }
    EXPECT_EQ(captions,
              lines({"Pla&y", "Select item from Play List", "Select item from File List / CD Audio List", "-",
                     "P&ause", "&Stop", "&Rewind", "-", "Pre&vious", "&Next", "-", "Pl&ay List",
                     "P&osition in Item", "-", "&Mixer", "&Help", "-", "&Restore", "E&xit Velmaro"}));
    EXPECT_EQ(menu->defaultAction()->text(), s("P&ause"));
    const auto item = [&](int index) { return menu->actions().at(index); };
    EXPECT_TRUE(item(0)->isEnabled());
    EXPECT_TRUE(item(1)->isEnabled());
    EXPECT_FALSE(item(4)->isEnabled()) << "nothing plays";
    QMenu* position = item(12)->menu();
    ASSERT_NE(position, nullptr);
    ASSERT_EQ(position->actions().size(), 5);
    EXPECT_FALSE(position->actions().at(2)->isEnabled());
    menu->hide();

    session->runCommand(s("PlayM"));
    QApplication::processEvents();
    menu->popup(QPoint(0, 0));
    QApplication::processEvents();
    EXPECT_TRUE(item(4)->isEnabled());
    EXPECT_TRUE(position->actions().at(2)->isEnabled());
    QMenu* options = item(11)->menu();
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->actions().at(2)->text(), s("&Auto Play"));
    EXPECT_EQ(options->actions().at(2)->isChecked(), session->preferences().autoPlay);
    menu->hide();
}

// On a desktop without a notification area there is no icon, whatever the settings ask, and the tray
// page says why its options do nothing.
TEST_F(TrayTest, WithoutANotificationAreaTheTrayPageSaysWhyItsOptionsDoNothing) {
    if (TrayIcon::trayAvailable()) {
        GTEST_SKIP() << "this desktop has a notification area";
    }
    startWith(1,
              "[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n[Tray]\r\nUseTray=1\r\nDisplayAlways=1\r\n");
    EXPECT_FALSE(window->trayIcon().icon().isVisible());
    QWidget* page = window->preferencesDialog()->page(PreferencesPage::Tray);
    ASSERT_NE(page, nullptr);
    bool explained = false;
    for (const QLabel* label : page->findChildren<QLabel*>()) {
        explained = explained || label->text().contains(s("no notification area"));
    }
    EXPECT_TRUE(explained);
}

// The notification area of a real X display, kept by trayer.
class TrayOnX11Test : public TrayTest {
protected:
    QProcess host;

    void SetUp() override {
        if (QGuiApplication::platformName() != u"xcb") {
            GTEST_SKIP() << "the tray needs a window system; the X11 run covers it";
        }
        host.start(s("trayer"), {s("--expand"), s("false"), s("--width"), s("10")});
        ASSERT_TRUE(host.waitForStarted()) << "trayer is not installed: scripts/install-deps.sh installs it";
        for (int turn = 0; turn < 500 && !QSystemTrayIcon::isSystemTrayAvailable(); ++turn) {
            QTest::qWait(10);
        }
        ASSERT_TRUE(QSystemTrayIcon::isSystemTrayAvailable());
    }
    void TearDown() override {
        window.reset();
        if (host.state() != QProcess::NotRunning) {
            host.terminate();
            host.waitForFinished();
        }
    }

    // The icon's own window in the notification area, which takes the clicks.
    QWidget* iconWidget() const {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->inherits("QSystemTrayIconSys") && widget->isVisible()) {
                return widget;
            }
        }
        return nullptr;
    }
    void startShowingTheIcon(int items) {
        startWith(
            items,
            "[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n[Tray]\r\nUseTray=1\r\nDisplayAlways=1\r\n");
        for (int turn = 0; turn < 300 && !iconWidget(); ++turn) {
            QTest::qWait(10);
        }
    }
    static void waitPastTheDoubleClickTime() {
        QTest::qWait(QApplication::styleHints()->mouseDoubleClickInterval() + 200);
    }
};

TEST_F(TrayOnX11Test, ADoubleClickRestoresTheWindowWithoutTogglingPause) {
    startShowingTheIcon(2);
    QWidget* icon = iconWidget();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(window->trayIcon().icon().toolTip(), s("Velmaro 4.02"));
    session->runCommand(s("PlayM"));
    QApplication::processEvents();
    ASSERT_EQ(device.mode(), MediaDevice::Playing);
    window->setWindowState(Qt::WindowMinimized);
    QApplication::processEvents();

    QTest::mouseDClick(icon->windowHandle(), Qt::LeftButton, {}, icon->rect().center());
    waitPastTheDoubleClickTime();
    EXPECT_FALSE(window->isMinimized());
    EXPECT_EQ(device.mode(), MediaDevice::Playing);

    // One click, on its own, pauses.
    QTest::mouseClick(icon->windowHandle(), Qt::LeftButton, {}, icon->rect().center());
    waitPastTheDoubleClickTime();
    EXPECT_EQ(device.mode(), MediaDevice::Paused);
}

TEST_F(TrayOnX11Test, ASingleClickWhileNothingPlaysDoesNothing) {
    startShowingTheIcon(2);
    QWidget* icon = iconWidget();
    ASSERT_NE(icon, nullptr);
    QTest::mouseClick(icon->windowHandle(), Qt::LeftButton, {}, icon->rect().center());
    waitPastTheDoubleClickTime();
    EXPECT_TRUE(device.fileName().isEmpty());
    EXPECT_FALSE(session->controller().transport().pauseDown);
}

// The Welcome box at start keeps the icon away until it closes.
TEST_F(TrayOnX11Test, TheIconWaitsForTheWelcomeBoxToClose) {
    welcomeBox = true;
    bool hiddenMeanwhile = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* welcome = qobject_cast<WelcomeBox*>(QApplication::activeModalWidget());
        if (welcome == nullptr) {
            return;
        }
        poll.stop();
        hiddenMeanwhile = !window->trayIcon().icon().isVisible();
        QTest::mouseClick(welcome->findChild<QPushButton*>(s("ContBtn")), Qt::LeftButton);
    });
    poll.start(10);
    startWith(1,
              "[General]\r\nShowWelcomeScreen=1\r\n[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n"
              "[Tray]\r\nUseTray=1\r\nDisplayAlways=1\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !poll.isActive(); }, 3000)) << "no Welcome box";
    EXPECT_TRUE(hiddenMeanwhile);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->trayIcon().icon().isVisible(); }, 2000));
}

// "Only Display Tray Icon When Minimized": the icon comes with the minimized window and goes with it.
TEST_F(TrayOnX11Test, TheIconOnlyWhenMinimizedFollowsTheWindow) {
    startWith(1,
              "[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n[Tray]\r\nUseTray=1\r\nDisplayAlways=0\r\n");
    QSystemTrayIcon& icon = window->trayIcon().icon();
    EXPECT_FALSE(icon.isVisible());
    window->setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(QTest::qWaitFor([&] { return icon.isVisible(); }, 2000));
    window->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !icon.isVisible(); }, 2000));
}

}  // namespace
