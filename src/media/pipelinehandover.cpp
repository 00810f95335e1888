#include "media/pipelinehandover.h"

namespace {

using Shared = std::shared_ptr<PipelineHandover>;

void deleteShared(gpointer data, GClosure*) {
    delete static_cast<Shared*>(data);
}

PipelineHandover& from(gpointer data) {
    return **static_cast<Shared*>(data);
}

}  // namespace

std::shared_ptr<PipelineHandover> PipelineHandover::attach(GstElement* playbin) {
    GstElement* sink = nullptr;
    g_object_get(playbin, "audio-sink", &sink, nullptr);
    if (!sink) {
        return nullptr;
    }
    GstPad* pad = gst_element_get_static_pad(sink, "sink");
    gst_object_unref(sink);
    if (!pad) {
        return nullptr;
    }
    Shared handover(new PipelineHandover(playbin));
    handover->m_sinkPad = pad;
    const auto types = static_cast<GstPadProbeType>(
        GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_BUFFER_LIST | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM);
    handover->m_probe = gst_pad_add_probe(pad, types, onSinkData, new Shared(handover),
                                          [](gpointer data) { delete static_cast<Shared*>(data); });
    handover->m_aboutToFinish = g_signal_connect_data(playbin, "about-to-finish", G_CALLBACK(onAboutToFinish),
                                                      new Shared(handover), deleteShared, GConnectFlags(0));
    handover->m_sourceSetup = g_signal_connect_data(playbin, "source-setup", G_CALLBACK(onSourceSetup),
                                                    new Shared(handover), deleteShared, GConnectFlags(0));
    return handover;
}

void PipelineHandover::detach() {
    g_signal_handler_disconnect(m_playbin, m_aboutToFinish);
    g_signal_handler_disconnect(m_playbin, m_sourceSetup);
    gst_pad_remove_probe(m_sinkPad, m_probe);
    gst_object_unref(m_sinkPad);
    m_sinkPad = nullptr;
    const std::lock_guard lock(m_mutex);
    forgetArmed();
    m_queued.clear();
}

void PipelineHandover::queue(const QByteArray& uri) {
    const std::lock_guard lock(m_mutex);
    if (!m_armed.isEmpty() && uri == m_armed) {
        m_unwanted = false;
        m_queued.clear();
        return;
    }
    m_queued = uri;
    m_unwanted = !m_armed.isEmpty();
}

void PipelineHandover::cancel() {
    const std::lock_guard lock(m_mutex);
    m_queued.clear();
    m_unwanted = !m_armed.isEmpty();
}

PipelineHandover::Failure PipelineHandover::queuedFailed(GstObject* source) {
    const std::lock_guard lock(m_mutex);
    // The source is set up before it joins the bin that reads the file: the bin is asked for now.
    GstObject* bin = m_armedSource ? gst_object_get_parent(m_armedSource) : nullptr;
    const bool fromQueued = bin && (source == bin || gst_object_has_as_ancestor(source, bin));
    if (bin) {
        gst_object_unref(bin);
    }
    if (!fromQueued) {
        return Failure::NotQueued;
    }
    m_unwanted = true;
    if (!m_drained) {
        return Failure::EndsLater;
    }
    m_dropping = true;
    return Failure::EndedNow;
}

// On a streaming thread: the uri must be set before this returns for playbin to play on into it.
void PipelineHandover::onAboutToFinish(GstElement*, gpointer data) {
    from(data).handOver();
}

void PipelineHandover::handOver() {
    const std::lock_guard lock(m_mutex);
    // A file handed over is read ahead of being heard and asks in its turn: what follows it is
    // queued once it plays.
    if (m_queued.isEmpty() || !m_armed.isEmpty() || m_dropping) {
        return;
    }
    g_object_set(m_playbin, "uri", m_queued.constData(), nullptr);
    m_armed = std::exchange(m_queued, QByteArray());
    m_unwanted = false;
    m_drained = false;
}

void PipelineHandover::onSourceSetup(GstElement*, GstElement* source, gpointer data) {
    PipelineHandover& handover = from(data);
    const std::lock_guard lock(handover.m_mutex);
    if (!handover.m_armed.isEmpty() && handover.m_armedSource == nullptr) {
        handover.m_armedSource = GST_OBJECT(gst_object_ref(source));
    }
}

GstPadProbeReturn PipelineHandover::onSinkData(GstPad*, GstPadProbeInfo* info, gpointer data) {
    return from(data).passing(info);
}

GstPadProbeReturn PipelineHandover::passing(GstPadProbeInfo* info) {
    if (!(info->type & GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM)) {
        if (m_switching) {
            // Announced with the new file's first data: the sink has taken its segment, so the
            // pipeline's position counts in the new file from now on.
            const std::lock_guard lock(m_mutex);
            if (m_switching && !m_dropping) {
                post(gst_structure_new(kStarted, "uri", G_TYPE_STRING, m_armed.constData(), nullptr));
                forgetArmed();
            }
        }
        return m_dropping ? GST_PAD_PROBE_DROP : GST_PAD_PROBE_OK;
    }
    const GstEventType type = GST_EVENT_TYPE(GST_PAD_PROBE_INFO_EVENT(info));
    const std::lock_guard lock(m_mutex);
    if (m_dropping) {
        const bool keep =
            type == GST_EVENT_FLUSH_START || type == GST_EVENT_FLUSH_STOP || type == GST_EVENT_EOS;
        return keep ? GST_PAD_PROBE_OK : GST_PAD_PROBE_DROP;
    }
    if (m_armed.isEmpty()) {
        return GST_PAD_PROBE_OK;
    }
    const bool playingEnds = type == GST_EVENT_STREAM_GROUP_DONE || type == GST_EVENT_EOS;
    if (playingEnds || type == GST_EVENT_STREAM_START) {
        m_drained = true;
        if (m_unwanted) {
            m_dropping = true;
            post(gst_structure_new_empty(kEnded));
            return playingEnds ? GST_PAD_PROBE_OK : GST_PAD_PROBE_DROP;
        }
        if (type == GST_EVENT_STREAM_START) {
            m_switching = true;
        }
    }
    return GST_PAD_PROBE_OK;
}

bool PipelineHandover::isArmed() {
    const std::lock_guard lock(m_mutex);
    return !m_armed.isEmpty() || m_dropping;
}

void PipelineHandover::reset() {
    const std::lock_guard lock(m_mutex);
    forgetArmed();
    m_queued.clear();
    m_dropping = false;
}

void PipelineHandover::post(GstStructure* message) {
    gst_element_post_message(m_playbin, gst_message_new_application(GST_OBJECT(m_playbin), message));
}

void PipelineHandover::forgetArmed() {
    m_armed.clear();
    m_switching = false;
    m_unwanted = false;
    m_drained = false;
    if (m_armedSource) {
        gst_object_unref(m_armedSource);
        m_armedSource = nullptr;
    }
}
