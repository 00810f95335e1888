#include "gui/settings/favoritespage.h"

#include "support/fakes.h"
#include "support/tempfolder.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

void clickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

TEST(FavoritesPageTest, EnterInTheEditBoxChangesTheClickedRowAndNeverClosesTheDialog) {
    TempFolder temp;
    temp.write(s("New/a.mid"), "x");
    const QString folder = temp.file(s("New"));
    FakePrompter prompter;
    FavoritesPageModel model(Favorites::Kind::Folders);
    QDialog dialog;
    auto* page = new FavoritesPage(model, prompter, &dialog);
    auto* ok = new QPushButton(s("OK"), &dialog);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(page);
    layout->addWidget(ok);
    page->load(lines({"/gone/a", "/gone/b"}));
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    page->enterPage();

    auto* list = dialog.findChild<QListWidget*>(s("FavFoldersListBox"));
    auto* edit = dialog.findChild<QLineEdit*>(s("FavFoldersEdit"));
    auto* add = dialog.findChild<QPushButton*>(s("FavFoldersAddBtn"));
    ASSERT_TRUE(list && edit && add);
    EXPECT_EQ(edit->text(), s("/gone/a"));
    clickRow(list, 1);
    EXPECT_EQ(edit->text(), s("/gone/b"));
    EXPECT_TRUE(ok->isDefault());

    QTest::mouseClick(edit, Qt::LeftButton);
    ASSERT_TRUE(edit->hasFocus());
    EXPECT_FALSE(ok->isDefault());
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, folder + s("/"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(list->item(1)->text(), folder);
    EXPECT_EQ(edit->text(), folder);
    EXPECT_TRUE(prompter.messages.empty());

    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_EQ(page->entries(), QStringList({s("/gone/a"), folder}));

    // Away from the edit box, OK is the default again.
    clickRow(list, 0);
    EXPECT_EQ(edit->text(), s("/gone/a"));
    EXPECT_TRUE(ok->isDefault());
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
