#include "core/common/textfile.h"
#include "gui/playback/indicatorcontrols.h"
#include "gui/playlist/playlistbox.h"
#include "support/windowtest.h"

#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// What the window's own input does besides its commands (a double-click, a drop, Enter in the path
// edit, the position bar) runs as one command: the Play List's controls and the states are brought up
// to date once, when it is done.
class WindowInputTest : public WindowTest {
protected:
    void SetUp() override {
        writeQuietSettings();
        QStringList items;
        for (const char* name : {"a.mid", "b.mid", "c.mid"}) {
            items.append(s("[FILE=\"") + music.write(s(name), "MThd") + s("\", L=0]"));
        }
        parameters = {writePlayList(s("list.vlp"), items)};
        startWindow();
        QApplication::processEvents();
        controlsShown = std::make_unique<QSignalSpy>(&session->editor(), &PlayListEditor::clicked);
        announced = std::make_unique<QSignalSpy>(&session->commands(), &CommandTable::statesChanged);
        commands = std::make_unique<QSignalSpy>(&session->dispatcher(), &CommandDispatcher::commandFinished);
    }

    void clearSpies() {
        QApplication::processEvents();
        controlsShown->clear();
        announced->clear();
        commands->clear();
    }

    void doubleClickLine(int row) {
        PlayListBox* box = window->playListBox();
        const QRect line = box->visualRect(box->model()->index(row, 0));
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                           box->viewport()->mapTo(window.get(), line.center()));
    }

    std::unique_ptr<QSignalSpy> controlsShown;
    std::unique_ptr<QSignalSpy> announced;
    std::unique_ptr<QSignalSpy> commands;
};

TEST_F(WindowInputTest, ADoubleClickOnALinePlaysItAsOneCommand) {
    doubleClickLine(1);
    EXPECT_EQ(device.fileName(), music.file(s("b.mid")));
    EXPECT_EQ(commands->count(), 1);
    EXPECT_TRUE(window->action(s("StopM"))->isEnabled());
}

TEST_F(WindowInputTest, FilesDroppedOnTheWindowAreAddedAsOneCommand) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(music.write(s("d.mid"), "MThd")),
                  QUrl::fromLocalFile(music.write(s("e.mid"), "MThd"))});
    const QPoint at = window->playListBox()->mapTo(window.get(), QPoint(10, 10));
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    EXPECT_EQ(session->playList().count(), 5);
    EXPECT_EQ(commands->count(), 1);
    EXPECT_EQ(controlsShown->count(), 1);
    EXPECT_EQ(announced->count(), 1);
    EXPECT_EQ(window->action(s("UndoM"))->text(), s("U&ndo Add Item(s)"));
}

TEST_F(WindowInputTest, EnterInThePathEditReplacesTheItemAsOneCommand) {
    doubleClickLine(0);
    clearSpies();
    QLineEdit* path = window->findChild<QLineEdit*>(s("FullPathEdit"));
    path->setFocus();
    path->selectAll();
    QTest::keyClicks(path, music.write(s("z.mid"), "MThd"));
    QTest::keyClick(path, Qt::Key_Return);
    EXPECT_EQ(session->playList().line(0), s("z.mid"));
    EXPECT_EQ(commands->count(), 1);
    EXPECT_EQ(controlsShown->count(), 1);
}

TEST_F(WindowInputTest, AStepOfThePositionBarMovesPlaybackAsOneCommand) {
    doubleClickLine(0);
    clearSpies();
    QSlider* bar = window->indicatorControls().positionBar();
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_PageUp);
    EXPECT_GT(device.position(), 0);
    EXPECT_EQ(commands->count(), 1);
}

}  // namespace
