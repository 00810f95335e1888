#include "media/gstmediadevice.h"
#include "mediafiles.h"
#include "support/tempfolder.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gst/base/gstbasesink.h>
#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <vector>

namespace {

// A sink that keeps time and writes down what reaches it: which sink instance, each stream's start,
// and the span of running time each buffer covers. One continuous stream is one sink whose spans
// join end to start.
struct RecordedSpan {
    GstClockTime start;
    GstClockTime end;
};
struct Recording {
    std::set<void*> sinks;
    int streamStarts = 0;
    std::vector<RecordedSpan> spans;
};

struct RecordingSink {
    using Record = Recording;
    static inline std::mutex mutex;
    static inline Record record;
    static inline GstBaseSinkClass* parent = nullptr;

    static GstFlowReturn render(GstBaseSink* sink, GstBuffer* buffer) {
        GST_OBJECT_LOCK(sink);
        const GstClockTime start =
            gst_segment_to_running_time(&sink->segment, GST_FORMAT_TIME, GST_BUFFER_PTS(buffer));
        GST_OBJECT_UNLOCK(sink);
        const std::lock_guard lock(mutex);
        record.sinks.insert(sink);
        record.spans.push_back({start, start + GST_BUFFER_DURATION(buffer)});
        return GST_FLOW_OK;
    }
    static gboolean event(GstBaseSink* sink, GstEvent* event) {
        if (GST_EVENT_TYPE(event) == GST_EVENT_STREAM_START) {
            const std::lock_guard lock(mutex);
            ++record.streamStarts;
        }
        return parent->event(sink, event);
    }
    static void classInit(gpointer klass, gpointer) {
        static GstStaticPadTemplate sink =
            GST_STATIC_PAD_TEMPLATE("sink", GST_PAD_SINK, GST_PAD_ALWAYS, GST_STATIC_CAPS("audio/x-raw"));
        gst_element_class_add_static_pad_template(GST_ELEMENT_CLASS(klass), &sink);
        gst_element_class_set_static_metadata(GST_ELEMENT_CLASS(klass), "velmarorecordingsink", "Sink/Audio",
                                              "Records", "tests");
        parent = GST_BASE_SINK_CLASS(g_type_class_peek_parent(klass));
        GST_BASE_SINK_CLASS(klass)->render = render;
        GST_BASE_SINK_CLASS(klass)->event = event;
    }
    static void instanceInit(GTypeInstance* instance, gpointer) {
        gst_base_sink_set_sync(GST_BASE_SINK(instance), TRUE);
    }

    // The device's next pipelines play into a new recording.
    RecordingSink() {
        static const bool registered = [] {
            const GTypeInfo info{sizeof(GstBaseSinkClass), nullptr, nullptr,      classInit, nullptr, nullptr,
                                 sizeof(GstBaseSink),      0,       instanceInit, nullptr};
            const GType type =
                g_type_register_static(GST_TYPE_BASE_SINK, "VelmaroRecordingSink", &info, GTypeFlags(0));
            return gst_element_register(nullptr, "velmarorecordingsink", GST_RANK_NONE, type);
        }();
        EXPECT_TRUE(registered);
        const std::lock_guard lock(mutex);
        record = Record();
        m_previous = qgetenv("VELMARO_AUDIO_SINK");
        qputenv("VELMARO_AUDIO_SINK", "velmarorecordingsink");
    }
    ~RecordingSink() { qputenv("VELMARO_AUDIO_SINK", m_previous); }
    Record taken() const {
        const std::lock_guard lock(mutex);
        return record;
    }
    // The longest hole between one buffer's end and the next one's start, in ms.
    static double longestHoleMs(const Record& r) {
        GstClockTime hole = 0;
        for (size_t i = 1; i < r.spans.size(); ++i) {
            if (r.spans[i].start > r.spans[i - 1].end) {
                hole = std::max(hole, r.spans[i].start - r.spans[i - 1].end);
            }
        }
        return static_cast<double>(hole) / GST_MSECOND;
    }
    static double playedMs(const Record& r) {
        GstClockTime total = 0;
        for (const RecordedSpan& span : r.spans) {
            total += span.end - span.start;
        }
        return static_cast<double>(total) / GST_MSECOND;
    }
    static double endMs(const Record& r) {
        return r.spans.empty() ? 0 : static_cast<double>(r.spans.back().end) / GST_MSECOND;
    }

private:
    QByteArray m_previous;
};

// Long enough for playbin to ask for what follows well before the end (it reads about a second ahead).
constexpr double kToneSeconds = 1.5;

struct Tones {
    TempFolder folder;
    QString first = MediaFiles::wav(folder.file(QStringLiteral("first.wav")), kToneSeconds);
    QString second = MediaFiles::wav(folder.file(QStringLiteral("second.wav")), kToneSeconds);
};

TEST(GaplessHandover, TwoTonesPlayAsOneContinuousStreamOfBuffers) {
    RecordingSink sink;
    Tones tones;
    GstMediaDevice device;
    device.setFileName(tones.first);
    ASSERT_TRUE(OpenAndWait(device)) << device.errorText().toStdString();
    QSignalSpy handedOver(&device, &MediaDevice::queuedStarted);
    QSignalSpy changed(&device, &MediaDevice::modeChanged);
    ASSERT_TRUE(device.play());
    ASSERT_TRUE(device.queueNext(tones.second));

    ASSERT_TRUE(handedOver.wait(5000));
    EXPECT_EQ(device.fileName(), tones.second);
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    EXPECT_LT(device.position(), 300);  // counted from the second file's start
    EXPECT_NEAR(static_cast<double>(device.length()), 1500.0, 50.0);
    EXPECT_EQ(changed.count(), 0);  // the first file never reported an end
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(device.mode(), MediaDevice::Stopped);
    EXPECT_TRUE(device.playbackFailure().isEmpty());

    const RecordingSink::Record played = sink.taken();
    EXPECT_EQ(played.sinks.size(), 1u);
    EXPECT_EQ(played.streamStarts, 2);
    EXPECT_LT(RecordingSink::longestHoleMs(played), 0.1);
    EXPECT_NEAR(RecordingSink::endMs(played), 3000.0, 5.0);
}

TEST(GaplessHandover, ACancelledHandoverEndsTheFirstFileAndNothingOfTheSecondPlays) {
    RecordingSink sink;
    Tones tones;
    GstMediaDevice device;
    device.setFileName(tones.first);
    ASSERT_TRUE(OpenAndWait(device));
    QSignalSpy handedOver(&device, &MediaDevice::queuedStarted);
    QSignalSpy changed(&device, &MediaDevice::modeChanged);
    ASSERT_TRUE(device.play());
    ASSERT_TRUE(device.queueNext(tones.second));
    QTest::qWait(1100);  // the second file has been handed to the pipeline by now
    device.cancelQueued();

    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(device.mode(), MediaDevice::Stopped);
    EXPECT_TRUE(device.playbackFailure().isEmpty());
    EXPECT_EQ(handedOver.count(), 0);
    EXPECT_EQ(device.fileName(), tones.first);
    const RecordingSink::Record played = sink.taken();
    EXPECT_EQ(played.streamStarts, 1);
    EXPECT_NEAR(RecordingSink::endMs(played), 1500.0, 5.0);

    // The device still plays its file, as an item loop asks after the end.
    device.stop();
    device.seek(0);
    ASSERT_TRUE(device.play());
    QTest::qWait(400);
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    EXPECT_GT(device.position(), 100);
    EXPECT_GT(RecordingSink::playedMs(sink.taken()), 1500.0 + 100.0);
}

// playbin jumps to a file handed over when the playing one is sought in: Rewind must not skip ahead.
TEST(GaplessHandover, RewindingAfterTheHandOverPlaysTheFirstFileAgainThenTheSecond) {
    RecordingSink sink;
    Tones tones;
    GstMediaDevice device;
    device.setFileName(tones.first);
    ASSERT_TRUE(OpenAndWait(device));
    QSignalSpy handedOver(&device, &MediaDevice::queuedStarted);
    ASSERT_TRUE(device.play());
    ASSERT_TRUE(device.queueNext(tones.second));
    QTest::qWait(1100);
    QElapsedTimer clock;
    clock.start();
    device.stop();
    ASSERT_TRUE(device.seek(0));
    ASSERT_TRUE(device.play());
    QTest::qWait(300);
    EXPECT_EQ(device.fileName(), tones.first);
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    EXPECT_EQ(handedOver.count(), 0);
    EXPECT_GT(device.position(), 100);

    ASSERT_TRUE(handedOver.wait(5000));
    EXPECT_GT(clock.elapsed(), 1300);  // the first file was heard whole again
    EXPECT_EQ(device.fileName(), tones.second);
}

TEST(GaplessHandover, AQueuedFileThatCannotBeDecodedLetsTheFirstEndAsUsual) {
    RecordingSink sink;
    Tones tones;
    QByteArray noise(20000, '\0');
    for (int i = 0; i < noise.size(); ++i) {
        noise[i] = static_cast<char>((i * 7919) % 251);
    }
    const QString broken = tones.folder.write(QStringLiteral("broken.wav"), noise);
    GstMediaDevice device;
    device.setFileName(tones.first);
    ASSERT_TRUE(OpenAndWait(device));
    QSignalSpy handedOver(&device, &MediaDevice::queuedStarted);
    QSignalSpy changed(&device, &MediaDevice::modeChanged);
    ASSERT_TRUE(device.play());
    ASSERT_TRUE(device.queueNext(broken));

    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(device.mode(), MediaDevice::Stopped);
    // Not a failure of the file that played: it was heard to its end.
    EXPECT_TRUE(device.playbackFailure().isEmpty()) << device.playbackFailure().toStdString();
    EXPECT_EQ(handedOver.count(), 0);
    EXPECT_NEAR(RecordingSink::endMs(sink.taken()), 1500.0, 5.0);
}

}  // namespace
