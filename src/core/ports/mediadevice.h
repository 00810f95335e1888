#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The media control service as the program uses it: one device that opens a file (or the CD audio
// device), plays a span of it and reports where it stands. Operations never block on playback:
// play returns at once. Failures are reported by the return value, with errorText() saying why.
// Opening takes as long as the file or the drive needs, so the window never waits for it: beginOpen()
// returns at once and the device answers with opened() or openFailed().
class MediaDevice : public QObject {
    Q_OBJECT

public:
    enum class DeviceType { Automatic, CDAudio };
    enum class TimeFormat { Milliseconds, TMSF };
    // Mode values as the program has always counted them.
    enum Mode { NotReady = 0, Stopped = 1, Playing = 2, Recording = 3, Seeking = 4, Paused = 5, Open = 6 };

    using QObject::QObject;
    ~MediaDevice() override = default;

    virtual void setFileName(const QString& path) = 0;
    virtual QString fileName() const = 0;
    virtual void setDeviceType(DeviceType type) = 0;
    virtual DeviceType deviceType() const = 0;
    virtual void setShareable(bool shareable) = 0;
    // The drive the CD audio device stands for (the setting "CD Audio"/"Device"), from the next open on.
    virtual void setCdDrive(const QString& drive) { Q_UNUSED(drive); }

    // Waits for the device to open: only for the disc, whose reading is bounded by the drive's wait.
    virtual bool open() = 0;
    // Starts opening the file (or the disc) and returns at once. The answer is opened() or openFailed()
    // with the reason (errorText()); for a file that is plainly missing it may come before beginOpen
    // returns. close(), or another beginOpen(), cancels an opening: no answer ever comes for it.
    virtual void beginOpen() = 0;
    virtual bool isOpening() const = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Plays from the start position (or where it stands) to the end position (or the end).
    virtual bool play() = 0;
    // Keeps the device open and the position.
    virtual void stop() = 0;
    // For files: pauses when playing, resumes when paused.
    virtual void pause() = 0;
    virtual void resume() = 0;

    virtual void setTimeFormat(TimeFormat format) = 0;
    virtual TimeFormat timeFormat() const = 0;
    // Positions and lengths in the time format; -1 when the device cannot tell.
    virtual qint64 position() const = 0;
    virtual bool seek(qint64 position) = 0;
    virtual void setStartPosition(qint64 position) = 0;
    virtual void setEndPosition(qint64 position) = 0;
    virtual qint64 length() const = 0;
    // -1 when the device is not open or cannot tell.
    virtual int mode() const = 0;

    virtual int trackCount() const = 0;
    virtual qint64 trackLength(int track) const = 0;
    virtual qint64 trackPosition(int track) const = 0;
    // The CD-TEXT of the disc open as CD audio: the album title, then one title per track; empty when
    // the disc carries none.
    virtual QStringList cdText() const { return {}; }

    // How loud what plays is, from 0 (silent) to 1 (as recorded); kept from item to item.
    virtual void setVolume(double volume) { Q_UNUSED(volume); }
    virtual double volume() const { return 1.0; }

    // Whether video shows in a window of its own; the window is sized by factor times the video's size.
    virtual bool hasVideoWindow() const = 0;
    virtual void sizeVideoWindow(double factor) = 0;

    virtual int errorCode() const = 0;
    virtual QString errorText() const = 0;
    // Why the item stopped by itself when it failed while playing (a decoder error, an output that went
    // away); empty when it played to its end, was stopped, or nothing has played since open.
    virtual QString playbackFailure() const = 0;

    // The file to follow the one that plays without a gap: the device hands it over as the playing file
    // ends, and queuedStarted() says so (fileName() then names it). False when the device cannot follow
    // this file seamlessly; what plays then ends as usual. A later call replaces the queued file.
    virtual bool queueNext(const QString& path) {
        Q_UNUSED(path);
        return false;
    }
    // Nothing is to follow any more: what plays ends as usual, even when the handover was under way.
    // close() and another open cancel it too.
    virtual void cancelQueued() {}

    // Wait for the drive's tray (at most as long as the device allows): only for a loop that waits on a
    // question to the user anyway. closeDoor() reads the disc that came back when the device is open.
    virtual bool eject() = 0;
    virtual bool closeDoor() = 0;
    // Starts moving the tray of the CD drive the device stands for (out, or in when closeTray) and
    // returns at once; the answer is trayMoved(), which may come before this returns. An open device
    // stops its disc at once when the tray goes out, and does not read a disc that comes in: the next
    // open does. close(), or another move, cancels a move: no answer comes for it, though a drive may
    // move all the same.
    virtual void beginMoveTray(bool closeTray) = 0;
    virtual bool isMovingTray() const = 0;

Q_SIGNALS:
    // The mode changed without being asked: an item reached its end, or the device failed while playing.
    void modeChanged();
    // The opening begun last is ready to play: the length is known where the file tells it.
    void opened();
    void openFailed(const QString& reason);
    // The queued file took over from the one that ended, and plays.
    void queuedStarted();
    // The move begun last has ended: moved, or not with the reason (a drive that did not answer in time,
    // a tray that could not move).
    void trayMoved(bool moved, const QString& reason);
};
