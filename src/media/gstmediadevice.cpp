#include "media/gstmediadevice.h"

#include "media/cdaudiodevice.h"
#include "media/gststartup.h"
#include "media/pipelinehandover.h"
#include "media/videowindowrequest.h"

#include <gst/video/video.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <future>
#include <memory>
#include <thread>

namespace {

// A state change waits on the streaming threads; one stuck in a plug-in would hold the window forever.
constexpr std::chrono::milliseconds kStateChangeWait(3000);

}  // namespace

QString TakeErrorMessage(GError* error) {
    const QString text = error && error->message ? QString::fromUtf8(error->message) : QStringLiteral("Unknown error");
    if (error) {
        g_error_free(error);
    }
    return text;
}

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
        *error = QStringLiteral("%1 is not a usable sink: %2").arg(QString::fromLatin1(variable), TakeErrorMessage(parseError));
        return nullptr;
    }
    if (parseError) {
        g_error_free(parseError);
    }
    return sink;
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
    m_restartSeek = -1;
    m_restartPlays = false;
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
        if (m_handover) {
            m_handover->detach();
            m_handover.reset();
        }
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
    m_queuedPath.clear();
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
    if (m_restartSeek >= 0) {
        // Plays once the restarted pipeline is ready and at its place.
        m_restartPlays = true;
        m_playbackFailure.clear();
        m_mode = Playing;
        return true;
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
        m_restartPlays = false;
        setState(GST_STATE_PAUSED);
    }
}

void GstMediaDevice::pause() {
    if (isCdActive()) {
        m_cd->pause();
    } else if (m_mode == Playing) {
        m_mode = Paused;
        m_restartPlays = false;
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
        if (m_restartSeek >= 0) {
            m_restartPlays = true;
        } else {
            setState(GST_STATE_PLAYING);
        }
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
    if (m_restartSeek >= 0 || (m_handover && m_handover->isArmed())) {
        return restartAt(std::max<qint64>(0, position));
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

void GstMediaDevice::handleAsync(GstMessage* message) {
    if (m_isOpening) {
        handleOpening(message);
        return;
    }
    if (handleHandover(message)) {
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
            m_error = TakeErrorMessage(error);
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
