#include "core/shell/commanddispatcher.h"
#include "core/common/busystate.h"
#include "core/shell/commandtable.h"
#include "support/qtprinters.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class CommandDispatcherTest : public ::testing::Test {
protected:
    CommandDispatcherTest() {
        // Queued commands run on the next turn of an event loop, which needs an application.
        static int argc = 1;
        static char name[] = "velmaro_core_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) {
            static QCoreApplication application(argc, argv);
        }
        for (const char* command : {"NextM", "StopM"}) {
            table.add(s(command), [this, command] { ran.append(s(command)); });
        }
        table.addTwin(s("next"), s("NextM"));
        table.addTwin(s("stop"), s("StopM"), s("&Stop"));
        table.add(s("select-list"));  // declared, carried out by nothing
        table.addStateRule([this](CommandStates& states) {
            states[s("NextM")].enabled = hasNext;
            states[s("NextM")].refusal = s("There is no next item to play.");
            states[s("StopM")].enabled = playing;
        });
        table.refreshNow();
    }

    static void nextTurn() { QCoreApplication::sendPostedEvents(); }

    CommandTable table;
    BusyState busy;
    CommandDispatcher dispatcher{table, busy};
    QStringList ran;
    bool hasNext = true;
    bool playing = false;
};

TEST_F(CommandDispatcherTest, ADisabledCommandIsRefusedWithItsReason) {
    hasNext = false;
    table.invalidate();  // the surfaces still show Next enabled: the command decides on the current states
    EXPECT_EQ(dispatcher.execute(s("next"), CommandOrigin::Outside), s("There is no next item to play."));
    EXPECT_EQ(dispatcher.execute(s("stop"), CommandOrigin::Window),
              s("The command \"Stop\" is not available at the moment."));
    EXPECT_TRUE(ran.isEmpty());
    hasNext = true;
    table.invalidate();
    EXPECT_TRUE(dispatcher.execute(s("next"), CommandOrigin::Outside).isEmpty());
    EXPECT_EQ(ran, lines({"NextM"}));
}

// An unknown name, or one this version carries out with nothing, is refused at once, also while a long
// operation would make a command wait: it would never run.
TEST_F(CommandDispatcherTest, AnUnknownNameIsRefusedAtOnce) {
    const QString shuffle = s("Velmaro cannot carry out the command \"shuffle\" in this version.");
    EXPECT_EQ(dispatcher.execute(s("shuffle"), CommandOrigin::Window), shuffle);
    busy.beginBusy(s("Please wait..."));
    EXPECT_EQ(dispatcher.execute(s("shuffle"), CommandOrigin::Outside), shuffle);
    EXPECT_EQ(dispatcher.execute(s("select-list"), CommandOrigin::Outside),
              s("Velmaro cannot carry out the command \"select-list\" in this version."));
    busy.endBusy();
    nextTurn();
    EXPECT_TRUE(ran.isEmpty());
}

// A command from outside waits for the long operation; when its turn comes it is decided on the states of
// that moment, and one that can no longer run is refused with its reason.
TEST_F(CommandDispatcherTest, AQueuedCommandIsRefusedAtItsTurnWhenItCanNoLongerRun) {
    QSignalSpy refused(&dispatcher, &CommandDispatcher::refused);
    busy.beginBusy(s("Please wait..."));
    EXPECT_TRUE(dispatcher.execute(s("next"), CommandOrigin::Outside).isEmpty()) << "taken, to run later";
    EXPECT_TRUE(dispatcher.execute(s("stop"), CommandOrigin::Outside).isEmpty());
    nextTurn();
    EXPECT_TRUE(ran.isEmpty()) << "nothing runs inside the operation";
    hasNext = false;  // the operation ended the list
    playing = true;
    table.invalidate();
    busy.endBusy();
    nextTurn();
    EXPECT_EQ(ran, lines({"StopM"}));
    ASSERT_EQ(refused.count(), 1);
    EXPECT_EQ(refused.at(0).at(0).toString(), s("next"));
    EXPECT_EQ(refused.at(0).at(1).toString(), s("There is no next item to play."));
}

// Requests from outside keep their order, whether commands or work, and wait for a box of the window.
TEST_F(CommandDispatcherTest, OutsideRequestsRunInTheirOrderAfterABox) {
    playing = true;
    table.invalidate();
    dispatcher.setModalBoxOpen(true);
    dispatcher.execute(s("stop"), CommandOrigin::Outside);
    dispatcher.runFromOutside([this] { ran.append(s("files")); });
    dispatcher.execute(s("next"), CommandOrigin::Outside);
    nextTurn();
    EXPECT_TRUE(ran.isEmpty());
    dispatcher.setModalBoxOpen(false);
    nextTurn();
    EXPECT_EQ(ran, lines({"StopM", "files", "NextM"}));
}

// What the window's own input does besides a command runs in a command's frame: the states are
// announced once, at its end; during a long operation it waits for the end.
TEST_F(CommandDispatcherTest, AWindowActionRunsInACommandsFrameAndWaitsForALongOperation) {
    QSignalSpy started(&dispatcher, &CommandDispatcher::commandStarted);
    QSignalSpy announced(&table, &CommandTable::statesChanged);
    dispatcher.runFromWindow([this, &started] {
        playing = true;
        table.invalidate();
        EXPECT_EQ(started.count(), 1) << "inside the frame";
    });
    EXPECT_EQ(announced.count(), 1) << "announced as it ends, not a turn later";
    EXPECT_TRUE(table.state(s("StopM")).enabled);

    busy.beginBusy(s("Please wait..."));
    dispatcher.runFromWindow([this] { ran.append(s("drop")); });
    nextTurn();
    EXPECT_TRUE(ran.isEmpty());
    busy.endBusy();
    nextTurn();
    EXPECT_EQ(ran, lines({"drop"}));
}

// Inside a command, such an action is part of it, at once.
TEST_F(CommandDispatcherTest, AWindowActionInsideACommandRunsAtOnce) {
    table.bind(s("StopM"), [this] {
        dispatcher.runFromWindow([this] { ran.append(s("entered")); });
        ran.append(s("StopM"));
    });
    playing = true;
    table.invalidate();
    dispatcher.execute(s("StopM"), CommandOrigin::Window);
    EXPECT_EQ(ran, lines({"entered", "StopM"}));
}

}  // namespace
