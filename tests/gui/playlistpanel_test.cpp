#include "core/common/textfile.h"
#include "gui/app/mainmenu.h"
#include "gui/app/tvlpmain.h"
#include "gui/playlist/playlistbox.h"
#include "gui/playlist/playlistpanel.h"
#include "support/windowtest.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
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
    QStringList names() const {
        QStringList shown;
        const QAbstractItemModel* model = window->playListBox()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            shown.append(model->index(row, 0).data().toString());
        }
        return shown;
    }
    template <typename T>
    T* child(const char* name) const {
        return window->findChild<T*>(s(name));
    }
    void drop(QMimeData* data, int row) {
        PlayListBox* box = window->playListBox();
        const QPoint point = row < 0 ? QPoint(20, box->viewport()->height() - 2)
                                     : box->visualRect(box->model()->index(row, 0)).center();
        box->dropData(data, point);
        delete data;
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

TEST_F(PlayListPanelTest, DroppedFilesAreAppendedAndADroppedListIsOpened) {
    auto* files = new QMimeData;
    files->setUrls({QUrl::fromLocalFile(music.write(s("e.wav"), "x")), QUrl::fromLocalFile(music.path())});
    drop(files, 0);
    EXPECT_EQ(names().last(), s("e.wav"));
    EXPECT_EQ(names().size(), 5);

    const QString other = music.write(s("other.vlp"), "[Items]\r\n[FILE=\"/m/z.mid\", L=0]\r\n");
    auto* withList = new QMimeData;
    withList->setUrls({QUrl::fromLocalFile(music.file(s("a.mid"))), QUrl::fromLocalFile(other)});
    prompter.saveAnswers = {Prompter::Answer::No};  // the first drop changed the list
    drop(withList, 0);
    EXPECT_EQ(window->session().document().fileName(), other);
    EXPECT_EQ(names(), lines({"z.mid"}));
}

TEST_F(PlayListPanelTest, LinesDraggedWithinTheListMoveAsABlock) {
    PlayList& playList = window->session().playList();
    playList.selectOnly(0);
    playList.setSelected(1, true);
    playList.setFocusedLine(0);
    auto* data = new QMimeData;
    data->setData(PlayListBox::lineMimeType(), QByteArray());
    drop(data, -1);  // below the last line
    EXPECT_EQ(names(), lines({"c.mid", "d.mid", "a.mid", "b.mid"}));
    EXPECT_TRUE(playList.isSelected(2));
    EXPECT_TRUE(playList.isSelected(3));
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
