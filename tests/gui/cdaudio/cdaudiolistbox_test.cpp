#include "core/cdaudio/cdaudiolist.h"
#include "core/cdaudio/cdidentifier.h"
#include "core/common/itemref.h"
#include "gui/cdaudio/cdaudiolistbox.h"
#include "gui/cdaudio/trackcolumnbox.h"
#include "gui/playlist/playlistbox.h"
#include "gui/shell/mainarea.h"
#include "support/mousedrag.h"
#include "support/qtprinters.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A disc of this many tracks, track t lasting t minutes and 7 seconds.
void FillDisc(CDAudioList& tracks, qint32 cdid, int count) {
    QStringList names;
    QList<qint64> lengths;
    for (int t = 1; t <= count; ++t) {
        names.append(s("Song ") + QString::number(t));
        lengths.append(t * 60000 + 7000);
    }
    tracks.fill(cdid, names, lengths);
    tracks.setEnabled(true);
}

// The CD Audio List box with its number and length columns, placed as the main window places them.
class CDAudioListBoxTest : public ::testing::Test {
protected:
    CDAudioList tracks;
    QWidget host;
    CDAudioListBox* box = new CDAudioListBox(tracks, &host);
    TrackColumnBox* numbers = new TrackColumnBox(TrackColumnBox::Column::Numbers, *box, &host);
    TrackColumnBox* lengths = new TrackColumnBox(TrackColumnBox::Column::Lengths, *box, &host);

    void SetUp() override {
        numbers->setGeometry(0, 0, 30, 160);
        lengths->setGeometry(29, 0, 50, 160);
        box->setGeometry(77, 0, 200, 160);
        host.resize(280, 160);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }
    QPoint lineCentre(int line) const { return box->visualRect(box->model()->index(line, 0)).center(); }
};

TEST_F(CDAudioListBoxTest, ClicksSelectInCoreAndADoubleClickOrEnterAsksToPlay) {
    FillDisc(tracks, 1234567, 5);
    QSignalSpy clicked(box, &CDAudioListBox::clicked);
    QSignalSpy play(box, &CDAudioListBox::playRequested);
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, lineCentre(1));
    QTest::mouseClick(box->viewport(), Qt::LeftButton, Qt::ShiftModifier, lineCentre(3));
    EXPECT_EQ(tracks.selectedCount(), 3);
    EXPECT_TRUE(tracks.isSelected(1) && tracks.isSelected(2) && tracks.isSelected(3));
    EXPECT_EQ(tracks.focusedLine(), 3);
    EXPECT_GE(clicked.count(), 2);
    EXPECT_EQ(tracks.selectedItems(), lines({"[CDID=1234567, T=2]", "[CDID=1234567, T=3]", "[CDID=1234567, T=4]"}));
    EXPECT_EQ(play.count(), 0);

    // Core's own changes show in the box and are no clicks of the user.
    const int clicks = static_cast<int>(clicked.count());
    tracks.selectOnly(4);
    EXPECT_EQ(box->selectionModel()->selectedRows().size(), 1);
    EXPECT_TRUE(box->selectionModel()->isRowSelected(4));
    EXPECT_EQ(clicked.count(), clicks);

    QTest::mouseDClick(host.windowHandle(), Qt::LeftButton, {}, box->viewport()->mapTo(&host, lineCentre(0)));
    EXPECT_EQ(play.count(), 1);
    EXPECT_TRUE(tracks.isSelected(0));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(play.count(), 2);

    // A new disc starts unselected.
    FillDisc(tracks, 7654321, 2);
    EXPECT_TRUE(box->selectionModel()->selectedRows().isEmpty());
    EXPECT_EQ(box->model()->rowCount(), 2);
}

TEST_F(CDAudioListBoxTest, TheColumnsShowEveryLineBesideTheListAndScrollWithItByKeys) {
    FillDisc(tracks, 99, 40);
    for (TrackColumnBox* column : {numbers, lengths}) {
        EXPECT_EQ(column->lineCount(), 40);
        EXPECT_FALSE(column->isEnabled());
    }
    EXPECT_EQ(numbers->lineText(8), s("9."));
    EXPECT_EQ(lengths->lineText(8), s("09:07"));
    box->setFocus();
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, lineCentre(0));
    QTest::keyClick(box, Qt::Key_End);
    QApplication::processEvents();
    const qsizetype top = box->topLine();
    EXPECT_GT(top, 20);
    EXPECT_EQ(box->indexAt(QPoint(2, 2)).row(), top);
    EXPECT_TRUE(box->viewport()->rect().contains(lineCentre(39)));
    EXPECT_EQ(numbers->topLine(), top);
    EXPECT_EQ(lengths->topLine(), top);
    QTest::keyClick(box, Qt::Key_Home);
    QApplication::processEvents();
    EXPECT_EQ(box->topLine(), 0);
    EXPECT_EQ(numbers->topLine(), 0);
    EXPECT_EQ(lengths->topLine(), 0);

    // A stored disc that is not in the drive has no lengths; a shorter disc starts at its top.
    tracks.fill(99, lines({"One", "Two"}), {-1, -1});
    EXPECT_EQ(lengths->lineText(1), s("N / A"));
    EXPECT_EQ(numbers->topLine(), 0);
}

// Drag and drop needs a window system: the offscreen platform ends every drag at once.
class CDAudioListDragTest : public WindowTest {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() == u"offscreen") {
            GTEST_SKIP() << "drag and drop needs a window system; the X11 run covers it";
        }
        device.disc = std::make_shared<FakeDisc>(FakeDisc{{60000, 70000, 80000, 90000}, {}});
        writeQuietSettings();
        QStringList items;
        for (const char* name : {"a.mid", "b.mid"}) {
            items.append(s("[FILE=\"") + music.write(s(name), "x") + s("\", L=0]"));
        }
        const QString list = writePlayList(s("list.vlp"), items);
        startWindow();
        ASSERT_TRUE(window->session().document().OpenPlayList(list, false, false));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
};

TEST_F(CDAudioListDragTest, LinesDraggedOntoThePlayListAreInsertedAsTracksWhereDropped) {
    // CD Audio Mode as the user enters it, with the disc in the drive.
    window->session().runCommand(s("CDAudioModeM"));
    QApplication::processEvents();
    auto* box = window->findChild<CDAudioListBox*>(s("CDAudioListBox"));
    ASSERT_TRUE(box && box->isVisible());
    ASSERT_EQ(box->model()->rowCount(), 4);

    const auto centre = [](QAbstractItemView* view, int line) {
        return view->visualRect(view->model()->index(line, 0)).center();
    };
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, centre(box, 1));
    QTest::mouseClick(box->viewport(), Qt::LeftButton, Qt::ControlModifier, centre(box, 3));
    ASSERT_EQ(window->session().cdAudio().list().selectedCount(), 2);
    PlayListBox* playListBox = window->playListBox();
    MouseDrag::dragWithMouse(box->viewport(), centre(box, 3), playListBox->viewport(), centre(playListBox, 1));

    const PlayList& playList = window->session().playList();
    const qint32 cdid = ComputeCDID(300000, 4, 60000);
    ASSERT_EQ(playList.count(), 4);
    EXPECT_EQ(playList.item(1), MakeCDItem(cdid, 2));
    EXPECT_EQ(playList.item(2), MakeCDItem(cdid, 4));
    EXPECT_TRUE(playList.isSelected(1) && playList.isSelected(2));
    EXPECT_TRUE(window->session().document().isChanged());

    // Play List lines dropped on the CD Audio List leave the Play List.
    QTest::mouseClick(playListBox->viewport(), Qt::LeftButton, {}, centre(playListBox, 0));
    MouseDrag::dragWithMouse(playListBox->viewport(), centre(playListBox, 0), box->viewport(), centre(box, 0));
    ASSERT_EQ(playList.count(), 3);
    EXPECT_EQ(playList.item(0), MakeCDItem(cdid, 2));
}

}  // namespace
