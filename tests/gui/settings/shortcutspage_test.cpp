#include "gui/settings/shortcutspage.h"

#include "core/settings/shortcuteditor.h"
#include "core/settings/shortcutvalue.h"
#include "support/fakes.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kCtrl = ShortcutValue::kCtrl;

class ShortcutsPageTest : public ::testing::Test {
protected:
    Shortcuts shortcuts;
    FakePrompter prompter;
    ShortcutEditor editor{shortcuts, prompter};
    std::unique_ptr<ShortcutsPage> page;
    std::unique_ptr<QSignalSpy> changes;

    void SetUp() override {
        page = std::make_unique<ShortcutsPage>(editor, shortcuts);
        page->resize(600, 400);
        page->show();
        QApplication::setActiveWindow(page.get());
        QApplication::processEvents();
        changes = std::make_unique<QSignalSpy>(page.get(), &ShortcutsPage::shortcutsChanged);
    }

    QTreeWidget* tree() const { return page->findChild<QTreeWidget*>(s("ShortCutsTreeView")); }
    QLineEdit* hotKey() const { return page->findChild<QLineEdit*>(s("HotKey")); }
    QComboBox* conflicts() const { return page->findChild<QComboBox*>(s("ConflictingShortCutsComboBox")); }
    QPushButton* button(const char* name) const { return page->findChild<QPushButton*>(s(name)); }
    int value(const char* name) const { return shortcuts.valueOf(s(name)); }
    QStringList conflictEntries() const {
        QStringList entries;
        for (int i = 0; i < conflicts()->count(); ++i) {
            entries.append(conflicts()->itemText(i));
        }
        return entries;
    }

    // The first node with this text, its menu opened so it can be clicked.
    QTreeWidgetItem* node(const char* text) const {
        for (QTreeWidgetItemIterator it(tree()); *it; ++it) {
            if ((*it)->text(0) == s(text)) {
                tree()->scrollToItem(*it);
                return *it;
            }
        }
        ADD_FAILURE() << "no node " << text;
        return nullptr;
    }
    void clickNode(const char* text) {
        QTreeWidgetItem* item = node(text);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(item).center());
    }
    QString currentNode() const { return tree()->currentItem() ? tree()->currentItem()->text(0) : QString(); }
    // Clicks into the box and presses the combination there.
    void typeCombination(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::mouseClick(hotKey(), Qt::LeftButton);
        QTest::keyClick(hotKey(), key, modifiers);
    }
    void leaveBox() { QTest::keyClick(hotKey(), Qt::Key_Tab); }
};

TEST_F(ShortcutsPageTest, TheTreeIsTheMenuAndATypedCombinationIsStoredWhenTheBoxIsLeft) {
    QStringList roots;
    for (int i = 0; i < tree()->topLevelItemCount(); ++i) {
        roots.append(tree()->topLevelItem(i)->text(0));
    }
    EXPECT_EQ(roots, lines({"File", "Edit", "View", "Organize", "Audio", "Help"}));
    EXPECT_EQ(currentNode(), s("File"));
    EXPECT_EQ(hotKey()->text(), s("None"));
    EXPECT_EQ(node("Play List")->parent()->text(0), s("Edit"));
    EXPECT_EQ(node("Scrollbar")->parent()->parent()->text(0), s("View"));

    clickNode("Stop");
    EXPECT_EQ(hotKey()->text(), s("Ctrl+T"));
    typeCombination(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(hotKey()->text(), s("Ctrl+Shift+K"));
    EXPECT_EQ(value("StopM"), kCtrl + 'T');  // not before the box is left
    leaveBox();
    EXPECT_EQ(value("StopM"), 0x6000 + 0x4B);
    EXPECT_EQ(changes->count(), 1);

    // Combinations that are the page's own accelerators go into the box, not to the buttons.
    typeCombination(Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(hotKey()->text(), s("Alt+E"));
    QTest::keyClick(hotKey(), Qt::Key_Backspace);
    EXPECT_EQ(hotKey()->text(), s("None"));
    clickNode("Pause");
    EXPECT_EQ(value("StopM"), 0);
    EXPECT_EQ(value("PauseM"), kCtrl + 'U');
    EXPECT_EQ(hotKey()->text(), s("Ctrl+U"));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(changes->count(), 2);
}

TEST_F(ShortcutsPageTest, ATakenCombinationAsksAndOkTakesItFromTheOtherItem) {
    clickNode("Stop");
    typeCombination(Qt::Key_P, Qt::ControlModifier);
    prompter.messageAnswers = {Prompter::Answer::Ok};
    clickNode("Pause");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Warning);
    EXPECT_EQ(value("StopM"), kCtrl + 'P');
    EXPECT_EQ(value("PlayM"), 0);
    EXPECT_EQ(currentNode(), s("Pause"));

    // Cancel puts the item's own combination back.
    clickNode("Rewind");
    typeCombination(Qt::Key_U, Qt::ControlModifier);
    prompter.messageAnswers = {Prompter::Answer::Cancel};
    leaveBox();
    EXPECT_EQ(value("RewindM"), kCtrl + 'E');
    EXPECT_EQ(value("PauseM"), kCtrl + 'U');
    EXPECT_EQ(hotKey()->text(), s("Ctrl+E"));

    // An item with sub-items takes nothing, and says so when the user moves on.
    clickNode("File");
    typeCombination(Qt::Key_F2, {});
    clickNode("Edit");
    ASSERT_EQ(prompter.messages.size(), 3u);
    EXPECT_EQ(prompter.messages[2].text, s("You cannot assign shortcuts to items that contain other items."));
    EXPECT_EQ(value("FileM"), 0);
    EXPECT_EQ(currentNode(), s("Edit"));
}

TEST_F(ShortcutsPageTest, AnIgnoredConflictIsListedAndKeepsTheUserOnTheNodeOnce) {
    clickNode("Stop");
    typeCombination(Qt::Key_P, Qt::ControlModifier);
    prompter.messageAnswers = {Prompter::Answer::Ignore};
    leaveBox();
    EXPECT_EQ(value("PlayM"), kCtrl + 'P');
    EXPECT_EQ(value("StopM"), kCtrl + 'P');
    EXPECT_EQ(conflictEntries(), lines({"Play"}));
    EXPECT_TRUE(conflicts()->isEnabled());

    // Choosing the entry in the list goes to that item.
    QTest::mouseClick(conflicts(), Qt::LeftButton);
    QAbstractItemView* list = conflicts()->view();
    ASSERT_TRUE(list->isVisible());
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(currentNode(), s("Play"));
    EXPECT_EQ(hotKey()->text(), s("Ctrl+P"));
    EXPECT_EQ(conflictEntries(), lines({"Stop"}));
    EXPECT_EQ(prompter.messages.size(), 1u);

    // Leaving Play, which still shares its combination, puts the question first and stays.
    prompter.messageAnswers = {Prompter::Answer::Ok};
    clickNode("Next");
    EXPECT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(currentNode(), s("Play"));
    EXPECT_EQ(value("StopM"), 0);
    EXPECT_EQ(value("PlayM"), kCtrl + 'P');
    EXPECT_EQ(conflictEntries(), lines({"None"}));
    EXPECT_FALSE(conflicts()->isEnabled());
    clickNode("Next");
    EXPECT_EQ(currentNode(), s("Next"));
    EXPECT_EQ(prompter.messages.size(), 2u);
}

TEST_F(ShortcutsPageTest, ResetThisAndResetAllGiveBackTheBuiltInCombinations) {
    EXPECT_EQ(button("RestoreThisShortCutBtn")->toolTip(), s("Reset this shortcut to its default value"));
    clickNode("Save");
    typeCombination(Qt::Key_T, Qt::ControlModifier);  // Stop's
    prompter.messageAnswers = {Prompter::Answer::Ok};
    QTest::mouseClick(button("RestoreThisShortCutBtn"), Qt::LeftButton);
    EXPECT_EQ(value("SaveM"), kCtrl + 'S');
    EXPECT_EQ(value("StopM"), 0);
    EXPECT_EQ(hotKey()->text(), s("Ctrl+S"));
    const int changesBefore = changes->count();

    prompter.messageAnswers = {Prompter::Answer::No};
    QTest::mouseClick(button("RestoreAllShortCutsBtn"), Qt::LeftButton);
    EXPECT_EQ(value("StopM"), 0);
    EXPECT_EQ(currentNode(), s("Save"));
    prompter.messageAnswers = {Prompter::Answer::Yes};
    QTest::mouseClick(button("RestoreAllShortCutsBtn"), Qt::LeftButton);
    EXPECT_EQ(prompter.messages.back().text,
              s("Would you like to reset all shortcuts to their default values?"));
    EXPECT_EQ(value("StopM"), kCtrl + 'T');
    EXPECT_EQ(currentNode(), s("File"));
    EXPECT_EQ(hotKey()->text(), s("None"));
    EXPECT_EQ(changes->count(), changesBefore + 1);
}

}  // namespace
