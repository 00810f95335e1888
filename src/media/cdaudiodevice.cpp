#include "media/cdaudiodevice.h"

#include "core/cdaudio/cddatabasesave.h"
#include "core/common/textfile.h"
#include "media/gstmediadevice.h"
#include "media/gststartup.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMetaObject>

#include <cdio/cdio.h>
#include <cdio/cdtext.h>
#include <cdio/logging.h>

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace {

constexpr int kFramesPerSecond = 75;
// A drive that spins up answers within a few seconds. The window must never wait ten: this leaves
// room for one bounded pipeline state change after it.
constexpr std::chrono::milliseconds kDriveWait(7000);

qint64 msOfFrames(qint64 frames) {
    return frames * 1000 / kFramesPerSecond;
}

bool isImage(const QString& drive) {
    return drive.endsWith(QStringLiteral(".cue"), Qt::CaseInsensitive);
}

// A drive asked whether its disc is still there answers within milliseconds; one that is busy is
// heard on a later call, so the poll of a playing disc never holds the window.
constexpr std::chrono::milliseconds kTrayQuestionWait(50);

// The disc of an image, by the image's absolute path: the drive an image stands for is one for every
// device of the program, as a real drive is. Used on the GUI thread only.
struct ImageDisc {
    bool isEjected = false;
    quint64 ejections = 0;  // a device that read the disc before the last one knows it was taken out
};

QHash<QString, ImageDisc>& imageDiscs() {
    static QHash<QString, ImageDisc> discs;
    return discs;
}

QString imageKey(const QString& drive) {
    return QFileInfo(drive).absoluteFilePath();
}

void quietCdioLog(cdio_log_level_t, const char*) {}

// libcdio writes every image or drive it cannot open to stderr; what matters reaches the user
// through the device's own messages.
void silenceCdio() {
    static std::once_flag once;
    std::call_once(once, [] { cdio_log_set_handler(quietCdioLog); });
}

// Runs work on a thread of its own and waits for it at most limit; nothing when it did not finish.
// Work that does not finish goes on unobserved, holding whatever its function object holds.
template <typename Result>
std::optional<Result> runWithin(std::function<Result()> work, std::chrono::milliseconds limit) {
    auto promise = std::make_shared<std::promise<Result>>();
    std::future<Result> done = promise->get_future();
    std::thread([work = std::move(work), promise] { promise->set_value(work()); }).detach();
    if (done.wait_for(limit) != std::future_status::ready) {
        return std::nullopt;
    }
    return done.get();
}

// Every call of the device shares one wait for the drive, however many steps it takes.
class DriveDeadline {
public:
    DriveDeadline() { m_clock.start(); }
    std::chrono::milliseconds left() const {
        return std::max(kDriveWait - std::chrono::milliseconds(m_clock.elapsed()), std::chrono::milliseconds(0));
    }

private:
    QElapsedTimer m_clock;
};

QString driveName(const QString& drive) {
    return drive.isEmpty() ? QStringLiteral("default CD drive") : QStringLiteral("CD drive \"%1\"").arg(drive);
}

QString notAnswering(const QString& drive) {
    return QStringLiteral("The %1 did not answer within %2 seconds.")
        .arg(driveName(drive))
        .arg(std::chrono::duration_cast<std::chrono::seconds>(kDriveWait).count());
}

// libcdio hands CD-TEXT over as UTF-8 decoded from ISO-8859-1, which is how discs store it; an image's
// CUE sheet written in UTF-8 or in the Windows code page comes out mangled that way. Such text is
// decoded again as the program's text files are.
QString titleOf(const char* text) {
    QString title = QString::fromUtf8(text);
    if (std::all_of(title.cbegin(), title.cend(), [](QChar c) { return c.unicode() < 0x100; })) {
        title = TextFile::decode(title.toLatin1());
    }
    return CleanCDName(title);
}

// The album title, then the title of each track; nothing when the disc carries no title at all.
QStringList readTitles(CdIo_t* cdio, track_t first, track_t count) {
    const cdtext_t* text = cdio_get_cdtext(cdio);
    if (!text) {
        return {};
    }
    QStringList titles;
    bool hasTitle = false;
    for (int t = 0; t <= count; ++t) {
        const char* title = cdtext_get_const(text, CDTEXT_FIELD_TITLE, static_cast<track_t>(t == 0 ? 0 : first + t - 1));
        hasTitle = hasTitle || (title && *title);
        titles.append(title ? titleOf(title) : QString());
    }
    return hasTitle ? titles : QStringList();
}

}  // namespace

// A real drive's answer to whether the disc read is still in it: the tray opened (by the drive's own
// button too), the drive empty, or the kernel's note that the disc changed. Opened without waiting for
// a disc, the drive does not lock its door for it. One question at a time: a drive that does not answer
// at once leaves the last answer standing.
class CdDriveWatch : public std::enable_shared_from_this<CdDriveWatch> {
public:
    // Made on the thread that read the disc, after reading, so that the reading itself is no change.
    static std::shared_ptr<CdDriveWatch> open(const char* device) {
        const int fd = ::open(device, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            return nullptr;
        }
        // Also forgets a change from before the disc was read.
        const bool hasChangeNote = ioctl(fd, CDROM_MEDIA_CHANGED, CDSL_CURRENT) >= 0;
        if (!hasChangeNote && ioctl(fd, CDROM_DRIVE_STATUS, CDSL_CURRENT) < 0) {
            ::close(fd);  // no CD drive
            return nullptr;
        }
        return std::make_shared<CdDriveWatch>(fd);
    }
    explicit CdDriveWatch(int fd) : m_fd(fd) {}
    ~CdDriveWatch() { ::close(m_fd); }
    CdDriveWatch(const CdDriveWatch&) = delete;
    CdDriveWatch& operator=(const CdDriveWatch&) = delete;

    bool hasDiscLeft() {
        if (!m_hasLeft && !m_isAsking.exchange(true)) {
            runWithin<bool>(
                [self = shared_from_this()] {
                    const int status = ioctl(self->m_fd, CDROM_DRIVE_STATUS, CDSL_CURRENT);
                    if (status == CDS_TRAY_OPEN || status == CDS_NO_DISC ||
                        ioctl(self->m_fd, CDROM_MEDIA_CHANGED, CDSL_CURRENT) == 1) {
                        self->m_hasLeft = true;
                    }
                    self->m_isAsking = false;
                    return true;
                },
                kTrayQuestionWait);
        }
        return m_hasLeft;
    }

private:
    const int m_fd;
    std::atomic<bool> m_isAsking{false};
    std::atomic<bool> m_hasLeft{false};
};

namespace {

// On a thread of its own: libcdio may wait for the drive as long as the drive likes.
CdTableOfContents readDisc(const QByteArray& drive, bool isImage) {
    CdTableOfContents toc;
    char* defaultDevice = drive.isEmpty() ? cdio_get_default_device(nullptr) : nullptr;
    const char* source = drive.isEmpty() ? defaultDevice : drive.constData();
    CdIo_t* cdio = source ? cdio_open(source, DRIVER_UNKNOWN) : nullptr;
    toc.device = source ? QFile::decodeName(source) : QString();
    cdio_free(defaultDevice);
    if (!cdio) {
        return toc;  // no drive, no image: no disc
    }
    const track_t first = cdio_get_first_track_num(cdio);
    const track_t count = cdio_get_num_tracks(cdio);
    const lsn_t leadOut = cdio_get_track_lsn(cdio, CDIO_CDROM_LEADOUT_TRACK);
    if (first != CDIO_INVALID_TRACK && count != CDIO_INVALID_TRACK && count > 0 && leadOut != CDIO_INVALID_LSN) {
        const lsn_t origin = cdio_get_track_lsn(cdio, first);
        for (int t = first; t < first + count; ++t) {
            const lsn_t start = cdio_get_track_lsn(cdio, static_cast<track_t>(t));
            if (start == CDIO_INVALID_LSN) {
                toc.tracks.clear();
                break;
            }
            toc.tracks.append({static_cast<int>(start - origin),
                                    cdio_get_track_format(cdio, static_cast<track_t>(t)) == TRACK_FORMAT_AUDIO});
        }
        toc.leadOutFrame = static_cast<int>(leadOut - origin);
        if (!toc.tracks.isEmpty()) {
            toc.titles = readTitles(cdio, first, count);
        }
    }
    cdio_destroy(cdio);
    if (toc.hasDisc() && !isImage) {
        toc.watch = CdDriveWatch::open(QFile::encodeName(toc.device).constData());
    }
    return toc;
}

QString errorOf(GstMessage* message) {
    GError* error = nullptr;
    if (message) {
        gst_message_parse_error(message, &error, nullptr);
    }
    const QString text = error ? QString::fromUtf8(error->message) : QStringLiteral("The disc could not be read.");
    if (error) {
        g_error_free(error);
    }
    return text;
}

// On a thread of its own: prerolls a new pipeline, then plays the span [start, stop) of the stream.
QString startPipeline(GstElement* pipeline, bool isFresh, gint64 start, gint64 stop) {
    if (isFresh && (gst_element_set_state(pipeline, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE ||
                    gst_element_get_state(pipeline, nullptr, nullptr, GST_CLOCK_TIME_NONE) == GST_STATE_CHANGE_FAILURE)) {
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
                          static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE), GST_SEEK_TYPE_SET,
                          start, GST_SEEK_TYPE_SET, stop)) {
        return QStringLiteral("The disc could not be played from that position.");
    }
    if (gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        return QStringLiteral("The disc could not be played.");
    }
    return QString();
}

}  // namespace

CdAudioDevice::CdAudioDevice(QObject* parent) : QObject(parent) {
    silenceCdio();
}

CdAudioDevice::~CdAudioDevice() {
    close();
}

bool CdAudioDevice::readTableOfContents(std::chrono::milliseconds limit) {
    m_toc = CdTableOfContents();
    m_isDiscGone = false;
    const bool isImageDrive = isImage(m_drive);
    if (isImageDrive) {
        const ImageDisc disc = imageDiscs().value(imageKey(m_drive));
        m_imageEjections = disc.ejections;
        if (disc.isEjected || !QFileInfo::exists(m_drive)) {
            return true;
        }
    }
    const QByteArray source = QFile::encodeName(isImageDrive ? imageKey(m_drive) : m_drive);
    const std::optional<CdTableOfContents> read =
        runWithin<CdTableOfContents>([source, isImageDrive] { return readDisc(source, isImageDrive); }, limit);
    if (!read) {
        return fail(notAnswering(m_drive));
    }
    m_toc = *read;
    return true;
}

bool CdAudioDevice::fail(const QString& text) {
    m_error = text;
    return false;
}

bool CdAudioDevice::open() {
    const DriveDeadline deadline;
    close();
    m_error.clear();
    if (!readTableOfContents(deadline.left())) {
        return false;
    }
    m_isOpen = true;
    return true;
}

void CdAudioDevice::close() {
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
        fail(QStringLiteral("GStreamer's cdiocddasrc element is missing (package gstreamer1.0-plugins-ugly)."));
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
    GstElement* pipeline = gst_pipeline_new(nullptr);
    if (!sink || !convert || !resample) {
        for (GstElement* element : {source, sink, convert, resample, pipeline}) {
            if (element) {
                gst_object_unref(gst_object_ref_sink(element));
            }
        }
        if (m_error.isEmpty()) {
            m_error = QStringLiteral("GStreamer's audio elements are missing (package gstreamer1.0-plugins-base).");
        }
        return nullptr;
    }
    gst_bin_add_many(GST_BIN(pipeline), source, convert, resample, sink, nullptr);
    gst_element_link_many(source, convert, resample, sink, nullptr);
    return pipeline;
}

bool CdAudioDevice::play() {
    const DriveDeadline deadline;
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
    while (!isFromStartPosition && track > 0 && track < m_toc.tracks.size() && !m_toc.tracks[track - 1].isAudio) {
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
    const std::optional<QString> failure = runWithin(std::move(work), limit);
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
        return fail(failure ? *failure : notAnswering(m_drive));
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
        startSpan(m_positionMs, m_spanEndMs, kDriveWait);
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
    if (!isImage(m_drive)) {
        return m_toc.watch && m_toc.watch->hasDiscLeft();
    }
    return imageDiscs().value(imageKey(m_drive)).ejections != m_imageEjections || !QFileInfo::exists(m_drive);
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
    const qint64 msf = (within / 60000) | ((within / 1000 % 60) << 8) | ((within % 1000 * kFramesPerSecond / 1000) << 16);
    return isPosition ? (track | (msf << 8)) : msf;
}

bool CdAudioDevice::eject() {
    const DriveDeadline deadline;
    releasePipeline();
    m_mode = MediaDevice::Stopped;
    m_positionMs = 0;
    m_spanEndMs = -1;
    if (isImage(m_drive)) {
        ImageDisc& disc = imageDiscs()[imageKey(m_drive)];
        disc.isEjected = true;
        m_imageEjections = ++disc.ejections;
        m_toc = CdTableOfContents();
        return true;
    }
    const QByteArray device = QFile::encodeName(m_toc.device.isEmpty() ? m_drive : m_toc.device);
    const std::optional<driver_return_code_t> result = runWithin<driver_return_code_t>(
        [device] { return cdio_eject_media_drive(device.isEmpty() ? nullptr : device.constData()); }, deadline.left());
    if (!result) {
        return fail(notAnswering(m_drive));
    }
    if (*result != DRIVER_OP_SUCCESS) {
        return fail(QStringLiteral("The %1 could not be opened.").arg(driveName(m_drive)));
    }
    m_toc = CdTableOfContents();
    return true;
}

bool CdAudioDevice::closeDoor() {
    const DriveDeadline deadline;
    if (isImage(m_drive)) {
        imageDiscs()[imageKey(m_drive)].isEjected = false;
    } else {
        const QByteArray device = QFile::encodeName(m_drive);
        const std::optional<driver_return_code_t> result = runWithin<driver_return_code_t>(
            [device] {
                driver_id_t driver = DRIVER_UNKNOWN;
                return cdio_close_tray(device.isEmpty() ? nullptr : device.constData(), &driver);
            },
            deadline.left());
        if (!result) {
            return fail(notAnswering(m_drive));
        }
        if (*result != DRIVER_OP_SUCCESS) {
            return fail(QStringLiteral("The door of the %1 could not be closed.").arg(driveName(m_drive)));
        }
    }
    // The disc that came back is the open device's disc from now on.
    return !m_isOpen || readTableOfContents(deadline.left());
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
