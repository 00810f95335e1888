#include "core/shell/commandtable.h"
#include "support/qtprinters.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class CommandTableTest : public ::testing::Test {
protected:
    CommandTableTest() {
        // A change is announced on the next turn of an event loop, which needs an application.
        static int argc = 1;
        static char name[] = "velmaro_core_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) {
            static QCoreApplication application(argc, argv);
        }
    }

    CommandTable table;
    int runs = 0;
};

// A toolbar button or a remote name shows what its menu item shows, under its own caption, and runs it.
TEST_F(CommandTableTest, ATwinShowsItsOriginalsStateUnderItsOwnCaption) {
    table.addMenuItems();
    table.bind(s("PauseM"), [this] { ++runs; });
    table.addTwin(s("PauseSI"), s("PauseM"));
    table.addTwin(s("pause"), s("PauseM"), s("Pause playing"));
    bool paused = false;
    table.addStateRule([&paused](CommandStates& states) {
        states[s("PauseM")].enabled = paused;
        states[s("PauseM")].checked = paused;
        states[s("PauseM")].refusal = s("Nothing is playing.");
        states[s("PauseSI")].hint = s("Pause (Ctrl+U)|");
    });
    table.refreshNow();
    EXPECT_FALSE(table.state(s("PauseSI")).enabled);
    EXPECT_EQ(table.state(s("pause")).refusal, s("Nothing is playing."));
    paused = true;
    table.refreshNow();
    const CommandState button = table.state(s("PauseSI"));
    EXPECT_TRUE(button.enabled);
    EXPECT_TRUE(button.checked);
    EXPECT_EQ(button.caption, s("P&ause"));
    EXPECT_EQ(button.hint, s("Pause (Ctrl+U)|")) << "a hint a rule gave the twin is its own";
    EXPECT_EQ(table.state(s("pause")).caption, s("Pause playing"));
    EXPECT_EQ(table.state(s("pause")).hint, table.state(s("PauseM")).hint);
    EXPECT_EQ(table.originalOf(s("pause")), s("PauseM"));
}

// A context menu's item is enabled like its command but shows no check mark and no hint of it, and
// one item in several menus is one command.
TEST_F(CommandTableTest, AContextItemIsEnabledLikeItsCommandWithoutItsCheckMarkOrHint) {
    table.addMenuItems();
    for (const char* name : {"PauseM", "ViewStatusBarM", "RemoveM"}) {
        table.bind(s(name), [] {});
    }
    for (const char* name : {"AddBtn", "AddAllBtn", "RemBtn", "RemAllBtn", "RenBtn", "DelBtn", "Percent0PM",
                             "Percent25PM", "Percent75PM", "StatusBarCustomize"}) {
        table.add(s(name), [] {});
    }
    table.addStateRule([](CommandStates& states) {
        states[s("PauseM")].checked = true;
        states[s("ViewStatusBarM")].checked = true;
        states[s("RenBtn")].enabled = false;
    });
    table.addContextItems();
    table.refreshNow();
    const CommandState pause = table.state(s("PausePM"));
    EXPECT_TRUE(pause.enabled);
    EXPECT_FALSE(pause.checked);
    EXPECT_TRUE(pause.hint.isEmpty());
    EXPECT_EQ(pause.caption, s("P&ause"));
    EXPECT_FALSE(table.find(s("PausePM"))->checkable);
    EXPECT_FALSE(table.state(s("HideStatusBarPM")).checked);
    EXPECT_EQ(table.state(s("HideStatusBarPM")).caption, s("&Hide Component"));
    EXPECT_FALSE(table.state(s("RenPM")).enabled);
    EXPECT_EQ(table.state(s("Percent25PM")).caption, s("&25 %"));
    EXPECT_EQ(table.unknownNames(), QStringList());
}

// The buttons of the window show the captions and hints of their commands.
TEST_F(CommandTableTest, AButtonsCommandCarriesItsCaptionAndHint) {
    table.add(s("AddBtn"), [] {});
    table.add(s("EjectSB"), [] {});
    table.refreshNow();
    EXPECT_EQ(table.state(s("AddBtn")).caption, s("< A&dd"));
    EXPECT_EQ(table.state(s("AddBtn")).hint,
              s("Adds the selected items(s)\rin the File List to the Play List|"));
    EXPECT_TRUE(table.state(s("EjectSB")).caption.isEmpty()) << "a button with a picture";
    EXPECT_EQ(table.state(s("EjectSB")).hint, s("Eject the current CD|"));
}

// A misspelt name is noted as the program's fault, never fails: it is no command and stays disabled.
TEST_F(CommandTableTest, UnknownNamesAreNotedAndStayDisabled) {
    table.add(s("NextM"), [this] { ++runs; });
    table.add(s("NextM"), [] {});
    table.bind(s("NxtM"), [] {});
    table.addTwin(s("next"), s("NxtM"));
    table.addStateRule([](CommandStates& states) { states[s("Ghost")].enabled = true; });
    table.refreshNow();
    EXPECT_FALSE(table.contains(s("Ghost")));
    EXPECT_FALSE(table.state(s("Ghost")).enabled);
    EXPECT_FALSE(table.contains(s("next")));
    EXPECT_EQ(table.unknownNames(), lines({"NextM (declared twice)", "NxtM", "Ghost"}));
    table.find(s("NextM"))->run();
    EXPECT_EQ(runs, 1) << "the first declaration stands";
}

// A command that nothing carries out cannot be chosen, whatever a rule says; a submenu can.
TEST_F(CommandTableTest, WhatNothingCarriesOutIsDisabled) {
    table.addMenuItems();
    table.addStateRule([](CommandStates& states) {
        states[s("PlayListLogM")].enabled = true;
        states[s("ViewM")].enabled = true;
    });
    table.refreshNow();
    EXPECT_FALSE(table.state(s("PlayListLogM")).enabled);
    EXPECT_TRUE(table.state(s("ViewM")).enabled);
}

// However many changes a turn brings, the states are computed and announced once, and not at all when
// nothing a surface shows changed.
TEST_F(CommandTableTest, ChangesAreAnnouncedOncePerTurn) {
    bool on = false;
    int computed = 0;
    table.add(s("StopM"), [] {});
    table.addStateRule([&](CommandStates& states) {
        ++computed;
        states[s("StopM")].enabled = on;
    });
    table.refreshNow();
    QSignalSpy announced(&table, &CommandTable::statesChanged);
    computed = 0;
    on = true;
    table.invalidate();
    table.invalidate();
    EXPECT_EQ(computed, 0) << "not before the turn ends";
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(computed, 1);
    EXPECT_EQ(announced.count(), 1);
    table.invalidate();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(announced.count(), 1) << "nothing changed";
}

// A command's state belongs to one rule: a second rule that set it would silently overwrite the first
// one's result, depending on the order the rules were declared in. A debug build stops there.
TEST_F(CommandTableTest, TwoRulesSettingOneCommandIsAFaultThatStopsADebugBuild) {
    table.add(s("Shared"), [] {});
    table.add(s("Own"), [] {});
    table.addStateRule([](CommandStates& states) { states[s("Shared")].enabled = false; });
    table.addStateRule([](CommandStates& states) {
        // Reading another command's state is no claim on it.
        states[s("Own")].enabled = states.value(s("Shared")).enabled;
    });
    table.refreshNow();
    EXPECT_TRUE(table.ruleConflicts().isEmpty());
    EXPECT_FALSE(table.state(s("Own")).enabled);

    table.addStateRule([](CommandStates& states) { states[s("Shared")].enabled = true; });
#ifdef QT_NO_DEBUG
    table.refreshNow();
    EXPECT_EQ(table.ruleConflicts(), QStringList{s("Shared")});
#else
    EXPECT_DEATH(table.refreshNow(), "two state rules set Shared");
#endif
}

}  // namespace
