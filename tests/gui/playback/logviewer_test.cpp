#include "gui/playback/logviewer.h"

#include "support/qtprinters.h"
#include "support/tempfolder.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

TEST(LogViewerTest, ShowsTheLogAndKeepsItsLayoutDownToItsMinimumSize) {
    TempFolder folder;
    const QString log = folder.write(s("Rock.ERR"), "2026-12-08 10:00:00  /m/a.wav  broken\r\nsecond\r\n");
    LogViewer viewer(log, true, [] { return false; });
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    EXPECT_EQ(viewer.windowTitle(), s("Album Error Log"));
    auto* memo = viewer.findChild<QPlainTextEdit*>(s("LogMemo"));
    auto* done = viewer.findChild<QPushButton*>(s("OKBtn"));
    auto* remove = viewer.findChild<QPushButton*>(s("DeleteBtn"));
    ASSERT_TRUE(memo && done && remove);
    EXPECT_EQ(memo->toPlainText(), s("2026-12-08 10:00:00  /m/a.wav  broken\nsecond"));
    EXPECT_TRUE(memo->isReadOnly());

    viewer.resize(600, 400);
    QApplication::processEvents();
    EXPECT_EQ(memo->geometry(), QRect(16, 32, 568, 320));
    EXPECT_EQ(done->geometry().width(), 292);
    EXPECT_EQ(remove->geometry().left(), done->geometry().right() + 1);
    EXPECT_EQ(done->geometry().top(), 8 + 352 + 8);

    viewer.resize(100, 50);
    QApplication::processEvents();
    EXPECT_EQ(viewer.size(), QSize(337, 209)) << "the viewer refuses to shrink below its minimum";
    EXPECT_GT(memo->height(), 0);
    EXPECT_LE(remove->geometry().right(), viewer.width());
}

TEST(LogViewerTest, ADeleteThatDidNotHappenKeepsTheViewerOpenAndOneThatDidClosesIt) {
    TempFolder folder;
    const QString log = folder.write(s("Rock.LOG"), "a\r\n");
    bool deletes = false;
    int asked = 0;
    LogViewer viewer(log, false, [&] {
        ++asked;
        return deletes;
    });
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    EXPECT_EQ(viewer.windowTitle(), s("Album Log"));
    auto* remove = viewer.findChild<QPushButton*>(s("DeleteBtn"));
    click(remove);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(viewer.isVisible());
    deletes = true;
    click(remove);
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_EQ(viewer.result(), QDialog::Accepted);
}

TEST(LogViewerTest, ALogRemovedBeforeItIsShownShowsEmpty) {
    TempFolder folder;
    LogViewer viewer(folder.file(s("gone.LOG")), false, [] { return false; });
    EXPECT_TRUE(viewer.findChild<QPlainTextEdit*>(s("LogMemo"))->toPlainText().isEmpty());
}

}  // namespace
