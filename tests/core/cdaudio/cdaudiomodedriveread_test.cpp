// CD Audio Mode reads the drive without the window waiting for it: the answer fills the list later, a
// read the user leaves behind fills nothing, and a drive that fails says why.

#include "core/cdaudio/cdaudiomode.h"

#include "core/common/itemref.h"
#include "support/qtprinters.h"
#include "support/sessionfixture.h"

namespace {

const QString kNotAnswering = QStringLiteral("The default CD drive did not answer within 7 seconds.");

}  // namespace

class CDAudioModeDriveReadTest : public SessionFixture {
protected:
    std::shared_ptr<FakeDisc> disc = std::make_shared<FakeDisc>(FakeDisc{{200000, 150500, 90000}, {}});

    void SetUp() override {
        device.disc = disc;
        reader.disc = disc;
    }
    // The reader's opening of the drive takes this long (virtual ms), or never ends.
    void driveAnswersAfter(qint64 ms, const QString& failure = QString()) {
        reader.files[QString()].openDelay = ms;
        reader.files[QString()].failure = failure;
    }
    CDAudioMode& cd() { return session->cdAudio(); }
    bool playerHoldsDisc() const {
        return device.isOpen() && device.deviceType() == MediaDevice::DeviceType::CDAudio;
    }
    bool enabled(const char* command) {
        session->commands().refreshNow();
        return session->commands().state(s(command)).enabled;
    }
};

TEST_F(CDAudioModeDriveReadTest, TheListSaysTheDiscIsReadUntilTheDriveAnswersThenShowsIt) {
    driveAnswersAfter(3000);
    start();
    session->runCommand(s("CDAudioModeM"));
    EXPECT_EQ(cd().nameText(), CDAudioMode::kReadingDisc);
    EXPECT_TRUE(cd().list().isEmpty());
    EXPECT_FALSE(cd().list().isEnabled());
    EXPECT_FALSE(cd().nameBoxEnabled());
    EXPECT_FALSE(enabled("SaveTrackListSB"));
    EXPECT_FALSE(session->lists().isFocused(session->cdListMedia()));
    EXPECT_FALSE(playerHoldsDisc());

    // A second F7 starts the read again; only its answer fills the list.
    reader.advance(2000);
    session->runCommand(s("CDAudioModeM"));
    EXPECT_TRUE(reader.log.contains(s("cancel opening")));
    reader.advance(2000);
    EXPECT_EQ(cd().nameText(), CDAudioMode::kReadingDisc);
    reader.advance(1000);
    EXPECT_EQ(cd().list().count(), 3);
    EXPECT_EQ(cd().list().lengthText(1), s("02:30"));
    EXPECT_EQ(cd().nameText(), CDAudioMode::kUnknownCD);
    EXPECT_TRUE(session->lists().isFocused(session->cdListMedia()));
    EXPECT_TRUE(enabled("SaveTrackListSB"));
    EXPECT_FALSE(reader.isOpen() || reader.isOpening());
    EXPECT_TRUE(playerHoldsDisc()) << "the tick watches the tray through the player";
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(CDAudioModeDriveReadTest, LeavingTheModeOrClosingTheWindowDuringAReadFillsNothing) {
    driveAnswersAfter(3000);
    start();
    session->runCommand(s("CDAudioModeM"));
    session->runCommand(s("FileManModeM"));
    EXPECT_FALSE(reader.isOpen() || reader.isOpening());
    reader.advance(3000);
    EXPECT_TRUE(cd().list().isEmpty());
    EXPECT_NE(cd().nameText(), CDAudioMode::kReadingDisc);
    EXPECT_FALSE(playerHoldsDisc());
    EXPECT_FALSE(session->lists().isFocused(session->cdListMedia()));

    // Back in the mode the drive is read afresh.
    session->runCommand(s("CDAudioModeM"));
    reader.advance(3000);
    EXPECT_EQ(cd().list().count(), 3);

    session->runCommand(s("EjectSB"));
    session->runCommand(s("EjectSB"));  // the door closes, and the disc is read again
    EXPECT_EQ(cd().nameText(), CDAudioMode::kReadingDisc);
    stop();
    EXPECT_FALSE(reader.isOpen() || reader.isOpening());
}

// The door closed by the eject button is followed by a read the window does not wait for.
TEST_F(CDAudioModeDriveReadTest, ClosingTheDoorReadsTheDiscThatCameBackWithoutWaiting) {
    driveAnswersAfter(3000);
    start();
    session->runCommand(s("CDAudioModeM"));
    reader.advance(3000);
    session->runCommand(s("EjectSB"));
    EXPECT_EQ(cd().nameText(), CDAudioMode::kNoCD);
    EXPECT_FALSE(disc->inDrive);
    session->runCommand(s("EjectSB"));
    EXPECT_TRUE(disc->inDrive);
    EXPECT_EQ(cd().nameText(), CDAudioMode::kReadingDisc);
    reader.advance(3000);
    EXPECT_EQ(cd().list().count(), 3);
    EXPECT_TRUE(playerHoldsDisc());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(CDAudioModeDriveReadTest, ADriveThatFailsSaysWhyAndAnEmptyDriveSaysThereIsNoDisc) {
    driveAnswersAfter(7000, kNotAnswering);
    start();
    session->runCommand(s("CDAudioModeM"));
    EXPECT_TRUE(prompter.messages.empty());
    reader.advance(7000);
    ASSERT_EQ(prompter.messages.size(), 1U);
    EXPECT_EQ(prompter.messages.at(0).text, kNotAnswering);
    EXPECT_TRUE(cd().list().isEmpty());
    EXPECT_TRUE(cd().nameText().isEmpty()) << "neither a disc nor its absence is known";
    EXPECT_FALSE(enabled("SaveTrackListSB"));
    EXPECT_FALSE(reader.isOpen() || reader.isOpening());
    EXPECT_FALSE(playerHoldsDisc());

    driveAnswersAfter(0);
    disc->inDrive = false;
    session->runCommand(s("CDAudioModeM"));
    EXPECT_EQ(cd().nameText(), CDAudioMode::kNoCD);
    EXPECT_EQ(prompter.messages.size(), 1U);
}

// The player belongs to what plays: an item it is opening is never cut off to hold the disc.
TEST_F(CDAudioModeDriveReadTest, AnItemThePlayerIsOpeningIsLeftToOpen) {
    const QString song = music.write(s("a.mid"), QByteArray("MThd"));
    device.files[song].openDelay = 2000;
    start({writeList(s("songs.vlp"), {MakeFileItem(song)})});
    session->playLine(0);
    ASSERT_TRUE(device.isOpening());
    session->runCommand(s("CDAudioModeM"));
    EXPECT_EQ(cd().list().count(), 3);
    EXPECT_FALSE(device.log.contains(s("cancel opening")));
    device.advance(2000);
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    EXPECT_EQ(device.fileName(), song);
}

// A length asked of the drive in the middle of a read (the user waits on that anyway) does not lose it.
TEST_F(CDAudioModeDriveReadTest, AReadInterruptedByALengthOfACDTrackGoesOn) {
    driveAnswersAfter(3000);
    start({writeList(s("cd.vlp"), {MakeCDItem(4242, 1)})});
    session->runCommand(s("CDAudioModeM"));
    session->lengths().PlayListLength(LengthCalculator::Kind::WholePlayList);
    EXPECT_EQ(cd().nameText(), CDAudioMode::kReadingDisc);
    reader.advance(3000);
    EXPECT_EQ(cd().list().count(), 3);
}
