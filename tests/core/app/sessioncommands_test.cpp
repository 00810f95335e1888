#include "core/app/commandline.h"
#include "core/common/itemref.h"
#include "core/shell/contextmenu.h"
#include "core/shell/controltable.h"
#include "core/shell/menutable.h"
#include "core/shell/toolbartable.h"
#include "support/qtprinters.h"
#include "support/sessionfixture.h"

#include <QSignalSpy>

namespace {

class SessionCommandsTest : public SessionFixture {
protected:
    void SetUp() override { writeSettings({s("[Playlist]"), s("StartPlaying=0"), s("OpenLastPL=0")}); }

    // A list of unknown lengths, opened.
    void openList(int items) {
        QStringList lines;
        for (int i = 0; i < items; ++i) {
            lines.append(MakeFileItem(music.write(QStringLiteral("%1.mid").arg(i, 2, 10, QChar(u'0')), "MThd")));
        }
        start({writeList(s("long.vlp"), lines)});
        nextTurn();
    }
};

// Every name a surface binds to, from every table that names commands, resolves: a misspelt name would
// leave an item that does nothing.
TEST_F(SessionCommandsTest, EveryNameTheSurfacesUseIsACommand) {
    start();
    const CommandTable& commands = session->commands();
    QStringList names;
    for (const MenuEntry& entry : MainMenuEntries()) {
        if (!entry.name.isEmpty()) {
            names.append(entry.name);
        }
    }
    std::vector<ContextMenuItem> items = GeneralContextItems();
    for (const QString& control : ContextMenuControls()) {
        const std::vector<ContextMenuItem> own = ContextItemsFor(control);
        items.insert(items.end(), own.begin(), own.end());
    }
    for (const ContextMenuItem& item : items) {
        if (!item.isSeparator()) {
            names.append(item.command);
        }
    }
    names += CommandLine::commandNames();
    for (const ToolbarCategory& category : ToolbarCategories()) {
        for (const ToolbarButton& button : category.buttons) {
            names.append(button.name);
        }
    }
    for (const ControlEntry& control : ControlEntries()) {
        names.append(control.name);
    }
    for (const QString& name : names) {
        EXPECT_TRUE(commands.contains(name)) << qPrintable(name);
    }
    EXPECT_EQ(commands.unknownNames(), QStringList());
    EXPECT_EQ(session->commands().originalOf(s("next")), s("NextM"));
    EXPECT_EQ(session->commands().originalOf(s("AnyValuePM")), s("ChangePosM"));
}

// One command is one announcement and one refresh of the Play List's controls, however many of the
// program's parts it touched.
TEST_F(SessionCommandsTest, OneRemoveAnnouncesOneStateChange) {
    openList(1000);
    PlayList& list = session->playList();
    list.clearSelection();
    list.setSelected(3, true);
    list.setFocusedLine(3);
    nextTurn();
    QSignalSpy announced(&session->commands(), &CommandTable::statesChanged);
    QSignalSpy controlsRefreshed(&session->editor(), &PlayListEditor::clicked);
    QSignalSpy playbackChanged(&session->controller(), &PlaybackController::changed);
    EXPECT_TRUE(session->dispatcher().execute(s("RemoveM"), CommandOrigin::Window).isEmpty());
    nextTurn();
    EXPECT_EQ(list.lineCount(), 999);
    EXPECT_EQ(announced.count(), 1);
    EXPECT_EQ(controlsRefreshed.count(), 1);
    EXPECT_EQ(playbackChanged.count(), 1);
    EXPECT_EQ(session->playList().focusedLine(), 3) << "the controls show the line that took its place";
    EXPECT_TRUE(session->editor().controls().remove);
    EXPECT_TRUE(session->commands().state(s("UndoM")).enabled);
    EXPECT_EQ(session->commands().state(s("UndoM")).caption, s("U&ndo Remove Item(s)"));
}

// A second start's command that arrives while the lengths are measured waits for the end of it and
// then runs once; running inside it would measure and open files twice over.
TEST_F(SessionCommandsTest, ARemoteCommandDuringALengthCalculationRunsAfterIt) {
    openList(50);
    QString reply = s("not sent");
    probe.onMeasure = [&] {
        if (probe.measured.size() == 10) {
            reply = session->dispatcher().execute(s("play"), CommandOrigin::Outside);
        }
    };
    session->lengths().PlayListLength(LengthCalculator::Kind::WholePlayList);
    EXPECT_TRUE(reply.isEmpty()) << "the command is taken, to run later";
    EXPECT_EQ(probe.measured.size(), 50);
    EXPECT_TRUE(device.log.isEmpty()) << device.log.join(u',').toStdString();
    probe.onMeasure = nullptr;

    nextTurn();
    EXPECT_EQ(probe.measured.size(), 50) << "nothing is measured twice";
    EXPECT_EQ(device.log.filter(s("open ")), QStringList{s("open ") + music.file(s("00.mid"))});
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    nextTurn();
    EXPECT_EQ(device.log.filter(s("open ")).size(), 1) << "it ran once";
}

// Outside a long operation a remote command runs at once, and a disabled one says why.
TEST_F(SessionCommandsTest, ARemoteCommandRunsAtOnceOrSaysWhyNot) {
    openList(2);
    CommandDispatcher& dispatcher = session->dispatcher();
    EXPECT_EQ(dispatcher.execute(s("stop"), CommandOrigin::Outside), s("Nothing is playing."));
    EXPECT_TRUE(device.log.isEmpty());
    EXPECT_TRUE(dispatcher.execute(s("play"), CommandOrigin::Outside).isEmpty());
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    EXPECT_EQ(dispatcher.execute(s("shuffle"), CommandOrigin::Outside),
              s("Velmaro cannot carry out the command \"shuffle\" in this version."));
}

// Play is refused with the reason that holds: an item plays, or is paused.
TEST_F(SessionCommandsTest, ARemotePlayWhilePlayingSaysWhyItCannot) {
    openList(2);
    CommandDispatcher& dispatcher = session->dispatcher();
    ASSERT_TRUE(dispatcher.execute(s("play"), CommandOrigin::Outside).isEmpty());
    EXPECT_EQ(dispatcher.execute(s("play"), CommandOrigin::Outside), s("Velmaro is already playing."));
    ASSERT_TRUE(dispatcher.execute(s("pause"), CommandOrigin::Outside).isEmpty());
    EXPECT_EQ(dispatcher.execute(s("play"), CommandOrigin::Outside),
              s("Velmaro is paused; the command \"pause\" resumes playing."));
    ASSERT_TRUE(dispatcher.execute(s("stop"), CommandOrigin::Outside).isEmpty());
    EXPECT_TRUE(dispatcher.execute(s("play"), CommandOrigin::Outside).isEmpty());
}

// A box a command shows runs an event loop, in which a second start's requests arrive. They run once
// the command is over, in their order: inside, Exit would close the session under the code that waits
// for the box, and the request would be lost.
TEST_F(SessionCommandsTest, RemoteRequestsThatArriveWhileABoxIsOpenRunAfterIt) {
    openList(2);
    const QString other = writeList(s("other.vlp"), {MakeFileItem(music.file(s("01.mid")))});
    device.files[music.file(s("00.mid"))].failure = s("The file is damaged.");
    QSignalSpy exits(session.get(), &AppSession::exitRequested);
    QString reply = s("not sent");
    qsizetype exitsInTheBox = -1;
    QString listInTheBox;
    prompter.whileMessageShown = [&](const QString&) {
        if (exitsInTheBox >= 0) {
            return;
        }
        session->processForwardedParameters({other}, music.path());
        reply = session->dispatcher().execute(s("exit"), CommandOrigin::Outside);
        exitsInTheBox = exits.count();
        listInTheBox = session->document().fileName();
    };
    ASSERT_TRUE(session->dispatcher().execute(s("PlayM"), CommandOrigin::Window).isEmpty());
    ASSERT_EQ(prompter.messages.size(), 1U);
    EXPECT_TRUE(reply.isEmpty()) << reply.toStdString();
    EXPECT_EQ(exitsInTheBox, 0);
    EXPECT_EQ(listInTheBox, music.file(s("long.vlp")));

    QString listAtExit;
    QObject::connect(session.get(), &AppSession::exitRequested,
                     [&] { listAtExit = session->document().fileName(); });
    nextTurn();
    EXPECT_EQ(exits.count(), 1);
    EXPECT_EQ(listAtExit, other) << "the files came first";
}

}  // namespace
