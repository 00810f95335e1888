#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <functional>

class RemotePlayer;

// The desktop's media-player remote control (MPRIS 2) on the session bus, so that media keys, a
// panel's player widget or playerctl drive Velmaro. It only translates: every call goes to the
// RemotePlayer, which runs the program's commands.
class MprisService : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";

    MprisService(RemotePlayer& player, std::function<void()> raise, QStringList mimeTypes,
                 QObject* parent = nullptr);

    // Takes the name org.mpris.MediaPlayer2.velmaro (or one of its own when another program holds it)
    // on the connection; false, without a word, when there is no bus.
    bool registerOn(QDBusConnection connection);
    const QString& serviceName() const { return m_serviceName; }

    RemotePlayer& player() { return m_player; }
    void raise() { m_raise(); }
    const QStringList& mimeTypes() const { return m_mimeTypes; }
    // Answers a call with an error carrying the reason, when there is one.
    void refuse(const QDBusMessage& call, const QString& reason);

    // The Player interface's properties as they are now.
    QVariantMap playerProperties() const;

private:
    void announceChanges();

    RemotePlayer& m_player;
    std::function<void()> m_raise;
    QStringList m_mimeTypes;
    QDBusConnection m_connection{QString()};
    QString m_serviceName;
    QVariantMap m_announced;  // the Player properties last announced
};

// org.mpris.MediaPlayer2
class MprisRootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ canQuit)
    Q_PROPERTY(bool CanRaise READ canRaise)
    Q_PROPERTY(bool HasTrackList READ hasTrackList)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ supportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ supportedMimeTypes)

public:
    explicit MprisRootAdaptor(MprisService* service);

    bool canQuit() const { return true; }
    bool canRaise() const { return true; }
    bool hasTrackList() const { return false; }
    QString identity() const;
    QString desktopEntry() const;
    QStringList supportedUriSchemes() const;
    QStringList supportedMimeTypes() const;

public Q_SLOTS:
    void Raise();
    void Quit(const QDBusMessage& call);

private:
    MprisService* m_service;
};

// org.mpris.MediaPlayer2.Player
class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(QString LoopStatus READ loopStatus WRITE setLoopStatus)
    Q_PROPERTY(double Rate READ rate WRITE setRate)
    Q_PROPERTY(bool Shuffle READ shuffle WRITE setShuffle)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(double MinimumRate READ rate)
    Q_PROPERTY(double MaximumRate READ rate)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ canPlay)
    Q_PROPERTY(bool CanPause READ canPause)
    Q_PROPERTY(bool CanSeek READ canSeek)
    Q_PROPERTY(bool CanControl READ canControl)

public:
    explicit MprisPlayerAdaptor(MprisService* service);

    QString playbackStatus() const;
    QString loopStatus() const;
    void setLoopStatus(const QString& status);
    double rate() const { return 1.0; }
    void setRate(double) {}  // one speed only
    bool shuffle() const;
    void setShuffle(bool shuffle);
    QVariantMap metadata() const;
    double volume() const;
    void setVolume(double volume);
    qlonglong position() const;
    bool canGoNext() const;
    bool canGoPrevious() const;
    bool canPlay() const;
    bool canPause() const;
    bool canSeek() const;
    bool canControl() const { return true; }

public Q_SLOTS:
    void Play(const QDBusMessage& call);
    void Pause(const QDBusMessage& call);
    void PlayPause(const QDBusMessage& call);
    void Stop(const QDBusMessage& call);
    void Next(const QDBusMessage& call);
    void Previous(const QDBusMessage& call);
    void Seek(qlonglong offset, const QDBusMessage& call);
    void SetPosition(const QDBusObjectPath& trackId, qlonglong position, const QDBusMessage& call);
    void OpenUri(const QString& uri, const QDBusMessage& call);

Q_SIGNALS:
    void Seeked(qlonglong position);

private:
    MprisService* m_service;
};
