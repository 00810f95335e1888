// What the Play List and its file keep through the window's own commands: each file's length, names a
// file can hold, the last change for Undo, and a file left unedited.
#include "core/common/textfile.h"
#include "core/playlist/playlisteditor.h"
#include "gui/playlist/playlistbox.h"
#include "support/windowtest.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class PlayListKeepingTest : public WindowTest {
protected:
    void SetUp() override { writeQuietSettings(); }

    QStringList names() const { return ShownTexts(window->playListBox()); }
    QStringList fileListNames() const {
        return ShownTexts(window->findChild<QAbstractItemView*>(s("FileListBox")));
    }
    // A key typed into the Play List, with the window active as a user's is.
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        QTest::keyClick(window->playListBox(), static_cast<Qt::Key>(key), modifiers);
        QApplication::processEvents();
    }
    // Ctrl+F, then the Search button of the General tab, on the folder and mask the box offers.
    void searchWithTheFindBox() {
        bool clicked = false;
        int ticks = 0;
        QTimer clicker;
        QObject::connect(&clicker, &QTimer::timeout, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box || box->objectName() != u"TSearchAllBox") {
                return;
            }
            if (!clicked) {
                clicked = true;
                EXPECT_EQ(box->findChild<QLineEdit*>(s("DirEdit"))->text(), music.path());
                QTest::mouseClick(box->findChild<QPushButton*>(s("OKBtn")), Qt::LeftButton);
            } else if (++ticks == 250) {
                ADD_FAILURE() << "the search did not end";
                QTest::keyClick(box, Qt::Key_Escape);
            }
        });
        clicker.start(20);
        key(Qt::Key_F);
        ASSERT_TRUE(clicked);
        ASSERT_EQ(QApplication::activeModalWidget(), nullptr);
    }
};

// song.wav and SONG.wav are two files: Ctrl+H or Ctrl+R, then Ctrl+S, writes each one's own length.
TEST_F(PlayListKeepingTest, SortingThenSavingKeepsTheLengthOfEachFile) {
    const QString song = music.write(s("song.wav"), "x");
    const QString loud = music.write(s("SONG.wav"), "x");
    const QString own[] = {s("[FILE=\"%1\", L=1111]").arg(song), s("[FILE=\"%1\", L=9999]").arg(loud)};
    parameters = {writePlayList(s("songs.vlp"), {own[0], own[1]})};
    startWindow();
    ASSERT_EQ(names(), lines({"song.wav", "SONG.wav"}));
    for (int sort : {Qt::Key_H, Qt::Key_R}) {
        key(sort);
        key(Qt::Key_S);
        const QStringList saved = TextFile::readLines(parameters.first()).lines;
        EXPECT_TRUE(saved.contains(own[0])) << saved.join(u'|').toStdString();
        EXPECT_TRUE(saved.contains(own[1])) << saved.join(u'|').toStdString();
    }
}

// A name with a line break stays in the File List, out of the Play List, and is named; the saved list
// holds one item per line.
TEST_F(PlayListKeepingTest, AddAllLeavesOutANameAFileCannotHoldAndSaysWhich) {
    const QString plain = music.write(s("a.mid"), "x");
    const QString twoLines = music.write(s("two\nlines.mid"), "x");
    startWindow();
    ASSERT_EQ(fileListNames().size(), 2);
    QTest::mouseClick(window->findChild<QPushButton*>(s("AddAllBtn")), Qt::LeftButton);
    EXPECT_EQ(names(), lines({"a.mid"}));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, PlayListEditor::leftOutMessage({twoLines}));
    EXPECT_EQ(fileListNames().size(), 2);  // still shown, and still played from there

    const QString path = music.file(s("saved.vlp"));
    prompter.saveChoices.push_back(path);
    key(Qt::Key_S);
    EXPECT_EQ(TextFile::readLines(path).lines,
              (QStringList{s("[General]"), s("LastPlayed="), QString(), s("[Items]"),
                           s("[FILE=\"%1\", L=0]").arg(plain)}));
}

// Undo takes the whole search back, to the empty list it found, never an older change.
TEST_F(PlayListKeepingTest, UndoAfterASearchIntoAnEmptyListEmptiesIt) {
    music.write(s("a.mid"), "x");
    music.write(s("sub/b.mid"), "x");
    parameters = {writePlayList(s("old.vlp"), {s("[FILE=\"/m/old.mid\", L=0]")})};
    startWindow();
    key(Qt::Key_M, Qt::AltModifier);  // Remove All
    ASSERT_TRUE(names().isEmpty());

    searchWithTheFindBox();
    ASSERT_EQ(names(), lines({"a.mid", "b.mid"}));
    key(Qt::Key_Z);
    ASSERT_TRUE(names().isEmpty());  // not the list Remove All emptied

    searchWithTheFindBox();
    ASSERT_EQ(names(), lines({"a.mid", "b.mid"}));
    key(Qt::Key_Z);
    EXPECT_TRUE(names().isEmpty());
}

// A file that is no Play List, named on the command line and left by opening another, comes back as
// it was; so does a length given twice.
TEST_F(PlayListKeepingTest, AFileLeftUneditedIsNotRewritten) {
    const QByteArray garbage =
        "g326mxg1Ie2d5n/90]u=3=xtplFp\r\nq]w=e\r\n[FILE=\"/m/a.mid\", L=-1, L=5000]\r\n"
        "7Hc/0=]x,y\r\n";
    parameters = {music.write(s("garbage.vlp"), garbage)};
    startWindow();
    ASSERT_EQ(names().size(), 4);
    const QString other = writePlayList(s("other.vlp"), {s("[FILE=\"/m/b.mid\", L=0]")});
    prompter.openChoices.push_back(other);
    key(Qt::Key_O);
    ASSERT_EQ(names(), lines({"b.mid"}));
    EXPECT_EQ(music.read(s("garbage.vlp")), garbage);
}

}  // namespace
