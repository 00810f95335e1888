#pragma once

#include "core/common/timerport.h"
#include "core/ports/lengthprobe.h"
#include "core/ports/mediadevice.h"

#include <QHash>
#include <QStringList>

#include <functional>
#include <memory>

// The disc in the fake drive, shared by every fake device: track lengths in ms, its CD-TEXT, and whether
// it is in the drive (ejecting takes it out, closing the door puts it back).
struct FakeDisc {
    QList<qint64> tracks;
    QStringList text;
    bool inDrive = true;
    qint64 length() const;
    qint64 start(int track) const;  // ms from the start of the disc
};

// A media device with virtual time: files have scripted lengths or open failures, and advance()
// moves the position of what plays. Every operation is logged for tests that care about order.
class FakeMediaDevice : public MediaDevice {
public:
    struct Script {
        qint64 length = 60000;
        QString failure;  // when set, open fails with this text
        qint64 failAt = -1;   // when set, playing fails at this position with failAtText
        QString failAtText;
        bool video = false;
        // Virtual ms an opening takes before it answers (advance() moves it on); kNeverReady: never.
        qint64 openDelay = 0;
        // When set, the file fails as it is about to take over from the one before (queued); the one
        // before then ends as if nothing had been queued.
        bool failsWhenQueued = false;
    };
    static constexpr qint64 kNeverReady = -1;
    QHash<QString, Script> files;  // by file name; unknown files open with the default script
    QStringList log;
    qint64 cdLength = 300000;
    std::shared_ptr<FakeDisc> disc;  // the drive's disc while the type is CD audio; none: an empty drive
    double lastVideoFactor = 0;
    // Virtual ms a tray move takes before it answers (kNeverReady: never), and the reason it then
    // fails with, if any. The disc moves when the answer comes.
    qint64 trayDelay = 0;
    QString trayFailure;
    // Whether the device takes a file to follow without a gap (queueNext); off, it refuses as a device
    // without handover does.
    bool gapless = false;

    void advance(qint64 ms);

    void setFileName(const QString& path) override { m_fileName = path; }
    QString fileName() const override { return m_fileName; }
    void setDeviceType(DeviceType type) override { m_type = type; }
    DeviceType deviceType() const override { return m_type; }
    void setShareable(bool) override {}
    bool open() override;
    void beginOpen() override;
    bool isOpening() const override { return m_opening; }
    void close() override;
    bool isOpen() const override { return m_open; }
    bool play() override;
    void stop() override;
    void pause() override;
    void resume() override;
    void setTimeFormat(TimeFormat format) override { m_format = format; }
    TimeFormat timeFormat() const override { return m_format; }
    qint64 position() const override { return m_open ? m_position : -1; }
    bool seek(qint64 position) override;
    void setStartPosition(qint64 position) override { m_start = position; }
    void setEndPosition(qint64 position) override { m_end = position; }
    qint64 length() const override { return m_open ? m_length : -1; }
    int mode() const override;
    int trackCount() const override;
    qint64 trackLength(int track) const override;
    qint64 trackPosition(int track) const override;
    QStringList cdText() const override { return hasDisc() && m_open ? disc->text : QStringList(); }
    void setVolume(double volume) override { m_volume = volume; }
    double volume() const override { return m_volume; }
    bool hasVideoWindow() const override { return m_video; }
    void sizeVideoWindow(double factor) override { lastVideoFactor = factor; }
    int errorCode() const override { return m_error.isEmpty() ? 0 : 1; }
    QString errorText() const override { return m_error; }
    QString playbackFailure() const override { return m_playbackFailure; }
    bool queueNext(const QString& path) override;
    void cancelQueued() override;
    const QString& queued() const { return m_queued; }
    bool eject() override;
    bool closeDoor() override;
    void beginMoveTray(bool closeTray) override;
    bool isMovingTray() const override { return m_movingTray; }

private:
    bool cd() const { return m_type == DeviceType::CDAudio; }
    bool hasDisc() const { return cd() && disc && disc->inDrive; }
    void answerOpening();
    void answerTrayMove();
    // The end of what plays: the queued file takes over, or the device stops.
    void reachEnd(qint64 past);

    QString m_fileName;
    DeviceType m_type = DeviceType::Automatic;
    TimeFormat m_format = TimeFormat::Milliseconds;
    bool m_open = false;
    bool m_opening = false;
    qint64 m_openingLeft = 0;
    bool m_movingTray = false;
    bool m_closingTray = false;
    qint64 m_trayLeft = 0;
    bool m_video = false;
    double m_volume = 1.0;
    int m_mode = NotReady;
    qint64 m_position = 0;
    qint64 m_length = 0;
    qint64 m_start = -1;
    qint64 m_end = -1;
    qint64 m_playEnd = 0;
    qint64 m_failAt = -1;
    QString m_failAtText;
    QString m_error;
    QString m_playbackFailure;
    QString m_queued;
};

// A timer that only remembers whether it runs; the test fires it.
class FakeTimer : public TimerPort {
public:
    void start(int intervalMs) override {
        m_interval = intervalMs;
        m_active = true;
        ++starts;
    }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }
    int interval() const override { return m_interval; }
    int starts = 0;

private:
    bool m_active = false;
    int m_interval = 0;
};

// The length probe over the same scripts as a fake device: it counts what it measures.
class FakeLengthProbe : public LengthProbe {
public:
    explicit FakeLengthProbe(const FakeMediaDevice& device) : m_device(device) {}
    qint64 measure(const QString& path, QString* error) override;
    void expect(const QStringList& paths) override { expected.append(paths); }
    QStringList measured;
    QList<QStringList> expected;  // each list the caller announced
    // Called before each measurement; tests use it to act in the middle of a long calculation.
    std::function<void()> onMeasure;
    // How often each measurement says it is still under way, as a slow file makes the real probe say.
    int waitSteps = 0;

private:
    const FakeMediaDevice& m_device;
};
