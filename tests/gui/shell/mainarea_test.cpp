#include "gui/shell/mainarea.h"
#include "gui/shell/mainmenu.h"
#include "gui/shell/mainwindow.h"
#include "gui/playlist/playlistbox.h"
#include "support/windowtest.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

class MainAreaTest : public WindowTest {
protected:
    void SetUp() override {
        writeQuietSettings();
        startWindow();
    }
    QWidget* control(const char* name) const { return window->findChild<QWidget*>(s(name)); }
    QRect rectOf(const char* name) const { return control(name)->geometry(); }
    MainArea& area() const { return window->mainArea(); }
};

TEST_F(MainAreaTest, BothSidesShareTheWidthAndTheWindowKeepsRoomForThem) {
    const int work = area().width();
    const int playList = rectOf("PlayListBox").width();
    // The share as the narrow first layout corrected it, kept when the window grew.
    const int share = window->session().preferences().window.playListWidth;
    EXPECT_LT(share, 2958);
    EXPECT_EQ(playList, qRound(share * work / 10000.0));
    EXPECT_TRUE(control("FileListBox")->isVisible());
    EXPECT_TRUE(control("DirectoryListBox")->isVisible());
    EXPECT_FALSE(control("CDAudioListBox")->isVisible());
    EXPECT_EQ(rectOf("AddBtnsPanel").left(), rectOf("PlayListBox").right() + 1 + 5);
    EXPECT_GE(window->minimumWidth(), 473);
    // At its narrowest the window still leaves the Play List 116 pixels and each right-hand list 115.
    window->resize(300, 500);
    QApplication::processEvents();
    EXPECT_EQ(rectOf("PlayListBox").width(), 116);
    EXPECT_EQ(rectOf("FileListBox").width(), 115);
}

TEST_F(MainAreaTest, TheViewMenuHidesAndShowsComponents) {
    // The narrowest window corrects the Play List's share, as the last step below does: the layout to
    // come back to is the one after that correction.
    window->resize(300, 500);
    window->resize(900, 500);
    QApplication::processEvents();
    const QRect before = rectOf("PlayListBox");
    window->action(s("ViewFileListM"))->trigger();
    EXPECT_FALSE(control("FileListBox")->isVisible());
    EXPECT_FALSE(control("AddBtnsPanel")->isVisible());
    EXPECT_EQ(rectOf("PlayListBox").width(), area().width() - 24);
    EXPECT_EQ(window->minimumWidth(), 273);
    EXPECT_FALSE(window->session().preferences().components[1]);

    window->action(s("ViewLabelsM"))->trigger();
    EXPECT_EQ(rectOf("PlayListBox").top(), before.top() - 25);
    EXPECT_EQ(rectOf("PlayListBox").height(), before.height() + 25);

    window->action(s("ViewToolBarM"))->trigger();
    window->action(s("ViewStatusBarM"))->trigger();
    EXPECT_FALSE(window->findChild<QToolBar*>(s("SpeedBar"))->isVisible());
    EXPECT_FALSE(window->statusBar()->isVisible());

    // Everything back: the window is at least wide enough for both sides again.
    for (const char* item : {"ViewFileListM", "ViewLabelsM", "ViewToolBarM", "ViewStatusBarM"}) {
        window->action(s(item))->trigger();
    }
    window->resize(300, 500);
    QApplication::processEvents();
    EXPECT_EQ(window->width(), window->minimumWidth());
    window->resize(900, 500);
    QApplication::processEvents();
    EXPECT_EQ(rectOf("PlayListBox"), before);
    EXPECT_TRUE(window->action(s("ViewFileListM"))->isChecked());
}

// Each item of View, Components hides its own controls (and those that only stand beside them) and
// nothing else, and turns off its own flag of the stored order.
// Hiding the labels takes the count label away at once; showing them brings it back with its text.
TEST_F(MainAreaTest, TheLabelsToggleShowsTheCountLabelAsItIs) {
    const QString list = writePlayList(s("three.vlp"), {s("[FILE=\"/m/a.mid\"]"), s("[FILE=\"/m/b.mid\"]"),
                                                        s("[FILE=\"/m/c.mid\"]")});
    ASSERT_TRUE(window->session().document().OpenPlayList(list, false, false));
    QApplication::processEvents();
    auto* count = window->findChild<QLabel*>(s("PlayListBoxInfo"));
    ASSERT_TRUE(count->isVisible());
    const QString caption = count->text();
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);  // View > Labels
    EXPECT_FALSE(count->isVisible());
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(count->isVisible());
    EXPECT_EQ(count->text(), caption);
}

TEST_F(MainAreaTest, EachComponentItemHidesItsOwnControlsOnly) {
    const struct {
        const char* item;
        const char* control;
        QStringList alongside;
    } components[] = {
        {"ViewPlayListM", "PlayListBox", lines({"SpinButton", "FullPathEdit"})},
        {"ViewFileListM", "FileListBox", lines({"DirLabel", "ModeSelector", "FilterComboBox", "FilterEdit"})},
        {"ViewToolBarM", "SpeedBar", lines({"ScrollBar"})},
        {"ViewScrollbarM", "ScrollBar", {}},
        {"ViewStatusBarM", "PanelInfo", {}},
        {"ViewSpinButtonM", "SpinButton", {}},
        {"ViewPathEditM", "FullPathEdit", {}},
        {"ViewLabelsM", "DirLabel", {}},
        {"ViewModeSelectorM", "ModeSelector", {}},
        {"ViewFilterBoxM", "FilterComboBox", {}},
        {"ViewFilterEditM", "FilterEdit", {}},
    };
    for (const auto& hidden : components) {
        window->action(s(hidden.item))->trigger();
        QApplication::processEvents();
        for (const auto& other : components) {
            ASSERT_NE(control(other.control), nullptr) << other.control;
            const bool gone = &other == &hidden || hidden.alongside.contains(s(other.control));
            EXPECT_EQ(control(other.control)->isVisible(), !gone) << other.control << " after " << hidden.item;
        }
        const auto& flags = window->session().preferences().components;
        EXPECT_EQ(window->mainMenu().menu(s("OrganizeM"))->menuAction()->isVisible(), &hidden != components);
        for (const char* item : {"NewDirM", "FileManModeM", "CDAudioModeM"}) {
            EXPECT_EQ(window->action(s(item))->isVisible(), &hidden != components + 1) << item;
        }
        EXPECT_EQ(std::find(flags.begin(), flags.end(), false) - flags.begin(), &hidden - components) << hidden.item;
        window->action(s(hidden.item))->trigger();
    }
}

// The toolbar's View toggles: not on the default toolbar, but each runs its item and follows it.
TEST_F(MainAreaTest, TheToolbarsViewTogglesRunTheirItemsAndFollowThem) {
    const auto button = [this](const char* name) { return window->findChild<QAction*>(s(name)); };
    for (const char* name : {"ViewPlayListSI", "ViewFileListSI", "ViewToolBarSI", "ViewScrollBarSI", "ViewStatusBarSI",
                             "ViewSpinButtonSI", "ViewPathEditSI", "ViewLabelsSI", "ViewModeSelectorSI",
                             "ViewFilterBoxSI", "ViewFilterEditSI", "PathsSI", "ExtensionsSI"}) {
        ASSERT_NE(button(name), nullptr) << name;
        EXPECT_FALSE(button(name)->isVisible()) << name;
    }
    EXPECT_EQ(button("ViewScrollBarSI")->toolTip(), s("Scrollbar (Ctrl+Shift+O)"));
    EXPECT_TRUE(button("ViewModeSelectorSI")->isChecked());

    button("ViewModeSelectorSI")->trigger();
    EXPECT_FALSE(control("ModeSelector")->isVisible());
    EXPECT_FALSE(button("ViewModeSelectorSI")->isChecked());
    window->action(s("ViewModeSelectorM"))->trigger();
    EXPECT_TRUE(control("ModeSelector")->isVisible());
    EXPECT_TRUE(button("ViewModeSelectorSI")->isChecked()) << "the button follows the menu item";

    const bool paths = window->session().preferences().showPath;
    EXPECT_EQ(button("PathsSI")->isChecked(), paths);
    button("PathsSI")->trigger();
    EXPECT_EQ(window->session().preferences().showPath, !paths);
    EXPECT_EQ(button("PathsSI")->isChecked(), !paths);
    window->action(s("ExtensionsM"))->trigger();
    EXPECT_EQ(button("ExtensionsSI")->isChecked(), window->session().preferences().showExtension);
}

TEST_F(MainAreaTest, TheSplitterMovesThePlayListEdgeAndADoubleClickRestoresIt) {
    QWidget* splitter = control("ResizePaintBox");
    ASSERT_TRUE(splitter->isVisible());
    const int start = rectOf("PlayListBox").width();
    QMouseEvent press(QEvent::MouseMove, QPointF(2, 10), splitter->mapToGlobal(QPointF(2, 10)), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(splitter, &press);
    QMouseEvent drag(QEvent::MouseMove, QPointF(62, 10), splitter->mapToGlobal(QPointF(62, 10)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(splitter, &drag);
    EXPECT_EQ(rectOf("PlayListBox").width(), start + 60);
    EXPECT_EQ(rectOf("ResizePaintBox").left(), rectOf("PlayListBox").right() + 1);

    QTest::mouseDClick(splitter, Qt::LeftButton);
    EXPECT_EQ(window->session().preferences().window.playListWidth, 2958);
    EXPECT_EQ(rectOf("PlayListBox").width(), qRound(2958.0 * area().width() / 10000));
}

// Both modes at the smallest and a large size: every shown control inside the area, none over another.
// With VELMARO_SCREENSHOTS set to a folder, the rendered windows are saved there to be looked at.
TEST_F(MainAreaTest, NoControlsOverlapInEitherMode) {
    const QString screenshots = qEnvironmentVariable("VELMARO_SCREENSHOTS");
    for (const bool cdAudio : {false, true}) {
        window->session().runCommand(s(cdAudio ? "CDAudioModeM" : "FileManModeM"));
        for (const bool wide : {false, true}) {
            window->resize(wide ? 1000 : 473, wide ? 600 : 364);
            QApplication::processEvents();
            const QImage shot = window->grab().toImage();
            ASSERT_FALSE(shot.isNull());
            if (!screenshots.isEmpty()) {
                shot.save(QDir(screenshots).filePath(
                    QStringLiteral("main-%1-%2.png").arg(cdAudio ? u"cd" : u"files", wide ? u"wide" : u"small")));
            }
            QList<QWidget*> shown;
            for (QWidget* child : area().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
                if (child->isVisible() && child->objectName() != u"ResizePaintBox") {
                    shown.append(child);
                }
            }
            ASSERT_GT(shown.size(), 10);
            for (qsizetype i = 0; i < shown.size(); ++i) {
                EXPECT_TRUE(area().rect().contains(shown[i]->geometry()))
                    << shown[i]->objectName().toStdString() << " at " << shown[i]->geometry().x() << ","
                    << shown[i]->geometry().y() << " " << shown[i]->width() << "x" << shown[i]->height() << " in "
                    << area().width() << "x" << area().height() << (cdAudio ? " (CD)" : "");
                for (qsizetype j = i + 1; j < shown.size(); ++j) {
                    // Neighbours may share the two pixels of their bevels, as the spin button and the Play List do.
                    const QRect common = shown[i]->geometry().intersected(shown[j]->geometry());
                    EXPECT_TRUE(common.isEmpty() || common.height() <= 2 || common.width() <= 2)
                        << shown[i]->objectName().toStdString() << " and " << shown[j]->objectName().toStdString()
                        << (cdAudio ? " (CD)" : "");
                }
            }
        }
    }
    // Each mode shows its own list and hides the other's.
    EXPECT_TRUE(control("CDAudioListBox")->isVisible());
    EXPECT_FALSE(control("FileListBox")->isVisible());
    window->session().runCommand(s("FileManModeM"));
    EXPECT_FALSE(control("CDAudioListBox")->isVisible());
    EXPECT_TRUE(control("FileListBox")->isVisible());
}

}  // namespace
