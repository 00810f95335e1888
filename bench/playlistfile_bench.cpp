// How long a Play List of 100,000 items takes to open, update and save.
#include "benchsupport.h"
#include "core/app/appsession.h"
#include "core/common/textfile.h"
#include "core/playlist/playlistfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kItems = 100000;

// A file as the program writes it: file and CD items, all with lengths.
QStringList longListLines() {
    QStringList lines = {QStringLiteral("[General]"), QStringLiteral("LastPlayed="), QString(),
                         QStringLiteral("[Items]")};
    for (int i = 0; i < kItems; ++i) {
        if (i % 10 == 9) {
            lines.append(QStringLiteral("[CDID=%1, T=%2, L=%3]").arg(-1234567 + i).arg(i % 20 + 1).arg(180000 + i));
        } else {
            lines.append(QStringLiteral("[FILE=\"/home/user/Music/Artist %1/Album %2/Track %3.mp3\", L=%4]")
                             .arg(i % 97)
                             .arg(i % 13)
                             .arg(i)
                             .arg(200000 + i));
        }
    }
    return lines;
}

struct Fixture {
    QTemporaryDir folder;
    QString path = QDir(folder.path()).filePath(QStringLiteral("long.vlp"));
    SilentPrompter prompter;
    MemoryClipboard clipboard;
    NoDevice device;
    NoLengthProbe probe;
    AppSession session{AppSession::Folders{folder.path(), QString(), folder.path()},
                       AppSession::Ports{prompter, device, clipboard, probe}};
    PlayList& playList = session.playList();
    PlayListDocument& document = session.document();

    Fixture() {
        session.preferences().startPlaying = false;
        TextFile::writeLines(path, longListLines());
    }
};

// Reading the file, normalising every line and taking the lengths off.
void BM_ReadNormaliseAndExtractLengths(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        const TextFile::ReadResult file = TextFile::readLines(f.path);
        PlayListFile::Contents contents = PlayListFile::parse(file.lines);
        benchmark::DoNotOptimize(contents.entries.data());
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_ReadNormaliseAndExtractLengths)->Unit(benchmark::kMillisecond);

// The whole Open command: the above plus the display lines of the box.
void BM_OpenPlayList(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        f.document.OpenPlayList(f.path, false, false);
        benchmark::DoNotOptimize(f.playList.lineCount());
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_OpenPlayList)->Unit(benchmark::kMillisecond);

// Writing lengths and the last played item back, from memory and from the file on disk.
void BM_UpdatePlayListFile(benchmark::State& state) {
    Fixture f;
    f.document.OpenPlayList(f.path, false, false);
    const bool fromDisk = state.range(0) != 0;
    for (auto _ : state) {
        f.document.UpdatePlayListFile(fromDisk);
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_UpdatePlayListFile)->Arg(0)->Arg(1)->ArgName("fromDisk")->Unit(benchmark::kMillisecond);

}  // namespace

// The session's File List watches its folder, which wants an application.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
