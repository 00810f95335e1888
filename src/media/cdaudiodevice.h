#pragma once

#include "core/ports/mediadevice.h"
#include "media/cddrive.h"
#include "media/mainthreadanswer.h"

#include <gst/gst.h>

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <chrono>
#include <memory>
#include <optional>

// Audio CD playback: libcdio reads the table of contents and moves the tray, GStreamer's cdiocddasrc
// (made directly: cdparanoiasrc outranks it and cannot read images) plays a span of the disc in
// continuous mode. The drive is a device path, empty for the default drive, or a ".cue" file whose
// image stands for the disc in a drive: ejecting removes that disc for every device of the program
// until the door is closed again.
//
// Positions are milliseconds from the start of the first track, or TMSF / MSF values packed as the
// program has always read them. Nothing here waits longer than a few seconds for a drive: a drive
// that does not answer is left to a thread of its own and the call fails with a message.
class CdAudioDevice : public QObject {
    Q_OBJECT

public:
    explicit CdAudioDevice(QObject* parent = nullptr);
    ~CdAudioDevice() override;

    void setDrive(const QString& drive) { m_drive = drive; }
    QString drive() const { return m_drive; }

    // Reads the disc; succeeds without one (the mode is then "open"). Fails only when the drive does
    // not answer.
    bool open();
    // The same on a thread of its own: opened() or openFailed() follow on the main thread, the
    // failure when the drive does not answer within its wait. close() cancels it.
    void beginOpen();
    bool isOpening() const { return m_isOpening; }
    void close();
    bool isOpen() const { return m_isOpen; }

    bool play();
    // Keeps the position; play goes on from there.
    void stop();
    // Pausing a disc stops it where it stands; resume plays on to the end of the same span.
    void pause();
    void resume();

    void setTimeFormat(MediaDevice::TimeFormat format) { m_format = format; }
    // 0 to 1; kept for the spans that follow.
    void setVolume(double volume);
    qint64 position() const;
    bool seek(qint64 position);
    void setStartPosition(qint64 position) { m_start = position; }
    void setEndPosition(qint64 position) { m_end = position; }
    qint64 length() const;
    // The mode is "open" also when the disc was taken out after open: the tray opened by the drive's
    // own button, the image file deleted, or the disc ejected through another device of the program.
    // It stays so until the next open or closeDoor.
    int mode() const;

    int trackCount() const { return hasDisc() ? static_cast<int>(m_toc.tracks.size()) : 0; }
    qint64 trackLength(int track) const;
    qint64 trackPosition(int track) const;
    QStringList cdText() const { return hasDisc() ? m_toc.titles : QStringList(); }

    QString errorText() const { return m_error; }
    // Why the last span stopped by itself when the drive failed; empty when it played to its end.
    QString playbackFailure() const { return m_playbackFailure; }
    bool eject();
    bool closeDoor();
    // The same on a thread of its own: trayMoved() follows on the main thread, a failure when the drive
    // does not answer within its wait; an image's tray moves when the answer comes. A disc that plays
    // stops at once when the tray goes out; a disc that comes in is read by the next open. close()
    // cancels the move.
    void beginMoveTray(bool closeTray);
    bool isMovingTray() const { return m_isMovingTray; }

Q_SIGNALS:
    // The span played to its end, or the drive failed while playing.
    void modeChanged();
    void opened();
    void openFailed(const QString& reason);
    void trayMoved(bool moved, const QString& reason);

private:
    static gboolean onBusMessage(GstBus* bus, GstMessage* message, gpointer self);
    void handleBusMessage(GstMessage* message);

    bool fail(const QString& text);
    bool hasDisc() const { return m_isOpen && m_toc.hasDisc() && !m_isDiscGone; }
    // Whether the disc read at open has gone since; asks a drive at most once, briefly.
    bool isDiscTakenOut() const;
    // Playing stops as on a drive whose disc went, with the reason.
    void stopForDiscTakenOut();
    // The disc in the drive: no disc gives an empty table; a drive that does not answer within the
    // limit gives false with the reason.
    bool readTableOfContents(std::chrono::milliseconds limit);
    // What the table is read from: nothing when it is known without reading (an image taken out).
    std::optional<QByteArray> tableSource();
    void finishOpening(const std::optional<CdTableOfContents>& read);
    // The disc stops and forgets where it stood, as its tray goes out.
    void stopForTray();
    // The device whose tray moves: the one read at open, else the drive.
    QByteArray trayDevice() const;
    void moveImageTray(bool closeTray);
    // Whether the tray moved, or nothing when the drive did not answer within its wait.
    void finishTrayMove(std::optional<bool> moved);
    void cancelTrayMove();
    bool startSpan(qint64 from, qint64 to, std::chrono::milliseconds limit);
    void releasePipeline();
    GstElement* makePipeline();
    // The disc's milliseconds and the pipeline's: continuous play counts audio tracks only.
    qint64 pipelineTimeOf(qint64 discMs) const;
    qint64 discTimeOf(qint64 pipelineMs) const;
    int trackAt(qint64 discMs) const;
    qint64 trackStartMs(int track) const;
    qint64 toMs(qint64 value, bool isPosition) const;
    qint64 fromMs(qint64 ms, bool isPosition) const;
    qint64 positionMs() const;

    QString m_drive;
    MediaDevice::TimeFormat m_format = MediaDevice::TimeFormat::Milliseconds;
    CdTableOfContents m_toc;
    bool m_isOpen = false;
    double m_volume = 1.0;
    bool m_isOpening = false;
    AnswerTicket m_opening;
    QTimer m_openingWait;
    bool m_isMovingTray = false;
    bool m_isClosingTray = false;  // of the move under way
    AnswerTicket m_trayMove;
    QTimer m_trayWait;
    mutable bool m_isDiscGone = false;
    quint64 m_imageEjections = 0;  // of the image, when it was read
    int m_mode = MediaDevice::Stopped;
    qint64 m_start = -1;
    qint64 m_end = -1;
    qint64 m_positionMs = 0;  // where a stopped disc stands
    qint64 m_spanEndMs = -1;  // where the span that plays ends
    GstElement* m_pipeline = nullptr;
    guint m_busWatch = 0;
    QString m_error;
    QString m_playbackFailure;
};
