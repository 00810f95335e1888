#include "core/app/appsession.h"

#include "core/common/textfile.h"
#include "core/common/itemref.h"
#include "core/settings/inifile.h"
#include "support/documentfixture.h"
#include "support/fakemediadevice.h"
#include "support/fakes.h"
#include "support/sessionfixture.h"
#include "support/smallfilesystem.h"
#include "support/tempfolder.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QStringList kSampleNames = {s("Moonlight Sonata.mid"),
                                  s("Für Elise.mid"),
                                  s("Symphony 5.mid"),
                                  s("March.mid"),
                                  s("Dance of the Sugar-plum Fairy.mid"),
                                  s("Waltz of the Flowers.mid")};

class AppSessionTest : public SessionFixture {
protected:
    void shipSamples() {
        for (const QString& name : kSampleNames) {
            shipped.write(s("Samples/") + name, "MThd");
        }
    }
};

TEST_F(AppSessionTest, TheFirstRunWritesTheSampleListAndOpensIt) {
    shipSamples();
    start();
    EXPECT_TRUE(session->isFirstRun());
    const QString samplePath = home.file(s("Samples/Sample.vlp"));
    QStringList expected = {s("[General]"), s("LastPlayed="), QString(), s("[Items]")};
    for (const QString& name : kSampleNames) {
        expected.append(MakeFileItem(QDir(samplesFolder()).filePath(name)));
    }
    EXPECT_EQ(TextFile::readLines(samplePath).lines, expected);
    // "Für" is stored in the Western code page.
    EXPECT_TRUE(home.read(s("Samples/Sample.vlp")).contains("F\xFCr Elise.mid"));

    EXPECT_EQ(session->document().fileName(), samplePath);
    ASSERT_EQ(session->playList().lineCount(), 6);
    EXPECT_EQ(session->playList().line(0), s("Moonlight Sonata.mid"));
    EXPECT_EQ(session->playList().line(1), s("Für Elise.mid"));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(AppSessionTest, TheFirstRunWithoutSamplesWritesNothingAndSaysNothing) {
    start({}, shipped.file(s("no-such-folder")));
    EXPECT_TRUE(session->isFirstRun());
    EXPECT_FALSE(QFile::exists(home.file(s("Samples/Sample.vlp"))));
    EXPECT_TRUE(session->document().fileName().isEmpty());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(AppSessionTest, SamplesInAFolderThatCannotBeStoredAreNotListed) {
    const QString odd = shipped.file(s("say \"hi\"/Samples"));
    shipped.write(s("say \"hi\"/Samples/March.mid"), "MThd");
    start({}, odd);
    EXPECT_FALSE(QFile::exists(home.file(s("Samples/Sample.vlp"))));
    EXPECT_TRUE(prompter.messages.empty());
}

// The user data folder cannot take the sample list (here "Samples" is a file, which stops even root):
// the run goes on without it and says why, once.
TEST_F(AppSessionTest, AFirstRunThatCannotWriteTheSampleListSaysWhy) {
    shipSamples();
    home.write(s("Samples"), "not a folder");
    start();
    nextTurn();
    EXPECT_TRUE(session->isFirstRun());
    EXPECT_TRUE(session->document().fileName().isEmpty());
    ASSERT_EQ(prompter.messages.size(), 1U);
    EXPECT_EQ(prompter.messages.at(0).kind, Prompter::Kind::Error);
    EXPECT_EQ(prompter.messages.at(0).text, s("Unable to write the sample Play List \"%1\".\r\n\r\nThe error "
                                              "message returned was: Not a directory")
                                                .arg(home.file(s("Samples/Sample.vlp"))));
    session->openStartLists({}, music.path());
    stop();
    EXPECT_EQ(prompter.messages.size(), 1U);
}

TEST_F(AppSessionTest, ASettingsFileWithALineMeansThisIsNoFirstRun) {
    shipSamples();
    writeSettings({s("[Playlist]")});
    start();
    EXPECT_FALSE(session->isFirstRun());
    EXPECT_FALSE(QFile::exists(home.file(s("Samples/Sample.vlp"))));

    // An empty settings file is no settings at all.
    stop();
    TempFolder otherHome;
    otherHome.write(s("velmaro.ini"), QByteArray());
    AppSession again({otherHome.path(), samplesFolder(), music.path()},
                     {prompter, device, clipboard, probe, &busy, &measurer, &shell});
    again.beginRun();
    EXPECT_TRUE(again.isFirstRun());
}

TEST_F(AppSessionTest, AFullDiskKeepsEveryFileWholeAndSaysSo) {
    SmallFileSystem disk(home.path());
    if (!disk.isMounted()) {
        GTEST_SKIP()
            << "no tmpfs can be mounted here (that needs root or CAP_SYS_ADMIN); a full disk is not tried";
    }
    shipSamples();
    disk.fill();
    start();
    nextTurn();
    stop();
    // The first run writes neither an empty sample list nor an empty settings file, and says so, each
    // once, with the system's reason.
    EXPECT_FALSE(QFile::exists(home.file(s("Samples/Sample.vlp"))));
    EXPECT_FALSE(QFile::exists(home.file(s("velmaro.ini"))));
    ASSERT_EQ(prompter.messages.size(), 2U);
    const QString sample = prompter.messages.at(0).text;
    EXPECT_TRUE(
        sample.startsWith(s("Unable to write the sample Play List \"") + home.file(s("Samples/Sample.vlp"))))
        << sample.toStdString();
    EXPECT_EQ(sample.count(s("No space left on device")), 1) << sample.toStdString();
    EXPECT_TRUE(prompter.messages.at(1).text.startsWith(s("Unable to save the settings")))
        << prompter.messages.at(1).text.toStdString();

    disk.makeRoom();
    writeSettings({s("[Playlist]"), s("OpenLastPL=0"), s("StartPlaying=0")});
    const QByteArray settings = home.read(s("velmaro.ini"));
    const QByteArray list =
        playListBytes({s("[General]"), s("LastPlayed="), QString(), s("[Items]"),
                       s(R"([FILE="/m/a.mid", L=1000])"), s(R"([FILE="/m/b.mid", L=0])")});
    const QString listPath = home.write(s("list.vlp"), list);
    prompter.messages.clear();
    start({listPath});
    disk.fill();
    EXPECT_FALSE(session->document().SavePlayList(false));
    session->playList().setLength(1, 2000);  // measured: closing writes it into the list
    stop();
    EXPECT_EQ(home.read(s("list.vlp")), list);
    EXPECT_EQ(home.read(s("velmaro.ini")), settings);
    // Saving, then updating the list at close, then the settings: each failure is told.
    ASSERT_EQ(prompter.messages.size(), 3U);
    EXPECT_TRUE(prompter.messages.at(0).text.startsWith(s("Unable to save the Play List")))
        << prompter.messages.at(0).text.toStdString();
    EXPECT_TRUE(prompter.messages.at(1).text.startsWith(s("Unable to save the Play List")))
        << prompter.messages.at(1).text.toStdString();
    EXPECT_TRUE(prompter.messages.at(2).text.startsWith(s("Unable to save the settings")))
        << prompter.messages.at(2).text.toStdString();
}

TEST_F(AppSessionTest, AListNameWithALineBreakStaysOutOfTheSettingsWithAMessage) {
    writeSettings({s("[Playlist]"), s("StartPlaying=0"), s("[General]"), s("LastPL=")});
    const QString odd = writeList(s("two\nlines.vlp"), {s(R"([FILE="/m/a.mid", L=0])")});
    start({odd});
    EXPECT_EQ(session->document().fileName(), odd);
    stop();
    ASSERT_EQ(prompter.messages.size(), 1U);
    EXPECT_TRUE(prompter.messages.at(0).text.contains(s("line break")))
        << prompter.messages.at(0).text.toStdString();

    const QStringList settings = TextFile::readLines(home.file(s("velmaro.ini"))).lines;
    EXPECT_TRUE(settings.contains(s("LastPL="))) << settings.join(u'|').toStdString();
    for (const QString& line : settings) {
        EXPECT_FALSE(line.contains(s("lines.vlp"))) << line.toStdString();
    }
    // The layer below writes no line break whatever it is given.
    IniFile file(settings);
    file.setValue(s("Paths"), s("MixerPath"), s("mix\r\ner"));
    EXPECT_EQ(TextFile::splitLines(TextFile::joinLines(file.lines())), file.lines());
}

TEST_F(AppSessionTest, TheListSurvivesARestartWithItsLengthsAndLastPlayedItem) {
    shipSamples();
    start();
    session->preferences().startPlaying = false;  // so the restart shows the stored length unplayed
    session->playList().setCurrentItem(2);
    session->playList().setLength(2, 61000);
    stop();

    const QStringList lines = TextFile::readLines(home.file(s("Samples/Sample.vlp"))).lines;
    EXPECT_EQ(lines.at(1),
              s("LastPlayed=") + MakeFileItem(QDir(samplesFolder()).filePath(s("Symphony 5.mid"))));
    EXPECT_TRUE(lines.at(6).endsWith(s(", L=61000]")));
    EXPECT_EQ(TextFile::readLines(home.file(s("velmaro.ini")))
                  .lines.contains(s("LastPL=") + home.file(s("Samples/Sample.vlp"))),
              true);

    start();
    EXPECT_FALSE(session->isFirstRun());
    EXPECT_EQ(session->document().fileName(), home.file(s("Samples/Sample.vlp")));
    EXPECT_EQ(session->playList().CurrentItem(), 2);
    EXPECT_EQ(session->playList().length(2), 61000);
}

TEST_F(AppSessionTest, SettingsCanKeepTheLastListClosed) {
    const QString list = writeList(s("party.vlp"), {s(R"([FILE="/m/a.mid", L=0])")});
    writeSettings({s("[Playlist]"), s("OpenLastPL=0"), s("[General]"), s("LastPL=") + list});
    start();
    EXPECT_TRUE(session->document().fileName().isEmpty());
}

TEST_F(AppSessionTest, PlayOnlyAffectsListsNamedAfterIt) {
    writeSettings({s("[Playlist]"), s("StartPlaying=0"), s("OpenLastPL=0")});
    const QString party = writeList(s("Party.vlp"), {s(R"([FILE="/m/a.mid", L=0])")});

    start({party, s("/play")});
    QSignalSpy before(&session->document(), &PlayListDocument::playRequested);
    EXPECT_EQ(session->document().fileName(), party);
    EXPECT_TRUE(session->startPlayingFlag());
    stop();

    // Counting requests needs the spy in place before the first show: do the show by hand.
    session = std::make_unique<AppSession>(
        AppSession::Folders{home.path(), samplesFolder(), music.path()},
        AppSession::Ports{prompter, device, clipboard, probe, &busy, &measurer, &shell});
    session->beginRun();
    QSignalSpy play(&session->document(), &PlayListDocument::playRequested);
    session->windowShown({party, s("/play")}, music.path());
    EXPECT_EQ(play.count(), 0);
    session->ProcessParameter(party, 3, music.path());
    EXPECT_EQ(play.count(), 1);
    stop();

    session = std::make_unique<AppSession>(
        AppSession::Folders{home.path(), samplesFolder(), music.path()},
        AppSession::Ports{prompter, device, clipboard, probe, &busy, &measurer, &shell});
    session->beginRun();
    QSignalSpy started(&session->document(), &PlayListDocument::playRequested);
    session->windowShown({s("/PLAY"), s("Party.vlp")}, music.path());  // relative to the caller's folder
    EXPECT_EQ(started.count(), 1);
    EXPECT_EQ(session->document().fileName(), party);
}

TEST_F(AppSessionTest, ParametersAreTakenInTheirOnDiskSpelling) {
    writeSettings({s("[Playlist]"), s("OpenLastPL=0")});
    const QString list = writeList(s("Lists/Party.vlp"), {s(R"([FILE="/m/a.mid", L=0])")});
    start({music.path() + s("/LISTS/party.VLP")});
    EXPECT_EQ(session->document().fileName(), list);
}

TEST_F(AppSessionTest, MediaFilesAreHandedOnForTheFileList) {
    writeSettings({s("[Playlist]"), s("OpenLastPL=0")});
    const QString song = music.write(s("Songs/Tune.MID"), "MThd");
    start();
    QSignalSpy media(session.get(), &AppSession::mediaFileParameter);
    session->ProcessParameter(s("songs/tune.mid"), 1, music.path());
    ASSERT_EQ(media.count(), 1);
    EXPECT_EQ(media.at(0).at(0).toString(), song);
    EXPECT_TRUE(session->document().fileName().isEmpty());
}

TEST_F(AppSessionTest, ClosingAsksToSaveOnlyAChangedList) {
    writeSettings({s("[Playlist]"), s("OpenLastPL=0")});
    const QString list = writeList(s("a.vlp"), {s(R"([FILE="/m/a.mid", L=0])")});
    start({list});
    EXPECT_TRUE(session->confirmClose());
    EXPECT_EQ(prompter.savePrompts, 0);

    session->document().setChanged(true);
    prompter.saveAnswers = {Prompter::Answer::Cancel};
    EXPECT_FALSE(session->confirmClose());
    EXPECT_EQ(prompter.savePrompts, 1);

    // A prompt cancelled earlier does not come back once the list is unchanged again.
    session->document().setChanged(false);
    EXPECT_TRUE(session->confirmClose());
    EXPECT_EQ(prompter.savePrompts, 1);

    session->document().setChanged(true);
    prompter.saveAnswers = {Prompter::Answer::No};
    EXPECT_TRUE(session->confirmClose());
}

TEST_F(AppSessionTest, AnUnwritableSettingsFileIsReported) {
    writeSettings({s("[Playlist]"), s("OpenLastPL=0")});
    start();
    // The settings file turned into a folder: it cannot be replaced, even by root.
    ASSERT_TRUE(QFile::remove(home.file(s("velmaro.ini"))));
    ASSERT_TRUE(QDir().mkpath(home.file(s("velmaro.ini/blocked"))));
    session->endRun(WindowPlacement());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith(s("Unable to save the settings")));
}

}  // namespace
