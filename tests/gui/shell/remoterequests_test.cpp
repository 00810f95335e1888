#include "core/common/textfile.h"
#include "core/common/itemref.h"
#include "gui/files/filelistbox.h"
#include "gui/playlist/playlistbox.h"
#include "gui/ports/qtclipboard.h"
#include "gui/ports/qtprompter.h"
#include "gui/shell/mainwindow.h"
#include "support/fakemediadevice.h"
#include "support/fakes.h"
#include "support/tempfolder.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// The window with its real message boxes, and what a second start hands over arriving as main() hands
// it on: the window comes to the front, then the command or the files go to the session.
class RemoteRequestTest : public ::testing::Test {
protected:
    TempFolder home;
    TempFolder music;
    QtPrompter prompter;
    FakeMediaDevice device;
    FakeLengthProbe probe{device};
    FakeShell shell;
    QtClipboard clipboard;
    std::unique_ptr<AppSession> session;
    std::unique_ptr<MainWindow> window;

    void TearDown() override {
        window.reset();
        session.reset();
    }

    void startWindow(const QStringList& items, bool startPlaying = false) {
        home.write(s("velmaro.ini"), startPlaying ? "[Playlist]\r\nStartPlaying=1\r\nOpenLastPL=0\r\n"
                                                  : "[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n");
        const QStringList header{s("[General]"), s("LastPlayed="), QString(), s("[Items]")};
        const QString list =
            music.write(s("list.vlp"), TextFile::encode(TextFile::joinLines(header + items)));
        session = std::make_unique<AppSession>(
            AppSession::Folders{home.path(), QString(), music.path()},
            AppSession::Ports{prompter, device, clipboard, probe, nullptr, nullptr, &shell});
        window = std::make_unique<MainWindow>(*session, MainWindow::Options{{list}, music.path()});
        prompter.setParentWidget(window.get());
        window->show();
        window->resize(900, 500);
        for (int turn = 0; turn < 200 && session->playList().lineCount() < items.size(); ++turn) {
            QTest::qWait(10);
        }
        ASSERT_EQ(session->playList().lineCount(), items.size());
    }

    void doubleClickPlayListLine(int line) {
        PlayListBox* box = window->playListBox();
        const QRect rect = box->visualRect(box->model()->index(line, 0));
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                           box->viewport()->mapTo(window.get(), rect.center()));
    }

    QString sendCommand(const QString& name) {
        window->bringToFront();
        return session->dispatcher().execute(name, CommandOrigin::Outside);
    }

    // Runs inside once a message box is up over the window; inside closes it.
    static void whileBoxOpen(const std::function<void(QMessageBox&)>& inside, QTimer& poll) {
        QObject::connect(&poll, &QTimer::timeout, [&poll, inside] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box && box->isVisible()) {
                poll.stop();
                inside(*box);
            }
        });
        poll.start(10);
    }
};

// Exit from a second start while the error box of an unplayable item waits for the user (the list
// started playing as it opened): it waits too, and the window closes once the box is answered.
TEST_F(RemoteRequestTest, ExitSentWhileAnErrorBoxIsOpenClosesTheWindowOnceTheBoxIsAnswered) {
    const QString broken = music.write(s("broken.wav"), "RIFF");
    device.files[broken].failure = s("The file is damaged.");

    QTimer poll;
    QString reply = s("not sent");
    bool visibleWithTheBox = false;
    whileBoxOpen(
        [&](QMessageBox& box) {
            reply = sendCommand(s("exit"));
            QTest::qWait(50);
            visibleWithTheBox = window->isVisible() && box.isVisible();
            QTest::keyClick(&box, Qt::Key_Escape);
        },
        poll);
    startWindow({MakeFileItem(broken)}, true);
    for (int turn = 0; turn < 200 && reply == s("not sent"); ++turn) {
        QTest::qWait(10);
    }
    EXPECT_TRUE(reply.isEmpty()) << reply.toStdString();
    EXPECT_TRUE(visibleWithTheBox);
    for (int turn = 0; turn < 100 && window->isVisible(); ++turn) {
        QTest::qWait(10);
    }
    EXPECT_FALSE(window->isVisible()) << "the exit was dropped";
}

// "velmaro song.wav" while a Play List item plays: the song plays, as a double-click on it would.
TEST_F(RemoteRequestTest, AMediaFileGivenWhileAnotherItemPlaysIsPlayed) {
    const QString first = music.write(s("first.wav"), "RIFF");
    const QString song = music.write(s("Songs/song.wav"), "RIFF");
    music.write(s("Songs/other.wav"), "RIFF");
    startWindow({MakeFileItem(first)});
    doubleClickPlayListLine(0);
    ASSERT_EQ(device.fileName(), first);
    ASSERT_EQ(device.mode(), MediaDevice::Playing);

    window->bringToFront();
    session->processForwardedParameters({s("Songs/song.wav")}, music.path());
    QApplication::processEvents();
    EXPECT_EQ(device.fileName(), song);
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    auto* files = window->findChild<FileListBox*>(s("FileListBox"));
    ASSERT_NE(files, nullptr);
    ASSERT_EQ(files->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(files->selectionModel()->selectedRows().at(0).data().toString(), s("song.wav"));
}

}  // namespace
