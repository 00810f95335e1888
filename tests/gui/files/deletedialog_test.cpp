#include "gui/files/deletedialog.h"
#include "support/qtprinters.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(DeleteDialogTest, ConfirmReturnsTheCheckBoxAndEscapeCancels) {
    const QString wide = QString(300, u'w') + s(".mid");
    const DeleteDialogModel::Request request{DeleteDialogModel::Kind::FileListSeveral, {s("a.mid"), wide}, true};
    auto box = std::make_unique<DeleteDialog>(request);
    box->show();
    QApplication::setActiveWindow(box.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(box.get()));
    auto* list = box->findChild<QListWidget*>(s("ListBox"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 2);
    EXPECT_GT(list->horizontalScrollBar()->maximum(), 0);

    auto* check = box->findChild<QCheckBox*>(s("RecycleBinCB"));
    ASSERT_TRUE(check->isChecked());
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
    EXPECT_FALSE(check->isChecked());
    QTest::keyClick(box.get(), Qt::Key_Return);
    EXPECT_EQ(box->result(), QDialog::Accepted);
    EXPECT_FALSE(box->recycleBin());

    box = std::make_unique<DeleteDialog>(request);
    box->show();
    QApplication::setActiveWindow(box.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(box.get()));
    QTest::keyClick(box.get(), Qt::Key_Escape);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(box->result(), QDialog::Rejected);
}

}  // namespace
