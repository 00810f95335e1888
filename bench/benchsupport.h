#pragma once

#include "core/common/clipboard.h"
#include "core/common/prompter.h"
#include "core/ports/lengthprobe.h"
#include "core/ports/mediadevice.h"

// Ports that answer at once, so the benchmarks time the program and nothing else.
class SilentPrompter : public Prompter {
public:
    Answer showMessage(Kind, const QString&, Buttons) override { return Answer::No; }
    Answer askSaveChangedPlayList() override { return Answer::No; }
    QString chooseOpenPlayList(const QString&) override { return {}; }
    QString chooseSavePlayList(const QString&) override { return {}; }
    QString chooseMediaFile(const QString&) override { return {}; }
};

class MemoryClipboard : public Clipboard {
public:
    QString contents;
    QString text() const override { return contents; }
    void setText(const QString& text) override { contents = text; }
};

// A device with nothing to play and a probe that measures nothing, for benchmarks of the Play List
// alone: the session needs them, the work timed never reaches them.
class NoDevice : public MediaDevice {
public:
    void setFileName(const QString&) override {}
    QString fileName() const override { return {}; }
    void setDeviceType(DeviceType) override {}
    DeviceType deviceType() const override { return DeviceType::Automatic; }
    void setShareable(bool) override {}
    bool open() override { return false; }
    void beginOpen() override { Q_EMIT openFailed(QStringLiteral("No device.")); }
    bool isOpening() const override { return false; }
    void close() override {}
    bool isOpen() const override { return false; }
    bool play() override { return false; }
    void stop() override {}
    void pause() override {}
    void resume() override {}
    void setTimeFormat(TimeFormat) override {}
    TimeFormat timeFormat() const override { return TimeFormat::Milliseconds; }
    qint64 position() const override { return -1; }
    bool seek(qint64) override { return false; }
    void setStartPosition(qint64) override {}
    void setEndPosition(qint64) override {}
    qint64 length() const override { return -1; }
    int mode() const override { return -1; }
    int trackCount() const override { return 0; }
    qint64 trackLength(int) const override { return -1; }
    qint64 trackPosition(int) const override { return -1; }
    bool hasVideoWindow() const override { return false; }
    void sizeVideoWindow(double) override {}
    int errorCode() const override { return 0; }
    QString errorText() const override { return {}; }
    QString playbackFailure() const override { return {}; }
    bool eject() override { return false; }
    bool closeDoor() override { return false; }
    void beginMoveTray(bool) override { Q_EMIT trayMoved(false, QStringLiteral("No device.")); }
    bool isMovingTray() const override { return false; }
};

class NoLengthProbe : public LengthProbe {
public:
    qint64 measure(const QString&, QString*) override { return -1; }
};
