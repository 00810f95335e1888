#include "core/app/remoteplayer.h"

#include "core/app/appsession.h"
#include "core/playback/playbackcontroller.h"
#include "core/playback/progressindicators.h"
#include "core/ports/mediadevice.h"
#include "core/settings/preferences.h"

#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QString latin(const char* text) {
    return QString::fromLatin1(text);
}

}  // namespace

RemotePlayer::RemotePlayer(AppSession& session, QObject* parent) : QObject(parent), m_session(session) {
    connect(&session.controller(), &PlaybackController::changed, this, [this] {
        noteTrack();
        Q_EMIT changed();
    });
    // The play options change through commands that need not touch the transport.
    connect(&session.dispatcher(), &CommandDispatcher::commandFinished, this, &RemotePlayer::changed);
}

QString RemotePlayer::playbackStatus() const {
    const TransportState transport = m_session.controller().transport();
    if (transport.pauseDown) {
        return latin("Paused");
    }
    // Opening an item and the pause between two items are part of playing a list.
    return transport.stop ? latin("Playing") : latin("Stopped");
}

RemotePlayer::Loop RemotePlayer::loop() const {
    if (m_session.controller().loopForever()) {
        return Loop::Track;
    }
    return m_session.preferences().loopPlayList ? Loop::Playlist : Loop::None;
}

bool RemotePlayer::shuffle() const {
    return m_session.preferences().randomPlay;
}

// A new item gets a new id, so that a position meant for the one before is not applied to it.
void RemotePlayer::noteTrack() {
    const PlayItem item = m_session.controller().currentItem();
    QString key;
    if (item.kind != PlayItem::Kind::None) {
        key = QStringLiteral("%1|%2|%3|%4|%5")
                  .arg(static_cast<int>(item.kind))
                  .arg(item.line)
                  .arg(item.path)
                  .arg(item.cdid.value_or(0))
                  .arg(item.track);
    }
    if (key != m_trackKey) {
        m_trackKey = key;
        ++m_trackNumber;
    }
}

RemotePlayer::Track RemotePlayer::track() const {
    const PlayItem item = m_session.controller().currentItem();
    Track track;
    if (item.kind == PlayItem::Kind::None || m_trackKey.isEmpty()) {
        return track;
    }
    track.id = QStringLiteral("/org/velmaro/track/%1").arg(m_trackNumber);
    track.title = item.title;
    if (item.kind == PlayItem::Kind::File) {
        track.url = QUrl::fromLocalFile(item.path).toString(QUrl::FullyEncoded);
    }
    const qint64 lengthMs = m_session.controller().isOpening() ? 0 : m_session.indicators().itemLength();
    track.lengthUs = std::max<qint64>(lengthMs, 0) * 1000;
    return track;
}

qint64 RemotePlayer::positionUs() const {
    const PlaybackController& controller = m_session.controller();
    const PlayItem item = controller.currentItem();
    if (item.kind == PlayItem::Kind::None || controller.isOpening()) {
        return 0;
    }
    MediaDevice& device = m_session.player();
    const qint64 ms = item.kind == PlayItem::Kind::File ? device.position() : m_session.indicators().itemPosition();
    return std::max<qint64>(ms, 0) * 1000;
}

double RemotePlayer::volume() const {
    return m_session.player().volume();
}

bool RemotePlayer::canGoNext() const {
    return m_session.controller().transport().next;
}

bool RemotePlayer::canGoPrevious() const {
    return m_session.controller().transport().previous;
}

bool RemotePlayer::canPlay() const {
    const TransportState transport = m_session.controller().transport();
    return transport.play || transport.pause;
}

bool RemotePlayer::canPause() const {
    return m_session.controller().transport().pause;
}

bool RemotePlayer::canSeek() const {
    const TransportState transport = m_session.controller().transport();
    return transport.positionBar && m_session.controller().currentItem().kind == PlayItem::Kind::File;
}

QString RemotePlayer::run(const QString& command) {
    return m_session.dispatcher().execute(command, CommandOrigin::Outside);
}

// Play resumes a paused item and leaves one that plays alone.
QString RemotePlayer::play() {
    const TransportState transport = m_session.controller().transport();
    if (transport.pauseDown) {
        return run(latin("PauseM"));
    }
    return transport.pause ? QString() : run(latin("PlayM"));
}

QString RemotePlayer::pause() {
    return m_session.controller().transport().pauseDown ? QString() : run(latin("PauseM"));
}

QString RemotePlayer::playPause() {
    return m_session.controller().transport().pause ? run(latin("PauseM")) : run(latin("PlayM"));
}

QString RemotePlayer::stop() {
    return run(latin("StopM"));
}

QString RemotePlayer::next() {
    return run(latin("NextM"));
}

QString RemotePlayer::previous() {
    return run(latin("PrevM"));
}

QString RemotePlayer::quit() {
    return run(latin("ExitM"));
}

// Moving within the item is what the position bar does: it is allowed when the bar is, and waits like
// any request from outside while a long operation runs.
QString RemotePlayer::moveTo(qint64 positionUs) {
    if (!m_session.controller().transport().positionBar) {
        return latin("Nothing is playing.");
    }
    if (m_session.controller().currentItem().kind != PlayItem::Kind::File) {
        return latin("A CD track moves by percent only: use Change Position.");
    }
    m_session.dispatcher().runFromOutside([this, positionUs] {
        if (m_session.controller().seekInItem(positionUs / 1000)) {
            Q_EMIT seeked(this->positionUs());
        }
    });
    return {};
}

QString RemotePlayer::seek(qint64 offsetUs) {
    // Saturating, so that an offset near the limits of the type cannot wrap around.
    const qint64 now = positionUs();
    constexpr qint64 kLatest = std::numeric_limits<qint64>::max();
    const qint64 target = offsetUs > 0 ? (now > kLatest - offsetUs ? kLatest : now + offsetUs)
                                       : std::max<qint64>(now + offsetUs, 0);
    return moveTo(target);
}

QString RemotePlayer::setPosition(const QString& trackId, qint64 positionUs) {
    const Track current = track();
    if (current.isEmpty() || trackId != current.id) {
        return QStringLiteral("The track \"%1\" is not the one that plays.").arg(trackId);
    }
    if (positionUs < 0 || (current.lengthUs > 0 && positionUs > current.lengthUs)) {
        return QStringLiteral("The position %1 us lies outside the track.").arg(positionUs);
    }
    return moveTo(positionUs);
}

QString RemotePlayer::openUri(const QString& uri) {
    const QUrl url(uri);
    if (!url.isValid() || !url.isLocalFile()) {
        return QStringLiteral("Only files can be opened (file:// addresses): %1").arg(uri);
    }
    const QFileInfo file(url.toLocalFile());
    if (!file.isFile()) {
        return QStringLiteral("The file \"%1\" was not found.").arg(file.filePath());
    }
    m_session.processForwardedParameters({file.absoluteFilePath()}, file.absolutePath());
    return {};
}

void RemotePlayer::setChecked(const QString& command, bool checked) {
    m_session.commands().refreshPending();
    if (m_session.commands().state(command).checked != checked) {
        run(command);
    }
}

void RemotePlayer::setLoop(Loop loop) {
    setChecked(latin("LoopSongForeverM"), loop == Loop::Track);
    setChecked(latin("LoopPlayListM"), loop == Loop::Playlist);
}

void RemotePlayer::setShuffle(bool shuffle) {
    setChecked(latin("RandomPlayM"), shuffle);
}

void RemotePlayer::setVolume(double volume) {
    if (std::isnan(volume)) {
        return;
    }
    m_session.player().setVolume(std::clamp(volume, 0.0, 1.0));
    Q_EMIT changed();
}
