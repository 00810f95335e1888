#include "core/common/textfile.h"
#include "gui/shell/contextmenus.h"
#include "gui/shell/mainwindow.h"
#include "gui/playback/indicatorcontrols.h"
#include "support/windowtest.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSlider>
#include <QStandardPaths>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <memory>

namespace {

class ContextMenusTest : public WindowTest {
protected:

    void SetUp() override {
        writeQuietSettings();
        const QString list =
            writePlayList(s("list.vlp"), {s("[FILE=\"") + music.write(s("a.mid"), "MThd") + s("\", L=0]")});
        startWindow();
        ASSERT_TRUE(window->session().document().OpenPlayList(list, false, false));
    }
    ContextMenus& menus() { return *window->findChild<ContextMenus*>(); }
    static QStringList texts(const QMenu& menu) {
        QStringList result;
        for (const QAction* item : menu.actions()) {
            result.append(item->isSeparator() ? s("-") : item->text());
        }
        return result;
    }
    static QAction* find(const QMenu& menu, const QString& text) {
        for (QAction* item : menu.actions()) {
            if (item->text() == text) {
                return item;
            }
        }
        return nullptr;
    }
};

TEST_F(ContextMenusTest, TheStatusBarsMenuHidesIt) {
    const std::unique_ptr<QMenu> menu = menus().build(window->statusBar());
    EXPECT_EQ(texts(*menu), lines({"&General", "-", "Customize...", "-", "&Hide Component"}));
    EXPECT_TRUE(find(*menu, s("Customize..."))->isEnabled());
    find(*menu, s("&Hide Component"))->trigger();
    EXPECT_FALSE(window->statusBar()->isVisible());
    EXPECT_FALSE(window->action(s("ViewStatusBarM"))->isChecked());
}

TEST_F(ContextMenusTest, GeneralFollowsTheMainMenu) {
    QWidget* playList = window->findChild<QWidget*>(s("PlayListBox"));
    const auto rewindEnabled = [&] {
        const std::unique_ptr<QMenu> menu = menus().build(playList);
        QMenu* general = menu->actions().first()->menu();
        return find(*general, s("&Rewind"))->isEnabled();
    };
    EXPECT_FALSE(rewindEnabled());
    window->session().controller().playFrom(window->session().playListMedia());
    EXPECT_TRUE(rewindEnabled());
    EXPECT_EQ(rewindEnabled(), window->action(s("RewindM"))->isEnabled());

    const std::unique_ptr<QMenu> menu = menus().build(playList);
    EXPECT_EQ(texts(*menu).mid(1, 3), lines({"-", "Rem&ove", "Remove A&ll"}));
    find(*menu, s("Rem&ove"))->trigger();
    EXPECT_TRUE(window->session().playList().isEmpty());
}

TEST_F(ContextMenusTest, ThePositionBarJumpsWhileSomethingPlays) {
    QSlider* bar = window->indicatorControls().positionBar();
    std::unique_ptr<QMenu> menu = menus().build(bar);
    EXPECT_EQ(texts(*menu), lines({"&General", "-", "&0 %", "&25 %", "&75 %", "Any Va&lue", "-", "&Hide Component"}));
    EXPECT_FALSE(find(*menu, s("&25 %"))->isEnabled());

    window->session().controller().playFrom(window->session().playListMedia());
    menu = menus().build(bar);
    ASSERT_TRUE(find(*menu, s("&75 %"))->isEnabled());
    find(*menu, s("&75 %"))->trigger();
    EXPECT_EQ(device.position(), 45000);
    find(*menu, s("&Hide Component"))->trigger();
    QApplication::processEvents();  // the toolbar lays its items out afterwards
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(window->action(s("ViewScrollbarM"))->isChecked());
}

TEST_F(ContextMenusTest, TheMixerIsTheOneInThePreferences) {
    Q_EMIT window->action(s("ViewM"))->menu()->aboutToShow();
    window->session().preferences().mixerPath.clear();
    Q_EMIT window->action(s("ViewM"))->menu()->aboutToShow();
    EXPECT_FALSE(window->action(s("MixerM"))->isEnabled());
    window->session().preferences().mixerPath = s("/usr/bin/no-such-mixer");
    Q_EMIT window->action(s("ViewM"))->menu()->aboutToShow();
    EXPECT_FALSE(window->action(s("MixerM"))->isEnabled()) << "a mixer that is not there";
    const QString mixer = QStandardPaths::findExecutable(s("sh"));
    window->session().preferences().mixerPath = mixer;
    Q_EMIT window->action(s("ViewM"))->menu()->aboutToShow();
    ASSERT_TRUE(window->action(s("MixerM"))->isEnabled());
    window->action(s("MixerM"))->trigger();
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(shell.started[0].program, mixer);
}

}  // namespace
