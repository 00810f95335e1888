#include "gui/settings/shortcutspage.h"

#include "core/settings/shortcuteditor.h"
#include "core/settings/shortcutvalue.h"
#include "gui/ports/qtprompter.h"
#include "support/fakes.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

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

    // Opens the menu of the first node with this text and clicks the node.
    void clickNode(const char* text) {
        const QList<QTreeWidgetItem*> found =
            tree()->findItems(s(text), Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_FALSE(found.isEmpty()) << text;
        tree()->scrollToItem(found.first());
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {},
                          tree()->visualItemRect(found.first()).center());
    }
    QString currentNode() const { return tree()->currentItem() ? tree()->currentItem()->text(0) : QString(); }
    // Clicks into the box and presses the combination there.
    void typeCombination(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::mouseClick(hotKey(), Qt::LeftButton);
        QTest::keyClick(hotKey(), key, modifiers);
    }
};

TEST_F(ShortcutsPageTest, ATypedCombinationIsStoredWhenTheBoxIsLeftAndResetGivesBackTheBuiltInOne) {
    EXPECT_EQ(tree()->topLevelItemCount(), 6);
    EXPECT_EQ(currentNode(), s("File"));
    EXPECT_EQ(hotKey()->text(), s("None"));
    clickNode("Stop");
    EXPECT_EQ(tree()->currentItem()->parent()->text(0), s("Audio"));
    EXPECT_EQ(hotKey()->text(), s("Ctrl+T"));
    typeCombination(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(hotKey()->text(), s("Ctrl+Shift+K"));
    EXPECT_EQ(value("StopM"), kCtrl + 'T');  // not before the box is left
    QTest::keyClick(hotKey(), Qt::Key_Tab);
    EXPECT_EQ(value("StopM"), 0x6000 + 0x4B);
    EXPECT_EQ(changes->count(), 1);

    // The page's own accelerators go into the box, not to its buttons; Backspace empties it.
    typeCombination(Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(hotKey()->text(), s("Alt+E"));
    QTest::keyClick(hotKey(), Qt::Key_Backspace);
    EXPECT_EQ(hotKey()->text(), s("None"));
    QTest::mouseClick(button("RestoreThisShortCutBtn"), Qt::LeftButton);
    EXPECT_EQ(value("StopM"), kCtrl + 'T');
    EXPECT_EQ(hotKey()->text(), s("Ctrl+T"));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(changes->count(), 3);  // cleared, then reset
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

    // An item with sub-items takes nothing, and says so when the user moves on.
    clickNode("File");
    typeCombination(Qt::Key_F2, {});
    clickNode("Edit");
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].text, s("You cannot assign shortcuts to items that contain other items."));
    EXPECT_EQ(value("FileM"), 0);
    EXPECT_EQ(currentNode(), s("Edit"));

    prompter.messageAnswers = {Prompter::Answer::Yes};
    QTest::mouseClick(button("RestoreAllShortCutsBtn"), Qt::LeftButton);
    EXPECT_EQ(value("PlayM"), kCtrl + 'P');
    EXPECT_EQ(currentNode(), s("File"));
}

TEST_F(ShortcutsPageTest, AnIgnoredConflictIsListedAndKeepsTheUserOnTheNodeOnce) {
    clickNode("Stop");
    typeCombination(Qt::Key_P, Qt::ControlModifier);
    prompter.messageAnswers = {Prompter::Answer::Ignore};
    QTest::keyClick(hotKey(), Qt::Key_Tab);
    EXPECT_EQ(value("PlayM"), kCtrl + 'P');
    EXPECT_EQ(value("StopM"), kCtrl + 'P');
    ASSERT_EQ(conflicts()->count(), 1);
    EXPECT_EQ(conflicts()->currentText(), s("Play"));
    EXPECT_TRUE(conflicts()->isEnabled());

    // Choosing the entry in the list goes to that item.
    QTest::mouseClick(conflicts(), Qt::LeftButton);
    ASSERT_TRUE(conflicts()->view()->isVisible());
    QTest::keyClick(conflicts()->view(), Qt::Key_Return);
    EXPECT_EQ(currentNode(), s("Play"));
    EXPECT_EQ(hotKey()->text(), s("Ctrl+P"));
    EXPECT_EQ(conflicts()->currentText(), s("Stop"));
    EXPECT_EQ(prompter.messages.size(), 1u);

    // Leaving Play, which still shares its combination, puts the question first and stays.
    prompter.messageAnswers = {Prompter::Answer::Ok};
    clickNode("Next");
    EXPECT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(currentNode(), s("Play"));
    EXPECT_EQ(value("StopM"), 0);
    EXPECT_FALSE(conflicts()->isEnabled());
    clickNode("Next");
    EXPECT_EQ(currentNode(), s("Next"));
    EXPECT_EQ(prompter.messages.size(), 2u);
}

// The question about a taken combination, in the box the user sees: the box wraps the text to its own
// width, so the text it is given breaks lines only between sentences, never in the middle of one.
TEST(ShortcutConflictBox, BreaksItsLinesOnlyBetweenSentences) {
    Shortcuts shortcuts;
    QtPrompter prompter;
    ShortcutEditor editor{shortcuts, prompter};
    ShortcutsPage page(editor, shortcuts);
    page.resize(600, 400);
    page.show();
    QApplication::setActiveWindow(&page);
    auto* tree = page.findChild<QTreeWidget*>(s("ShortCutsTreeView"));
    auto* hotKey = page.findChild<QLineEdit*>(s("HotKey"));
    const auto clickNode = [tree](const char* text) {
        QTreeWidgetItem* node = tree->findItems(s(text), Qt::MatchExactly | Qt::MatchRecursive).value(0);
        ASSERT_NE(node, nullptr) << text;
        tree->scrollToItem(node);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
    };
    clickNode("Stop");
    QTest::mouseClick(hotKey, Qt::LeftButton);
    QTest::keyClick(hotKey, Qt::Key_P, Qt::ControlModifier);

    // The box is read and cancelled once it is up.
    QString shown;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            watch.stop();
            shown = box->text();
            QTest::mouseClick(box->button(QMessageBox::Cancel), Qt::LeftButton);
        }
    });
    watch.start(10);
    clickNode("Pause");
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_TRUE(shown.startsWith(s("The shortcut of this item has already been assigned")));
    for (const QString& line : shown.split(u'\n')) {
        const QString text = line.trimmed();
        EXPECT_TRUE(text.isEmpty() || text.endsWith(u'.') || text.endsWith(u'?')) << text.toStdString();
    }
    EXPECT_EQ(shortcuts.valueOf(s("StopM")), ShortcutValue::kCtrl + 'T') << "Cancel put Stop's own one back";
}

}  // namespace
