#include "media/gstmediadevice.h"
#include "mediafiles.h"
#include "support/tempfolder.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Family {
    const char* name;
    QString (*make)(const QString& folder);
    qint64 expectedLength;  // ms, give or take a tenth of a second
};

void PrintTo(const Family& family, std::ostream* os) {
    *os << family.name;
}

class PlaysToItsEnd : public ::testing::TestWithParam<Family> {};

// Every family opens, reports its length and plays to its end through the test sinks.
TEST_P(PlaysToItsEnd, ThroughRealPipelines) {
    TempFolder folder;
    const QString file = GetParam().make(folder.path());
    ASSERT_FALSE(file.isEmpty());
    GstMediaDevice device;
    device.setFileName(file);
    ASSERT_TRUE(device.open()) << device.errorText().toStdString();
    EXPECT_EQ(device.mode(), MediaDevice::Stopped);
    EXPECT_NEAR(static_cast<double>(device.length()), static_cast<double>(GetParam().expectedLength), 150.0);

    QSignalSpy ended(&device, &MediaDevice::modeChanged);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(device.play());
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    ASSERT_TRUE(ended.wait(static_cast<int>(GetParam().expectedLength) + 10000));
    EXPECT_EQ(device.mode(), MediaDevice::Stopped);
    EXPECT_TRUE(device.errorText().isEmpty()) << device.errorText().toStdString();
    // The sinks keep time: the item took about as long as it lasts.
    EXPECT_GT(clock.elapsed(), GetParam().expectedLength - 300);
    device.close();
    EXPECT_EQ(device.mode(), -1);
}

INSTANTIATE_TEST_SUITE_P(
    GstMediaDevice, PlaysToItsEnd,
    ::testing::Values(
        Family{"MIDI", [](const QString& f) { return MediaFiles::midi(f + QStringLiteral("/tune.mid")); }, 1500},
        Family{"WAV", [](const QString& f) { return MediaFiles::wav(f + QStringLiteral("/tone.wav"), 1.0); }, 1000},
        Family{"AU", [](const QString& f) { return MediaFiles::au(f + QStringLiteral("/tone.au"), 1.0); }, 1000},
        Family{"AIFF",
               [](const QString& f) { return MediaFiles::encoded(f + QStringLiteral("/tone.aiff"), QStringLiteral("aiff"), 1.0); },
               997},
        Family{"MP3",
               [](const QString& f) { return MediaFiles::encoded(f + QStringLiteral("/tone.mp3"), QStringLiteral("mp3"), 1.0); },
               1000},
        Family{"Module", [](const QString& f) { return MediaFiles::mod(f + QStringLiteral("/pattern.mod")); }, 1920},
        Family{"AVI",
               [](const QString& f) { return MediaFiles::encoded(f + QStringLiteral("/picture.avi"), QStringLiteral("avi"), 1.0); },
               1000}),
    [](const ::testing::TestParamInfo<Family>& info) { return std::string(info.param.name); });

TEST(GstMediaDevice, ATextFileNamedLikeMIDIFailsWithGStreamersWords) {
    TempFolder folder;
    const QString file = folder.write(QStringLiteral("notes.mid"), "These are not notes.\nJust text.\n");
    GstMediaDevice device;
    device.setFileName(file);
    EXPECT_FALSE(device.open());
    EXPECT_FALSE(device.errorText().isEmpty());
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(device.mode(), -1);

    device.setFileName(folder.file(QStringLiteral("missing.wav")));
    EXPECT_FALSE(device.open());
    EXPECT_TRUE(device.errorText().contains(QStringLiteral("missing.wav")));
}

// A parser that now and then never gets ready must cost a retry, not a failed open.
TEST(GstMediaDevice, AnAIFFFileOpensEveryTime) {
    TempFolder folder;
    const QString file = MediaFiles::encoded(folder.file(QStringLiteral("tone.aiff")), QStringLiteral("aiff"), 0.5);
    GstMediaDevice device;
    device.setFileName(file);
    int failures = 0;
    for (int attempt = 0; attempt < 60; ++attempt) {
        if (!device.open()) {
            ++failures;
        }
        device.close();
    }
    EXPECT_EQ(failures, 0) << device.errorText().toStdString();
}

TEST(GstMediaDevice, StopKeepsThePositionAndSpansPlayOnlyTheirPart) {
    TempFolder folder;
    GstMediaDevice device;
    device.setFileName(MediaFiles::wav(folder.file(QStringLiteral("long.wav")), 4.0));
    ASSERT_TRUE(device.open()) << device.errorText().toStdString();
    ASSERT_TRUE(device.seek(2500));
    device.play();
    QSignalSpy ended(&device, &MediaDevice::modeChanged);
    QTest::qWait(300);
    device.stop();
    EXPECT_EQ(device.mode(), MediaDevice::Stopped);
    const qint64 stoppedAt = device.position();
    EXPECT_GE(stoppedAt, 2500);
    QTest::qWait(300);
    EXPECT_EQ(device.position(), stoppedAt);

    // A span from 1.0 s to 1.5 s ends after half a second.
    device.setStartPosition(1000);
    device.setEndPosition(1500);
    device.play();
    ASSERT_TRUE(ended.wait(5000));
    EXPECT_NEAR(static_cast<double>(device.position()), 1500.0, 150.0);

    device.pause();  // a stopped device does not pause
    EXPECT_EQ(device.mode(), MediaDevice::Stopped);
}

TEST(GstMediaDevice, PauseTogglesAndHoldsThePosition) {
    TempFolder folder;
    GstMediaDevice device;
    device.setFileName(MediaFiles::wav(folder.file(QStringLiteral("tone.wav")), 3.0));
    ASSERT_TRUE(device.open());
    device.play();
    QTest::qWait(400);
    device.pause();
    EXPECT_EQ(device.mode(), MediaDevice::Paused);
    const qint64 pausedAt = device.position();
    QTest::qWait(400);
    EXPECT_NEAR(static_cast<double>(device.position()), static_cast<double>(pausedAt), 50.0);
    device.pause();
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
}

}  // namespace
