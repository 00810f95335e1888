#include "media/gstlengthprobe.h"

#include "media/gstmediadevice.h"
#include "media/midifile.h"
#include "media/mpegaudioframes.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <future>
#include <thread>

namespace {

constexpr int kShortTrySeconds = 2;
// How often the caller hears that a measurement is still under way.
constexpr std::chrono::milliseconds kWaitStep(20);

QString takeMessage(GError* error) {
    const QString text = error && error->message ? QString::fromUtf8(error->message) : QString();
    if (error) {
        g_error_free(error);
    }
    return text;
}

QString failureOf(GstDiscovererInfo* info, const QString& message) {
    switch (gst_discoverer_info_get_result(info)) {
        case GST_DISCOVERER_TIMEOUT:
            return QStringLiteral("The file could not be opened within %1 seconds.").arg(GstLengthProbe::kTimeoutSeconds);
        case GST_DISCOVERER_MISSING_PLUGINS:
            return QStringLiteral("No GStreamer plugin installed here can read this file.");
        default:
            return message.isEmpty() ? QStringLiteral("The file could not be read.") : message;
    }
}

// The files whose parser alone knows their length, and that parser. A MIDI tune would otherwise load
// the synthesizer's SoundFont (over 100 MB) for every file; an AIFF file, discovered, now and then
// never gets ready (GStreamer 1.22's decoder linking races its parser).
const char* parserFor(const QByteArray& head) {
    if (MidiFile::isMidi(head)) {
        return "midiparse";
    }
    if (head.startsWith("FORM") && (head.mid(8, 4) == "AIFF" || head.mid(8, 4) == "AIFC")) {
        return "aiffparse";
    }
    return nullptr;
}

qint64 parsedLength(const QString& path, const char* parser, QString* error) {
    GError* parseError = nullptr;
    const QByteArray description =
        QByteArray("filesrc name=source ! ") + parser + QByteArray(" name=parse ! fakesink");
    GstElement* pipeline = gst_parse_launch(description.constData(), &parseError);
    if (!pipeline) {
        *error = takeMessage(parseError);
        return -1;
    }
    g_clear_error(&parseError);
    GstElement* source = gst_bin_get_by_name(GST_BIN(pipeline), "source");
    g_object_set(source, "location", QFile::encodeName(path).constData(), nullptr);
    gst_object_unref(source);
    bool stuck = false;
    SetPipelineStateWithin(pipeline, GST_STATE_PAUSED, &stuck);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_timed_pop_filtered(
        bus, static_cast<GstClockTime>(GstLengthProbe::kTimeoutSeconds) * GST_SECOND,
        static_cast<GstMessageType>(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR));
    qint64 length = -1;
    if (!message) {
        *error = QStringLiteral("The file could not be opened within %1 seconds.").arg(GstLengthProbe::kTimeoutSeconds);
    } else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
        GError* failure = nullptr;
        gst_message_parse_error(message, &failure, nullptr);
        *error = takeMessage(failure);
        if (error->isEmpty()) {
            *error = QStringLiteral("The file could not be read.");
        }
    } else {
        GstElement* parse = gst_bin_get_by_name(GST_BIN(pipeline), "parse");
        gint64 duration = -1;
        length = gst_element_query_duration(parse, GST_FORMAT_TIME, &duration) && duration >= 0
                     ? duration / GST_MSECOND
                     : 0;
        gst_object_unref(parse);
    }
    if (message) {
        gst_message_unref(message);
    }
    gst_object_unref(bus);
    SetPipelineStateWithin(pipeline, GST_STATE_NULL, &stuck);
    gst_object_unref(pipeline);
    return length;
}

// MPEG audio with a variable bit rate and no Xing or VBRI header tells its length only by its frames;
// the discoverer estimates it from the first few. Returns -1 when the file is not a plain run of frames
// or its header already says the length.
qint64 mpegAudioLength(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const uchar* data = file.map(0, file.size());
    if (!data) {
        return -1;
    }
    const MpegAudioFrames frames = MpegAudioFrames::walk(data, file.size());
    if (frames.describesItself) {
        return -1;  // the header counts the frames: the discoverer's length is exact
    }
    // Only a clean run that reaches the end (or a tag near it) replaces the estimate; a constant bit rate
    // is estimated exactly anyway.
    return frames.frames > 0 && !frames.constantBitrate && frames.reachedEnd ? static_cast<qint64>(frames.ms)
                                                                             : -1;
}

bool isMpegAudio(GstDiscovererInfo* info) {
    GList* streams = gst_discoverer_info_get_audio_streams(info);
    bool mpeg = false;
    if (streams && !streams->next) {
        if (GstCaps* caps = gst_discoverer_stream_info_get_caps(GST_DISCOVERER_STREAM_INFO(streams->data))) {
            const GstStructure* s = gst_caps_get_structure(caps, 0);
            gint version = 0;
            mpeg = gst_structure_has_name(s, "audio/mpeg") && gst_structure_get_int(s, "mpegversion", &version) &&
                   version == 1;
            gst_caps_unref(caps);
        }
    }
    gst_discoverer_stream_info_list_free(streams);
    return mpeg;
}

}  // namespace

GstLengthProbe::GstLengthProbe() = default;

// Made on the first measurement, so that nothing of GStreamer holds up the start.
bool GstLengthProbe::ensureDiscoverer() {
    if (m_discoverer || !m_setupError.isEmpty()) {
        return m_discoverer != nullptr;
    }
    GstMediaDevice::initialise();
    GError* error = nullptr;
    m_discoverer = gst_discoverer_new(static_cast<GstClockTime>(kTimeoutSeconds) * GST_SECOND, &error);
    if (!m_discoverer) {
        m_setupError = QStringLiteral("GStreamer's discoverer could not be created: %1").arg(takeMessage(error));
    }
    return m_discoverer != nullptr;
}

GstLengthProbe::~GstLengthProbe() {
    if (m_discoverer) {
        g_object_unref(m_discoverer);
    }
}

// The reading runs on a thread of its own: a file can take GStreamer seconds to identify, and the
// caller's window paints meanwhile. One measurement at a time uses the discoverer.
qint64 GstLengthProbe::measure(const QString& path, QString* error) {
    if (!ensureDiscoverer()) {
        *error = m_setupError;
        return -1;
    }
    QString failure;
    std::packaged_task<qint64()> reading([this, &path, &failure] { return measureHere(path, &failure); });
    std::future<qint64> length = reading.get_future();
    std::thread reader(std::move(reading));
    while (length.wait_for(kWaitStep) != std::future_status::ready) {
        whileWaiting();
    }
    reader.join();
    *error = failure;
    return length.get();
}

qint64 GstLengthProbe::measureHere(const QString& path, QString* error) {
    const QFileInfo file(path);
    if (!file.isFile()) {
        *error = QStringLiteral("The file \"%1\" was not found.").arg(path);
        return -1;
    }
    {
        QFile head(file.absoluteFilePath());
        if (const char* parser = head.open(QIODevice::ReadOnly) ? parserFor(head.read(12)) : nullptr) {
            if (qstrcmp(parser, "midiparse") == 0) {
                *error = MidiFile::structureProblem(file.absoluteFilePath());
                if (!error->isEmpty()) {
                    return -1;
                }
            }
            return parsedLength(file.absoluteFilePath(), parser, error);
        }
    }
    GError* uriError = nullptr;
    gchar* uri = gst_filename_to_uri(QFile::encodeName(file.absoluteFilePath()).constData(), &uriError);
    if (!uri) {
        *error = takeMessage(uriError);
        return -1;
    }
    // aiffparse reading in pull mode may push before decodebin has linked it; decodebin swallows the
    // error and the discovery sits out its timeout. That strikes a file in a few dozen or hundred, at
    // random, so short tries and a full last one cost seconds where it strikes, not a failure.
    GError* discoverError = nullptr;
    GstDiscovererInfo* info = nullptr;
    for (const int seconds : {kShortTrySeconds, kShortTrySeconds, kTimeoutSeconds}) {
        if (info) {
            gst_discoverer_info_unref(info);
            g_clear_error(&discoverError);
        }
        g_object_set(m_discoverer, "timeout", static_cast<GstClockTime>(seconds) * GST_SECOND, nullptr);
        info = gst_discoverer_discover_uri(m_discoverer, uri, &discoverError);
        if (!info || gst_discoverer_info_get_result(info) != GST_DISCOVERER_TIMEOUT) {
            break;
        }
    }
    g_free(uri);
    const QString message = takeMessage(discoverError);
    if (!info) {
        *error = message.isEmpty() ? QStringLiteral("The file could not be read.") : message;
        return -1;
    }
    qint64 length = -1;
    if (gst_discoverer_info_get_result(info) == GST_DISCOVERER_OK) {
        const GstClockTime duration = gst_discoverer_info_get_duration(info);
        // A stream that does not say how long it is counts as length 0: known to be unknown.
        length = GST_CLOCK_TIME_IS_VALID(duration) ? static_cast<qint64>(duration / GST_MSECOND) : 0;
        if (isMpegAudio(info)) {
            const qint64 counted = mpegAudioLength(file.absoluteFilePath());
            length = counted >= 0 ? counted : length;
        }
    } else {
        *error = failureOf(info, message);
    }
    gst_discoverer_info_unref(info);
    return length;
}
