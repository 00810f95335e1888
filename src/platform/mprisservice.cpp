#include "platform/mprisservice.h"

#include "core/app/remoteplayer.h"
#include "core/common/product.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include <utility>

namespace {

const QString kServiceName = QStringLiteral("org.mpris.MediaPlayer2.velmaro");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kNoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
// The error a refused call answers with; its text is the command's own reason.
const QString kRefused = QStringLiteral("org.mpris.MediaPlayer2.velmaro.Refused");

QString loopName(RemotePlayer::Loop loop) {
    switch (loop) {
        case RemotePlayer::Loop::Track:
            return QStringLiteral("Track");
        case RemotePlayer::Loop::Playlist:
            return QStringLiteral("Playlist");
        case RemotePlayer::Loop::None:
            break;
    }
    return QStringLiteral("None");
}

}  // namespace

MprisService::MprisService(RemotePlayer& player, std::function<void()> raise, QStringList mimeTypes,
                           QObject* parent)
    : QObject(parent), m_player(player), m_raise(std::move(raise)), m_mimeTypes(std::move(mimeTypes)) {
    new MprisRootAdaptor(this);
    auto* playerAdaptor = new MprisPlayerAdaptor(this);
    connect(&player, &RemotePlayer::seeked, playerAdaptor, [playerAdaptor](qint64 positionUs) {
        Q_EMIT playerAdaptor->Seeked(positionUs);
    });
    // Announced once the changes of one turn of the event loop have settled.
    connect(&player, &RemotePlayer::changed, this, &MprisService::announceChanges, Qt::QueuedConnection);
}

bool MprisService::registerOn(QDBusConnection connection) {
    if (!connection.isConnected()) {
        return false;
    }
    m_connection = connection;
    // A second program of this name (another user's session bus is not ours to share) gets a name of
    // its own, as the standard allows.
    m_serviceName = kServiceName;
    if (!connection.registerService(m_serviceName)) {
        m_serviceName = kServiceName + QStringLiteral(".instance%1").arg(QCoreApplication::applicationPid());
        if (!connection.registerService(m_serviceName)) {
            m_serviceName.clear();
            return false;
        }
    }
    if (!connection.registerObject(QString::fromLatin1(kObjectPath), this, QDBusConnection::ExportAdaptors)) {
        connection.unregisterService(m_serviceName);
        m_serviceName.clear();
        return false;
    }
    m_announced = playerProperties();
    return true;
}

void MprisService::refuse(const QDBusMessage& call, const QString& reason) {
    if (reason.isEmpty() || !m_connection.isConnected()) {
        return;
    }
    call.setDelayedReply(true);
    m_connection.send(call.createErrorReply(kRefused, reason));
}

QVariantMap MprisService::playerProperties() const {
    const auto* adaptor = findChild<MprisPlayerAdaptor*>();
    QVariantMap properties;
    properties.insert(QStringLiteral("PlaybackStatus"), adaptor->playbackStatus());
    properties.insert(QStringLiteral("LoopStatus"), adaptor->loopStatus());
    properties.insert(QStringLiteral("Shuffle"), adaptor->shuffle());
    properties.insert(QStringLiteral("Metadata"), adaptor->metadata());
    properties.insert(QStringLiteral("Volume"), adaptor->volume());
    properties.insert(QStringLiteral("CanGoNext"), adaptor->canGoNext());
    properties.insert(QStringLiteral("CanGoPrevious"), adaptor->canGoPrevious());
    properties.insert(QStringLiteral("CanPlay"), adaptor->canPlay());
    properties.insert(QStringLiteral("CanPause"), adaptor->canPause());
    properties.insert(QStringLiteral("CanSeek"), adaptor->canSeek());
    return properties;
}

// PropertiesChanged for what changed since the last announcement; the position is asked for, never
// announced, as the standard wants.
void MprisService::announceChanges() {
    if (m_serviceName.isEmpty()) {
        return;
    }
    const QVariantMap now = playerProperties();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (m_announced.value(it.key()) != it.value()) {
            changed.insert(it.key(), it.value());
        }
    }
    m_announced = now;
    if (changed.isEmpty()) {
        return;
    }
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kObjectPath),
                                                     QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    m_connection.send(signal);
}

// ---------------------------------------------------------------------------------------------
// org.mpris.MediaPlayer2

MprisRootAdaptor::MprisRootAdaptor(MprisService* service) : QDBusAbstractAdaptor(service), m_service(service) {}

QString MprisRootAdaptor::identity() const {
    return Product::name();
}

QString MprisRootAdaptor::desktopEntry() const {
    return QStringLiteral("velmaro");
}

QStringList MprisRootAdaptor::supportedUriSchemes() const {
    return {QStringLiteral("file")};
}

QStringList MprisRootAdaptor::supportedMimeTypes() const {
    return m_service->mimeTypes();
}

void MprisRootAdaptor::Raise() {
    m_service->raise();
}

void MprisRootAdaptor::Quit(const QDBusMessage& call) {
    m_service->refuse(call, m_service->player().quit());
}

// ---------------------------------------------------------------------------------------------
// org.mpris.MediaPlayer2.Player

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService* service) : QDBusAbstractAdaptor(service), m_service(service) {
    setAutoRelaySignals(false);
}

QString MprisPlayerAdaptor::playbackStatus() const {
    return m_service->player().playbackStatus();
}

QString MprisPlayerAdaptor::loopStatus() const {
    return loopName(m_service->player().loop());
}

// A name the standard does not know changes nothing.
void MprisPlayerAdaptor::setLoopStatus(const QString& status) {
    for (const RemotePlayer::Loop loop : {RemotePlayer::Loop::None, RemotePlayer::Loop::Track, RemotePlayer::Loop::Playlist}) {
        if (status == loopName(loop)) {
            m_service->player().setLoop(loop);
        }
    }
}

bool MprisPlayerAdaptor::shuffle() const {
    return m_service->player().shuffle();
}

void MprisPlayerAdaptor::setShuffle(bool shuffle) {
    m_service->player().setShuffle(shuffle);
}

QVariantMap MprisPlayerAdaptor::metadata() const {
    const RemotePlayer::Track track = m_service->player().track();
    QVariantMap data;
    data.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(track.isEmpty() ? kNoTrack : track.id)));
    if (track.isEmpty()) {
        return data;
    }
    if (track.lengthUs > 0) {
        data.insert(QStringLiteral("mpris:length"), qlonglong(track.lengthUs));
    }
    data.insert(QStringLiteral("xesam:title"), track.title);
    if (!track.url.isEmpty()) {
        data.insert(QStringLiteral("xesam:url"), track.url);
    }
    return data;
}

double MprisPlayerAdaptor::volume() const {
    return m_service->player().volume();
}

void MprisPlayerAdaptor::setVolume(double volume) {
    m_service->player().setVolume(volume);
}

qlonglong MprisPlayerAdaptor::position() const {
    return m_service->player().positionUs();
}

bool MprisPlayerAdaptor::canGoNext() const {
    return m_service->player().canGoNext();
}

bool MprisPlayerAdaptor::canGoPrevious() const {
    return m_service->player().canGoPrevious();
}

bool MprisPlayerAdaptor::canPlay() const {
    return m_service->player().canPlay();
}

bool MprisPlayerAdaptor::canPause() const {
    return m_service->player().canPause();
}

bool MprisPlayerAdaptor::canSeek() const {
    return m_service->player().canSeek();
}

void MprisPlayerAdaptor::Play(const QDBusMessage& call) {
    m_service->refuse(call, m_service->player().play());
}

void MprisPlayerAdaptor::Pause(const QDBusMessage& call) {
    m_service->refuse(call, m_service->player().pause());
}

void MprisPlayerAdaptor::PlayPause(const QDBusMessage& call) {
    m_service->refuse(call, m_service->player().playPause());
}

void MprisPlayerAdaptor::Stop(const QDBusMessage& call) {
    m_service->refuse(call, m_service->player().stop());
}

void MprisPlayerAdaptor::Next(const QDBusMessage& call) {
    m_service->refuse(call, m_service->player().next());
}

void MprisPlayerAdaptor::Previous(const QDBusMessage& call) {
    m_service->refuse(call, m_service->player().previous());
}

void MprisPlayerAdaptor::Seek(qlonglong offset, const QDBusMessage& call) {
    m_service->refuse(call, m_service->player().seek(offset));
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& trackId, qlonglong position, const QDBusMessage& call) {
    m_service->refuse(call, m_service->player().setPosition(trackId.path(), position));
}

void MprisPlayerAdaptor::OpenUri(const QString& uri, const QDBusMessage& call) {
    m_service->refuse(call, m_service->player().openUri(uri));
}
