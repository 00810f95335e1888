#include "gui/files/filelistbox.h"
#include "gui/files/folderlistbox.h"
#include "support/windowtest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// The right-hand side of the window over a music folder: browsing, filtering and playing as a user
// does it, with the mouse and the keys.
class FileManagementPanelTest : public WindowTest {
protected:
    void SetUp() override {
        writeQuietSettings();
        for (const char* name : {"a.mid", "b.wav", "c.mid"}) {
            music.write(s(name), "x");
        }
        music.write(s("Jazz/slow.mid"), "x");
        startWindow();
    }
    FileListBox* fileList() const { return window->findChild<FileListBox*>(s("FileListBox")); }
    FolderListBox* folderList() const { return window->findChild<FolderListBox*>(s("DirectoryListBox")); }
    QStringList shownFiles() const { return ShownTexts(fileList()); }
    void doubleClick(QWidget* viewport, QPoint point) {
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, viewport->mapTo(window.get(), point));
        QApplication::processEvents();
    }
};

TEST_F(FileManagementPanelTest, ADoubleClickedFilePlaysAndTheFilterEditTakesMasksAndNames) {
    ASSERT_EQ(shownFiles(), (QStringList{s("a.mid"), s("b.wav"), s("c.mid")}));
    doubleClick(fileList()->viewport(), fileList()->visualRect(fileList()->model()->index(1, 0)).center());
    EXPECT_EQ(device.fileName(), music.file(s("b.wav")));
    EXPECT_EQ(window->windowTitle(), s("b.wav - Velmaro 4.02"));

    auto* edit = window->findChild<QLineEdit*>(s("FilterEdit"));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, s("C.MID"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(device.fileName(), music.file(s("c.mid")));
    EXPECT_EQ(fileList()->selectionModel()->selectedRows().size(), 1);

    edit->selectAll();
    QTest::keyClicks(edit, s("*.wav"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(shownFiles(), QStringList{s("b.wav")});
    EXPECT_EQ(window->findChild<QLabel*>(s("FileListBoxInfo"))->text(), s("&BL: 1 of 1, 0 selected"));
}

TEST_F(FileManagementPanelTest, OpeningAFolderShowsItsFilesAndTheFilterGroupChangesTheMask) {
    FolderListBox* folders = folderList();
    QTreeWidgetItem* jazz = folders->findItems(s("Jazz"), Qt::MatchExactly | Qt::MatchRecursive).value(0);
    ASSERT_NE(jazz, nullptr);
    doubleClick(folders->viewport(), folders->visualItemRect(jazz).center());
    EXPECT_EQ(window->session().fileManagement().currentFolder(), music.file(s("Jazz")));
    EXPECT_EQ(shownFiles(), QStringList{s("slow.mid")});
    EXPECT_TRUE(window->findChild<QLabel*>(s("DirLabel"))->text().endsWith(s("/Jazz")));

    folders->setFocus();
    QTest::keyClick(folders, Qt::Key_Backspace);  // up again
    EXPECT_EQ(window->session().fileManagement().currentFolder(), music.path());
    auto* groups = window->findChild<QComboBox*>(s("FilterComboBox"));
    groups->setFocus();
    QTest::keyClick(groups, Qt::Key_Down);  // All Sound Files, then All Movie Files
    QTest::keyClick(groups, Qt::Key_Down);
    EXPECT_TRUE(shownFiles().isEmpty());
    EXPECT_EQ(window->session().preferences().filter, 2);
}

// A file named in another encoding is not silently left out: the label counts it and its tip says why.
TEST_F(FileManagementPanelTest, TheLabelTellsOfFilesWhoseNamesAreNotUtf8) {
    const QByteArray jazz = QFile::encodeName(music.file(s("Jazz")));
    for (const QByteArray& name : {QByteArray("caf\xE9.mid"), QByteArray("\xC0\xAF.mid")}) {
        const int fd = ::open((jazz + '/' + name).constData(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    FolderListBox* folders = folderList();
    QTreeWidgetItem* item = folders->findItems(s("Jazz"), Qt::MatchExactly | Qt::MatchRecursive).value(0);
    ASSERT_NE(item, nullptr);
    doubleClick(folders->viewport(), folders->visualItemRect(item).center());
    ASSERT_EQ(shownFiles(), QStringList{s("slow.mid")});
    auto* label = window->findChild<QLabel*>(s("FileListBoxInfo"));
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), s("&BL: 1 of 1, 0 selected, 2 not UTF-8"));
    EXPECT_TRUE(label->statusTip().startsWith(
        s("2 files of this folder are not shown: their names are not valid UTF-8")))
        << label->statusTip().toStdString();
    EXPECT_TRUE(label->toolTip().contains(label->statusTip())) << label->toolTip().toStdString();

    // With no file the list can show, the label still stands and says so.
    ASSERT_TRUE(QFile::remove(music.file(s("Jazz/slow.mid"))));
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownFiles().isEmpty(); }));
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), s("&BL: 0 of 0, 0 selected, 2 not UTF-8"));
}

}  // namespace
