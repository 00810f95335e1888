// The silence between two Play List items: from the end of one (the device reports it) to the
// moment the next one plays, through the real controller and GStreamer device.
#include "benchsupport.h"
#include "core/app/appsession.h"
#include "core/common/itemref.h"
#include "media/gstlengthprobe.h"
#include "media/gstmediadevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

QString writeTone(const QString& path, double seconds) {
    const int rate = 44100;
    const int samples = static_cast<int>(seconds * rate);
    QByteArray data(44 + samples * 2, '\0');
    char* d = data.data();
    memcpy(d, "RIFF", 4);
    qToLittleEndian<quint32>(36 + samples * 2, d + 4);
    memcpy(d + 8, "WAVEfmt ", 8);
    qToLittleEndian<quint32>(16, d + 16);
    qToLittleEndian<quint16>(1, d + 20);
    qToLittleEndian<quint16>(1, d + 22);
    qToLittleEndian<quint32>(rate, d + 24);
    qToLittleEndian<quint32>(rate * 2, d + 28);
    qToLittleEndian<quint16>(2, d + 32);
    qToLittleEndian<quint16>(16, d + 34);
    memcpy(d + 36, "data", 4);
    qToLittleEndian<quint32>(samples * 2, d + 40);
    for (int i = 0; i < samples; ++i) {
        qToLittleEndian<qint16>(static_cast<qint16>(6000 * std::sin(2 * M_PI * 440 * i / rate)), d + 44 + i * 2);
    }
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(data);
    return path;
}

void BM_GapBetweenItems(benchmark::State& state) {
    QTemporaryDir folder;
    std::vector<PlayListEntry> entries;
    for (int i = 0; i < 2; ++i) {
        entries.push_back({MakeFileItem(writeTone(QDir(folder.path()).filePath(QStringLiteral("tone%1.wav").arg(i)), 0.5)), 0});
    }
    QTemporaryDir home;
    GstMediaDevice device;
    // The end of the first item, seen before the controller reacts to it (so connected before the
    // controller is made), and the moment the second plays.
    QElapsedTimer clock;
    qint64 endedAt = -1;
    qint64 startedAt = -1;
    QObject::connect(&device, &MediaDevice::modeChanged, [&] {
        if (endedAt < 0 && device.fileName().endsWith(QStringLiteral("tone0.wav"))) {
            endedAt = clock.nsecsElapsed();
        }
    });
    SilentPrompter prompter;
    MemoryClipboard clipboard;
    GstLengthProbe probe;
    AppSession session({home.path(), QString(), folder.path()}, {prompter, device, clipboard, probe});
    PlayList& playList = session.playList();
    PlaybackController& playback = session.controller();
    playList.setEntries(entries);
    playList.RedrawPlayList(false);

    QObject::connect(&playback, &PlaybackController::changed, [&] {
        if (endedAt >= 0 && startedAt < 0 && playList.CurrentItem() == 1 && device.mode() == MediaDevice::Playing) {
            startedAt = clock.nsecsElapsed();
        }
    });
    double totalMs = 0;
    double worstMs = 0;
    for (auto _ : state) {
        playList.setFocusedLine(0);
        playList.selectOnly(0);
        endedAt = startedAt = -1;
        clock.start();
        playback.playFrom(session.playListMedia());
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (startedAt >= 0) {
                loop.quit();
            }
        });
        poll.start(1);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        playback.stop();
        const double gap = (startedAt - endedAt) / 1e6;
        state.SetIterationTime(gap / 1000.0);
        totalMs += gap;
        worstMs = std::max(worstMs, gap);
    }
    state.counters["worst_gap_ms"] = worstMs;
    state.counters["gap_ms"] = totalMs / static_cast<double>(state.iterations());
}
BENCHMARK(BM_GapBetweenItems)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    qputenv("VELMARO_AUDIO_SINK", qgetenv("VELMARO_AUDIO_SINK").isEmpty() ? "fakesink sync=true" : qgetenv("VELMARO_AUDIO_SINK"));
    qputenv("VELMARO_VIDEO_SINK", "fakesink sync=true");
    QCoreApplication app(argc, argv);
    GstMediaDevice::initialise();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
