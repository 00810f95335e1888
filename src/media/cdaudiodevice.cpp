#include "media/cdaudiodevice.h"

#include "media/cddrive.h"
#include "media/gstmediadevice.h"
#include "media/gststartup.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <thread>

namespace {

constexpr int kFramesPerSecond = 75;

qint64 msOfFrames(qint64 frames) {
    return frames * 1000 / kFramesPerSecond;
}

QString errorOf(GstMessage* message) {
    GError* error = nullptr;
    if (message) {
        gst_message_parse_error(message, &error, nullptr);
    }
    const QString text =
        error ? QString::fromUtf8(error->message) : QStringLiteral("The disc could not be read.");
    if (error) {
        g_error_free(error);
    }
    return text;
}

// On a thread of its own: prerolls a new pipeline, then plays the span [start, stop) of the stream.
QString startPipeline(GstElement* pipeline, bool isFresh, gint64 start, gint64 stop) {
    if (isFresh && (gst_element_set_state(pipeline, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE ||
                    gst_element_get_state(pipeline, nullptr, nullptr, GST_CLOCK_TIME_NONE) ==
                        GST_STATE_CHANGE_FAILURE)) {
        GstBus* bus = gst_element_get_bus(pipeline);
        GstMessage* message = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
        const QString failure = errorOf(message);
        if (message) {
            gst_message_unref(message);
        }
        gst_object_unref(bus);
        return failure;
    }
    if (!gst_element_seek(pipeline, 1.0, GST_FORMAT_TIME,
                          static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                          GST_SEEK_TYPE_SET, start, GST_SEEK_TYPE_SET, stop)) {
        return QStringLiteral("The disc could not be played from that position.");
    }
    if (gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        return QStringLiteral("The disc could not be played.");
    }
    return QString();
}

}  // namespace

CdAudioDevice::CdAudioDevice(QObject* parent) : QObject(parent) {
    SilenceCdio();
    m_openingWait.setSingleShot(true);
    connect(&m_openingWait, &QTimer::timeout, this, [this] { finishOpening(std::nullopt); });
    m_trayWait.setSingleShot(true);
    connect(&m_trayWait, &QTimer::timeout, this, [this] { finishTrayMove(std::nullopt); });
}

CdAudioDevice::~CdAudioDevice() {
    close();
}

std::optional<QByteArray> CdAudioDevice::tableSource() {
    m_toc = CdTableOfContents();
    m_isDiscGone = false;
    const bool isImageDrive = IsCdImage(m_drive);
    if (isImageDrive) {
        const CdImageDisc disc = CdImageDiscOf(m_drive);
        m_imageEjections = disc.ejections;
        if (disc.isEjected || !QFileInfo::exists(m_drive)) {
            return std::nullopt;
        }
    }
    return QFile::encodeName(isImageDrive ? CdImageKey(m_drive) : m_drive);
}

bool CdAudioDevice::readTableOfContents(std::chrono::milliseconds limit) {
    const std::optional<QByteArray> source = tableSource();
    if (!source) {
        return true;
    }
    const bool isImageDrive = IsCdImage(m_drive);
    const std::optional<CdTableOfContents> read = RunWithin<CdTableOfContents>(
        [source = *source, isImageDrive] { return ReadCdDisc(source, isImageDrive); }, limit);
    if (!read) {
        return fail(CdDriveNotAnswering(m_drive));
    }
    m_toc = *read;
    return true;
}

bool CdAudioDevice::fail(const QString& text) {
    m_error = text;
    return false;
}

bool CdAudioDevice::open() {
    const CdDriveDeadline deadline;
    close();
    m_error.clear();
    if (!readTableOfContents(deadline.left())) {
        return false;
    }
    m_isOpen = true;
    return true;
}

void CdAudioDevice::beginOpen() {
    close();
    m_error.clear();
    m_isOpening = true;
    const std::optional<QByteArray> source = tableSource();
    if (!source) {
        // Nothing to read: the answer still comes later, as every answer does.
        AnswerTicket::post(m_opening.current(), [this] { finishOpening(CdTableOfContents()); });
        return;
    }
    m_openingWait.start(static_cast<int>(kCdDriveWait.count()));
    const AnswerTicket::Weak ticket = m_opening.current();
    // A drive that never answers keeps its thread; the wait above ends the opening all the same.
    std::thread([ticket, source = *source, isImageDrive = IsCdImage(m_drive), this] {
        CdTableOfContents read = ReadCdDisc(source, isImageDrive);
        AnswerTicket::post(ticket, [this, read = std::move(read)] { finishOpening(read); });
    }).detach();
}

// The table read, or nothing when the drive did not answer within its wait.
void CdAudioDevice::finishOpening(const std::optional<CdTableOfContents>& read) {
    m_openingWait.stop();
    m_opening.renew();
    m_isOpening = false;
    if (!read) {
        fail(CdDriveNotAnswering(m_drive));
        Q_EMIT openFailed(m_error);
        return;
    }
    m_toc = *read;
    m_isOpen = true;
    Q_EMIT opened();
}

void CdAudioDevice::close() {
    cancelTrayMove();
    m_openingWait.stop();
    m_opening.renew();
    m_isOpening = false;
    releasePipeline();
    m_isOpen = false;
    m_toc = CdTableOfContents();
    m_mode = MediaDevice::Stopped;
    m_start = m_end = -1;
    m_positionMs = 0;
    m_spanEndMs = -1;
    m_playbackFailure.clear();
}

void CdAudioDevice::releasePipeline() {
    if (m_busWatch) {
        g_source_remove(m_busWatch);
        m_busWatch = 0;
    }
    if (m_pipeline) {
        bool stuck = false;
        SetPipelineStateWithin(m_pipeline, GST_STATE_NULL, &stuck);
        gst_object_unref(m_pipeline);
        m_pipeline = nullptr;
    }
}

GstElement* CdAudioDevice::makePipeline() {
    GstElement* source = gst_element_factory_make("cdiocddasrc", nullptr);
    if (!source) {
        fail(QStringLiteral(
            "GStreamer's cdiocddasrc element is missing (package gstreamer1.0-plugins-ugly)."));
        return nullptr;
    }
    g_object_set(source, "device", QFile::encodeName(m_toc.device).constData(), nullptr);
    // One stream over every audio track, so that a span runs on across tracks to the end of the disc.
    gst_util_set_object_arg(G_OBJECT(source), "mode", "continuous");
    GstElement* sink = MakeSinkFromEnvironment("VELMARO_AUDIO_SINK", &m_error);
    if (!sink && m_error.isEmpty()) {
        sink = gst_element_factory_make("autoaudiosink", nullptr);
    }
    GstElement* convert = gst_element_factory_make("audioconvert", nullptr);
    GstElement* resample = gst_element_factory_make("audioresample", nullptr);
    GstElement* volume = gst_element_factory_make("volume", nullptr);
    GstElement* pipeline = gst_pipeline_new(nullptr);
    if (!sink || !convert || !resample || !volume) {
        for (GstElement* element : {source, sink, convert, resample, volume, pipeline}) {
            if (element) {
                gst_object_unref(gst_object_ref_sink(element));
            }
        }
        if (m_error.isEmpty()) {
            m_error =
                QStringLiteral("GStreamer's audio elements are missing (package gstreamer1.0-plugins-base).");
        }
        return nullptr;
    }
    g_object_set(volume, "volume", m_volume, nullptr);
    gst_object_set_name(GST_OBJECT(volume), "loudness");
    gst_bin_add_many(GST_BIN(pipeline), source, convert, resample, volume, sink, nullptr);
    gst_element_link_many(source, convert, resample, volume, sink, nullptr);
    return pipeline;
}

void CdAudioDevice::setVolume(double volume) {
    m_volume = volume;
    if (m_pipeline) {
        if (GstElement* loudness = gst_bin_get_by_name(GST_BIN(m_pipeline), "loudness")) {
            g_object_set(loudness, "volume", m_volume, nullptr);
            gst_object_unref(loudness);
        }
    }
}

bool CdAudioDevice::play() {
    const CdDriveDeadline deadline;
    if (!m_isOpen) {
        return fail(QStringLiteral("The CD audio device is not open."));
    }
    if (!hasDisc()) {
        return fail(QStringLiteral("There is no disc in the drive."));
    }
    const qint64 discEnd = msOfFrames(m_toc.leadOutFrame);
    const bool isFromStartPosition = m_start >= 0;
    qint64 from = std::clamp<qint64>(isFromStartPosition ? toMs(m_start, true) : positionMs(), 0, discEnd);
    qint64 to = std::clamp<qint64>(m_end >= 0 ? toMs(m_end, true) : discEnd, 0, discEnd);
    m_start = m_end = -1;
    int track = trackAt(from);
    const int dataTrack = track > 0 && !m_toc.tracks[track - 1].isAudio ? track : 0;
    // Playing on from where the disc stands skips data, as at the start of a disc whose first track
    // holds data; a span asked to start in a data track is refused.
    while (!isFromStartPosition && track > 0 && track < m_toc.tracks.size() &&
           !m_toc.tracks[track - 1].isAudio) {
        from = trackStartMs(++track);
    }
    if (track > 0 && !m_toc.tracks[track - 1].isAudio) {
        return fail(QStringLiteral("Track %1 is a data track and cannot be played.").arg(dataTrack));
    }
    // A span ends at the first data track after its start: data is never sent to the sound output.
    for (int t = track; t < m_toc.tracks.size(); ++t) {
        if (!m_toc.tracks[t].isAudio) {
            to = std::min(to, msOfFrames(m_toc.tracks[t].startFrame));
            break;
        }
    }
    if (to <= from) {
        stop();
        m_positionMs = from;
        QMetaObject::invokeMethod(this, &CdAudioDevice::modeChanged, Qt::QueuedConnection);
        return true;
    }
    return startSpan(from, to, deadline.left());
}

bool CdAudioDevice::startSpan(qint64 from, qint64 to, std::chrono::milliseconds limit) {
    GstStartup::waitUntilReady();
    const bool isFresh = m_pipeline == nullptr;
    if (isFresh && !(m_pipeline = makePipeline())) {
        return false;
    }
    // Starting reads the disc, which a slow or broken drive may make wait for ever: the whole start
    // runs on a thread of its own, which takes the pipeline down itself when it finishes too late.
    struct Handover {
        std::mutex mutex;
        bool isFinished = false;
        bool isAbandoned = false;
    };
    auto handover = std::make_shared<Handover>();
    GstElement* pipeline = GST_ELEMENT(gst_object_ref(m_pipeline));
    const gint64 start = pipelineTimeOf(from) * GST_MSECOND;
    const gint64 stop = pipelineTimeOf(to) * GST_MSECOND;
    std::function<QString()> work = [pipeline, isFresh, start, stop, handover] {
        const QString failure = startPipeline(pipeline, isFresh, start, stop);
        bool isAbandoned = false;
        {
            const std::lock_guard lock(handover->mutex);
            handover->isFinished = true;
            isAbandoned = handover->isAbandoned;
        }
        if (isAbandoned) {
            gst_element_set_state(pipeline, GST_STATE_NULL);
        }
        gst_object_unref(pipeline);
        return failure;
    };
    const std::optional<QString> failure = RunWithin(std::move(work), limit);
    if (!failure || !failure->isEmpty()) {
        bool isLeftToThread = false;
        if (!failure) {
            const std::lock_guard lock(handover->mutex);
            handover->isAbandoned = !handover->isFinished;
            isLeftToThread = handover->isAbandoned;
        }
        if (isLeftToThread) {
            // The thread may still hold the stream: no state change waits on it here.
            if (m_busWatch) {
                g_source_remove(m_busWatch);
                m_busWatch = 0;
            }
            gst_object_unref(m_pipeline);
            m_pipeline = nullptr;
        } else {
            releasePipeline();
        }
        m_mode = MediaDevice::Stopped;
        m_positionMs = from;
        return fail(failure ? *failure : CdDriveNotAnswering(m_drive));
    }
    if (isFresh) {
        GstBus* bus = gst_element_get_bus(m_pipeline);
        m_busWatch = gst_bus_add_watch(bus, onBusMessage, this);
        gst_object_unref(bus);
    }
    m_playbackFailure.clear();
    m_positionMs = from;
    m_spanEndMs = to;
    m_mode = MediaDevice::Playing;
    return true;
}

void CdAudioDevice::stop() {
    if (m_mode != MediaDevice::Playing) {
        return;
    }
    m_positionMs = positionMs();
    m_mode = MediaDevice::Stopped;
    bool stuck = false;
    SetPipelineStateWithin(m_pipeline, GST_STATE_PAUSED, &stuck);
    if (stuck) {
        releasePipeline();
    }
}

void CdAudioDevice::pause() {
    stop();
}

void CdAudioDevice::resume() {
    if (hasDisc() && m_mode == MediaDevice::Stopped && m_spanEndMs > m_positionMs) {
        startSpan(m_positionMs, m_spanEndMs, kCdDriveWait);
    }
}

qint64 CdAudioDevice::positionMs() const {
    gint64 position = 0;
    if (m_mode == MediaDevice::Playing && m_pipeline &&
        gst_element_query_position(m_pipeline, GST_FORMAT_TIME, &position)) {
        return discTimeOf(position / GST_MSECOND);
    }
    return m_positionMs;
}

qint64 CdAudioDevice::position() const {
    return m_isOpen ? fromMs(positionMs(), true) : -1;
}

bool CdAudioDevice::seek(qint64 position) {
    if (!hasDisc()) {
        return false;
    }
    stop();
    m_positionMs = std::clamp<qint64>(toMs(position, true), 0, msOfFrames(m_toc.leadOutFrame));
    m_spanEndMs = -1;
    return true;
}

qint64 CdAudioDevice::length() const {
    return m_isOpen ? fromMs(msOfFrames(hasDisc() ? m_toc.leadOutFrame : 0), false) : -1;
}

int CdAudioDevice::mode() const {
    if (!m_isOpen) {
        return -1;
    }
    if (hasDisc() && isDiscTakenOut()) {
        m_isDiscGone = true;
        if (m_mode == MediaDevice::Playing) {
            // Announced after the caller has returned, as a failure from the bus is.
            QMetaObject::invokeMethod(const_cast<CdAudioDevice*>(this), &CdAudioDevice::stopForDiscTakenOut,
                                      Qt::QueuedConnection);
        }
    }
    return hasDisc() ? m_mode : MediaDevice::Open;
}

bool CdAudioDevice::isDiscTakenOut() const {
    if (!IsCdImage(m_drive)) {
        return m_toc.watch && m_toc.watch->hasDiscLeft();
    }
    return CdImageDiscOf(m_drive).ejections != m_imageEjections || !QFileInfo::exists(m_drive);
}

void CdAudioDevice::stopForDiscTakenOut() {
    if (!m_isDiscGone || m_mode != MediaDevice::Playing) {
        return;
    }
    m_positionMs = positionMs();
    m_mode = MediaDevice::Stopped;
    m_spanEndMs = -1;
    releasePipeline();
    m_error = m_playbackFailure = QStringLiteral("The disc was taken out of the drive.");
    Q_EMIT modeChanged();
}

qint64 CdAudioDevice::trackLength(int track) const {
    if (track < 1 || track > trackCount()) {
        return -1;
    }
    const int end = track < trackCount() ? m_toc.tracks[track].startFrame : m_toc.leadOutFrame;
    return fromMs(msOfFrames(end - m_toc.tracks[track - 1].startFrame), false);
}

qint64 CdAudioDevice::trackPosition(int track) const {
    return track >= 1 && track <= trackCount() ? fromMs(trackStartMs(track), true) : -1;
}

qint64 CdAudioDevice::trackStartMs(int track) const {
    return track >= 1 && track <= m_toc.tracks.size() ? msOfFrames(m_toc.tracks[track - 1].startFrame) : 0;
}

int CdAudioDevice::trackAt(qint64 discMs) const {
    int track = 0;
    while (track < m_toc.tracks.size() && msOfFrames(m_toc.tracks[track].startFrame) <= discMs) {
        ++track;
    }
    return track;
}

// Continuous play counts the audio tracks one after another: a data track takes no time there.
qint64 CdAudioDevice::pipelineTimeOf(qint64 discMs) const {
    qint64 audio = 0;
    for (int t = 1; t <= m_toc.tracks.size(); ++t) {
        if (!m_toc.tracks[t - 1].isAudio) {
            continue;
        }
        const qint64 start = trackStartMs(t);
        const qint64 end = t < m_toc.tracks.size() ? trackStartMs(t + 1) : msOfFrames(m_toc.leadOutFrame);
        if (discMs < end) {
            return audio + std::max<qint64>(discMs - start, 0);
        }
        audio += end - start;
    }
    return audio;
}

qint64 CdAudioDevice::discTimeOf(qint64 pipelineMs) const {
    qint64 audio = 0;
    qint64 lastEnd = 0;
    for (int t = 1; t <= m_toc.tracks.size(); ++t) {
        if (!m_toc.tracks[t - 1].isAudio) {
            continue;
        }
        const qint64 start = trackStartMs(t);
        lastEnd = t < m_toc.tracks.size() ? trackStartMs(t + 1) : msOfFrames(m_toc.leadOutFrame);
        if (pipelineMs < audio + lastEnd - start) {
            return start + pipelineMs - audio;
        }
        audio += lastEnd - start;
    }
    return lastEnd;
}

// TMSF positions pack track, minute, second and frame from the low byte up, within the track; MSF
// lengths pack minute, second and frame.
qint64 CdAudioDevice::toMs(qint64 value, bool isPosition) const {
    if (m_format == MediaDevice::TimeFormat::Milliseconds) {
        return value;
    }
    const int shift = isPosition ? 8 : 0;
    const qint64 track = isPosition ? (value & 0xff) : 0;
    const qint64 minutes = (value >> shift) & 0xff;
    const qint64 seconds = (value >> (shift + 8)) & 0xff;
    const qint64 frames = (value >> (shift + 16)) & 0xff;
    return (isPosition ? trackStartMs(static_cast<int>(track)) : 0) + minutes * 60000 + seconds * 1000 +
           msOfFrames(frames);
}

qint64 CdAudioDevice::fromMs(qint64 ms, bool isPosition) const {
    if (m_format == MediaDevice::TimeFormat::Milliseconds) {
        return ms;
    }
    const int track = isPosition ? std::max(trackAt(ms), 1) : 0;
    const qint64 within = ms - (isPosition ? trackStartMs(track) : 0);
    const qint64 msf =
        (within / 60000) | ((within / 1000 % 60) << 8) | ((within % 1000 * kFramesPerSecond / 1000) << 16);
    return isPosition ? (track | (msf << 8)) : msf;
}

gboolean CdAudioDevice::onBusMessage(GstBus*, GstMessage* message, gpointer self) {
    static_cast<CdAudioDevice*>(self)->handleBusMessage(message);
    return TRUE;
}

void CdAudioDevice::handleBusMessage(GstMessage* message) {
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS) {
        m_positionMs = m_spanEndMs;
        m_mode = MediaDevice::Stopped;
        bool stuck = false;
        SetPipelineStateWithin(m_pipeline, GST_STATE_PAUSED, &stuck);
        if (stuck) {
            releasePipeline();
        }
        Q_EMIT modeChanged();
    } else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
        m_error = errorOf(message);
        m_playbackFailure = m_error;
        m_positionMs = positionMs();
        m_mode = MediaDevice::Stopped;
        // A source that failed does not start again; the next play builds a new one.
        releasePipeline();
        Q_EMIT modeChanged();
    }
}
