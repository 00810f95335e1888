// The eject button moves the tray without the window waiting for the drive: the list says where the tray
// goes, the drive is read once it got there, and a drive that fails says why.

#include "core/cdaudio/cdaudiomode.h"

#include "core/common/itemref.h"
#include "support/qtprinters.h"
#include "support/sessionfixture.h"

namespace {

const QString kNotAnswering = QStringLiteral("The default CD drive did not answer within 7 seconds.");

}  // namespace

class CDAudioModeTrayTest : public SessionFixture {
protected:
    std::shared_ptr<FakeDisc> disc = std::make_shared<FakeDisc>(FakeDisc{{200000, 150500, 90000}, {}});

    void SetUp() override {
        device.disc = disc;
        reader.disc = disc;
    }
    // Enters the mode and waits for the disc: the player then holds it for the list.
    void startWithDisc(const QStringList& parameters = {}) {
        start(parameters);
        session->runCommand(s("CDAudioModeM"));
        ASSERT_EQ(cd().list().count(), 3);
        ASSERT_TRUE(playerHoldsDisc());
    }
    CDAudioMode& cd() { return session->cdAudio(); }
    bool playerHoldsDisc() const {
        return device.isOpen() && device.deviceType() == MediaDevice::DeviceType::CDAudio;
    }
    bool ejectEnabled() {
        session->commands().refreshNow();
        return session->commands().state(s("EjectSB")).enabled;
    }
};

// The player that holds the disc takes it out; the door is closed by the reader, and the disc that came
// back is read after it. Eject waits for the tray that moves.
TEST_F(CDAudioModeTrayTest, TheDriveIsReadOnlyOnceTheTrayHasMoved) {
    device.trayDelay = 2000;
    reader.trayDelay = 1500;
    startWithDisc();
    session->runCommand(s("EjectSB"));
    EXPECT_EQ(cd().nameText(), CDAudioMode::kOpeningTray);
    EXPECT_TRUE(cd().list().isEmpty());
    EXPECT_FALSE(cd().nameBoxEnabled());
    EXPECT_TRUE(disc->inDrive) << "the tray is still on its way";
    EXPECT_FALSE(ejectEnabled());
    session->runCommand(s("EjectM"));
    cd().eject();  // however it is reached
    device.advance(1999);
    EXPECT_EQ(cd().nameText(), CDAudioMode::kOpeningTray);
    device.advance(1);
    EXPECT_FALSE(disc->inDrive);
    EXPECT_EQ(device.log.count(s("eject")), 1);
    EXPECT_EQ(cd().nameText(), CDAudioMode::kNoCD);
    EXPECT_TRUE(playerHoldsDisc()) << "the player goes on watching the drive";
    EXPECT_TRUE(ejectEnabled());

    reader.files[QString()].openDelay = 3000;
    session->runCommand(s("EjectSB"));
    EXPECT_EQ(cd().nameText(), CDAudioMode::kClosingTray);
    EXPECT_FALSE(device.isOpen()) << "the player lets go of the empty drive before its door closes";
    reader.advance(1500);
    EXPECT_TRUE(disc->inDrive);
    EXPECT_EQ(cd().nameText(), CDAudioMode::kReadingDisc);
    reader.advance(3000);
    EXPECT_EQ(cd().list().count(), 3);
    EXPECT_EQ(cd().nameText(), CDAudioMode::kUnknownCD);
    EXPECT_TRUE(playerHoldsDisc());
    EXPECT_FALSE(reader.isOpen() || reader.isOpening() || reader.isMovingTray());
    EXPECT_TRUE(prompter.messages.empty());
}

// A disc that plays from the list stops at the press, as the tray takes it; a file the player plays is
// not the drive's and plays on while the reader moves the tray.
TEST_F(CDAudioModeTrayTest, TheDiscThatPlaysStopsAtThePressAndAFilePlaysOn) {
    device.trayDelay = 2000;
    reader.trayDelay = 2000;
    startWithDisc();
    session->runCommand(s("PlayFileListSI"));
    ASSERT_TRUE(session->lists().isPlaying(session->cdListMedia()));
    session->runCommand(s("EjectSB"));
    EXPECT_TRUE(disc->inDrive);
    EXPECT_NE(device.mode(), MediaDevice::Playing);
    EXPECT_EQ(session->lists().playing(), nullptr);
    device.advance(2000);
    reader.advance(2000);
    EXPECT_FALSE(disc->inDrive);
    EXPECT_EQ(cd().nameText(), CDAudioMode::kNoCD);

    const QString song = music.write(s("a.mid"), QByteArray("MThd"));
    reader.trayDelay = 2000;
    start({writeList(s("songs.vlp"), {MakeFileItem(song)})});
    session->playLine(0);
    ASSERT_EQ(device.mode(), MediaDevice::Playing);
    session->runCommand(s("CDAudioModeM"));
    session->runCommand(s("EjectSB"));
    EXPECT_EQ(cd().nameText(), CDAudioMode::kClosingTray) << "the drive was empty";
    reader.advance(2000);
    EXPECT_TRUE(disc->inDrive);
    EXPECT_EQ(cd().list().count(), 3);
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    EXPECT_EQ(device.fileName(), song);
}

TEST_F(CDAudioModeTrayTest, LeavingTheModeOrClosingTheWindowDuringAMoveForgetsIt) {
    device.trayDelay = 2000;
    startWithDisc();
    session->runCommand(s("EjectSB"));
    session->runCommand(s("FileManModeM"));
    EXPECT_FALSE(device.isMovingTray());
    device.advance(2000);
    EXPECT_TRUE(cd().list().isEmpty());
    EXPECT_NE(cd().nameText(), CDAudioMode::kOpeningTray);
    EXPECT_FALSE(playerHoldsDisc());
    EXPECT_TRUE(prompter.messages.empty());

    // Back in the mode, the drive is read afresh and the button works again.
    session->runCommand(s("CDAudioModeM"));
    EXPECT_EQ(cd().list().count(), 3);
    session->runCommand(s("EjectSB"));
    EXPECT_EQ(cd().nameText(), CDAudioMode::kOpeningTray);
    stop();
    EXPECT_FALSE(device.isMovingTray());
    EXPECT_FALSE(reader.isMovingTray());
}

// The device gives up on a drive that does not answer within its wait: the list shows nothing, the
// device's words are told, and the button tries again.
TEST_F(CDAudioModeTrayTest, ATrayThatDoesNotMoveEndsInTheDevicesText) {
    device.trayDelay = 7000;
    device.trayFailure = kNotAnswering;
    startWithDisc();
    session->runCommand(s("EjectSB"));
    device.advance(6999);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(cd().nameText(), CDAudioMode::kOpeningTray);
    device.advance(1);
    ASSERT_EQ(prompter.messages.size(), 1U);
    EXPECT_EQ(prompter.messages.at(0).text, kNotAnswering);
    EXPECT_TRUE(cd().list().isEmpty());
    EXPECT_TRUE(cd().nameText().isEmpty()) << "where the tray stands is not known";
    EXPECT_TRUE(ejectEnabled());

    device.trayFailure.clear();
    device.trayDelay = 0;
    session->runCommand(s("EjectSB"));
    EXPECT_FALSE(disc->inDrive) << "the same move again";
    EXPECT_EQ(cd().nameText(), CDAudioMode::kNoCD);
}
