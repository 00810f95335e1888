#include "gui/files/renamedialog.h"
#include "support/tempfolder.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

class RenameDialogTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::unique_ptr<RenameDialog> box;

    QString at(const char* name) const { return folder.file(s(name)); }
    void open(const RenameDialogModel::Request& request) {
        box = std::make_unique<RenameDialog>(request);
        box->show();
        QApplication::setActiveWindow(box.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(box.get()));
    }
    QLineEdit* edit(const char* name) const { return box->findChild<QLineEdit*>(s(name)); }
    QPushButton* ok() const { return box->findChild<QPushButton*>(s("OKBtn")); }
    QMenu* popup() const { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
};

TEST_F(RenameDialogTest, TypingKeepsTheFieldsInStepAndEnterAcceptsOnlyAName) {
    folder.write(s("a.mid"), "x");
    RenameDialogModel::Request request;
    request.oldPath = at("a.mid");
    open(request);
    ASSERT_TRUE(edit("RenEditShort")->hasFocus());

    // The selected name is replaced; the extension stays.
    QTest::keyClicks(edit("RenEditShort"), s("b.txt"));
    EXPECT_EQ(edit("RenEdit")->text(), at("b.txt.mid"));

    edit("RenEdit")->setFocus();
    QTest::keyClick(edit("RenEdit"), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit("RenEdit"), Qt::Key_Backspace);
    EXPECT_FALSE(ok()->isEnabled());
    QTest::keyClick(edit("RenEdit"), Qt::Key_Return);
    EXPECT_TRUE(box->isVisible());

    // A relative name lands in the box's folder.
    QTest::keyClicks(edit("RenEdit"), s("c.wav"));
    EXPECT_EQ(edit("RenEditShort")->text(), s("c"));
    EXPECT_TRUE(ok()->isEnabled());
    QTest::keyClick(edit("RenEdit"), Qt::Key_Return);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(box->result(), QDialog::Accepted);
    EXPECT_EQ(box->resultPath(), at("c.wav"));

    open(request);
    QTest::keyClicks(edit("RenEditShort"), s("d"));
    QTest::keyClick(edit("RenEditShort"), Qt::Key_Escape);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(box->result(), QDialog::Rejected);
    EXPECT_TRUE(box->resultPath().isEmpty());
}

TEST_F(RenameDialogTest, FavouriteFoldersDropDownByKeyAndButtonAndMoveTheFolder) {
    ASSERT_TRUE(QDir(folder.path()).mkpath(s("old")));
    ASSERT_TRUE(QDir(folder.path()).mkpath(s("one")));
    ASSERT_TRUE(QDir(folder.path()).mkpath(s("two/sub")));
    RenameDialogModel::Request request;
    request.kind = RenameDialogModel::Kind::Folder;
    request.oldPath = at("old");
    request.favoriteFolders = {at("one"), at("two")};
    open(request);

    QTest::keyClick(edit("RenEditShort"), Qt::Key_F4);
    QMenu* menu = popup();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions().at(1)->text(), s("&2. two"));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().at(1)).center());
    EXPECT_EQ(popup(), nullptr);
    EXPECT_EQ(edit("RenEdit")->text(), at("two/old"));
    EXPECT_EQ(box->model().folder(), at("two"));

    // The folder box now lists the favourite's subfolders; clicking one makes it the destination.
    auto* folders = box->findChild<QListWidget*>(s("DirectoryListBox"));
    const QList<QListWidgetItem*> sub = folders->findItems(s("sub"), Qt::MatchEndsWith);
    ASSERT_EQ(sub.size(), 1);
    QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, folders->visualItemRect(sub.front()).center());
    EXPECT_EQ(edit("RenEdit")->text(), at("two/sub/old"));

    auto* button = box->findChild<QToolButton*>(s("FavFoldersSB"));
    QTest::mouseClick(button, Qt::LeftButton);
    menu = popup();
    ASSERT_NE(menu, nullptr);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().at(0)).center());
    EXPECT_EQ(edit("RenEdit")->text(), at("one/old"));
}

}  // namespace
