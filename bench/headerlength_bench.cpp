// A Play List of 5,000 WAV files, and one of 5,000 MP3 files (constant bit rate with and without an Info
// header, variable with a Xing header), none of their lengths known: the whole list's total, as the
// length panel asks for it, with lengths read from the headers against GStreamer's probe alone.
// Target: the 5,000 WAV files known in at most 0.27 s.
#include "benchsupport.h"
#include "core/common/itemref.h"
#include "core/common/timerport.h"
#include "core/playback/lengthcalculator.h"
#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"
#include "media/gstlengthprobe.h"
#include "media/gstmediadevice.h"
#include "media/headerlength.h"
#include "media/headerlengthprobe.h"
#include "mediafiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

namespace {

constexpr int kFiles = 5000;
constexpr int kVariants = 8;

enum class Family { Wav, Mp3 };

// The files of one list, made once outside the timings from a few templates of different lengths.
class Corpus {
public:
    static const Corpus& get(Family family) {
        static const Corpus wav(Family::Wav);
        static const Corpus mp3(Family::Mp3);
        return family == Family::Wav ? wav : mp3;
    }
    const QStringList& files() const { return m_files; }

private:
    explicit Corpus(Family family) {
        const QDir root(m_dir.path());
        QStringList templates;
        for (int v = 0; v < kVariants; ++v) {
            const double seconds = 0.5 + v * 0.35;
            const QString name = root.filePath(QStringLiteral("template%1").arg(v));
            if (family == Family::Wav) {
                templates.append(MediaFiles::wav(name + QStringLiteral(".wav"), seconds));
                continue;
            }
            static const char* const kEncoders[] = {
                "lamemp3enc target=bitrate bitrate=128 cbr=true",
                "lamemp3enc target=bitrate bitrate=192 cbr=true ! xingmux",
                "lamemp3enc target=quality quality=2 ! xingmux"};
            templates.append(MediaFiles::encodedWith(name + QStringLiteral(".mp3"),
                                                     QString::fromLatin1(kEncoders[v % 3]), seconds));
        }
        for (int i = 0; i < kFiles; ++i) {
            const QString& from = templates[i % kVariants];
            const QString to = root.filePath(
                QStringLiteral("%1.%2").arg(i, 4, 10, QChar(u'0')).arg(QFileInfo(from).suffix()));
            if (from.isEmpty() || !QFile::copy(from, to)) {
                m_files.clear();
                return;
            }
            m_files.append(to);
        }
    }

    QTemporaryDir m_dir;
    QStringList m_files;
};

// The whole list's total with every length unknown again, through the program's own calculation.
void totalOfUnknownLengths(benchmark::State& state, Family family, bool headers) {
    const Corpus& corpus = Corpus::get(family);
    if (corpus.files().size() != kFiles) {
        state.SkipWithError("the files could not be generated");
        return;
    }
    std::vector<PlayListEntry> entries;
    for (const QString& file : corpus.files()) {
        entries.push_back({MakeFileItem(file), 0});
    }
    PlayList playList;
    playList.setEntries(std::move(entries));
    playList.RedrawPlayList(false);
    ItemSet played(ItemSet::Order::Insertion);
    NoDevice player;
    SilentPrompter prompter;
    QtTimerPort timer([] {});
    GstLengthProbe gstreamer;
    HeaderLengthProbe fromHeaders(gstreamer);
    LengthProbe& probe = headers ? static_cast<LengthProbe&>(fromHeaders) : gstreamer;
    LengthCalculator lengths({playList, played, player, probe, prompter, timer});

    int unknown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (qsizetype i = 0; i < playList.count(); ++i) {
            playList.setLength(i, 0);
        }
        lengths.markPlayListChanged();
        state.ResumeTiming();
        benchmark::DoNotOptimize(lengths.PlayListLength(LengthCalculator::Kind::WholePlayList));
        state.PauseTiming();
        unknown = 0;
        for (qsizetype i = 0; i < playList.count(); ++i) {
            unknown += LengthCalculator::isKnown(playList.length(i)) ? 0 : 1;
        }
        state.ResumeTiming();
    }
    state.counters["unknown_after"] = unknown;
    if (unknown > 0) {
        state.SkipWithError("some lengths stayed unknown");
    }
}

// The headers alone, one after another on one thread: what a file costs without the list around it.
void headersInARow(benchmark::State& state, Family family) {
    const Corpus& corpus = Corpus::get(family);
    if (corpus.files().size() != kFiles) {
        state.SkipWithError("the files could not be generated");
        return;
    }
    int unread = 0;
    for (auto _ : state) {
        unread = 0;
        for (const QString& file : corpus.files()) {
            unread += HeaderLength::read(file) ? 0 : 1;
        }
    }
    state.counters["unread"] = unread;
    state.counters["us_per_file"] = benchmark::Counter(
        kFiles, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_WavHeadersInARow(benchmark::State& state) {
    headersInARow(state, Family::Wav);
}
void BM_Mp3HeadersInARow(benchmark::State& state) {
    headersInARow(state, Family::Mp3);
}

void BM_WavFromHeaders(benchmark::State& state) {
    totalOfUnknownLengths(state, Family::Wav, true);
}
void BM_WavThroughGStreamer(benchmark::State& state) {
    totalOfUnknownLengths(state, Family::Wav, false);
}
void BM_Mp3FromHeaders(benchmark::State& state) {
    totalOfUnknownLengths(state, Family::Mp3, true);
}
void BM_Mp3ThroughGStreamer(benchmark::State& state) {
    totalOfUnknownLengths(state, Family::Mp3, false);
}

BENCHMARK(BM_WavHeadersInARow)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Mp3HeadersInARow)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WavFromHeaders)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WavThroughGStreamer)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Mp3FromHeaders)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Mp3ThroughGStreamer)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    GstMediaDevice::initialise();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
