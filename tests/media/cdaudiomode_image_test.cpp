// CD Audio Mode end to end: the program's session over the real CD device, with an image as the disc.

#include "core/app/appsession.h"
#include "core/cdaudio/cdidentifier.h"
#include "core/common/itemref.h"
#include "core/common/textfile.h"
#include "media/gstlengthprobe.h"
#include "media/gstmediadevice.h"
#include "mediafiles.h"
#include "support/fakes.h"
#include "support/tempfolder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>


#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The program's session over two real devices, its drive the image of a disc with these CD-TEXT titles.
class CDAudioModeOnImage : public ::testing::Test {
protected:
    TempFolder home;
    TempFolder music;
    FakePrompter prompter;
    FakeClipboard clipboard;
    GstMediaDevice player;
    GstMediaDevice reader;
    GstLengthProbe probe;
    std::unique_ptr<AppSession> session;

    void start(const QList<QByteArray>& titles, const QStringList& parameters = {}) {
        const QString image = MediaFiles::makeImage(music.path(), MediaFiles::DataTrack::None, titles);
        home.write(s("velmaro.ini"), TextFile::encode(TextFile::joinLines({s("[CD Audio]"), s("Device=") + image})));
        session = std::make_unique<AppSession>(
            AppSession::Folders{home.path(), music.path(), music.path()},
            AppSession::Ports{prompter, player, clipboard, probe, nullptr, nullptr, nullptr, {}, &reader});
        session->beginRun();
        session->windowShown(parameters, music.path());
    }
};

TEST_F(CDAudioModeOnImage, ListsTheDiscPlaysATrackOnIntoTheNextAndFollowsEjectAndClose) {
    start({"Tones", "Low", "Middle", "High"});
    session->runCommand(s("CDAudioModeM"));
    CDAudioMode& cd = session->cdAudio();
    CDAudioList& tracks = cd.list();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !cd.isReadingDrive(); }, 5000));
    ASSERT_EQ(tracks.names(), QStringList({s("Low"), s("Middle"), s("High")})) << "named by its CD-TEXT";
    EXPECT_EQ(cd.nameText(), s("Tones"));
    EXPECT_EQ(tracks.lengthText(1), s("00:01"));
    EXPECT_EQ(tracks.lengthText(2), s("00:02"));

    tracks.selectOnly(1);
    tracks.setFocusedLine(1);
    session->runCommand(s("PlayFileListSI"));
    PlaybackController& controller = session->controller();
    ASSERT_TRUE(session->lists().isPlaying(session->cdListMedia())) << prompter.messages.size();
    EXPECT_EQ(controller.windowTitle(), s("Middle - Velmaro 4.02"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return session->cdListMedia().playingLine() == 2; }, 6000));
    EXPECT_TRUE(tracks.isSelected(2));
    EXPECT_FALSE(tracks.isSelected(1));
    EXPECT_EQ(controller.windowTitle(), s("High - Velmaro 4.02"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return session->lists().playing() == nullptr; }, 6000));
    EXPECT_EQ(controller.windowTitle(), s("Velmaro 4.02"));

    // The tray moves while the window goes on.
    session->runCommand(s("EjectSB"));
    EXPECT_EQ(cd.nameText(), CDAudioMode::kOpeningTray);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !cd.isReadingDrive(); }, 5000));
    EXPECT_EQ(cd.nameText(), s("No CD"));
    EXPECT_TRUE(tracks.isEmpty());
    session->runCommand(s("EjectSB"));  // the door is open: the same button closes it
    EXPECT_EQ(cd.nameText(), CDAudioMode::kClosingTray);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !cd.isReadingDrive(); }, 5000));
    EXPECT_EQ(tracks.count(), 3);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(CDAudioModeOnImage, CDTracksOfThePlayListEachPlayToTheirEnd) {
    const qint32 cdid = ComputeCDID(4506, 3, 1000);
    const QStringList lines{s("[General]"), s("LastPlayed="), QString(), s("[Items]"), MakeCDItem(cdid, 1),
                            MakeCDItem(cdid, 2), MakeCDItem(cdid, 3)};
    start({}, {music.write(s("cd.vlp"), TextFile::encode(TextFile::joinLines(lines)))});
    session->playList().setFocusedLine(0);
    session->playLine(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.mode() == MediaDevice::Playing; }, 8000))
        << prompter.messages.size();
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return session->playList().CurrentItem() == 1; }, 4000));
    const qint64 secondStarted = clock.elapsed();
    ASSERT_TRUE(QTest::qWaitFor([&] { return session->playList().CurrentItem() == 2; }, 4000));
    EXPECT_GE(clock.elapsed() - secondStarted, 1200) << "the second track plays its 1.5 s";
}

// An image whose data never comes (its BIN is a FIFO nobody writes) is a drive that does not answer: the
// window goes on while it is read, and the read ends in the drive's own reason.
TEST_F(CDAudioModeOnImage, ADriveThatDoesNotAnswerLeavesTheWindowFreeAndSaysWhy) {
    start({"Tones"});
    const QByteArray bin = QFile::encodeName(music.file(s("disc.bin")));
    ASSERT_TRUE(QFile::remove(music.file(s("disc.bin"))));
    ASSERT_EQ(mkfifo(bin.constData(), 0600), 0);
    QElapsedTimer clock;
    clock.start();
    session->runCommand(s("CDAudioModeM"));
    EXPECT_LT(clock.elapsed(), 1000);
    CDAudioMode& cd = session->cdAudio();
    EXPECT_EQ(cd.nameText(), CDAudioMode::kReadingDisc);
    EXPECT_TRUE(reader.isOpening());

    ASSERT_TRUE(QTest::qWaitFor([&] { return !cd.isReadingDrive(); }, 10000));
    EXPECT_GE(clock.elapsed(), 6000);
    ASSERT_EQ(prompter.messages.size(), 1U);
    const QString text = prompter.messages.at(0).text;
    EXPECT_TRUE(text.contains(s("did not answer"))) << text.toStdString();
    EXPECT_FALSE(text.contains(s("unable to initialize"))) << text.toStdString();
    EXPECT_TRUE(cd.list().isEmpty());
    EXPECT_FALSE(reader.isOpening() || reader.isOpen());
    // Lets the abandoned read finish before the folder goes.
    const int writer = ::open(bin.constData(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) {
        ::close(writer);
    }
}
