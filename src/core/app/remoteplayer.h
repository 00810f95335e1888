#pragma once

#include <QObject>
#include <QString>

class AppSession;

// What a media-player remote control of the desktop (media keys, a panel's player widget, a phone)
// sees of the session and what its calls do. Each call runs the command the menus run, through the
// dispatcher, and is refused with the command's own reason while that command is disabled; a call that
// arrives during a long operation waits like any other request from outside the window.
class RemotePlayer : public QObject {
    Q_OBJECT

public:
    // The item that plays, as the remote control shows it.
    struct Track {
        QString id;         // changes with each item started, so that a stale one is recognised
        QString title;
        QString url;        // file:// of a file; empty for a CD track
        qint64 lengthUs = 0;  // 0 when not known
        bool isEmpty() const { return id.isEmpty(); }
    };
    enum class Loop { None, Track, Playlist };

    explicit RemotePlayer(AppSession& session, QObject* parent = nullptr);

    // "Playing", "Paused" or "Stopped".
    QString playbackStatus() const;
    Loop loop() const;
    bool shuffle() const;
    Track track() const;
    qint64 positionUs() const;
    double volume() const;
    bool canGoNext() const;
    bool canGoPrevious() const;
    bool canPlay() const;
    bool canPause() const;
    bool canSeek() const;

    // Each returns empty when it runs (now or once a long operation ends), else why it cannot.
    QString play();
    QString pause();
    QString playPause();
    QString stop();
    QString next();
    QString previous();
    QString quit();
    // Moves by offset within the item that plays (clamped to the item).
    QString seek(qint64 offsetUs);
    // Moves to a position in the item trackId names; a track that no longer plays is ignored.
    QString setPosition(const QString& trackId, qint64 positionUs);
    // A file:// address of a file: it is handled as a second start's file is.
    QString openUri(const QString& uri);
    void setLoop(Loop loop);
    void setShuffle(bool shuffle);
    // Clamped to 0..1.
    void setVolume(double volume);

Q_SIGNALS:
    // Something a remote control shows may have changed.
    void changed();
    // The position jumped (a seek), to positionUs.
    void seeked(qint64 positionUs);

private:
    QString run(const QString& command);
    QString moveTo(qint64 positionUs);
    // Toggles a checked command until its check is as wanted.
    void setChecked(const QString& command, bool checked);
    void noteTrack();

    AppSession& m_session;
    QString m_trackKey;  // what identifies the item that plays, to notice a new one
    quint64 m_trackNumber = 0;
};
