#include "media/gstmediadevice.h"

#include "media/cdaudiodevice.h"
#include "media/gststartup.h"
#include "media/mainthreadanswer.h"
#include "media/midifile.h"
#include "media/videowindowrequest.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <gst/pbutils/pbutils.h>
#include <gst/video/video.h>
#include <gst/video/videooverlay.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <future>
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
// The application message that says how a state change that did not go asynchronously ended.
constexpr char kStateChangeDone[] = "velmaro-state-change-done";
// A state change waits on the streaming threads; one stuck in a plug-in would hold the window forever.
constexpr std::chrono::milliseconds kStateChangeWait(3000);

// How long a video sink waits for its window: less than a state change or a preroll try may take, so
// that a GUI thread held elsewhere costs the sink its window, never the file.
constexpr std::chrono::milliseconds kWindowWait(2000);
// The name of the bus message that wakes the GUI thread for a window.
constexpr char kWindowWanted[] = "velmaro-video-window-wanted";

// Debian's General MIDI SoundFonts, the packaged default first.
const char* const kSoundFonts[] = {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                                   "/usr/share/sounds/sf2/TimGM6mb.sf2"};

QString messageOf(GError* error) {
    const QString text = error && error->message ? QString::fromUtf8(error->message) : QStringLiteral("Unknown error");
    if (error) {
        g_error_free(error);
    }
    return text;
}

QByteArray headOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(12) : QByteArray();
}

// "FORM", a size, then "AIFF" or "AIFC".
bool isAiff(const QString& path) {
    const QByteArray head = headOf(path);
    return head.startsWith("FORM") && (head.mid(8) == "AIFF" || head.mid(8) == "AIFC");
}

bool isMidiFile(const QString& path) {
    return MidiFile::isMidi(headOf(path));
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

GstStateChangeReturn SetPipelineStateWithin(GstElement* pipeline, GstState state, bool* stuck) {
    auto result = std::make_shared<std::promise<GstStateChangeReturn>>();
    std::future<GstStateChangeReturn> done = result->get_future();
    gst_object_ref(pipeline);
    std::thread([pipeline, state, result] {
        result->set_value(gst_element_set_state(pipeline, state));
        gst_object_unref(pipeline);
    }).detach();
    *stuck = done.wait_for(kStateChangeWait) != std::future_status::ready;
    return *stuck ? GST_STATE_CHANGE_FAILURE : done.get();
}

void GstMediaDevice::initialise() {
    GstStartup::waitUntilReady();
}

// GStreamer is needed from the first open on, not before: the window does not wait for it.
GstMediaDevice::GstMediaDevice(QObject* parent) : MediaDevice(parent), m_cd(std::make_unique<CdAudioDevice>()) {
    connect(m_cd.get(), &CdAudioDevice::modeChanged, this, &MediaDevice::modeChanged);
    connect(m_cd.get(), &CdAudioDevice::opened, this, [this] {
        m_isOpening = false;
        Q_EMIT opened();
    });
    connect(m_cd.get(), &CdAudioDevice::openFailed, this, [this](const QString& reason) {
        m_isOpening = false;
        Q_EMIT openFailed(reason);
    });
    connect(m_cd.get(), &CdAudioDevice::trayMoved, this, &MediaDevice::trayMoved);
    m_openingTry.setSingleShot(true);
    connect(&m_openingTry, &QTimer::timeout, this, &GstMediaDevice::onOpeningTryElapsed);
    m_durationWait.setSingleShot(true);
    connect(&m_durationWait, &QTimer::timeout, this, &GstMediaDevice::awaitDuration);
}

GstMediaDevice::~GstMediaDevice() {
    close();
}

bool GstMediaDevice::fail(const QString& text) {
    m_error = text;
    close();
    m_error = text;  // close() leaves the reason for the caller
    return false;
}

GstElement* MakeSinkFromEnvironment(const char* variable, QString* error) {
    const QByteArray description = qgetenv(variable);
    if (description.isEmpty()) {
        return nullptr;
    }
    GError* parseError = nullptr;
    GstElement* sink = gst_parse_bin_from_description(description.constData(), TRUE, &parseError);
    if (!sink) {
        *error = QStringLiteral("%1 is not a usable sink: %2").arg(QString::fromLatin1(variable), messageOf(parseError));
        return nullptr;
    }
    if (parseError) {
        g_error_free(parseError);
    }
    return sink;
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

void GstMediaDevice::setCdDrive(const QString& drive) {
    m_cd->setDrive(drive);
}

bool GstMediaDevice::isCdActive() const {
    return m_cd->isOpen() || (m_type == DeviceType::CDAudio && !m_pipeline);
}

bool GstMediaDevice::open() {
    Q_ASSERT(m_type == DeviceType::CDAudio);  // a file opens with beginOpen, however long it takes
    close();
    m_error.clear();
    m_cd->setTimeFormat(m_format);
    return m_cd->open();
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
    m_isAiff = isAiff(QFileInfo(m_fileName).absoluteFilePath());
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
    if (isMidiFile(file.absoluteFilePath())) {
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
        return messageOf(error);
    }
    g_object_set(m_pipeline, "uri", uri, nullptr);
    g_free(uri);
    g_object_set(m_pipeline, "volume", m_volume, nullptr);
    if (g_signal_lookup("element-setup", G_OBJECT_TYPE(m_pipeline)) != 0) {
        g_signal_connect(m_pipeline, "element-setup", G_CALLBACK(onElementSetup), this);
    }
    QString sinkProblem;
    if (GstElement* audio = MakeSinkFromEnvironment("VELMARO_AUDIO_SINK", &sinkProblem)) {
        g_object_set(m_pipeline, "audio-sink", audio, nullptr);
    }
    if (GstElement* video = MakeSinkFromEnvironment("VELMARO_VIDEO_SINK", &sinkProblem)) {
        g_object_set(m_pipeline, "video-sink", video, nullptr);
    }
    if (!sinkProblem.isEmpty()) {
        return sinkProblem;
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

GstStateChangeReturn GstMediaDevice::setState(GstState state) {
    const bool opened = m_mode != NotReady;
    bool stuck = false;
    const GstStateChangeReturn result = SetPipelineStateWithin(m_pipeline, state, &stuck);
    if (stuck) {
        // The pipeline is left to its thread; the file counts as failed.
        close();
        m_error = QStringLiteral("GStreamer stopped answering while handling this file; Velmaro closed it.");
        if (opened) {
            m_playbackFailure = m_error;
            // Announced the way a failure from the bus is, after the caller has returned.
            QMetaObject::invokeMethod(this, &MediaDevice::modeChanged, Qt::QueuedConnection);
        }
    }
    return result;
}

void GstMediaDevice::close() {
    m_isOpening = false;
    m_opening.renew();
    m_openingTry.stop();
    m_durationWait.stop();
    m_cd->close();
    releasePipeline();  // before the pipeline counts as ready: one still getting ready is not waited for
    m_isPrerolling = false;
    m_surface.reset();
    m_playbackFailure.clear();
    m_mode = NotReady;
    m_hasVideo = false;
    m_length = -1;
    m_start = m_end = -1;
}

// A pipeline still getting ready may be stuck in a plug-in: it is let go without waiting at all.
void GstMediaDevice::releasePipeline() {
    if (m_busWatch) {
        g_source_remove(m_busWatch);
        m_busWatch = 0;
    }
    if (m_windowRequest) {
        m_windowRequest->close();
        m_windowRequest.reset();
    }
    if (m_pipeline) {
        // The pipeline may outlive this device on the thread that stops it: nothing of it calls back here.
        GstBus* bus = gst_element_get_bus(m_pipeline);
        gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
        gst_object_unref(bus);
        g_signal_handlers_disconnect_by_data(m_pipeline, this);
        if (m_isPrerolling) {
            std::thread([pipeline = m_pipeline] {
                gst_element_set_state(pipeline, GST_STATE_NULL);
                gst_object_unref(pipeline);
            }).detach();
        } else {
            bool stuck = false;
            SetPipelineStateWithin(m_pipeline, GST_STATE_NULL, &stuck);
            gst_object_unref(m_pipeline);
        }
        m_pipeline = nullptr;
    }
}

bool GstMediaDevice::isOpen() const {
    return m_pipeline != nullptr || m_cd->isOpen();
}

bool GstMediaDevice::play() {
    if (isCdActive()) {
        return m_cd->play();
    }
    if (!m_pipeline) {
        m_error = QStringLiteral("No file is open.");
        return false;
    }
    if (m_start >= 0 || m_end >= 0) {
        const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
        gst_element_seek(m_pipeline, 1.0, GST_FORMAT_TIME, flags, m_start >= 0 ? GST_SEEK_TYPE_SET : GST_SEEK_TYPE_NONE,
                         m_start >= 0 ? m_start * GST_MSECOND : 0, m_end >= 0 ? GST_SEEK_TYPE_SET : GST_SEEK_TYPE_NONE,
                         m_end >= 0 ? m_end * GST_MSECOND : 0);
        m_start = m_end = -1;
    }
    if (setState(GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        if (m_error.isEmpty()) {
            m_error = QStringLiteral("GStreamer could not start playing the file.");
        }
        return false;
    }
    m_playbackFailure.clear();
    m_mode = Playing;
    if (m_hasVideo && m_surface) {
        m_surface->showRaised();
    }
    return true;
}

void GstMediaDevice::stop() {
    if (isCdActive()) {
        m_cd->stop();
    } else if (m_pipeline) {
        m_mode = Stopped;
        setState(GST_STATE_PAUSED);
    }
}

void GstMediaDevice::pause() {
    if (isCdActive()) {
        m_cd->pause();
    } else if (m_mode == Playing) {
        m_mode = Paused;
        setState(GST_STATE_PAUSED);
    } else if (m_mode == Paused) {
        resume();
    }
}

void GstMediaDevice::resume() {
    if (isCdActive()) {
        m_cd->resume();
    } else if (m_mode == Paused) {
        m_mode = Playing;
        setState(GST_STATE_PLAYING);
    }
}

void GstMediaDevice::setTimeFormat(TimeFormat format) {
    m_format = format;
    m_cd->setTimeFormat(format);
}

void GstMediaDevice::setStartPosition(qint64 position) {
    if (isCdActive()) {
        m_cd->setStartPosition(position);
    } else {
        m_start = position;
    }
}

void GstMediaDevice::setEndPosition(qint64 position) {
    if (isCdActive()) {
        m_cd->setEndPosition(position);
    } else {
        m_end = position;
    }
}

qint64 GstMediaDevice::position() const {
    if (isCdActive()) {
        return m_cd->position();
    }
    gint64 position = 0;
    if (!m_pipeline || !gst_element_query_position(m_pipeline, GST_FORMAT_TIME, &position)) {
        return m_pipeline ? 0 : -1;
    }
    return position / GST_MSECOND;
}

bool GstMediaDevice::seek(qint64 position) {
    if (isCdActive()) {
        return m_cd->seek(position);
    }
    if (!m_pipeline) {
        return false;
    }
    const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    return gst_element_seek_simple(m_pipeline, GST_FORMAT_TIME, flags, std::max<qint64>(0, position) * GST_MSECOND);
}

qint64 GstMediaDevice::length() const {
    if (isCdActive()) {
        return m_cd->length();
    }
    if (!m_pipeline) {
        return -1;
    }
    gint64 duration = 0;
    if (gst_element_query_duration(m_pipeline, GST_FORMAT_TIME, &duration) && duration > 0) {
        m_length = duration / GST_MSECOND;
    }
    return std::max<qint64>(m_length, 0);
}

int GstMediaDevice::mode() const {
    if (isCdActive()) {
        return m_cd->mode();
    }
    return m_pipeline ? m_mode : -1;
}

int GstMediaDevice::trackCount() const {
    return isCdActive() ? m_cd->trackCount() : 0;
}

qint64 GstMediaDevice::trackLength(int track) const {
    return isCdActive() ? m_cd->trackLength(track) : -1;
}

qint64 GstMediaDevice::trackPosition(int track) const {
    return isCdActive() ? m_cd->trackPosition(track) : -1;
}

QStringList GstMediaDevice::cdText() const {
    return isCdActive() ? m_cd->cdText() : QStringList();
}

QString GstMediaDevice::errorText() const {
    return isCdActive() ? m_cd->errorText() : m_error;
}

QString GstMediaDevice::playbackFailure() const {
    return isCdActive() ? m_cd->playbackFailure() : m_playbackFailure;
}

// The tray moves whatever is open, as long as the device is meant for the disc.
bool GstMediaDevice::eject() {
    return (m_type == DeviceType::CDAudio || m_cd->isOpen()) && m_cd->eject();
}

bool GstMediaDevice::closeDoor() {
    return (m_type == DeviceType::CDAudio || m_cd->isOpen()) && m_cd->closeDoor();
}

void GstMediaDevice::setVolume(double volume) {
    m_volume = std::clamp(volume, 0.0, 1.0);
    m_cd->setVolume(m_volume);
    if (m_pipeline) {
        g_object_set(m_pipeline, "volume", m_volume, nullptr);
    }
}

void GstMediaDevice::beginMoveTray(bool closeTray) {
    m_cd->beginMoveTray(closeTray);
}

bool GstMediaDevice::isMovingTray() const {
    return m_cd->isMovingTray();
}

void GstMediaDevice::sizeVideoWindow(double factor) {
    if (!m_pipeline || !m_surface || !m_hasVideo) {
        return;
    }
    GstPad* pad = nullptr;
    g_signal_emit_by_name(m_pipeline, "get-video-pad", 0, &pad);
    if (!pad) {
        return;
    }
    GstCaps* caps = gst_pad_get_current_caps(pad);
    GstVideoInfo info;
    if (caps && gst_video_info_from_caps(&info, caps)) {
        const int width = info.par_d > 0 ? static_cast<int>(std::lround(1.0 * info.width * info.par_n / info.par_d)) : info.width;
        m_surface->scaleTo(QSize(width, info.height), factor);
    }
    if (caps) {
        gst_caps_unref(caps);
    }
    gst_object_unref(pad);
}

gboolean GstMediaDevice::onBusMessage(GstBus*, GstMessage* message, gpointer self) {
    static_cast<GstMediaDevice*>(self)->handleAsync(message);
    return TRUE;
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
            failOpening(messageOf(error));
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

void GstMediaDevice::handleAsync(GstMessage* message) {
    if (m_isOpening) {
        handleOpening(message);
        return;
    }
    switch (GST_MESSAGE_TYPE(message)) {
        case GST_MESSAGE_EOS:
            // Stopped at the end; the position stays where it is, as a stopped device's does.
            m_mode = Stopped;
            setState(GST_STATE_PAUSED);
            Q_EMIT modeChanged();
            break;
        case GST_MESSAGE_ERROR: {
            GError* error = nullptr;
            gst_message_parse_error(message, &error, nullptr);
            m_error = messageOf(error);
            // Failing while playing is no end of the item: the controller tells the user.
            m_playbackFailure = m_error;
            m_mode = Stopped;
            setState(GST_STATE_PAUSED);
            Q_EMIT modeChanged();
            break;
        }
        case GST_MESSAGE_APPLICATION:
            if (!gst_structure_has_name(gst_message_get_structure(message), kStateChangeDone)) {
                answerWindowRequest();
            }
            break;
        default:
            break;
    }
}

void GstMediaDevice::answerWindowRequest() {
    if (!m_windowRequest) {
        return;
    }
    m_windowRequest->answer([this] {
        m_surface = m_surfaceFactory ? m_surfaceFactory(m_fileName) : nullptr;
        return m_surface ? m_surface->nativeWindow() : quintptr(0);
    });
}
