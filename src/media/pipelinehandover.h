#pragma once

#include <QByteArray>

#include <gst/gst.h>

#include <atomic>
#include <memory>
#include <mutex>

// The part of a gapless handover that runs on GStreamer's streaming threads. playbin asks for the
// next file once the playing one has been read whole (about-to-finish), well before it is heard to
// the end; the audio sink's pad then sees the playing file's last data pass and the next file's
// first. Both moments reach the device on its own thread as application messages on the bus.
class PipelineHandover {
public:
    // The queued file plays now; "uri" names it.
    static constexpr char kStarted[] = "velmaro-handover-started";
    // The playing file has reached the sink whole and the file handed over is not to follow (it was
    // cancelled, or failed): nothing of it reaches the sink, and the pipeline is spent.
    static constexpr char kEnded[] = "velmaro-handover-ended";

    // Watches a playbin and its audio sink; nullptr when the pipeline has no audio sink of its own.
    static std::shared_ptr<PipelineHandover> attach(GstElement* playbin);
    // No callback reaches this object any more from the pipeline.
    void detach();

    // From now on, at the next about-to-finish, the file to play on into; replaces any queued one.
    // A file already handed over that is queued again is wanted again.
    void queue(const QByteArray& uri);
    void cancel();

    enum class Failure {
        NotQueued,  // the error is the playing file's
        EndsLater,  // the handed-over file failed; the playing one plays to its end, then kEnded
        EndedNow,   // the same, and the playing file had already ended
    };
    // Whether an error message from source concerns the file handed over.
    Failure queuedFailed(GstObject* source);
    // A file has been handed to playbin and not heard yet, or one cancelled is being dropped: a seek
    // now would make playbin jump to it.
    bool isArmed();
    // The pipeline went back to READY: nothing is queued or handed over, and data passes again.
    void reset();

private:
    explicit PipelineHandover(GstElement* playbin) : m_playbin(playbin) {}
    static void onAboutToFinish(GstElement* playbin, gpointer data);
    static void onSourceSetup(GstElement* playbin, GstElement* source, gpointer data);
    static GstPadProbeReturn onSinkData(GstPad* pad, GstPadProbeInfo* info, gpointer data);

    void handOver();
    GstPadProbeReturn passing(GstPadProbeInfo* info);
    void post(GstStructure* message);
    void forgetArmed();

    GstElement* m_playbin;
    GstPad* m_sinkPad = nullptr;
    gulong m_probe = 0;
    gulong m_aboutToFinish = 0;
    gulong m_sourceSetup = 0;

    std::mutex m_mutex;  // guards what follows, shared with the streaming threads
    QByteArray m_queued;
    QByteArray m_armed;                    // handed to playbin, not heard yet
    GstObject* m_armedSource = nullptr;    // the element that reads it, to tell its errors apart
    bool m_unwanted = false;               // the file handed over is not to follow any more
    bool m_drained = false;                // the playing file has reached the sink whole
    std::atomic<bool> m_switching{false};  // the file handed over has begun to reach the sink
    std::atomic<bool> m_dropping{false};
};
