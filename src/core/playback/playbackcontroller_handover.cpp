// Gapless handover: when what follows the playing file is known in advance and plays on the same
// device, the device gets it before the end and plays on into it; at the handover the controller does
// what the end of an item does, without opening anything. Whatever changes what follows cancels or
// replaces the queued file, and a handover that no longer fits falls back to the end of an item.

#include "core/playback/playbackcontroller.h"

#include "core/common/itemref.h"
#include "core/common/timerport.h"
#include "core/playlist/playorder.h"

#include <QFileInfo>

#include <utility>

namespace {

// Only sound files join the playing one. A MIDI item may need the reset file played before it, and a
// movie gets a window of its own titled with its name; a file of a kind not known to be sound (an .mp4
// or .mkv may hold a picture) starts on its own too.
bool startsOnItsOwn(const QString& path) {
    static const QStringList sound = {
        QStringLiteral("wav"),  QStringLiteral("au"),   QStringLiteral("snd"), QStringLiteral("mp1"),
        QStringLiteral("mp2"),  QStringLiteral("mp3"),  QStringLiteral("ogg"), QStringLiteral("oga"),
        QStringLiteral("opus"), QStringLiteral("flac"), QStringLiteral("m4a"), QStringLiteral("aac"),
        QStringLiteral("wma"),  QStringLiteral("wv"),   QStringLiteral("ape"), QStringLiteral("mpc"),
        QStringLiteral("mod"),  QStringLiteral("xm"),   QStringLiteral("s3m"), QStringLiteral("it")};
    return !sound.contains(QFileInfo(path).suffix().toLower());
}

}  // namespace

std::optional<PlaybackController::Queued> PlaybackController::itemToFollow() const {
    if (m_terminating || m_dragging || !active() || m_item.kind != PlayItem::Kind::File || deviceIsCD()) {
        return std::nullopt;
    }
    Queued queued;
    if (m_c.order.loopOnce() || m_c.order.loopForever()) {
        queued.item = m_item;
        queued.repeat = true;
    } else {
        const MediaList* list = playing();
        if (list == nullptr || list->pausesBetweenItems()) {
            return std::nullopt;
        }
        queued.item = list->itemToQueue();
    }
    if (queued.item.kind != PlayItem::Kind::File || startsOnItsOwn(queued.item.path) ||
        startsOnItsOwn(m_item.path)) {
        return std::nullopt;
    }
    return queued;
}

void PlaybackController::syncQueued() {
    std::optional<Queued> wanted = itemToFollow();
    if (wanted && m_queued && wanted->sameAs(*m_queued)) {
        return;  // a file the device refused is not offered again either
    }
    dropQueued();
    m_queued = std::move(wanted);
    if (m_queued) {
        m_queued->accepted = m_c.device.queueNext(m_queued->item.path);
    }
}

void PlaybackController::dropQueued() {
    if (m_queued && m_queued->accepted) {
        m_c.device.cancelQueued();
    }
    m_queued.reset();
}

void PlaybackController::onQueuedStarted() {
    const std::optional<Queued> queued = std::exchange(m_queued, std::nullopt);
    if (!active()) {
        return;  // stopped just before: the device stays where the command left it
    }
    const std::optional<Queued> wanted = itemToFollow();
    MediaList* list = playing();
    if (!queued || !queued->accepted || !wanted || !wanted->sameAs(*queued) ||
        (list == nullptr && !queued->repeat)) {
        // Something changed that the queue did not follow in time: the file that took over is not the
        // one to play, so the item ends as it would have without the handover.
        m_c.device.stop();
        itemEnded();
        return;
    }
    if (queued->repeat) {
        // Loop Item: the same file again, as the item loop plays it.
        if (m_c.order.loopOnce()) {
            m_c.order.clearLoopOnce();
        }
        m_c.indicators.resetPositions();
        refreshCommandStates();
        return;
    }
    const ListStep step = list->afterItem();
    const PlayItem item = step == ListStep::Start ? list->itemToStart(false) : PlayItem();
    if (item.kind != PlayItem::Kind::File || item.line != queued->item.line ||
        item.path != queued->item.path) {
        m_c.device.stop();
        follow(*list, step);
        return;
    }
    continueWithQueued(*list, item);
}

void PlaybackController::continueWithQueued(MediaList& list, const PlayItem& item) {
    releaseBar();
    m_item = item;
    m_c.device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
    announceItem(list, item, m_c.device.length());
    m_c.indicators.setBarEnabled(true);
    refreshCommandStates();
}
