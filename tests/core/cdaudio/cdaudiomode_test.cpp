#include "core/cdaudio/cdaudiomode.h"

#include "core/cdaudio/cddialogs.h"
#include "core/cdaudio/cdidentifier.h"
#include "core/common/textfile.h"
#include "core/common/itemref.h"
#include "support/sessionfixture.h"
#include "support/smallfilesystem.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#include <deque>

namespace {

// The boxes answer from a script and remember what they were asked.
class ScriptedCDDialogs : public CDDialogs {
public:
    std::deque<bool> saveAnswers;
    std::deque<InsertAnswer> insertAnswers;
    std::optional<QStringList> renamed;
    QStringList askedFor;
    int saveQuestions = 0;

    bool confirmSave(bool& askInFuture) override {
        ++saveQuestions;
        askInFuture = false;
        return take(saveAnswers, true);
    }
    std::optional<QStringList> renameTracks(const QStringList&, int, bool&) override { return renamed; }
    bool confirmRemove(const QString&) override { return true; }
    std::optional<QList<int>> rearrange(const QStringList&, int) override { return std::nullopt; }
    InsertAnswer askForDisc(const QString& name, bool full) override {
        askedFor.append(name + (full ? QString() : QStringLiteral(" (compact)")));
        return take(insertAnswers, InsertAnswer::Cancel);
    }

private:
    template <typename T>
    static T take(std::deque<T>& answers, T fallback) {
        if (answers.empty()) {
            return fallback;
        }
        const T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace

class CDAudioModeTest : public SessionFixture {
protected:
    ScriptedCDDialogs dialogs;
    std::shared_ptr<FakeDisc> disc = std::make_shared<FakeDisc>(FakeDisc{{200000, 150500, 90000}, {}});

    void SetUp() override {
        device.disc = disc;
        reader.disc = disc;
    }
    void startWithDisc() {
        start();
        session->cdAudio().setDialogs(&dialogs);
        session->runCommand(s("CDAudioModeM"));
    }
    qint32 cdid() const { return ComputeCDID(disc->length(), static_cast<int>(disc->tracks.size()), disc->tracks[0]); }
    CDAudioList& tracks() { return session->cdAudio().list(); }
    bool enabled(const char* command) {
        session->commands().refreshNow();
        return session->commands().state(s(command)).enabled;
    }
    QStringList database() const { return TextFile::readLines(home.file(s("CDDB.INI"))).lines; }
    // Ticks of the playback timer with the fake disc moving on.
    void runFor(qint64 ms) {
        for (qint64 t = 0; t < ms; t += PlaybackController::kTickMs) {
            device.advance(PlaybackController::kTickMs);
            session->controller().onCDGraceElapsed();
            session->controller().onPlaybackTick();
        }
    }
};

TEST_F(CDAudioModeTest, TheDiscShowsItsStoredNamesOrItsCDTextAndAnEmptyDriveShowsNoCD) {
    // Two sections with the same header: the last one names the disc; a short section keeps "Track N".
    home.write(s("CDDB.INI"), TextFile::encode(TextFile::joinLines(
                                  {u'[' + QString::number(cdid()) + u']', s("Name=Old"), s("Track1=Old 1"), QString(),
                                   u'[' + QString::number(cdid()) + u']', s("Name=Piano Works"), s("Track1=Prelude"),
                                   s("Track2=Fugue")})));
    startWithDisc();
    CDAudioMode& cd = session->cdAudio();
    EXPECT_EQ(cd.nameText(), s("Piano Works"));
    EXPECT_EQ(tracks().names(), QStringList({s("Prelude"), s("Fugue"), s("Track 3")}));
    EXPECT_EQ(tracks().lengthText(1), s("02:30"));
    EXPECT_EQ(cd.storedNames(), QStringList({s("Old"), s("Piano Works")}));
    EXPECT_EQ(tracks().focusedLine(), 0);
    EXPECT_TRUE(session->lists().isFocused(session->cdListMedia()));
    EXPECT_TRUE(enabled("RenBtn"));

    // Ejected: no disc is shown, and Delete cannot reach the disc that was.
    session->runCommand(s("EjectSB"));
    EXPECT_EQ(cd.nameText(), s("No CD"));
    EXPECT_FALSE(cd.nameBoxEnabled());
    EXPECT_FALSE(tracks().cdid().has_value());
    EXPECT_FALSE(enabled("DelBtn"));
    session->runCommand(s("DelBtn"));
    EXPECT_EQ(database().size(), 8);

    // Put back, a disc the database does not know arrives named by its CD-TEXT, without control characters.
    home.write(s("CDDB.INI"), QByteArray());
    disc->text = {s("Live\r\nRecording"), s("Opening"), QString(), s("Encore")};
    session->runCommand(s("EjectSB"));
    EXPECT_EQ(cd.nameText(), s("Live Recording"));
    EXPECT_EQ(tracks().names(), QStringList({s("Opening"), s("Track 2"), s("Encore")}));
}

TEST_F(CDAudioModeTest, SavingWritesTheShownDiscAndAsksOnlyWhenItIsStoredAlready) {
    writeSettings({s("[CD Audio]"), s("AskForConfirmationWhenSavingDB=1"), s("SaveBackupCopyOfCDDB=1")});
    startWithDisc();
    CDAudioMode& cd = session->cdAudio();
    cd.setNameText(s("Piano\nWorks"));
    session->runCommand(s("SaveTrackListSB"));
    EXPECT_EQ(dialogs.saveQuestions, 0);  // first save: nothing to overwrite
    const QString header = u'[' + QString::number(cdid()) + u']';
    EXPECT_EQ(database(), QStringList({header, s("Name=Piano Works"), s("Track1=Track 1"), s("Track2=Track 2"),
                                       s("Track3=Track 3")}));
    EXPECT_FALSE(QFileInfo::exists(home.file(s("CDDB.BAK"))));  // there was nothing to back up

    dialogs.renamed = QStringList({s("Prelude"), s("Fugue"), s("Coda")});
    session->runCommand(s("RenM"));
    EXPECT_EQ(database().at(2), s("Track1=Track 1"));  // renaming writes the list, not the file
    dialogs.saveAnswers = {false};
    session->runCommand(s("SaveTracklistM"));
    EXPECT_EQ(database().at(2), s("Track1=Track 1"));  // cancelled
    dialogs.saveAnswers = {true};
    session->runCommand(s("SaveTracklistM"));
    EXPECT_EQ(dialogs.saveQuestions, 2);
    EXPECT_EQ(database().at(4), s("Track3=Coda"));
    EXPECT_EQ(TextFile::readLines(home.file(s("CDDB.BAK"))).lines.at(4), s("Track3=Track 3"));
    // The box's "in the future" choice was taken and stored at once.
    EXPECT_FALSE(session->preferences().askBeforeSavingCDDatabase);
    EXPECT_EQ(tracks().names().at(2), s("Coda"));
}

// A backup that cannot be written is told with the system's reason, and the save goes on.
TEST_F(CDAudioModeTest, ABackupThatCannotBeWrittenSaysWhyAndTheSaveGoesOn) {
    writeSettings({s("[CD Audio]"), s("SaveBackupCopyOfCDDB=1")});
    home.write(s("CDDB.INI"), TextFile::encode(TextFile::joinLines({s("[1]"), s("Name=Other")})));
    home.write(s("CDDB.BAK/keep"), "a folder where the backup goes");
    startWithDisc();
    session->cdAudio().setNameText(s("Piano Works"));
    session->runCommand(s("SaveTrackListSB"));
    ASSERT_EQ(prompter.messages.size(), 1U);
    const QString text = prompter.messages.at(0).text;
    EXPECT_TRUE(
        text.startsWith(s("Unable to create backup of the CD Database file (CDDB.BAK).\r\n\r\n"
                          "The error message returned was: ")))
        << text.toStdString();
    EXPECT_FALSE(text.endsWith(s(": "))) << "the system's reason follows";
    EXPECT_FALSE(text.contains(s("DOS program"))) << text.toStdString();
    EXPECT_EQ(database().at(4), s("Name=Piano Works"));
}

// On a full disk a save says once what the system reported and changes neither the database nor its backup.
TEST_F(CDAudioModeTest, ASaveOnAFullDiskSaysNoSpaceOnceAndKeepsBothFiles) {
    const SmallFileSystem disk(home.path());
    if (!disk.isMounted()) {
        GTEST_SKIP()
            << "no tmpfs can be mounted here (that needs root or CAP_SYS_ADMIN); a full disk is not tried";
    }
    writeSettings({s("[CD Audio]"), s("SaveBackupCopyOfCDDB=1")});
    const QByteArray stored =
        TextFile::encode(TextFile::joinLines({u'[' + QString::number(cdid()) + u']', s("Name=Stored"),
                                              s("Track1=a"), s("Track2=b"), s("Track3=c")}));
    home.write(s("CDDB.INI"), stored);
    home.write(s("CDDB.BAK"), "the backup before");
    startWithDisc();
    session->cdAudio().setNameText(s("Piano Works"));
    disk.fill();
    session->runCommand(s("SaveTrackListSB"));
    ASSERT_EQ(prompter.messages.size(), 1U);
    EXPECT_EQ(prompter.messages.at(0).text,
              s("Unable to create the CD Database file (CDDB.INI).\r\n\r\nThe error message returned was: ") +
                  QString::fromLocal8Bit(std::strerror(ENOSPC)));
    EXPECT_EQ(home.read(s("CDDB.INI")), stored);
    EXPECT_EQ(home.read(s("CDDB.BAK")), QByteArray("the backup before"));
    EXPECT_EQ(session->cdAudio().nameText(), s("Piano Works")) << "the typed name stays to be saved again";
}

TEST_F(CDAudioModeTest, ATrackPlaysOnIntoTheNextWithTheListFollowingUntilTheDiscEnds) {
    startWithDisc();
    tracks().selectOnly(1);
    tracks().setFocusedLine(1);
    session->runCommand(s("PlayFileListSI"));
    PlaybackController& controller = session->controller();
    EXPECT_TRUE(session->lists().isPlaying(session->cdListMedia()));
    EXPECT_EQ(device.position(), 200000);  // track 2 starts where track 1 ends
    EXPECT_EQ(controller.windowTitle(), s("Track 2 - Velmaro 4.02"));
    runFor(151000);
    EXPECT_EQ(session->cdListMedia().playingLine(), 2);
    EXPECT_TRUE(tracks().isSelected(2));
    EXPECT_FALSE(tracks().isSelected(1));
    EXPECT_EQ(controller.windowTitle(), s("Track 3 - Velmaro 4.02"));
    EXPECT_EQ(device.log.count(s("play")), 1);  // the device was never told: it played on
    session->runCommand(s("NewM"));  // a new Play List leaves the disc playing
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    tracks().selectOnly(0);
    session->runCommand(s("SelectPlayingItemM"));
    EXPECT_TRUE(tracks().isSelected(2));
    EXPECT_EQ(tracks().selectedCount(), 1);
    // The disc's totals, for indicators that show the whole disc while the CD Audio List plays.
    for (auto indicator : {ProgressIndicators::Length, ProgressIndicators::Position, ProgressIndicators::Remaining}) {
        session->indicators().setTotals(indicator, true);
    }
    runFor(1000);
    const IndicatorTexts& texts = controller.indicators();
    EXPECT_EQ(texts.length, s("00:07:20"));
    EXPECT_EQ(texts.position, s("00:05:52"));  // tracks 1 and 2, and 1.5 s of track 3
    EXPECT_EQ(texts.remaining, s("00:01:28"));
    session->preferences().indicatorModes = {0, 0, 0, 0};
    runFor(91000);
    EXPECT_EQ(session->lists().playing(), nullptr);
    EXPECT_EQ(controller.windowTitle(), s("Velmaro 4.02"));
    EXPECT_FALSE(controller.transport().stop);
}

TEST_F(CDAudioModeTest, ACDTrackItemAsksForItsDiscByNameAndNeverPlaysATrackTheDiscLacks) {
    home.write(s("CDDB.INI"), TextFile::encode(TextFile::joinLines({s("[777]"), s("Name=Far Away Disc")})));
    const QString list = writeList(s("cd.vlp"), {MakeCDItem(777, 2), MakeCDItem(cdid(), 14)});
    start({list});
    session->cdAudio().setDialogs(&dialogs);
    session->playList().setFocusedLine(0);
    session->playLine(0);
    EXPECT_EQ(dialogs.askedFor, QStringList({s("Far Away Disc")}));  // the full form
    EXPECT_NE(device.mode(), MediaDevice::Playing);  // cancelled: nothing plays

    // Ignore plays the same number from the disc in the drive, and asks again when it has no such track.
    dialogs.askedFor.clear();
    dialogs.insertAnswers = {CDDialogs::InsertAnswer::Ignore, CDDialogs::InsertAnswer::Cancel};
    session->playLine(1);
    EXPECT_EQ(dialogs.askedFor.size(), 2);
    EXPECT_NE(device.mode(), MediaDevice::Playing);

    dialogs.insertAnswers = {CDDialogs::InsertAnswer::Ignore};
    session->playLine(0);
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    EXPECT_EQ(device.position(), 200000);  // track 2 of the disc in the drive
}

TEST_F(CDAudioModeTest, TheLengthOfACDTrackIsTakenFromItsDiscOrSkippedWhenTheUserCancels) {
    home.write(s("CDDB.INI"), TextFile::encode(TextFile::joinLines({s("[777]"), s("Name=Far Away Disc")})));
    const QString list = writeList(s("cd.vlp"), {MakeCDItem(777, 2), MakeCDItem(cdid(), 2)});
    start({list});
    session->cdAudio().setDialogs(&dialogs);
    dialogs.insertAnswers = {CDDialogs::InsertAnswer::Retry, CDDialogs::InsertAnswer::Cancel};
    EXPECT_EQ(session->lengths().PlayListLength(LengthCalculator::Kind::WholePlayList), 150500);
    EXPECT_EQ(dialogs.askedFor, QStringList({s("Far Away Disc (compact)"), s("Far Away Disc (compact)")}));
    EXPECT_EQ(session->playList().length(1), 150500);  // kept beside its item for the next save
}

// An empty drive holds no disc, not the disc numbered 0 (a disc of one track): its tracks are asked for.
TEST_F(CDAudioModeTest, AnEmptyDriveIsNoDiscEvenForATrackOfTheDiscNumberedZero) {
    disc->tracks = {5000};
    ASSERT_EQ(cdid(), 0);
    disc->inDrive = false;
    home.write(s("CDDB.INI"),
               TextFile::encode(TextFile::joinLines({s("[0]"), s("Name=Single"), s("Track1=Only")})));
    const QString list = writeList(s("cd.vlp"), {MakeCDItem(0, 1)});
    start({list});
    session->cdAudio().setDialogs(&dialogs);
    session->runCommand(s("CDAudioModeM"));
    EXPECT_EQ(session->cdAudio().nameText(), s("No CD"));
    EXPECT_EQ(session->lengths().PlayListLength(LengthCalculator::Kind::WholePlayList), 0);
    EXPECT_EQ(dialogs.askedFor, QStringList({s("Single (compact)")}));
}

TEST_F(CDAudioModeTest, NeitherEnteringTheModeNorEjectingStopsAFileThatPlays) {
    const QString song = music.write(s("a.mid"), QByteArray("MThd"));
    const QString list = writeList(s("songs.vlp"), {MakeFileItem(song)});
    start({list});
    session->playLine(0);
    ASSERT_EQ(device.mode(), MediaDevice::Playing);
    session->runCommand(s("CDAudioModeM"));
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    EXPECT_EQ(device.fileName(), song);
    EXPECT_EQ(tracks().count(), 3);  // read through the second device
    session->runCommand(s("EjectM"));
    EXPECT_EQ(device.mode(), MediaDevice::Playing);

    // Nor what the File List plays.
    session->runCommand(s("FileManModeM"));
    FileList& files = session->fileManagement().files();
    files.setFolder(music.path());
    files.selectOnly(files.indexOfName(s("a.mid")));
    session->runCommand(s("PlayFileListSI"));
    ASSERT_TRUE(session->lists().isPlaying(session->fileListMedia()));
    session->runCommand(s("CDAudioModeM"));
    session->runCommand(s("EjectM"));  // the door closes on the disc
    session->runCommand(s("EjectM"));  // and opens again
    EXPECT_FALSE(disc->inDrive);
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    EXPECT_EQ(device.fileName(), song);
    session->runCommand(s("FileManModeM"));  // leaving the mode leaves the file's displays alone too
    EXPECT_EQ(session->controller().windowTitle(), s("a.mid - Velmaro 4.02"));
    EXPECT_TRUE(session->controller().transport().stop);
}

TEST_F(CDAudioModeTest, ATrayOpenedByTheDrivesOwnButtonIsFollowedAndNeverPulledShut) {
    startWithDisc();
    session->runCommand(s("PlayFileListSI"));
    ASSERT_TRUE(session->lists().isPlaying(session->cdListMedia()));
    disc->inDrive = false;  // the drive's button
    runFor(500);
    EXPECT_EQ(session->cdAudio().nameText(), s("No CD"));
    EXPECT_EQ(session->lists().playing(), nullptr);
    EXPECT_FALSE(disc->inDrive);
    EXPECT_FALSE(device.log.contains(s("close door")));
}

TEST_F(CDAudioModeTest, PickingAStoredDiscByNameShowsItWithoutLengthsAndItCannotBePlayed) {
    home.write(s("CDDB.INI"), TextFile::encode(TextFile::joinLines(
                                  {s("[555]"), s("Name=Shelf"), s("Track1=One"), s("Track2=Two"), QString(),
                                   s("[666]"), s("Name=Shelf"), s("Track1=Other"), QString(),
                                   u'[' + QString::number(cdid()) + u']', s("Name=In The Drive")})));
    startWithDisc();
    CDAudioMode& cd = session->cdAudio();
    cd.pickStoredName(s("Shelf"));  // two discs of that name: the first is shown
    EXPECT_FALSE(cd.showingDriveCD());
    EXPECT_EQ(tracks().names(), QStringList({s("One"), s("Two")}));
    EXPECT_EQ(tracks().lengthText(0), s("N / A"));
    session->runCommand(s("PlayFileListSI"));
    EXPECT_EQ(session->lists().playing(), nullptr);
    cd.pickStoredName(s("In The Drive"));
    EXPECT_TRUE(cd.showingDriveCD());
    EXPECT_EQ(tracks().lengthText(0), s("03:20"));
}

TEST_F(CDAudioModeTest, CDTracksOfThePlayListPlayOneAfterAnotherWithTheirOwnPositions) {
    const QString list = writeList(s("cd.vlp"), {MakeCDItem(cdid(), 1), MakeCDItem(cdid(), 2)});
    start({list});
    session->playList().setFocusedLine(0);
    session->playLine(0);
    runFor(203000);
    const IndicatorTexts& texts = session->controller().indicators();
    EXPECT_EQ(session->playList().CurrentItem(), 1);
    EXPECT_EQ(texts.length, s("00:02:30"));
    EXPECT_EQ(texts.position, s("00:00:03"));
    EXPECT_EQ(texts.remaining, s("00:02:27"));
    EXPECT_EQ(texts.percent, s("2 %"));
}

TEST_F(CDAudioModeTest, TheCorrectCDHasBeenInsertedClosesTheTrayOnIt) {
    const QString list = writeList(s("cd.vlp"), {MakeCDItem(cdid(), 2)});
    start({list});
    session->cdAudio().setDialogs(&dialogs);
    disc->inDrive = false;
    dialogs.insertAnswers = {CDDialogs::InsertAnswer::Retry};
    session->playList().setFocusedLine(0);
    session->playLine(0);
    EXPECT_TRUE(disc->inDrive);
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    EXPECT_EQ(dialogs.askedFor, QStringList({s("Unknown CD")}));
}

TEST_F(CDAudioModeTest, LeavingTheModeLeavesTheDiscPlayingUnlessAskedAndComingBackShowsItPlaying) {
    startWithDisc();
    tracks().setFocusedLine(1);
    session->runCommand(s("PlayFileListSI"));
    session->runCommand(s("FileManModeM"));
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    EXPECT_EQ(session->controller().windowTitle(), s("Velmaro 4.02"));
    device.advance(152000);  // on into track 3 meanwhile
    session->runCommand(s("CDAudioModeM"));
    EXPECT_TRUE(session->lists().isPlaying(session->cdListMedia()));
    EXPECT_TRUE(tracks().isSelected(2));
    EXPECT_EQ(session->controller().windowTitle(), s("Track 3 - Velmaro 4.02"));

    session->preferences().stopCDAudioWhenChangingMode = true;
    session->runCommand(s("FileManModeM"));
    EXPECT_NE(device.mode(), MediaDevice::Playing);
}

TEST_F(CDAudioModeTest, TheProgramStartsInCDAudioModeWhenThatIsTheInitialMode) {
    writeSettings({s("[General]"), s("CDAudioInitialMode=1")});
    start();
    EXPECT_TRUE(session->cdAudioModeShown());
    EXPECT_EQ(tracks().count(), 3);
    EXPECT_FALSE(session->fileManagement().isVisible());
}
