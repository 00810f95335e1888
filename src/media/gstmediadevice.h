#pragma once

#include "core/ports/mediadevice.h"
#include "core/ports/videosurface.h"
#include "media/mainthreadanswer.h"

#include <QElapsedTimer>
#include <QTimer>

#include <gst/gst.h>

#include <memory>

class CdAudioDevice;
class PipelineHandover;
class VideoWindowRequest;

// Changes the pipeline's state on a thread of its own and waits a few seconds at most: a streaming
// thread stuck in a plug-in would otherwise hold the caller for ever. On time out the change goes on
// unobserved, holding its own reference, and GST_STATE_CHANGE_FAILURE is returned with *stuck set.
GstStateChangeReturn SetPipelineStateWithin(GstElement* pipeline, GstState state, bool* stuck);

// GStreamer's words for an error, which is freed; "Unknown error" when it gives none.
QString TakeErrorMessage(GError* error);

// The sink the environment variable describes (tests and CI use "fakesink sync=true"); nullptr when
// it is not set, or with *error set when it does not parse.
GstElement* MakeSinkFromEnvironment(const char* variable, QString* error);

// What the file's first bytes say it is.
bool IsAiffFile(const QString& path);
bool IsMidiFile(const QString& path);

// The media device over GStreamer: a playbin per opened file, which a queued file joins to follow it
// without a gap (gstmediadevice_handover.cpp). Opening prerolls the file on a thread
// of its own (so a file no decoder can read fails with GStreamer's own words) and answers through the
// bus on the Qt main thread, as the end of the stream arrives; playing returns at once. No call waits
// without bound for the pipeline: one that hangs is left to a thread of its own and the device
// reports an error. Video
// is drawn into a surface the gui makes, titled with the file name, only for a file that has a
// picture; without a surface factory, GStreamer's own sink chooses where video goes. With the device
// type CD audio, the operations act on the disc in the CD drive (CdAudioDevice).
class GstMediaDevice : public MediaDevice {
    Q_OBJECT

public:
    // Initialises GStreamer, or waits for its start in the background (GstStartup); the first open
    // does it by itself.
    static void initialise();

    explicit GstMediaDevice(QObject* parent = nullptr);
    ~GstMediaDevice() override;

    // Used from the next open on.
    void setVideoSurfaceFactory(VideoSurfaceFactory factory) { m_surfaceFactory = std::move(factory); }

    void setFileName(const QString& path) override { m_fileName = path; }
    QString fileName() const override { return m_fileName; }
    void setDeviceType(DeviceType type) override { m_type = type; }
    DeviceType deviceType() const override { return m_type; }
    void setShareable(bool) override {}
    // A device path, empty for the default drive, or a ".cue" image that stands for the disc in a drive.
    void setCdDrive(const QString& drive) override;

    // For the disc only: a file opens with beginOpen.
    bool open() override;
    void beginOpen() override;
    bool isOpening() const override;
    void close() override;
    bool isOpen() const override;
    bool play() override;
    void stop() override;
    void pause() override;
    void resume() override;

    void setTimeFormat(TimeFormat format) override;
    TimeFormat timeFormat() const override { return m_format; }
    qint64 position() const override;
    bool seek(qint64 position) override;
    void setStartPosition(qint64 position) override;
    void setEndPosition(qint64 position) override;
    qint64 length() const override;
    int mode() const override;

    int trackCount() const override;
    qint64 trackLength(int track) const override;
    qint64 trackPosition(int track) const override;
    QStringList cdText() const override;

    void setVolume(double volume) override;
    double volume() const override { return m_volume; }

    bool hasVideoWindow() const override { return m_hasVideo; }
    void sizeVideoWindow(double factor) override;

    int errorCode() const override { return errorText().isEmpty() ? 0 : 1; }
    QString errorText() const override;
    QString playbackFailure() const override;
    // Gapless: an audio file queued while a file without a picture plays joins the same playbin.
    bool queueNext(const QString& path) override;
    void cancelQueued() override;

    bool eject() override;
    bool closeDoor() override;
    // The drive's tray, whatever the device plays.
    void beginMoveTray(bool closeTray) override;
    bool isMovingTray() const override;

private:
    // The application message that says how a state change that did not go asynchronously ended.
    static constexpr char kStateChangeDone[] = "velmaro-state-change-done";

    // The disc answers while it is open, and in place of a file while the type is CD audio.
    bool isCdActive() const;
    static gboolean onBusMessage(GstBus* bus, GstMessage* message, gpointer self);
    static void onElementSetup(GstElement* playbin, GstElement* element, gpointer self);

    bool fail(const QString& text);
    // A state change that does not finish within a few seconds closes the device with an error.
    GstStateChangeReturn setState(GstState state);
    void startOpeningTry();
    void onOpeningTryElapsed();
    // A new pipeline for the file; the reason when none can be made.
    QString buildPipeline();
    void prerolled();
    void awaitDuration();
    void finishOpening();
    void failOpening(const QString& reason);
    void releasePipeline();
    void handleOpening(GstMessage* message);
    void handleAsync(GstMessage* message);
    void answerWindowRequest();
    // The bus says how a handover went (gstmediadevice_handover.cpp); false for other messages.
    bool handleHandover(GstMessage* message);
    void handoverStarted(const GstStructure* message);
    // The playing file ended and the one handed over does not follow: the pipeline gets ready for the
    // playing file again, stopped, as at the end of a file.
    void handoverEnded();
    // playbin back to READY with the playing file as its only one, then on its way to PAUSED.
    bool reloadPipeline();
    // A seek while a file is handed over would make playbin jump to that file: the pipeline reloads
    // the playing file instead, and the seek, the play and the queued file follow once it is ready.
    bool restartAt(qint64 position);
    void finishRestart();

    QString m_fileName;
    DeviceType m_type = DeviceType::Automatic;
    TimeFormat m_format = TimeFormat::Milliseconds;
    GstElement* m_pipeline = nullptr;
    bool m_isOpening = false;
    bool m_isPrerolling = false;  // the pipeline is on its way to PAUSED
    bool m_isAiff = false;
    int m_openingTries = 0;
    AnswerTicket m_opening;
    QTimer m_openingTry;
    QTimer m_durationWait;
    QElapsedTimer m_durationClock;
    guint m_busWatch = 0;
    int m_mode = NotReady;
    qint64 m_start = -1;
    qint64 m_end = -1;
    mutable qint64 m_length = -1;
    bool m_hasVideo = false;
    double m_volume = 1.0;
    QString m_error;
    QString m_playbackFailure;
    VideoSurfaceFactory m_surfaceFactory;
    std::unique_ptr<VideoSurface> m_surface;
    std::shared_ptr<VideoWindowRequest> m_windowRequest;
    std::unique_ptr<CdAudioDevice> m_cd;
    std::shared_ptr<PipelineHandover> m_handover;
    QString m_queuedPath;
    qint64 m_restartSeek = -1;  // where a restarted pipeline is to go once ready
    bool m_restartPlays = false;
};
