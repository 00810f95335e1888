// How long a settings file of 100,000 lines takes to read at start and to write at close.
#include "core/settings/preferences.h"
#include "core/settings/settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kLines = 100000;

// A thousand foreign sections of a hundred lines before the program's own: every key of ours is
// looked up past them.
QByteArray largeSettings() {
    QByteArray bytes;
    for (int section = 0; section < kLines / 100; ++section) {
        bytes += "[Other program " + QByteArray::number(section) + "]\r\n";
        for (int key = 0; key < 99; ++key) {
            bytes += "Key" + QByteArray::number(key) + "=value " + QByteArray::number(section * 100 + key) +
                     "\r\n";
        }
    }
    return bytes;
}

struct Fixture {
    QTemporaryDir folder;
    Settings settings{QDir(folder.path()).filePath(QStringLiteral("velmaro.ini"))};
    Preferences preferences;

    Fixture() {
        QFile file(settings.path());
        file.open(QIODevice::WriteOnly);
        file.write(largeSettings());
        file.close();
        settings.SaveSettings(preferences, true);  // the program's own sections after the foreign ones
    }
};

// What a start reads: the window's placement, the first-run check, then everything else.
void BM_LoadSettingsOf100000Lines(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        Preferences p;
        f.settings.LoadWindowSettings(p);
        benchmark::DoNotOptimize(f.settings.isPresent());
        f.settings.LoadSettings(p, {});
        benchmark::DoNotOptimize(p.history.size());
    }
}
BENCHMARK(BM_LoadSettingsOf100000Lines)->Unit(benchmark::kMillisecond);

// What closing writes: every key, the favorites lists cleared and filled again, the file replaced.
void BM_SaveSettingsOf100000Lines(benchmark::State& state) {
    Fixture f;
    f.preferences.favoriteFolders = {QStringLiteral("/home/u/Music"), QStringLiteral("/home/u/Old")};
    f.preferences.favoritePlayLists = {QStringLiteral("/home/u/a.vlp"), QStringLiteral("/home/u/b.vlp")};
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.settings.SaveSettings(f.preferences, true));
    }
}
BENCHMARK(BM_SaveSettingsOf100000Lines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
