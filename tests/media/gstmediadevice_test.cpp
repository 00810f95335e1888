#include "media/gstmediadevice.h"
#include "media/gstlengthprobe.h"
#include "mediafiles.h"
#include "support/tempfolder.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <gst/base/gstbasesink.h>
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

// Where a blocking sink's streaming thread waits for the test to let it go.
enum class BlockIn { Render, Preroll };

// An audio sink whose streaming thread waits in its first buffer until the test lets it go: while
// rendering, as a plug-in caught in a loop does, or while getting ready, as a file that takes GStreamer
// a long time to prepare holds the pipeline. Each kind has its own state and element name.
template <BlockIn kWhere>
struct BlockingSink {
    static inline std::mutex mutex;
    static inline std::condition_variable released;
    static inline bool isReleased = false;
    static inline std::atomic<bool> isBlocked = false;

    static constexpr const char* elementName() {
        return kWhere == BlockIn::Render ? "velmarohangingsink" : "velmarostucksink";
    }
    static GstFlowReturn block(GstBaseSink*, GstBuffer*) {
        isBlocked = true;
        std::unique_lock lock(mutex);
        released.wait(lock, [] { return isReleased; });
        return GST_FLOW_OK;
    }
    static void release() {
        const std::lock_guard lock(mutex);
        isReleased = true;
        released.notify_all();
    }
    static void classInit(gpointer klass, gpointer) {
        static GstStaticPadTemplate sink =
            GST_STATIC_PAD_TEMPLATE("sink", GST_PAD_SINK, GST_PAD_ALWAYS, GST_STATIC_CAPS_ANY);
        gst_element_class_add_static_pad_template(GST_ELEMENT_CLASS(klass), &sink);
        gst_element_class_set_static_metadata(GST_ELEMENT_CLASS(klass), elementName(), "Sink/Audio", "Blocks",
                                              "tests");
        (kWhere == BlockIn::Render ? GST_BASE_SINK_CLASS(klass)->render : GST_BASE_SINK_CLASS(klass)->preroll) =
            block;
    }
    static void registerElement() {
        static const GType type = g_type_register_static_simple(
            GST_TYPE_BASE_SINK, kWhere == BlockIn::Render ? "VelmaroHangingSink" : "VelmaroStuckSink",
            sizeof(GstBaseSinkClass), classInit, sizeof(GstBaseSink), nullptr, GTypeFlags(0));
        gst_element_register(nullptr, elementName(), GST_RANK_NONE, type);
    }
};
using HangingSink = BlockingSink<BlockIn::Render>;
using StuckSink = BlockingSink<BlockIn::Preroll>;

// Ends the whole test program when a call does not return: a hang is a failure, not a wait.
class Watchdog {
public:
    explicit Watchdog(const char* what)
        : m_thread([this, what] {
              std::unique_lock lock(m_mutex);
              if (!m_done.wait_for(lock, std::chrono::seconds(60), [this] { return m_finished; })) {
                  std::fprintf(stderr, "%s did not return within a minute\n", what);
                  std::_Exit(1);
              }
          }) {}
    ~Watchdog() {
        {
            const std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_all();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;
};

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
    ASSERT_TRUE(OpenAndWait(device)) << device.errorText().toStdString();
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
    EXPECT_FALSE(OpenAndWait(device));
    EXPECT_FALSE(device.errorText().isEmpty());
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(device.mode(), -1);

    device.setFileName(folder.file(QStringLiteral("missing.wav")));
    EXPECT_FALSE(OpenAndWait(device));
    EXPECT_TRUE(device.errorText().contains(QStringLiteral("missing.wav")));
}

// The window goes on while a file gets ready: opening returns at once, even for a file that never
// gets ready, and closing cancels it without waiting for the pipeline; no answer comes for it, and
// the next file opens as usual.
TEST(GstMediaDevice, OpeningReturnsAtOnceAndACancelledOpeningNeverAnswers) {
    StuckSink::registerElement();
    TempFolder folder;
    const QString tone = MediaFiles::wav(folder.file(QStringLiteral("tone.wav")), 1.0);
    const QByteArray sink = qgetenv("VELMARO_AUDIO_SINK");
    qputenv("VELMARO_AUDIO_SINK", "velmarostucksink");
    GstMediaDevice device;
    QSignalSpy opened(&device, &MediaDevice::opened);
    QSignalSpy failed(&device, &MediaDevice::openFailed);
    device.setFileName(tone);
    {
        const Watchdog watchdog("Opening a file that never gets ready");
        device.beginOpen();
    }
    qputenv("VELMARO_AUDIO_SINK", sink);
    EXPECT_TRUE(device.isOpening());
    bool ticked = false;
    QTimer::singleShot(100, [&ticked] { ticked = true; });
    EXPECT_TRUE(QTest::qWaitFor([&ticked] { return ticked; }, 2000));  // the event loop runs meanwhile
    EXPECT_TRUE(device.isOpening());
    {
        const Watchdog watchdog("Cancelling an opening that never gets ready");
        device.close();
    }
    EXPECT_FALSE(device.isOpening());
    EXPECT_EQ(device.mode(), -1);
    ASSERT_TRUE(OpenAndWait(device)) << device.errorText().toStdString();
    EXPECT_EQ(device.mode(), MediaDevice::Stopped);
    StuckSink::release();
    QTest::qWait(300);  // a late word from the stuck pipeline would arrive now
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(failed.count(), 0);
    EXPECT_EQ(device.mode(), MediaDevice::Stopped);
}

// A file that cannot be opened is answered like any other: later, with the reason.
TEST(GstMediaDevice, AMissingFileIsAnsweredLaterWithItsName) {
    TempFolder folder;
    GstMediaDevice device;
    QSignalSpy failed(&device, &MediaDevice::openFailed);
    device.setFileName(folder.file(QStringLiteral("gone.wav")));
    device.beginOpen();
    EXPECT_EQ(failed.count(), 0);
    ASSERT_TRUE(failed.wait(5000));
    EXPECT_TRUE(failed.at(0).at(0).toString().contains(QStringLiteral("gone.wav")));
    EXPECT_FALSE(device.isOpening());
    EXPECT_FALSE(device.isOpen());
}

// A parser that now and then never gets ready must cost a retry, not a failed open.
TEST(GstMediaDevice, AnAIFFFileOpensEveryTime) {
    TempFolder folder;
    const QString file = MediaFiles::encoded(folder.file(QStringLiteral("tone.aiff")), QStringLiteral("aiff"), 0.5);
    GstMediaDevice device;
    device.setFileName(file);
    int failures = 0;
    for (int attempt = 0; attempt < 60; ++attempt) {
        if (!OpenAndWait(device)) {
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
    ASSERT_TRUE(OpenAndWait(device)) << device.errorText().toStdString();
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
    ASSERT_TRUE(OpenAndWait(device));
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

// A header that claims 65,535 tracks and a first track of 4 GB, in 92 bytes: GStreamer's MIDI parser
// crashes on it or spins.
QByteArray damagedMidi() {
    QByteArray bytes("MThd\x00\x00\x00\x06\x00\x01\xFF\xFF\x00\x60MTrk\xFF\xFF\xFF\xF0", 22);
    while (bytes.size() < 92) {
        bytes.append("\x00\x90\x3C\x40\x60\x80\x3C\x00", 8);
    }
    return bytes.left(92);
}

TEST(GstMediaDevice, ADamagedMIDIFileIsRefusedBeforeGStreamerReadsIt) {
    TempFolder folder;
    const QByteArray tune = readFileBytes(MediaFiles::midi(folder.file(QStringLiteral("tune.mid"))));
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"65,535 tracks and a 4 GB track", damagedMidi(), "runs past the end"},
        {"more tracks named than held", tune.left(10) + QByteArray("\x00\x09", 2) + tune.mid(12),
         "names 9 tracks"},
        {"last track cut short", tune.left(tune.size() - 4), "runs past the end"},
        {"no track", tune.left(10) + QByteArray(2, '\0') + tune.mid(12), "names no track"},
    };
    ASSERT_EQ(damagedMidi().size(), 92);
    GstMediaDevice device;
    GstLengthProbe probe;
    for (const Case& c : cases) {
        const QString file = folder.write(QStringLiteral("damaged.mid"), c.bytes);
        device.setFileName(file);
        EXPECT_FALSE(OpenAndWait(device)) << c.what;
        EXPECT_TRUE(device.errorText().contains(QString::fromLatin1(c.reason)))
            << c.what << ": " << device.errorText().toStdString();
        QString error;
        EXPECT_EQ(probe.measure(file, &error), -1) << c.what;
        EXPECT_EQ(error, device.errorText()) << c.what;
    }
    // The same tune whole still plays, bare and in a RIFF wrapper.
    device.setFileName(folder.write(QStringLiteral("whole.mid"), tune));
    EXPECT_TRUE(OpenAndWait(device)) << device.errorText().toStdString();
    QByteArray riff = QByteArray("RMIDdata") + QByteArray(4, '\0') + tune;
    qToLittleEndian<quint32>(static_cast<quint32>(tune.size()), riff.data() + 8);
    riff.prepend(QByteArray("RIFF") + QByteArray(4, '\0'));
    qToLittleEndian<quint32>(static_cast<quint32>(riff.size() - 8), riff.data() + 4);
    QString error;
    EXPECT_GT(probe.measure(folder.write(QStringLiteral("wrapped.rmi"), riff), &error), 1000)
        << error.toStdString();
}

// The window must not wait for ever on a pipeline whose streaming thread hangs: the device gives up on
// it, says so as it says any failure, and plays the next file.
TEST(GstMediaDevice, APipelineThatHangsIsLeftBehindAndReportedAsAFailure) {
    HangingSink::registerElement();
    TempFolder folder;
    const QString tone = MediaFiles::wav(folder.file(QStringLiteral("tone.wav")), 2.0);
    const QByteArray sink = qgetenv("VELMARO_AUDIO_SINK");
    qputenv("VELMARO_AUDIO_SINK", "velmarohangingsink");
    GstMediaDevice device;
    device.setFileName(tone);
    const bool opened = OpenAndWait(device);
    qputenv("VELMARO_AUDIO_SINK", sink);
    ASSERT_TRUE(opened) << device.errorText().toStdString();
    QSignalSpy failed(&device, &MediaDevice::modeChanged);
    ASSERT_TRUE(device.play());
    ASSERT_TRUE(QTest::qWaitFor([] { return HangingSink::isBlocked.load(); }, 10000));
    {
        const Watchdog watchdog("Stopping a hanging pipeline");
        device.stop();
    }
    EXPECT_FALSE(device.isOpen());
    EXPECT_TRUE(device.errorText().contains(QStringLiteral("stopped answering")))
        << device.errorText().toStdString();
    EXPECT_TRUE(failed.wait(5000));

    device.setFileName(tone);
    ASSERT_TRUE(OpenAndWait(device)) << device.errorText().toStdString();
    EXPECT_TRUE(device.errorText().isEmpty());
    HangingSink::release();
}

}  // namespace
