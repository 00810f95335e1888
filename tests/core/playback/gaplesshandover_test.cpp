#include "core/playback/playbackcontroller.h"

#include "core/common/itemref.h"
#include "core/playlist/playlisteditor.h"
#include "core/playlist/playorder.h"
#include "support/sessionfixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A Play List played through a fake device that can follow one file with the next without a gap.
class GaplessHandover : public SessionFixture {
protected:
    GaplessHandover()
        : started((start(), true)),
          playList(session->playList()),
          preferences(session->preferences()),
          controller(session->controller()),
          lists(session->lists()),
          timer(session->playbackTimer()) {
        device.gapless = true;
    }

    bool started;
    PlayList& playList;
    Preferences& preferences;
    PlaybackController& controller;
    ActiveLists& lists;
    const TimerPort& timer;

    void load(std::initializer_list<const char*> names) {
        std::vector<PlayListEntry> entries;
        for (const char* name : names) {
            entries.push_back({MakeFileItem(s("/m/") + s(name)), 0});
            device.files[s("/m/") + s(name)].length = 10000;
        }
        playList.setEntries(std::move(entries));
        playList.RedrawPlayList(false);
        session->unplayedItems().clear();
        for (const PlayListEntry& entry : playList.entries()) {
            session->unplayedItems().add(entry.ref);
        }
        controller.listChanged();
    }
    void playLine(qsizetype line) {
        playList.setFocusedLine(line);
        playList.clearSelection();
        playList.setSelected(line, true);
        controller.playFrom(lists.playList());
    }
    void runFor(qint64 ms) {
        for (qint64 t = 0; t < ms; t += PlaybackController::kTickMs) {
            device.advance(PlaybackController::kTickMs);
            if (timer.isActive()) {
                controller.onPlaybackTick();
            }
        }
    }
    // The device's log entries that start with what, without it.
    QStringList logged(const QString& what) const {
        QStringList names;
        for (const QString& entry : device.log) {
            if (entry.startsWith(what + s(" /m/"))) {
                names.append(entry.mid(what.size() + 4));
            }
        }
        return names;
    }
    bool playing() const { return device.mode() == MediaDevice::Playing; }
};

TEST_F(GaplessHandover, EachItemPlaysOnIntoTheNextAndIsAnnouncedAsAnEndIs) {
    load({"a.wav", "b.wav", "c.mp3"});
    playLine(0);
    EXPECT_EQ(device.queued(), s("/m/b.wav"));
    runFor(10000);
    // The device was never opened again, and everything the end of an item does was done.
    EXPECT_EQ(logged(s("open")), lines({"a.wav"}));
    EXPECT_EQ(logged(s("handover")), lines({"b.wav"}));
    EXPECT_EQ(playList.CurrentItem(), 1);
    EXPECT_EQ(playList.focusedLine(), 1);
    EXPECT_TRUE(playList.isSelected(1));
    EXPECT_FALSE(playList.isSelected(0));
    EXPECT_EQ(controller.windowTitle(), s("2. b.wav - Velmaro 4.02"));
    EXPECT_EQ(session->playedItems().size(), 2);
    EXPECT_EQ(playList.length(1), 10000);
    EXPECT_EQ(controller.transport().nextItem, s("c.mp3"));
    EXPECT_EQ(device.queued(), s("/m/c.mp3"));
    runFor(4000);
    EXPECT_EQ(controller.indicators().position, s("00:00:04"));
    // The last item has nothing after it: the list ends there as it always did.
    runFor(20000);
    EXPECT_EQ(logged(s("handover")), lines({"b.wav", "c.mp3"}));
    EXPECT_FALSE(playing());
    EXPECT_EQ(lists.playing(), nullptr);
    EXPECT_EQ(controller.windowTitle(), s("Velmaro 4.02"));
}

TEST_F(GaplessHandover, AnEditInTheLastSecondQueuesTheEditedListsNextItem) {
    load({"a.wav", "b.wav", "c.wav"});
    playLine(0);
    runFor(9500);
    EXPECT_EQ(device.queued(), s("/m/b.wav"));
    playList.clearSelection();
    playList.setSelected(1, true);
    session->editor().RemoveSelectedItems();
    EXPECT_EQ(device.queued(), s("/m/c.wav"));
    runFor(1000);
    EXPECT_EQ(logged(s("handover")), lines({"c.wav"}));
    EXPECT_EQ(playList.CurrentItem(), 1);
    EXPECT_EQ(controller.windowTitle(), s("2. c.wav - Velmaro 4.02"));
}

TEST_F(GaplessHandover, AChangeTheQueueMissedEndsTheItemAndTheRightItemOpens) {
    load({"a.wav", "b.wav", "c.wav"});
    playLine(0);
    // Moved behind the controller's back, between two ticks: the device hands over the stale file.
    playList.setCurrentItem(1);
    device.advance(10000);
    EXPECT_EQ(logged(s("handover")), lines({"b.wav"}));
    EXPECT_EQ(logged(s("open")), lines({"a.wav", "c.wav"}));
    EXPECT_EQ(playList.CurrentItem(), 2);
    EXPECT_EQ(device.fileName(), s("/m/c.wav"));
    EXPECT_EQ(controller.windowTitle(), s("3. c.wav - Velmaro 4.02"));
    EXPECT_TRUE(playing());
}

TEST_F(GaplessHandover, ItemLoopsRepeatTheSameFileWithoutReopeningIt) {
    load({"a.wav", "b.wav"});
    playLine(0);
    controller.toggleLoopItemForever();
    EXPECT_EQ(device.queued(), s("/m/a.wav"));
    runFor(30000);
    EXPECT_EQ(logged(s("handover")), lines({"a.wav", "a.wav", "a.wav"}));
    EXPECT_EQ(logged(s("open")), lines({"a.wav"}));
    EXPECT_EQ(playList.CurrentItem(), 0);
    EXPECT_EQ(controller.windowTitle(), s("1. a.wav - Velmaro 4.02"));
    controller.toggleLoopItemForever();
    EXPECT_EQ(device.queued(), s("/m/b.wav"));

    // Once: the item plays one more time, the mark goes and the list goes on, still without a gap.
    controller.toggleLoopItemOnce();
    EXPECT_EQ(device.queued(), s("/m/a.wav"));
    runFor(10000);
    EXPECT_FALSE(controller.loopOnce());
    EXPECT_EQ(device.queued(), s("/m/b.wav"));
    runFor(10000);
    EXPECT_EQ(logged(s("handover")), lines({"a.wav", "a.wav", "a.wav", "a.wav", "b.wav"}));
    EXPECT_EQ(logged(s("open")), lines({"a.wav"}));
}

TEST_F(GaplessHandover, AQueuedFileThatFailsFallsBackAndTheNextItemOpensAsUsual) {
    load({"a.wav", "b.wav", "c.wav"});
    device.files[s("/m/b.wav")].failsWhenQueued = true;
    playLine(0);
    runFor(10000);
    EXPECT_EQ(logged(s("queued failed")), lines({"b.wav"}));
    EXPECT_EQ(logged(s("open")), lines({"a.wav", "b.wav"}));
    EXPECT_EQ(playList.CurrentItem(), 1);
    EXPECT_TRUE(playing());
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(device.queued(), s("/m/c.wav"));
}

TEST_F(GaplessHandover, CommandsAndOptionsThatChangeWhatFollowsCancelTheQueue) {
    load({"a.wav", "b.wav", "c.wav"});
    playLine(0);
    controller.next();  // b opens as Next always opened it; c is queued after it
    EXPECT_EQ(logged(s("open")), lines({"a.wav", "b.wav"}));
    EXPECT_EQ(device.queued(), s("/m/c.wav"));

    controller.toggleAutoPlay();
    EXPECT_TRUE(device.queued().isEmpty());
    controller.toggleAutoPlay();
    EXPECT_EQ(device.queued(), s("/m/c.wav"));

    controller.setPositionBarDragging(true);  // an item that ends while the bar is held waits
    EXPECT_TRUE(device.queued().isEmpty());
    controller.setPositionBarDragging(false);
    EXPECT_EQ(device.queued(), s("/m/c.wav"));

    controller.stop();
    EXPECT_TRUE(device.queued().isEmpty());
    EXPECT_FALSE(playing());
    runFor(20000);
    EXPECT_TRUE(logged(s("handover")).isEmpty());
}

// What follows is queued only when it is known and plays on the same device; what must start on its
// own is never queued, and the next item opens as it always did.
TEST_F(GaplessHandover, WhatIsQueuedFollowsThePlayOrderAndOnlyFilesThatCanJoin) {
    const struct {
        const char* name;
        std::function<void(Preferences&)> set;
        std::initializer_list<const char*> items;
        std::initializer_list<qsizetype> selected;  // the line that plays first
        const char* queued;                         // empty: nothing
    } cases[] = {
        {"the next line", [](Preferences&) {}, {"a.wav", "b.wav"}, {0}, "/m/b.wav"},
        {"selected lines wrap around", [](Preferences&) {}, {"a.wav", "b.wav", "c.ogg"}, {2, 0}, "/m/a.wav"},
        {"the first after the last with Loop Play List",
         [](Preferences& p) { p.loopPlayList = true; },
         {"a.wav", "b.wav"},
         {1},
         "/m/a.wav"},
        {"the end of the list", [](Preferences&) {}, {"a.wav", "b.wav"}, {1}, ""},
        {"a pause between items", [](Preferences& p) { p.delayEnabled = true; }, {"a.wav", "b.wav"}, {0}, ""},
        {"random play", [](Preferences& p) { p.randomPlay = true; }, {"a.wav", "b.wav"}, {0}, ""},
        {"auto play off", [](Preferences& p) { p.autoPlay = false; }, {"a.wav", "b.wav"}, {0}, ""},
        {"a MIDI item next", [](Preferences&) {}, {"a.wav", "b.mid"}, {0}, ""},
        {"a MIDI item playing", [](Preferences&) {}, {"a.rmi", "b.wav"}, {0}, ""},
        {"a movie next", [](Preferences&) {}, {"a.wav", "b.avi"}, {0}, ""},
        {"a file that may hold a picture next", [](Preferences&) {}, {"a.wav", "b.mp4"}, {0}, ""},
        {"an Ogg file next", [](Preferences&) {}, {"a.wav", "b.ogg"}, {0}, "/m/b.ogg"},
        {"a CD track next", [](Preferences&) {}, {"a.wav", "[CDID=123, T=1]"}, {0}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        preferences.delayEnabled = preferences.randomPlay = preferences.loopPlayList = false;
        preferences.autoPlay = true;
        std::vector<PlayListEntry> entries;
        for (const char* name : c.items) {
            const QString item = s(name).startsWith(u'[') ? s(name) : MakeFileItem(s("/m/") + s(name));
            entries.push_back({item, 0});
        }
        playList.setEntries(std::move(entries));
        playList.RedrawPlayList(false);
        c.set(preferences);
        playList.clearSelection();
        for (qsizetype line : c.selected) {
            playList.setSelected(line, true);
        }
        playList.setFocusedLine(*c.selected.begin());
        device.log.clear();
        controller.playFrom(lists.playList());
        runFor(2000);
        EXPECT_EQ(device.queued(), s(c.queued));
        controller.stop();
    }
}

}  // namespace
