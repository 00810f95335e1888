// Gapless handover on the device: the queued file joins the playbin that plays, which reads it while
// the playing file is still heard and plays on into it without stopping the sink. What cannot follow
// that way (a picture, a synthesizer, AIFF's other playbin, a file that is not there) is refused, and
// the playing file ends as usual.

#include "media/gstmediadevice.h"

#include "media/pipelinehandover.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

bool GstMediaDevice::queueNext(const QString& path) {
    cancelQueued();
    const QFileInfo file(path);
    if (!m_pipeline || !m_handover || m_isOpening || m_hasVideo || isCdActive() || !file.isFile() ||
        !file.isReadable()) {
        return false;
    }
    const QString absolute = file.absoluteFilePath();
    if (IsAiffFile(absolute) || IsMidiFile(absolute)) {
        return false;
    }
    gchar* uri = gst_filename_to_uri(QFile::encodeName(absolute).constData(), nullptr);
    if (!uri) {
        return false;
    }
    m_handover->queue(QByteArray(uri));
    g_free(uri);
    m_queuedPath = path;
    return true;
}

void GstMediaDevice::cancelQueued() {
    if (m_handover) {
        m_handover->cancel();
    }
    m_queuedPath.clear();
}

bool GstMediaDevice::handleHandover(GstMessage* message) {
    if (!m_handover) {
        return false;
    }
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
        switch (m_handover->queuedFailed(GST_MESSAGE_SRC(message))) {
            case PipelineHandover::Failure::NotQueued:
                return false;
            case PipelineHandover::Failure::EndsLater:
                return true;  // the playing file is heard to its end first
            case PipelineHandover::Failure::EndedNow:
                handoverEnded();
                return true;
        }
    }
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ASYNC_DONE && m_restartSeek >= 0) {
        finishRestart();
        return true;
    }
    if (GST_MESSAGE_TYPE(message) != GST_MESSAGE_APPLICATION) {
        return false;
    }
    const GstStructure* structure = gst_message_get_structure(message);
    if (gst_structure_has_name(structure, PipelineHandover::kStarted)) {
        handoverStarted(structure);
    } else if (gst_structure_has_name(structure, PipelineHandover::kEnded)) {
        handoverEnded();
    } else {
        return false;
    }
    return true;
}

void GstMediaDevice::handoverStarted(const GstStructure* message) {
    gchar* path = g_filename_from_uri(gst_structure_get_string(message, "uri"), nullptr, nullptr);
    m_fileName = path ? QFile::decodeName(path) : m_queuedPath;
    g_free(path);
    m_queuedPath.clear();
    m_length = -1;  // the new file's, once the pipeline knows it
    m_playbackFailure.clear();
    Q_EMIT queuedStarted();
}

void GstMediaDevice::handoverEnded() {
    m_queuedPath.clear();
    m_mode = Stopped;
    m_restartSeek = -1;
    reloadPipeline();
    Q_EMIT modeChanged();
}

bool GstMediaDevice::reloadPipeline() {
    if (setState(GST_STATE_READY) == GST_STATE_CHANGE_FAILURE || !m_pipeline) {
        return false;
    }
    m_handover->reset();
    gchar* uri =
        gst_filename_to_uri(QFile::encodeName(QFileInfo(m_fileName).absoluteFilePath()).constData(), nullptr);
    if (uri) {
        g_object_set(m_pipeline, "uri", uri, nullptr);
        g_free(uri);
    }
    return setState(GST_STATE_PAUSED) != GST_STATE_CHANGE_FAILURE;
}

bool GstMediaDevice::restartAt(qint64 position) {
    const bool plays = m_restartSeek >= 0 ? m_restartPlays : m_mode == Playing;
    if (m_restartSeek < 0 && !reloadPipeline()) {
        return false;
    }
    m_restartSeek = position;
    m_restartPlays = plays;
    return true;
}

// The restarted pipeline is ready: it goes to its place, plays if it is to, and the queued file is
// handed over again in its time.
void GstMediaDevice::finishRestart() {
    const qint64 position = std::exchange(m_restartSeek, -1);
    const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    if (position > 0) {
        gst_element_seek_simple(m_pipeline, GST_FORMAT_TIME, flags, position * GST_MSECOND);
    }
    if (std::exchange(m_restartPlays, false)) {
        setState(GST_STATE_PLAYING);
    }
    if (m_pipeline && !m_queuedPath.isEmpty()) {
        const QString queued = m_queuedPath;  // queueNext() starts by forgetting it
        queueNext(queued);
    }
}
