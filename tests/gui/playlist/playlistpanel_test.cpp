#include "gui/playlist/playlistpanel.h"
#include "core/common/textfile.h"
#include "core/files/filemanagement.h"
#include "core/files/folderlist.h"
#include "gui/playlist/playlistbox.h"
#include "gui/shell/mainmenu.h"
#include "gui/shell/mainwindow.h"
#include "support/mousedrag.h"
#include "support/windowtest.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The main window over a list of four real files.
class PlayListPanelTest : public WindowTest {
protected:
    QString list;

    void SetUp() override {
        writeQuietSettings();
        QStringList items;
        for (const char* name : {"a.mid", "b.mid", "c.mid", "d.mid"}) {
            items.append(MakeItem(music.write(s(name), "x")));
        }
        list = writePlayList(s("list.vlp"), items);
        startWindow();
        ASSERT_TRUE(window->session().document().OpenPlayList(list, false, false));
        window->playListBox()->setFocus();
        QApplication::processEvents();
    }
    static QString MakeItem(const QString& path) { return s("[FILE=\"") + path + s("\", L=0]"); }
    QStringList names() const { return ShownTexts(window->playListBox()); }
    template <typename T>
    T* child(const char* name) const {
        return window->findChild<T*>(s(name));
    }
    QPoint lineCentre(int row) const {
        PlayListBox* box = window->playListBox();
        return box->visualRect(box->model()->index(row, 0)).center();
    }
    QWidget* viewport() const { return window->playListBox()->viewport(); }
    static QMimeData* files(const QStringList& paths) {
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const QString& path : paths) {
            urls.append(QUrl::fromLocalFile(path));
        }
        data->setUrls(urls);
        return data;
    }
};

// Drag and drop needs a window system: the offscreen platform ends every drag at once. These tests run
// on X11 (a virtual display in the test run) and are skipped elsewhere.
class PlayListDragAndDropTest : public PlayListPanelTest {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() == u"offscreen") {
            GTEST_SKIP() << "drag and drop needs a window system; the X11 run covers it";
        }
        PlayListPanelTest::SetUp();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
};

TEST_F(PlayListPanelTest, ButtonsRemoveAndMoveTheSelection) {
    PlayList& playList = window->session().playList();
    playList.selectOnly(1);
    playList.setFocusedLine(1);
    QApplication::processEvents();
    EXPECT_EQ(child<QLabel>("PlayListBoxInfo")->text(), s("&PL: 2 of 4, 1 selected"));
    QTest::mouseClick(child<QWidget>("SpinButtonDown"), Qt::LeftButton);
    EXPECT_EQ(names(), lines({"a.mid", "c.mid", "b.mid", "d.mid"}));
    child<QPushButton>("RemBtn")->click();
    EXPECT_EQ(names(), lines({"a.mid", "c.mid", "d.mid"}));
    EXPECT_TRUE(window->session().document().isChanged());
    window->action(s("UndoM"))->trigger();
    EXPECT_EQ(names(), lines({"a.mid", "c.mid", "b.mid", "d.mid"}));
    child<QPushButton>("RemAllBtn")->click();
    EXPECT_TRUE(names().isEmpty());
    EXPECT_FALSE(child<QPushButton>("RemAllBtn")->isEnabled());
}

// The buttons' underlined letters are also the menu items' shortcuts: the keys must run the command
// once, not be lost between two owners.
TEST_F(PlayListPanelTest, AltKeysOfTheButtonsRunTheirCommandsOnce) {
    PlayList& playList = window->session().playList();
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    playList.selectOnly(1);
    playList.setFocusedLine(1);
    QApplication::processEvents();
    QTest::keyClick(window->playListBox(), Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(names(), lines({"a.mid", "c.mid", "d.mid"}));
    QTest::keyClick(window->playListBox(), Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(names().isEmpty());
    // Alt+D is the Add item's: the folder label gives its letter up; Alt+P still reaches the Play List.
    EXPECT_EQ(child<QLabel>("DirLabel")->buddy(), nullptr);
    EXPECT_TRUE(child<QLabel>("DirLabel")->text().startsWith(s("DL: ")));  // no "&" shown as it stands
    EXPECT_EQ(child<QLabel>("PlayListBoxInfo")->buddy(), window->playListBox());
}

TEST_F(PlayListPanelTest, EnterInThePathEditReplacesTheFocusedItem) {
    auto* edit = child<QLineEdit>("FullPathEdit");
    EXPECT_EQ(edit->text(), music.file(s("a.mid")));
    EXPECT_FALSE(edit->isReadOnly());
    const QString other = music.write(s("other.wav"), "x");
    edit->setFocus();
    edit->setText(other);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(names().first(), s("other.wav"));

    edit->setText(music.file(s("missing.wav")));
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(edit->text(), other);
    EXPECT_EQ(names().first(), s("other.wav"));
}

// Files from a file manager are taken by the whole window, also where the Play List is not.
TEST_F(PlayListDragAndDropTest, FilesDroppedAnywhereOnTheWindowAreAddedAndADroppedListIsOpened) {
    MouseDrag::dropFromOutside(files({music.write(s("e.wav"), "x"), music.path()}), viewport(),
                               lineCentre(0));
    EXPECT_EQ(names(),
              lines({"a.mid", "b.mid", "c.mid", "d.mid", "e.wav"}));  // appended; the folder is skipped

    QTest::keyClick(window.get(), Qt::Key_P,
                    Qt::ControlModifier | Qt::ShiftModifier);  // View > Play List off
    ASSERT_FALSE(window->playListBox()->isVisible());
    const QString other = music.write(s("other.vlp"), "[Items]\r\n[FILE=\"/m/z.mid\", L=0]\r\n");
    prompter.saveAnswers = {Prompter::Answer::No};  // the first drop changed the list
    QStatusBar* status = window->statusBar();
    MouseDrag::dropFromOutside(files({music.file(s("a.mid")), other}), status, status->rect().center());
    EXPECT_EQ(window->session().document().fileName(), other);
    EXPECT_EQ(names(), lines({"z.mid"}));
}

TEST_F(PlayListDragAndDropTest, LinesDraggedWithTheMouseMoveAsABlockOrLeaveForTheFileList) {
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, lineCentre(0));
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, lineCentre(1));
    ASSERT_EQ(window->session().playList().selectedCount(), 2);
    const QPoint belowTheLast(20, viewport()->height() - 4);
    MouseDrag::dragWithMouse(viewport(), lineCentre(0), viewport(), belowTheLast);
    EXPECT_EQ(names(), lines({"c.mid", "d.mid", "a.mid", "b.mid"}));
    PlayList& playList = window->session().playList();
    EXPECT_TRUE(playList.isSelected(2));
    EXPECT_TRUE(playList.isSelected(3));
    EXPECT_EQ(window->action(s("UndoM"))->text(), s("U&ndo Add Item(s)"));

    auto* fileList = window->findChild<QAbstractItemView*>(s("FileListBox"));
    ASSERT_TRUE(fileList->isVisible());
    MouseDrag::dragWithMouse(viewport(), lineCentre(2), fileList->viewport(),
                             fileList->viewport()->rect().center());
    EXPECT_EQ(names(), lines({"c.mid", "d.mid"}));
}

TEST_F(PlayListDragAndDropTest, FileListLinesDraggedOntoThePlayListAreInsertedWhereDropped) {
    auto* fileList = window->findChild<QAbstractItemView*>(s("FileListBox"));
    ASSERT_EQ(fileList->model()->rowCount(), 4);  // the four files beside the list
    const QPoint fourth = fileList->visualRect(fileList->model()->index(3, 0)).center();
    QTest::mouseClick(fileList->viewport(), Qt::LeftButton, {}, fourth);
    ASSERT_EQ(window->session().fileManagement().files().selectedCount(), 1);
    MouseDrag::dragWithMouse(fileList->viewport(), fourth, viewport(), lineCentre(1));
    EXPECT_EQ(names(), lines({"a.mid", "d.mid", "b.mid", "c.mid", "d.mid"}));
    EXPECT_TRUE(window->session().playList().isSelected(1));
    EXPECT_TRUE(window->session().document().isChanged());
}

// A folder of the Folder List dropped on the Play List names itself, for the search to open on it, and
// leaves the lines alone.
TEST_F(PlayListDragAndDropTest, AFolderDraggedFromTheFolderListIsHandedOnAndAddsNothing) {
    auto* folders = window->findChild<QTreeWidget*>(s("DirectoryListBox"));
    ASSERT_TRUE(folders && folders->isVisible());
    const FolderList& list = window->session().fileManagement().folders();
    const qsizetype line = list.currentLine();
    ASSERT_GE(line, 0);
    const QPoint entry = folders->visualItemRect(folders->currentItem()).center();
    QSignalSpy dropped(window->playListBox(), &PlayListBox::folderDropped);
    // The drop opens the Search box on that folder; it is read and closed with Escape.
    QString searchFolder;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (box && box->objectName() == u"TSearchAllBox") {
            searchFolder = box->findChild<QLineEdit*>(s("DirEdit"))->text();
            QTest::keyClick(box, Qt::Key_Escape);
        }
    });
    closer.start(50);
    MouseDrag::dragWithMouse(folders->viewport(), entry, viewport(), lineCentre(1));
    QTRY_VERIFY(!searchFolder.isEmpty());
    ASSERT_EQ(dropped.count(), 1);
    EXPECT_EQ(dropped.at(0).at(0).toString(), list.entries()[static_cast<size_t>(line)].path);
    EXPECT_EQ(searchFolder, list.entries()[static_cast<size_t>(line)].path);
    EXPECT_EQ(names(), lines({"a.mid", "b.mid", "c.mid", "d.mid"}));
}

TEST_F(PlayListPanelTest, CopyAndPasteGoThroughTheSystemClipboard) {
    PlayList& playList = window->session().playList();
    playList.selectOnly(3);
    playList.setFocusedLine(3);
    window->action(s("CopyM"))->trigger();
    playList.selectOnly(0);
    playList.setFocusedLine(0);
    window->action(s("PasteM"))->trigger();
    EXPECT_EQ(names(), lines({"a.mid", "d.mid", "b.mid", "c.mid", "d.mid"}));
    EXPECT_EQ(window->action(s("UndoM"))->text(), s("U&ndo Paste"));
}

}  // namespace
