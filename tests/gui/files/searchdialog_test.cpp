#include "gui/files/searchdialog.h"

#include "core/files/filesearch.h"
#include "core/playlist/playorder.h"
#include "core/common/itemref.h"
#include "core/playlist/playlisteditor.h"
#include "support/documentfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class SearchDialogTest : public ::testing::Test, protected DocumentFixture {
protected:
    PlayOrder order{playList, played, unplayed, preferences};
    FakeClipboard clipboard;
    PlayListEditor editor{PlayListEditor::Context{playList, unplayed, order, document, lists, preferences, prompter,
                                                  clipboard, cdDatabase, &busy}};
    FileSearch search{FileSearch::Context{playList, unplayed, editor, document, prompter}};
    SearchDialogModel model;
    std::unique_ptr<SearchDialog> box;
    TempFolder music;

    void open(bool withItems) {
        if (withItems) {
            playList.setEntries({{MakeFileItem(s("/m/Waltz.mid")), 0}, {MakeFileItem(s("/m/polka.mid")), 0}});
            playList.RedrawPlayList(false);
        }
        box = std::make_unique<SearchDialog>(model, SearchDialog::Services{playList, editor, prompter, &busy, search});
        box->open({withItems, s("*.mid"), 4, music.path(), QString()});
        box->show();
        QApplication::setActiveWindow(box.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(box.get()));
    }
    template <typename T>
    T* child(const char* name) const {
        return box->findChild<T*>(s(name));
    }
    int tab() const { return child<QTabWidget>("PageControl")->currentIndex(); }
};

TEST_F(SearchDialogTest, TabKeysAreTypedIntoTheEditsAndSwitchTabsElsewhere) {
    open(true);
    auto* searchEdit = child<QLineEdit>("SearchEdit");
    auto* ok = child<QPushButton>("OKBtn");
    ASSERT_EQ(tab(), 0);
    ASSERT_EQ(QApplication::focusWidget(), searchEdit);
    EXPECT_FALSE(ok->isEnabled());
    QTest::keyClicks(searchEdit, s("Gp"));
    EXPECT_EQ(searchEdit->text(), s("Gp"));
    EXPECT_EQ(tab(), 0);
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_FALSE(child<QPushButton>("HelpBtn")->isEnabled());

    auto* matchCase = child<QCheckBox>("CaseCB");
    QTest::mouseClick(matchCase, Qt::LeftButton, {}, QPoint(6, matchCase->height() / 2));
    ASSERT_TRUE(matchCase->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_G);
    EXPECT_EQ(tab(), 1);
    auto* filterEdit = child<QLineEdit>("FilterEdit");
    EXPECT_EQ(QApplication::focusWidget(), filterEdit);
    EXPECT_EQ(filterEdit->text(), s("*.mid;"));
    EXPECT_TRUE(child<QPushButton>("HelpBtn")->isEnabled());

    // The filter box would take P to pick a group; the box takes it first.
    child<QComboBox>("FilterComboBox")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ShiftModifier);
    EXPECT_EQ(tab(), 0);
    EXPECT_EQ(child<QComboBox>("FilterComboBox")->currentIndex(), 4);

    // Search finds from the current line with the case as checked.
    playList.setFocusedLine(0);
    searchEdit->clear();
    QTest::keyClicks(searchEdit, s("polka"));
    QTest::keyClick(searchEdit, Qt::Key_Return);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(playList.selectedLines(), (std::vector<qsizetype>{1}));
}

TEST_F(SearchDialogTest, SearchButtonCountsAddsTheFilesAndCloses) {
    music.write(s("a.mid"), "x");
    music.write(s("sub/b.mid"), "x");
    music.write(s("c.wav"), "x");
    open(false);
    EXPECT_FALSE(child<QTabWidget>("PageControl")->isTabVisible(0));
    EXPECT_EQ(tab(), 1);
    EXPECT_EQ(child<QLabel>("FilesFoundLabel")->text(), s("N / A"));
    auto* ok = child<QPushButton>("OKBtn");
    auto* dirEdit = child<QLineEdit>("DirEdit");
    EXPECT_EQ(dirEdit->text(), music.path());
    QTest::keyClicks(dirEdit, s("/missing"));
    EXPECT_FALSE(ok->isEnabled());
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(dirEdit, Qt::Key_Backspace);
    }
    ASSERT_TRUE(ok->isEnabled());

    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(ok->text(), s("&Stop"));
    EXPECT_FALSE(dirEdit->isEnabled());
    QTRY_VERIFY(!box->isVisible());
    EXPECT_EQ(refs(), (QStringList{MakeFileItem(music.file(s("a.mid"))), MakeFileItem(music.file(s("sub/b.mid")))}));
    EXPECT_EQ(ok->text(), s("&Search"));
    EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace
