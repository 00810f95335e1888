// The window while an item opens: it paints and takes the mouse and keys, the status bar says what is
// being opened, and what the user does meanwhile wins over the item that was opening.
#include "support/windowtest.h"

#include "gui/playlist/playlistbox.h"

#include <QAbstractItemView>
#include <QStatusBar>
#include <QTest>

namespace {

class OpeningWindowTest : public WindowTest {
protected:
    TempFolder shipped;

    void SetUp() override {
        for (const char* name : {"Moonlight Sonata.mid", "Für Elise.mid"}) {
            shipped.write(s("Samples/") + s(name), "MThd");
        }
        device.files[shipped.file(s("Samples/Moonlight Sonata.mid"))].openDelay = FakeMediaDevice::kNeverReady;
        device.files[shipped.file(s("Samples/Für Elise.mid"))].openDelay = 500;
        startWindow(QSize(900, 400), shipped.file(s("Samples")));
        QApplication::processEvents();
    }

    void doubleClickLine(int row) {
        auto* box = window->playListBox();
        const QRect line = box->visualRect(box->model()->index(row, 0));
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                           box->viewport()->mapTo(window.get(), line.center()));
    }
};

TEST_F(OpeningWindowTest, AnotherDoubleClickOrStopWinsOverTheItemThatIsOpening) {
    doubleClickLine(0);
    ASSERT_TRUE(device.isOpening());
    EXPECT_TRUE(window->windowTitle().contains(s("Moonlight Sonata.mid")));
    // After a second of waiting the status bar says what is being opened.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return window->statusBar()->currentMessage() == s("Opening Moonlight Sonata.mid..."); }, 3000))
        << window->statusBar()->currentMessage().toStdString();

    doubleClickLine(1);
    device.advance(500);
    EXPECT_EQ(device.fileName(), shipped.file(s("Samples/Für Elise.mid")));
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());
    EXPECT_EQ(device.log.count(s("open ") + shipped.file(s("Samples/Moonlight Sonata.mid"))), 0);

    doubleClickLine(0);
    ASSERT_TRUE(device.isOpening());
    EXPECT_TRUE(window->action(s("StopM"))->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);  // Stop
    EXPECT_FALSE(device.isOpening());
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(window->windowTitle(), s("Velmaro 4.02"));
    EXPECT_TRUE(window->action(s("PlayM"))->isEnabled());
}

}  // namespace
