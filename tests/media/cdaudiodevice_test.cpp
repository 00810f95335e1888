#include "core/cdaudio/cdidentifier.h"
#include "media/gstmediadevice.h"
#include "mediafiles.h"
#include "support/tempfolder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using MediaFiles::DataTrack;
using MediaFiles::makeImage;

void openDisc(GstMediaDevice& device, const QString& drive) {
    device.setCdDrive(drive);
    device.setDeviceType(MediaDevice::DeviceType::CDAudio);
    device.setShareable(true);
    device.setFileName(QString());
    ASSERT_TRUE(device.open()) << device.errorText().toStdString();
}

}  // namespace

// The table of contents of an image as the program reads it, data tracks listed with the rest.
TEST(CdAudioDevice, ReadsTheTableOfContentsOfAnImage) {
    for (const bool withDataTrack : {false, true}) {
        SCOPED_TRACE(withDataTrack ? "data track last" : "audio only");
        TempFolder folder;
        GstMediaDevice device;
        openDisc(device, makeImage(folder.path(), withDataTrack ? DataTrack::Last : DataTrack::None));
        EXPECT_EQ(device.mode(), MediaDevice::Stopped);
        ASSERT_EQ(device.trackCount(), withDataTrack ? 4 : 3);
        EXPECT_EQ(device.trackPosition(1), 0);
        EXPECT_EQ(device.trackPosition(2), 1000);
        EXPECT_EQ(device.trackPosition(3), 2506);  // 188 frames
        EXPECT_EQ(device.trackLength(2), 1506);    // 113 frames, cut to the millisecond
        EXPECT_EQ(device.trackLength(3), 2000);
        EXPECT_EQ(device.trackLength(5), -1);
        EXPECT_EQ(device.length(), withDataTrack ? 6506 : 4506);
        if (withDataTrack) {
            EXPECT_EQ(device.trackPosition(4), 4506);
            EXPECT_EQ(device.trackLength(4), 2000);
        }
        // 4506 * 3 - 1000 and 6506 * 4 - 1000.
        EXPECT_EQ(ComputeCDID(device), withDataTrack ? 25024 : 12518);

        // TMSF gives the track in the low byte, then minute, second and frame within the track.
        ASSERT_TRUE(device.seek(2506 + 1500));
        device.setTimeFormat(MediaDevice::TimeFormat::TMSF);
        const qint64 tmsf = device.position();
        device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
        EXPECT_EQ(tmsf & 0xff, 3);
        EXPECT_EQ((tmsf >> 8) & 0xff, 0);
        EXPECT_EQ((tmsf >> 16) & 0xff, 1);
        EXPECT_EQ((tmsf >> 24) & 0xff, 37);
        EXPECT_EQ(device.position(), 4006);
    }
}

// CD-TEXT comes from the CUE sheet's TITLE lines, one line of text each whatever the sheet's encoding.
TEST(CdAudioDevice, GivesTheCdTextTitlesOfTheDisc) {
    const struct {
        const char* what;
        DataTrack data;
        QList<QByteArray> titles;
        QStringList expected;
    } cases[] = {
        {"titles in UTF-8 and in the Windows code page, a control character, a track without one, a data track",
         DataTrack::Last,
         {"Caf\xc3\xa9 Songs", "Opening", "", "Fin\x01" "ale \x80 caf\xe9", "Extras"},
         {QStringLiteral("Caf\u00e9 Songs"), QStringLiteral("Opening"), QString(),
          QStringLiteral("Finale \u20ac caf\u00e9"), QStringLiteral("Extras")}},
        {"no album title", DataTrack::None, {"", "", "Middle"}, {QString(), QString(), QStringLiteral("Middle"), QString()}},
        {"no titles", DataTrack::First, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        GstMediaDevice device;
        openDisc(device, makeImage(folder.path(), c.data, c.titles));
        EXPECT_EQ(device.cdText(), c.expected);
        ASSERT_TRUE(device.eject());
        EXPECT_EQ(device.cdText(), QStringList());
    }
}

TEST(CdAudioDevice, PlaysASpanAndStopsForPauseThroughTheRealPipeline) {
    TempFolder folder;
    GstMediaDevice device;
    openDisc(device, makeImage(folder.path(), DataTrack::Last));
    QSignalSpy ended(&device, &MediaDevice::modeChanged);

    // Track 2 alone, as a CD-track item plays.
    device.setStartPosition(device.trackPosition(2));
    device.setEndPosition(device.trackPosition(3));
    ASSERT_TRUE(device.play()) << device.errorText().toStdString();
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    QTest::qWait(500);
    EXPECT_GT(device.position(), 1200);
    EXPECT_LT(device.position(), 2506);
    EXPECT_EQ(ComputeCDID(device), 25024);  // the disc's, whatever plays
    ASSERT_TRUE(ended.wait(5000));
    EXPECT_EQ(device.mode(), MediaDevice::Stopped);
    EXPECT_NEAR(static_cast<double>(device.position()), 2506.0, 60.0);
    EXPECT_TRUE(device.playbackFailure().isEmpty());

    // From track 3 on, with no end: the audio ends where the data track begins. Pausing stops the
    // disc where it stands, and resuming plays on to the same end.
    ended.clear();
    device.setStartPosition(device.trackPosition(3));
    ASSERT_TRUE(device.play()) << device.errorText().toStdString();
    QTest::qWait(400);
    device.pause();
    EXPECT_EQ(device.mode(), MediaDevice::Stopped);
    const qint64 pausedAt = device.position();
    EXPECT_GT(pausedAt, 2506);
    QTest::qWait(300);
    EXPECT_EQ(device.position(), pausedAt);
    device.resume();
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    ASSERT_TRUE(ended.wait(5000));
    EXPECT_NEAR(static_cast<double>(device.position()), 4506.0, 60.0);
    EXPECT_TRUE(device.playbackFailure().isEmpty()) << device.playbackFailure().toStdString();

    // The data track is refused, and says why.
    device.setStartPosition(device.trackPosition(4));
    EXPECT_FALSE(device.play());
    EXPECT_TRUE(device.errorText().contains(QStringLiteral("Track 4 is a data track"))) << device.errorText().toStdString();
    EXPECT_EQ(device.mode(), MediaDevice::Stopped);

    // A data track first takes no time in the stream: the end of the disc is still the end. Playing
    // from the start of such a disc starts at its first audio track.
    TempFolder mixedFolder;
    openDisc(device, makeImage(mixedFolder.path(), DataTrack::First));
    ASSERT_EQ(device.trackPosition(4), 4506);
    ASSERT_TRUE(device.play()) << device.errorText().toStdString();
    EXPECT_GE(device.position(), 2000);
    ended.clear();
    ASSERT_TRUE(device.seek(6000));
    ASSERT_TRUE(device.play()) << device.errorText().toStdString();
    QTest::qWait(200);
    EXPECT_GT(device.position(), 6050);
    ASSERT_TRUE(ended.wait(5000));
    EXPECT_NEAR(static_cast<double>(device.position()), 6506.0, 60.0);
}

// An image stands for the disc in a drive: ejected, no device of the program finds it until the
// door is closed again.
TEST(CdAudioDevice, EjectRemovesTheImageAndClosingTheDoorBringsItBack) {
    TempFolder folder;
    const QString image = makeImage(folder.path(), DataTrack::None);
    GstMediaDevice player;
    GstMediaDevice lengths;
    openDisc(player, image);
    ASSERT_TRUE(player.play());

    ASSERT_TRUE(player.eject());
    EXPECT_EQ(player.mode(), MediaDevice::Open);
    EXPECT_EQ(player.trackCount(), 0);
    EXPECT_FALSE(player.play());
    openDisc(lengths, image);
    EXPECT_EQ(lengths.mode(), MediaDevice::Open);
    EXPECT_EQ(ComputeCDID(lengths), 0);

    ASSERT_TRUE(lengths.closeDoor());
    EXPECT_EQ(lengths.mode(), MediaDevice::Stopped);
    EXPECT_EQ(lengths.trackCount(), 3);
    openDisc(player, image);
    EXPECT_EQ(player.trackCount(), 3);
    EXPECT_TRUE(player.play()) << player.errorText().toStdString();
    player.close();
    EXPECT_EQ(player.mode(), -1);
}

// The tray moves without the caller waiting: the answer comes through the event loop, the image's disc
// goes (or comes back) for every device when it does, and a disc that plays stops at the start.
TEST(CdAudioDevice, MovesTheTrayOfAnImageAndAnswersThroughTheEventLoop) {
    TempFolder folder;
    const QString image = makeImage(folder.path(), DataTrack::None);
    GstMediaDevice player;
    GstMediaDevice other;
    openDisc(player, image);
    ASSERT_TRUE(player.play()) << player.errorText().toStdString();
    QSignalSpy moved(&player, &MediaDevice::trayMoved);

    player.beginMoveTray(false);
    EXPECT_TRUE(player.isMovingTray());
    EXPECT_EQ(moved.count(), 0);
    EXPECT_EQ(player.mode(), MediaDevice::Stopped);
    ASSERT_TRUE(moved.wait(2000));
    EXPECT_EQ(moved.at(0), QVariantList({true, QString()}));
    EXPECT_FALSE(player.isMovingTray());
    EXPECT_EQ(player.mode(), MediaDevice::Open);
    openDisc(other, image);
    EXPECT_EQ(other.trackCount(), 0);

    // Closed through a device that is not open, the door brings the disc back for the next open.
    other.close();
    QSignalSpy closed(&other, &MediaDevice::trayMoved);
    other.beginMoveTray(true);
    ASSERT_TRUE(closed.wait(2000));
    EXPECT_EQ(closed.at(0), QVariantList({true, QString()}));
    openDisc(player, image);
    EXPECT_EQ(player.trackCount(), 3);

    // Closing the device forgets the move: no answer, and the image's disc stays in.
    player.beginMoveTray(false);
    player.close();
    EXPECT_FALSE(player.isMovingTray());
    EXPECT_FALSE(moved.wait(300));
    EXPECT_EQ(moved.count(), 1);
    openDisc(other, image);
    EXPECT_EQ(other.trackCount(), 3);
}

// A drive that cannot move its tray says so, through the event loop too.
TEST(CdAudioDevice, ATrayThatCannotMoveSaysWhichDrive) {
    TempFolder folder;
    const QString drive = folder.file(QStringLiteral("sr9"));
    GstMediaDevice device;
    device.setCdDrive(drive);
    device.setDeviceType(MediaDevice::DeviceType::CDAudio);
    QSignalSpy moved(&device, &MediaDevice::trayMoved);
    for (const bool closeTray : {false, true}) {
        moved.clear();
        device.beginMoveTray(closeTray);
        EXPECT_EQ(moved.count(), 0);
        ASSERT_TRUE(moved.wait(10000));
        const QString reason = closeTray
                                   ? QStringLiteral("The door of the CD drive \"%1\" could not be closed.")
                                   : QStringLiteral("The CD drive \"%1\" could not be opened.");
        EXPECT_EQ(moved.at(0), QVariantList({false, reason.arg(drive)}));
        EXPECT_EQ(device.errorText(), reason.arg(drive));
    }
}

// A disc that goes while the device is open, as under the drive's own button: the device reports the
// tray open, stops a disc that plays and says why, and reads the disc again only when opened again.
TEST(CdAudioDevice, NoticesADiscTakenOutAfterOpen) {
    TempFolder folder;
    const QString image = makeImage(folder.path(), DataTrack::None, {"Album"});
    GstMediaDevice player;
    GstMediaDevice other;
    openDisc(player, image);
    openDisc(other, image);
    QSignalSpy stopped(&player, &MediaDevice::modeChanged);
    ASSERT_TRUE(player.play()) << player.errorText().toStdString();

    ASSERT_TRUE(other.eject());
    EXPECT_EQ(player.mode(), MediaDevice::Open);
    EXPECT_EQ(player.trackCount(), 0);
    EXPECT_EQ(ComputeCDID(player), 0);
    EXPECT_TRUE(player.cdText().isEmpty());
    ASSERT_TRUE(stopped.wait(2000));
    EXPECT_EQ(player.playbackFailure(), QStringLiteral("The disc was taken out of the drive."));
    EXPECT_FALSE(player.play());

    ASSERT_TRUE(other.closeDoor());
    EXPECT_EQ(other.mode(), MediaDevice::Stopped);
    EXPECT_EQ(player.mode(), MediaDevice::Open);
    openDisc(player, image);
    EXPECT_EQ(player.mode(), MediaDevice::Stopped);
    EXPECT_EQ(player.cdText(), QStringList({QStringLiteral("Album"), QString(), QString(), QString()}));

    ASSERT_TRUE(QFile::remove(image));
    EXPECT_EQ(player.mode(), MediaDevice::Open);
    EXPECT_EQ(other.mode(), MediaDevice::Open);
}

// Without a drive or an image the disc is simply not there; a drive that never answers costs the
// caller a message within the time the window can wait, not the window.
TEST(CdAudioDevice, NoDiscIsOpenAndADriveThatNeverAnswersFails) {
    TempFolder folder;
    for (const QString& drive : {folder.file(QStringLiteral("missing.cue")), folder.file(QStringLiteral("sr9"))}) {
        GstMediaDevice device;
        openDisc(device, drive);
        EXPECT_EQ(device.mode(), MediaDevice::Open);
        EXPECT_EQ(device.trackCount(), 0);
        EXPECT_FALSE(device.play());
        EXPECT_FALSE(device.errorText().isEmpty());
    }

    // Opening a FIFO waits for a writer as a hung drive waits for its disc.
    const QByteArray fifo = QFile::encodeName(folder.file(QStringLiteral("hung-drive")));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    GstMediaDevice device;
    device.setCdDrive(QString::fromLocal8Bit(fifo));
    device.setDeviceType(MediaDevice::DeviceType::CDAudio);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(device.open());
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_TRUE(device.errorText().contains(QStringLiteral("did not answer"))) << device.errorText().toStdString();
    EXPECT_EQ(device.mode(), -1);
    // Lets the abandoned read finish before the folder goes.
    const int writer = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) {
        ::close(writer);
    }
}
