// The length of a whole Play List of 100,000 items whose lengths are all known: a sum over the list,
// recomputed each time (the list is marked changed), with no file opened. Target: under 10 ms.
#include "benchsupport.h"
#include "core/common/timerport.h"
#include "core/playback/lengthcalculator.h"
#include "core/ports/lengthprobe.h"
#include "core/common/itemref.h"
#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"
#include "media/gstmediadevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kItems = 100000;
constexpr int kFiles = 1000;

// Any call is a fault here: every length is already known.
class CountingProbe : public LengthProbe {
public:
    int calls = 0;
    qint64 measure(const QString&, QString*) override {
        ++calls;
        return 1000;
    }
};

void BM_WholePlayListOfKnownLengths(benchmark::State& state) {
    // The items' files exist, so a length taken for unknown would reach the probe and be counted.
    QTemporaryDir folder;
    for (int i = 0; i < kFiles; ++i) {
        QFile(QDir(folder.path()).filePath(QStringLiteral("Track %1.mp3").arg(i))).open(QIODevice::WriteOnly);
    }
    std::vector<PlayListEntry> entries;
    entries.reserve(kItems);
    for (int i = 0; i < kItems; ++i) {
        entries.push_back(
            {MakeFileItem(QDir(folder.path()).filePath(QStringLiteral("Track %1.mp3").arg(i % kFiles))), 0});
    }
    PlayList playList;
    playList.setEntries(std::move(entries));
    qint64 expected = 0;
    for (int i = 0; i < kItems; ++i) {
        const qint64 length = 60000 + (i % 5000) * 37;
        playList.setLength(i, length);
        expected += length;
    }
    playList.RedrawPlayList(false);
    ItemSet played(ItemSet::Order::Insertion);
    GstMediaDevice player;  // holds nothing
    CountingProbe probe;
    SilentPrompter prompter;
    QtTimerPort timer([] {});
    LengthCalculator lengths({playList, played, player, probe, prompter, timer});

    qint64 total = 0;
    for (auto _ : state) {
        lengths.markPlayListChanged();
        total = lengths.PlayListLength(LengthCalculator::Kind::WholePlayList);
        benchmark::DoNotOptimize(total);
    }
    state.counters["probe_calls"] = probe.calls;
    if (probe.calls != 0) {
        state.SkipWithError("a known length was measured again");
    } else if (total != expected) {
        state.SkipWithError("the total is not the sum of the lengths");
    }
}
BENCHMARK(BM_WholePlayListOfKnownLengths)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
