// Opening a file: a fresh playbin gets ready (prerolls) on a thread of its own and the bus says when it
// is ready or why not, so the caller never waits for a file that takes GStreamer long to prepare.

#include "media/gstmediadevice.h"

#include "media/cdaudiodevice.h"
#include "media/midifile.h"
#include "media/pipelinehandover.h"
#include "media/videowindowrequest.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <gst/video/videooverlay.h>

#include <chrono>
#include <memory>
#include <thread>

namespace {

// Now and then a parser pushes before the decoder behind it is linked and the pipeline never gets
// ready (AIFF files did this in a few opens in a hundred). Short tries with fresh pipelines cost a
// moment where that strikes; the last try waits as long as the caller does, for slow media.
constexpr int kAiffTries = 3;
constexpr int kAiffTryMs = 3000;
constexpr int kDurationWaitMs = 500;
constexpr int kDurationPollMs = 20;

// How long a video sink waits for its window: less than a state change or a preroll try may take, so
// that a GUI thread held elsewhere costs the sink its window, never the file.
constexpr std::chrono::milliseconds kWindowWait(2000);
// The name of the bus message that wakes the GUI thread for a window.
constexpr char kWindowWanted[] = "velmaro-video-window-wanted";

// Debian's General MIDI SoundFonts, the packaged default first.
const char* const kSoundFonts[] = {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                                   "/usr/share/sounds/sf2/TimGM6mb.sf2"};

QByteArray headOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(12) : QByteArray();
}

bool hasProperty(GstElement* element, const char* name) {
    return g_object_class_find_property(G_OBJECT_GET_CLASS(element), name) != nullptr;
}

using SharedWindowRequest = std::shared_ptr<VideoWindowRequest>;

// On the streaming thread of a video sink that needs a window.
GstBusSyncReply onSyncMessage(GstBus* bus, GstMessage* message, gpointer data) {
    if (!gst_is_video_overlay_prepare_window_handle_message(message)) {
        return GST_BUS_PASS;
    }
    const SharedWindowRequest request = *static_cast<SharedWindowRequest*>(data);
    const quintptr handle = request->awaitWindow(
        [bus] { gst_bus_post(bus, gst_message_new_application(nullptr, gst_structure_new_empty(kWindowWanted))); },
        kWindowWait);
    if (handle == 0) {
        return GST_BUS_PASS;
    }
    gst_video_overlay_set_window_handle(GST_VIDEO_OVERLAY(GST_MESSAGE_SRC(message)), handle);
    gst_message_unref(message);
    return GST_BUS_DROP;
}

}  // namespace

// "FORM", a size, then "AIFF" or "AIFC".
bool IsAiffFile(const QString& path) {
    const QByteArray head = headOf(path);
    return head.startsWith("FORM") && (head.mid(8) == "AIFF" || head.mid(8) == "AIFC");
}

bool IsMidiFile(const QString& path) {
    return MidiFile::isMidi(headOf(path));
}

void GstMediaDevice::onElementSetup(GstElement*, GstElement* element, gpointer) {
    GstElementFactory* factory = gst_element_get_factory(element);
    if (!factory || g_strcmp0(GST_OBJECT_NAME(factory), "fluiddec") != 0) {
        return;
    }
    // Set the SoundFont outright, so that a changed environment cannot leave MIDI silent, and play
    // louder than the synthesizer's quiet default.
    for (const char* font : kSoundFonts) {
        if (QFileInfo::exists(QString::fromLatin1(font)) && hasProperty(element, "soundfont")) {
            g_object_set(element, "soundfont", font, nullptr);
            break;
        }
    }
    if (hasProperty(element, "synth-gain")) {
        g_object_set(element, "synth-gain", 1.0, nullptr);
    }
}

void GstMediaDevice::beginOpen() {
    close();
    m_error.clear();
    m_isOpening = true;
    if (m_type == DeviceType::CDAudio) {
        m_cd->setTimeFormat(m_format);
        m_cd->beginOpen();
        return;
    }
    initialise();
    m_openingTries = 0;
    m_isAiff = IsAiffFile(QFileInfo(m_fileName).absoluteFilePath());
    startOpeningTry();
}

bool GstMediaDevice::isOpening() const {
    return m_isOpening;
}

// A fresh pipeline goes to PAUSED on a thread of its own; the bus says when it is ready or why not.
void GstMediaDevice::startOpeningTry() {
    ++m_openingTries;
    const QString problem = buildPipeline();
    if (!problem.isEmpty()) {
        // Answered later all the same, as every opening is.
        AnswerTicket::post(m_opening.current(), [this, problem] { failOpening(problem); });
        return;
    }
    GstBus* bus = gst_element_get_bus(m_pipeline);
    m_busWatch = gst_bus_add_watch(bus, onBusMessage, this);
    gst_object_unref(bus);
    m_isPrerolling = true;
    GstElement* pipeline = GST_ELEMENT(gst_object_ref(m_pipeline));
    std::thread([pipeline] {
        const GstStateChangeReturn result = gst_element_set_state(pipeline, GST_STATE_PAUSED);
        // An asynchronous change ends with ASYNC_DONE (or an error) on the bus; any other says so here.
        if (result != GST_STATE_CHANGE_ASYNC) {
            GstStructure* done = gst_structure_new(kStateChangeDone, "success", G_TYPE_BOOLEAN,
                                                   result != GST_STATE_CHANGE_FAILURE, nullptr);
            gst_element_post_message(pipeline, gst_message_new_application(GST_OBJECT(pipeline), done));
        }
        gst_object_unref(pipeline);
    }).detach();
    // AIFF gets short tries first; anything else waits until it is ready or the caller gives up.
    if (m_isAiff && m_openingTries < kAiffTries) {
        m_openingTry.start(kAiffTryMs);
    }
}

void GstMediaDevice::onOpeningTryElapsed() {
    if (!m_isPrerolling) {
        return;
    }
    releasePipeline();
    startOpeningTry();
}

QString GstMediaDevice::buildPipeline() {
    const QFileInfo file(m_fileName);
    if (!file.isFile()) {
        return QStringLiteral("The file \"%1\" was not found.").arg(m_fileName);
    }
    if (IsMidiFile(file.absoluteFilePath())) {
        const QString problem = MidiFile::structureProblem(file.absoluteFilePath());
        if (!problem.isEmpty()) {
            return problem;
        }
    }
    // GStreamer 1.22's playbin now and then never gets an AIFF file ready (its parser pushes before the
    // decoder behind it is linked); the newer playbin3 links differently and does not. AIFF has no
    // picture and no synthesizer, which are all this device needs playbin for.
    const char* const factory = m_isAiff ? "playbin3" : "playbin";
    m_pipeline = gst_element_factory_make(factory, nullptr);
    if (!m_pipeline) {
        return QStringLiteral("GStreamer's %1 element is missing (package gstreamer1.0-plugins-base).")
            .arg(QString::fromLatin1(factory));
    }
    GError* error = nullptr;
    gchar* uri = gst_filename_to_uri(QFile::encodeName(file.absoluteFilePath()).constData(), &error);
    if (!uri) {
        return TakeErrorMessage(error);
    }
    g_object_set(m_pipeline, "uri", uri, nullptr);
    g_free(uri);
    g_object_set(m_pipeline, "volume", m_volume, nullptr);
    if (g_signal_lookup("element-setup", G_OBJECT_TYPE(m_pipeline)) != 0) {
        g_signal_connect(m_pipeline, "element-setup", G_CALLBACK(onElementSetup), this);
    }
    QString sinkProblem;
    GstElement* audio = MakeSinkFromEnvironment("VELMARO_AUDIO_SINK", &sinkProblem);
    if (!audio && sinkProblem.isEmpty() && !m_isAiff) {
        // playbin's own choice, made here so that a handover can watch the sink.
        audio = gst_element_factory_make("autoaudiosink", nullptr);
    }
    if (audio) {
        g_object_set(m_pipeline, "audio-sink", audio, nullptr);
    }
    if (GstElement* video = MakeSinkFromEnvironment("VELMARO_VIDEO_SINK", &sinkProblem)) {
        g_object_set(m_pipeline, "video-sink", video, nullptr);
    }
    if (!sinkProblem.isEmpty()) {
        return sinkProblem;
    }
    if (!m_isAiff) {
        m_handover = PipelineHandover::attach(m_pipeline);
    }
    if (m_surfaceFactory) {
        // The surface is made when a sink asks for a window, which only a file with a picture does.
        m_windowRequest = std::make_shared<VideoWindowRequest>();
        GstBus* bus = gst_element_get_bus(m_pipeline);
        gst_bus_set_sync_handler(bus, onSyncMessage, new SharedWindowRequest(m_windowRequest),
                                 [](gpointer data) { delete static_cast<SharedWindowRequest*>(data); });
        gst_object_unref(bus);
    }
    return QString();
}

// Ready to play; some streams (MPEG audio without a header that says) know their length only after a
// few frames, which the opening waits for a moment.
void GstMediaDevice::prerolled() {
    m_isPrerolling = false;
    m_openingTry.stop();
    m_durationClock.start();
    awaitDuration();
}

// Asked again every few milliseconds: a stream learns its length without always saying so on the bus.
void GstMediaDevice::awaitDuration() {
    gint64 duration = 0;
    const bool known = gst_element_query_duration(m_pipeline, GST_FORMAT_TIME, &duration) && duration > 0;
    if (known || m_durationClock.elapsed() >= kDurationWaitMs) {
        finishOpening();
    } else {
        m_durationWait.start(kDurationPollMs);
    }
}

void GstMediaDevice::finishOpening() {
    if (!m_isOpening || m_isPrerolling || !m_pipeline) {
        return;
    }
    m_durationWait.stop();
    m_isOpening = false;
    gint videoStreams = 0;
    if (g_object_class_find_property(G_OBJECT_GET_CLASS(m_pipeline), "n-video")) {
        g_object_get(m_pipeline, "n-video", &videoStreams, nullptr);
    }
    m_hasVideo = videoStreams > 0;
    m_mode = Stopped;
    Q_EMIT opened();
}

void GstMediaDevice::failOpening(const QString& reason) {
    fail(reason);
    Q_EMIT openFailed(reason);
}

void GstMediaDevice::handleOpening(GstMessage* message) {
    switch (GST_MESSAGE_TYPE(message)) {
        case GST_MESSAGE_ASYNC_DONE:
        case GST_MESSAGE_EOS:  // a file with nothing to play is ready at once
            if (m_isPrerolling) {
                prerolled();
            }
            break;
        case GST_MESSAGE_DURATION_CHANGED:
            finishOpening();
            break;
        case GST_MESSAGE_ERROR: {
            GError* error = nullptr;
            gst_message_parse_error(message, &error, nullptr);
            failOpening(TakeErrorMessage(error));
            break;
        }
        case GST_MESSAGE_APPLICATION: {
            const GstStructure* structure = gst_message_get_structure(message);
            if (gst_structure_has_name(structure, kStateChangeDone)) {
                gboolean success = FALSE;
                gst_structure_get_boolean(structure, "success", &success);
                if (!success) {
                    failOpening(QStringLiteral("GStreamer could not open the file."));
                } else if (m_isPrerolling) {
                    prerolled();
                }
            } else {
                answerWindowRequest();  // the sink waits for it to get ready
            }
            break;
        }
        default:
            break;
    }
}
