#include "core/playback/playlogs.h"

#include "core/common/itemref.h"
#include "core/common/textfile.h"
#include "core/playback/playbackcontroller.h"
#include "core/playlist/playlistdocument.h"
#include "core/shell/commandtable.h"
#include "support/sessionfixture.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

TEST(PlayLogNames, TheLogsStandBesideASavedPlayListAndAnUnsavedOneHasNone) {
    EXPECT_EQ(PlayLogs::path(s("/m/Rock.vlp"), PlayLogs::Kind::Play), s("/m/Rock.LOG"));
    EXPECT_EQ(PlayLogs::path(s("/m/Rock.vlp"), PlayLogs::Kind::Error), s("/m/Rock.ERR"));
    EXPECT_EQ(PlayLogs::path(s("/m/a.b/Rock.live.vlp"), PlayLogs::Kind::Play), s("/m/a.b/Rock.live.LOG"));
    EXPECT_EQ(PlayLogs::path(QString(), PlayLogs::Kind::Play), QString());
    // A name without a folder would be looked for wherever the program runs.
    EXPECT_EQ(PlayLogs::path(s("Rock.vlp"), PlayLogs::Kind::Error), QString());
}

// Items played from a saved Play List, with the logs switched on.
class PlayLogTest : public SessionFixture {
protected:
    PlayLogTest() : started((start(), true)), preferences(session->preferences()) {
        listPath = writeList(s("Rock.vlp"), {MakeFileItem(s("/m/a.wav")), MakeFileItem(s("/m/b.wav"))});
        device.files[s("/m/a.wav")].length = 1000;
        device.files[s("/m/b.wav")].length = 1000;
    }

    bool started;
    Preferences& preferences;
    QString listPath;

    void openList() { ASSERT_TRUE(session->document().OpenPlayList(listPath, false, false)); }
    void playLine(qsizetype line) {
        PlayList& list = session->playList();
        list.setFocusedLine(line);
        list.clearSelection();
        list.setSelected(line, true);
        session->controller().playFrom(session->playListMedia());
    }
    QStringList logLines(const char* name) const { return TextFile::readLines(music.file(s(name))).lines; }
    // Each line: the date and time, two blanks, then the entry.
    static QStringList entries(const QStringList& lines) {
        static const QRegularExpression date(s("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d  "));
        QStringList result;
        for (const QString& line : lines) {
            EXPECT_TRUE(date.match(line).hasMatch()) << line.toStdString();
            result.append(line.mid(21));
        }
        return result;
    }
};

TEST_F(PlayLogTest, EachItemThatStartsIsAppendedToThePlayLogAfterWhatWasThere) {
    music.write(s("Rock.LOG"), QByteArray("earlier line\r\n"));
    preferences.useLog = true;
    openList();
    playLine(0);
    playLine(1);
    const QStringList log = logLines("Rock.LOG");
    ASSERT_EQ(log.size(), 3);
    EXPECT_EQ(log[0], s("earlier line"));
    EXPECT_EQ(entries(log.mid(1)), lines({"/m/a.wav", "/m/b.wav"}));
    EXPECT_FALSE(QFile::exists(music.file(s("Rock.ERR"))));
}

// An item that the device plays on into without a gap started all the same, and is logged.
TEST_F(PlayLogTest, AnItemThatFollowsWithoutAGapIsLoggedToo) {
    device.gapless = true;
    preferences.useLog = true;
    openList();
    playLine(0);
    ASSERT_EQ(device.queued(), s("/m/b.wav"));
    for (qint64 t = 0; t < 1500; t += PlaybackController::kTickMs) {
        device.advance(PlaybackController::kTickMs);
        if (session->playbackTimer().isActive()) {
            session->controller().onPlaybackTick();
        }
    }
    ASSERT_EQ(session->playList().CurrentItem(), 1);
    EXPECT_EQ(entries(logLines("Rock.LOG")), lines({"/m/a.wav", "/m/b.wav"}));
}

TEST_F(PlayLogTest, NothingIsLoggedWithTheOptionsOffOrWithoutAPlayListFile) {
    openList();
    playLine(0);
    EXPECT_FALSE(QFile::exists(music.file(s("Rock.LOG"))));
    preferences.useLog = true;
    preferences.logErrors = true;
    device.files[s("/m/a.wav")].failure = s("broken");
    session->document().NewPlayList();
    session->playList().setEntries({{MakeFileItem(s("/m/a.wav")), 0}});
    session->playList().RedrawPlayList(false);
    const QString before = QDir::currentPath();
    playLine(0);
    EXPECT_TRUE(
        QDir(music.path()).entryList({s("*.LOG"), s("*.ERR"), s(".LOG"), s(".ERR")}, QDir::Files).isEmpty());
    EXPECT_FALSE(QFile::exists(QDir(before).filePath(s(".LOG"))));
    EXPECT_FALSE(QFile::exists(QDir(before).filePath(s(".ERR"))));
}

TEST_F(PlayLogTest, AFailingItemIsLoggedOnceWithItsErrorUnlessDuplicatesAreAllowed) {
    preferences.logErrors = true;
    device.files[s("/m/a.wav")].failure = s("no decoder");
    openList();
    playLine(0);
    playLine(0);
    EXPECT_EQ(entries(logLines("Rock.ERR")), lines({"/m/a.wav  no decoder"}));
    preferences.allowDuplicateLogEntries = true;
    playLine(0);
    EXPECT_EQ(entries(logLines("Rock.ERR")), lines({"/m/a.wav  no decoder", "/m/a.wav  no decoder"}));
}

TEST_F(PlayLogTest, AnItemFailingWhilePlayingIsLoggedToo) {
    preferences.logErrors = true;
    device.files[s("/m/a.wav")].failAt = 200;
    device.files[s("/m/a.wav")].failAtText = s("stream error");
    openList();
    playLine(0);
    device.advance(500);
    session->controller().onPlaybackTick();
    EXPECT_EQ(entries(logLines("Rock.ERR")), lines({"/m/a.wav  stream error"}));
}

TEST_F(PlayLogTest, ALogThatCannotBeWrittenIsSaidOnceAndPlayingGoesOn) {
    preferences.useLog = true;
    QDir(music.path()).mkdir(s("Rock.LOG"));  // a folder where the log should be
    openList();
    playLine(0);
    playLine(1);
    EXPECT_EQ(session->controller().windowTitle(), s("2. b.wav - Velmaro 4.02"));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.contains(s("Rock.LOG")));
}

TEST_F(PlayLogTest, TheLogCommandsAreOnWhileTheirLogIsThereAndShowIt) {
    CommandTable& commands = session->commands();
    QStringList shown;
    QObject::connect(session.get(), &AppSession::logRequested,
                     [&](bool errorLog) { shown.append(errorLog ? s("error") : s("play")); });
    music.write(s("Rock.ERR"), "x\r\n");
    commands.refreshNow();
    EXPECT_FALSE(commands.state(s("PlayListErrorLogM")).enabled) << "no Play List file yet";
    openList();
    commands.refreshNow();
    EXPECT_TRUE(commands.state(s("PlayListErrorLogM")).enabled);
    EXPECT_FALSE(commands.state(s("PlayListLogM")).enabled);
    session->runCommand(s("PlayListErrorLogM"));
    EXPECT_EQ(shown, lines({"error"}));
    QFile::remove(music.file(s("Rock.ERR")));
    commands.find(s("PlayListErrorLogM"))->run();  // the file went after the menu was enabled
    EXPECT_EQ(shown, lines({"error"}));
}

}  // namespace
