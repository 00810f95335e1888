// The lengths of 500 short files of mixed families, none known beforehand: Velmaro's probe in process
// against one run of gst-discoverer-1.0 over the same folder. Target: the probe takes no longer.
#include "media/gstlengthprobe.h"
#include "media/gstmediadevice.h"
#include "mediafiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace {

constexpr int kFiles = 500;
constexpr int kFamilies = 7;

// Made once, outside the timings; both contenders read the same folder.
class Corpus {
public:
    static const Corpus& get() {
        static const Corpus corpus;
        return corpus;
    }
    QString folder() const { return m_root.filePath(QStringLiteral("files")); }
    bool isComplete() const { return m_complete; }

private:
    Corpus() {
        QDir().mkpath(folder());
        QDir().mkpath(m_root.filePath(QStringLiteral("templates")));
        m_complete = true;
        for (int i = 0; i < kFiles && m_complete; ++i) {
            m_complete = !make(i).isEmpty();
        }
    }

    QString make(int i) {
        const int variant = i / kFamilies;
        const QString name = QDir(folder()).filePath(QStringLiteral("%1").arg(i, 3, 10, QChar(u'0')));
        const double seconds = 0.5 + (variant % 10) * 0.15;
        switch (i % kFamilies) {
            case 0:
                return MediaFiles::wav(name + QStringLiteral(".wav"), seconds);
            case 1:
                return MediaFiles::au(name + QStringLiteral(".au"), seconds);
            case 2:
                return MediaFiles::midi(name + QStringLiteral(".mid"));
            case 3:
                return MediaFiles::mod(name + QStringLiteral(".mod"));
            case 4:
                return copyOf(QStringLiteral("aiff"), variant % 4, name);
            case 5:
                return copyOf(QStringLiteral("mp3"), variant % 4, name);
            default:
                return copyOf(QStringLiteral("avi"), variant % 4, name);
        }
    }

    // Encoding runs a pipeline per file; a few lengths of each kind, copied, make the folder faster.
    QString copyOf(const QString& kind, int variant, const QString& name) {
        QString& made = m_templates[{kind, variant}];
        if (made.isEmpty()) {
            made =
                MediaFiles::encoded(m_root.filePath(QStringLiteral("templates/%1.%2").arg(variant).arg(kind)),
                                    kind, 0.5 + variant * 0.5);
        }
        const QString path = name + u'.' + kind;
        return !made.isEmpty() && QFile::copy(made, path) ? path : QString();
    }

    QTemporaryDir m_dir;
    QDir m_root{m_dir.path()};
    std::map<std::pair<QString, int>, QString> m_templates;
    bool m_complete = false;
};

// Both wait out the same 10-second timeout on a file that stalls (GStreamer's aiffparse sometimes does);
// the figures are given with and without those waits, so that a chance stall does not decide the race.
constexpr double kTimeoutMs = GstLengthProbe::kTimeoutSeconds * 1000.0;

struct Figures {
    double ms = 0;
    double stalledMs = 0;
};
Figures g_probe;
Figures g_discoverer;

void report(benchmark::State& state, Figures& figures, double totalMs, double stalledMs, int measured,
            int failed) {
    const auto runs = static_cast<double>(state.iterations());
    figures = {totalMs / runs, stalledMs / runs};
    state.counters["measured"] = measured;
    state.counters["failed"] = failed;
    state.counters["ms_without_stalls"] = (totalMs - stalledMs) / runs;
}

const Corpus* corpusOrSkip(benchmark::State& state) {
    const Corpus& corpus = Corpus::get();
    if (!corpus.isComplete()) {
        state.SkipWithError("the files could not be generated");
        return nullptr;
    }
    return &corpus;
}

void BM_VelmaroProbe(benchmark::State& state) {
    const Corpus* corpus = corpusOrSkip(state);
    if (!corpus) {
        return;
    }
    double totalMs = 0;
    double stalledMs = 0;
    int measured = 0;
    int failed = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        GstLengthProbe probe;
        const QDir folder(corpus->folder());
        measured = failed = 0;
        for (const QString& name : folder.entryList(QDir::Files, QDir::Name)) {
            const qint64 before = clock.nsecsElapsed();
            QString error;
            if (probe.measure(folder.filePath(name), &error) > 0) {
                ++measured;
            } else {
                ++failed;
                stalledMs += static_cast<double>(clock.nsecsElapsed() - before) / 1e6;
                std::fprintf(stderr, "probe: %s: %s\n", qPrintable(name), qPrintable(error));
            }
        }
        const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1000);
        totalMs += ms;
    }
    report(state, g_probe, totalMs, stalledMs, measured, failed);
}

void BM_GstDiscovererProcess(benchmark::State& state) {
    const Corpus* corpus = corpusOrSkip(state);
    if (!corpus) {
        return;
    }
    double totalMs = 0;
    double stalledMs = 0;
    int measured = 0;
    int failed = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        QProcess discoverer;
        discoverer.start(
            QStringLiteral("gst-discoverer-1.0"),
            {QStringLiteral("-t"), QString::number(GstLengthProbe::kTimeoutSeconds), corpus->folder()});
        if (!discoverer.waitForFinished(-1) || discoverer.exitStatus() != QProcess::NormalExit) {
            state.SkipWithError("gst-discoverer-1.0 did not run");
            return;
        }
        const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1000);
        totalMs += ms;
        const QByteArray output = discoverer.readAllStandardOutput();
        const int timedOut = static_cast<int>(output.count("Analyzing URI timed out"));
        failed = timedOut + static_cast<int>(output.count("An error was encountered"));
        measured = static_cast<int>(output.count("Done discovering ")) - failed;
        stalledMs += timedOut * kTimeoutMs;
        if (timedOut > 0) {
            std::fprintf(stderr, "gst-discoverer-1.0: %d files timed out\n", timedOut);
        }
    }
    report(state, g_discoverer, totalMs, stalledMs, measured, failed);
}

BENCHMARK(BM_VelmaroProbe)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_GstDiscovererProcess)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    GstMediaDevice::initialise();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_probe.ms > 0 && g_discoverer.ms > 0) {
        const double probe = g_probe.ms - g_probe.stalledMs;
        const double discoverer = g_discoverer.ms - g_discoverer.stalledMs;
        std::printf(
            "%d files: Velmaro's probe %.0f ms, gst-discoverer-1.0 %.0f ms, ratio %.2f (target: at most 1)\n"
            "without stalls:  Velmaro's probe %.0f ms, gst-discoverer-1.0 %.0f ms, ratio %.2f\n",
            kFiles, g_probe.ms, g_discoverer.ms, g_probe.ms / g_discoverer.ms, probe, discoverer,
            probe / discoverer);
    }
    return 0;
}
