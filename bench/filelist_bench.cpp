// How long the File List takes to list a folder of 20,000 files and filter them by a mask: each
// change of folder, filter group or typed mask costs one such reading. The goal is under 150 ms.
#include "core/files/filelist.h"
#include "core/files/filetypes.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kFiles = 20000;

// Half media files of the first filter's types, half other files, as a download folder holds them.
const QTemporaryDir& folderOfFiles() {
    static QTemporaryDir folder;
    static bool made = false;
    if (!made) {
        static const char* const extensions[] = {".mid", ".wav", ".mp3", ".txt", ".jpg", ".MID", ".xm", ".pdf"};
        for (int i = 0; i < kFiles; ++i) {
            QFile file(folder.filePath(QStringLiteral("Track %1%2").arg(i).arg(QString::fromLatin1(extensions[i % 8]))));
            file.open(QIODevice::WriteOnly);
        }
        made = true;
    }
    return folder;
}

void ListAndFilterTwentyThousandFiles(benchmark::State& state) {
    const QString folder = folderOfFiles().path();
    const QString mask = QString::fromLatin1(kFilterGroups[static_cast<size_t>(state.range(0))].mask);
    FileList files;
    files.setMask(mask);
    for (auto _ : state) {
        files.setFolder(QString());
        files.setFolder(folder);
        benchmark::DoNotOptimize(files.count());
    }
    state.counters["listed"] = static_cast<double>(files.count());
}
// All Multimedia Files (28 patterns), All Files, MIDI Files.
BENCHMARK(ListAndFilterTwentyThousandFiles)->Arg(0)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
