// How long a search for "*.mid;*.wav;" takes over a tree of 20,000 files in 2,000 folders, the files
// found entering the Play List, beside the system's find over the same tree in the same run. The goal
// is at most 1.5 times find's time.
#include "benchsupport.h"

#include "core/app/appsession.h"
#include "core/common/textmeasurer.h"
#include "core/files/filetypes.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kFolders = 2000;
constexpr int kFilesPerFolder = 10;

class CharacterMeasurer : public TextMeasurer {
public:
    int textWidth(const QString& text) const override { return static_cast<int>(text.size()) * 6; }
};

// 100 folders of 19 sub-folders each; a fifth of the files MIDI, a fifth wave, the rest other types.
const QTemporaryDir& treeOfFiles() {
    static QTemporaryDir root;
    static bool made = false;
    if (!made) {
        static const char* const extensions[] = {".mid", ".wav", ".mp3", ".txt", ".MID", ".jpg", ".WAV", ".xm",
                                                 ".pdf", ".doc"};
        const QDir dir(root.path());
        for (int i = 0; i < kFolders; ++i) {
            const QString folder = i % 20 == 0 ? QStringLiteral("Album %1").arg(i / 20)
                                               : QStringLiteral("Album %1/Disc %2").arg(i / 20).arg(i % 20);
            dir.mkpath(folder);
            for (int f = 0; f < kFilesPerFolder; ++f) {
                QFile file(dir.filePath(QStringLiteral("%1/Track %2%3").arg(folder).arg(f).arg(
                    QString::fromLatin1(extensions[f]))));
                file.open(QIODevice::WriteOnly);
            }
        }
        made = true;
    }
    return root;
}

// The Play List and everything a search needs around it: the session over ports that answer at once.
struct SearchSetup {
    QTemporaryDir home;
    SilentPrompter prompter;
    MemoryClipboard clipboard;
    CharacterMeasurer measurer;
    NoDevice device;
    NoLengthProbe probe;
    AppSession session{AppSession::Folders{home.path(), QString(), home.path()},
                       AppSession::Ports{prompter, device, clipboard, probe, nullptr, &measurer}};
    PlayList& playList = session.playList();
    FileSearch& search = session.fileSearch();

    void emptyPlayList() {
        playList.setEntries({});
        playList.RedrawPlayList(false);
        session.unplayedItems().clear();
    }
};

QString maskOf(int which) {
    return which == 0 ? QStringLiteral("*.mid;*.wav;") : QString::fromLatin1(kFilterGroups[0].mask);
}

// Arg 0: "*.mid;*.wav;"; arg 1: All Multimedia Files (28 masks).
void SearchTreeIntoPlayList(benchmark::State& state) {
    const QString folder = treeOfFiles().path();
    SearchSetup setup;
    for (auto _ : state) {
        state.PauseTiming();
        setup.emptyPlayList();
        state.ResumeTiming();
        setup.search.start(folder, maskOf(static_cast<int>(state.range(0))));
        setup.search.runToEnd();
        benchmark::DoNotOptimize(setup.playList.count());
    }
    state.counters["found"] = static_cast<double>(setup.playList.count());
}
BENCHMARK(SearchTreeIntoPlayList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same through the event loop, as the Search box runs it: the longest time the loop waits between
// two slices bounds how long Stop (or a repaint) waits.
void SearchTreeInSlices(benchmark::State& state) {
    const QString folder = treeOfFiles().path();
    SearchSetup setup;
    qint64 longest = 0;
    QElapsedTimer sinceSlice;
    QObject::connect(&setup.search, &FileSearch::progress, [&] {
        longest = std::max(longest, sinceSlice.nsecsElapsed());
        sinceSlice.restart();
    });
    for (auto _ : state) {
        state.PauseTiming();
        setup.emptyPlayList();
        state.ResumeTiming();
        QEventLoop loop;
        QObject::connect(&setup.search, &FileSearch::finished, &loop, &QEventLoop::quit);
        sinceSlice.start();
        setup.search.start(folder, maskOf(1));
        loop.exec();
    }
    state.counters["longest_slice_ms"] = static_cast<double>(longest) / 1e6;
}
BENCHMARK(SearchTreeInSlices)->Unit(benchmark::kMillisecond);

void SystemFindOverTheSameTree(benchmark::State& state) {
    const QString folder = treeOfFiles().path();
    qsizetype lines = 0;
    for (auto _ : state) {
        QProcess find;
        find.start(QStringLiteral("find"), {folder, QStringLiteral("-iname"), QStringLiteral("*.mid"),
                                            QStringLiteral("-o"), QStringLiteral("-iname"), QStringLiteral("*.wav")});
        find.waitForFinished(-1);
        lines = find.readAllStandardOutput().count('\n');
    }
    state.counters["found"] = static_cast<double>(lines);
}
BENCHMARK(SystemFindOverTheSameTree)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
