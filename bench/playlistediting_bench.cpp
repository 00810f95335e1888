// The editing commands on a Play List of 100,000 items.
#include "benchsupport.h"
#include "core/app/appsession.h"
#include "core/common/itemref.h"
#include "media/gstlengthprobe.h"
#include "media/gstmediadevice.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kItems = 100000;

// Every tenth item appears twice, so that there is something to de-duplicate.
std::vector<PlayListEntry> longList() {
    std::vector<PlayListEntry> entries;
    entries.reserve(kItems);
    for (int i = 0; i < kItems; ++i) {
        const int n = i % 10 == 9 ? i - 9 : i;
        entries.push_back({MakeFileItem(QStringLiteral("/home/user/Music/Artist %1/Album %2/Track %3.mp3")
                                            .arg(n % 97)
                                            .arg(n % 13)
                                            .arg(n)),
                           200000 + n});
    }
    return entries;
}

// The whole program without its window, as the window shows it; commands run through the dispatcher
// with their state refresh, as a menu item runs them.
struct Fixture {
    QTemporaryDir home;
    SilentPrompter prompter;
    MemoryClipboard clipboard;
    GstMediaDevice device;
    GstLengthProbe probe;
    AppSession session{{home.path(), QString(), home.path()}, {prompter, device, clipboard, probe}};
    PlayList& playList = session.playList();
    ItemSet& unplayed = session.unplayedItems();
    ActiveLists& lists = session.lists();
    PlayListEditor& editor = session.editor();

    Fixture() { editor.setFileExists([](const QString&) { return true; }); }
    void command(const char* name) { session.runCommand(QString::fromLatin1(name)); }
    // A fresh list, outside the timing.
    void reset(bool selectEveryOther = false) {
        playList.setEntries(longList());
        playList.RedrawPlayList(false);
        unplayed.clear();
        QStringList refs;
        for (const PlayListEntry& entry : playList.entries()) {
            refs.append(entry.ref);
        }
        unplayed.addAll(refs);
        playList.setFocusedLine(0);
        playList.setCurrentItem(kItems / 2);
        lists.setPlaying(&lists.playList());
        lists.setFocused(lists.playList());
        if (selectEveryOther) {
            for (qsizetype i = 1; i < kItems; i += 2) {
                playList.setSelected(i, true);
            }
        }
        // What the set-up changed is announced before the command starts.
        QCoreApplication::sendPostedEvents();
        session.commands().refreshNow();
    }
};

template <typename Command>
void runCommand(benchmark::State& state, bool selectEveryOther, Command command) {
    Fixture f;
    for (auto _ : state) {
        state.PauseTiming();
        f.reset(selectEveryOther);
        state.ResumeTiming();
        command(f);
    }
}

void BM_RemoveDuplicateItems(benchmark::State& state) {
    runCommand(state, false, [](Fixture& f) { f.command("RemoveDuplicateItemsM"); });
}
void BM_SortAlphabetically(benchmark::State& state) {
    runCommand(state, false, [](Fixture& f) { f.command("SortAlphabeticallyM"); });
}
void BM_SortRandomly(benchmark::State& state) {
    runCommand(state, false, [](Fixture& f) { f.command("SortRandomlyM"); });
}
void BM_SelectAll(benchmark::State& state) {
    runCommand(state, false, [](Fixture& f) { f.command("SelectAllM"); });
}
void BM_InvertSelection(benchmark::State& state) {
    runCommand(state, true, [](Fixture& f) { f.command("InvertSelectionM"); });
}
void BM_RemoveHalfSelected(benchmark::State& state) {
    runCommand(state, true, [](Fixture& f) { f.command("RemoveM"); });
}
void BM_MoveUpHalfSelected(benchmark::State& state) {
    runCommand(state, true, [](Fixture& f) { f.command("MoveUpM"); });
}
void BM_Undo(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        state.PauseTiming();
        f.reset(true);
        f.command("RemoveM");
        state.ResumeTiming();
        f.command("UndoM");
    }
}
void BM_Paste10000(benchmark::State& state) {
    Fixture f;
    QString text;
    for (int i = 0; i < 10000; ++i) {
        text += QStringLiteral("[FILE=\"/home/user/Music/Pasted/Track %1.mp3\", L=%2]\r\n").arg(i).arg(1000 + i);
    }
    for (auto _ : state) {
        state.PauseTiming();
        f.reset();
        f.clipboard.contents = text;
        state.ResumeTiming();
        f.command("PasteM");
    }
}

BENCHMARK(BM_RemoveDuplicateItems)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SortAlphabetically)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SortRandomly)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SelectAll)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_InvertSelection)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RemoveHalfSelected)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_MoveUpHalfSelected)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Undo)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Paste10000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);  // the announcements of the states wait for its event loop
    GstMediaDevice::initialise();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
