// The editing commands on a Play List of 100,000 items.
#include "benchsupport.h"
#include "core/app/runstate.h"
#include "core/cdaudio/cddatabase.h"
#include "core/common/clipboard.h"
#include "core/common/prompter.h"
#include "core/playback/playorder.h"
#include "core/playlist/itemref.h"
#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"
#include "core/playlist/playlistdocument.h"
#include "core/playlist/playlisteditor.h"
#include "core/settings/preferences.h"

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

struct Fixture {
    PlayList playList;
    ItemSet unplayed{ItemSet::Order::Insertion};
    ItemSet played{ItemSet::Order::Insertion};
    CDDatabase cdDatabase;
    RunState run;
    Preferences preferences;
    SilentPrompter prompter;
    MemoryClipboard clipboard;
    PlayOrder order{playList, played, unplayed, preferences};
    PlayListDocument document{{playList, unplayed, cdDatabase, run, preferences, prompter, nullptr, QString()}};
    PlayListEditor editor{{playList, unplayed, order, document, run, preferences, prompter, clipboard, cdDatabase, nullptr}};

    Fixture() {
        playList.setPlayedItems(&played);
        editor.setFileExists([](const QString&) { return true; });
    }
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
        run.playbackSource = PlaybackSource::PlayList;
        run.focusList = ActiveList::PlayList;
        if (selectEveryOther) {
            for (qsizetype i = 1; i < kItems; i += 2) {
                playList.setSelected(i, true);
            }
        }
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
    runCommand(state, false, [](Fixture& f) { f.editor.RemoveDuplicateItems(); });
}
void BM_SortAlphabetically(benchmark::State& state) {
    runCommand(state, false, [](Fixture& f) { f.editor.SortAlphabetically(); });
}
void BM_SortRandomly(benchmark::State& state) {
    runCommand(state, false, [](Fixture& f) { f.editor.SortRandomly(); });
}
void BM_SelectAll(benchmark::State& state) {
    runCommand(state, false, [](Fixture& f) { f.editor.SelectAll(); });
}
void BM_InvertSelection(benchmark::State& state) {
    runCommand(state, true, [](Fixture& f) { f.editor.InvertSelection(); });
}
void BM_RemoveHalfSelected(benchmark::State& state) {
    runCommand(state, true, [](Fixture& f) { f.editor.RemoveSelectedItems(); });
}
void BM_MoveUpHalfSelected(benchmark::State& state) {
    runCommand(state, true, [](Fixture& f) { f.editor.MoveUp(); });
}
void BM_Undo(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        state.PauseTiming();
        f.reset(true);
        f.editor.RemoveSelectedItems();
        state.ResumeTiming();
        f.editor.Undo();
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
        f.editor.Paste();
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

BENCHMARK_MAIN();
