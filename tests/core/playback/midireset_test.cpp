#include "core/playback/playbackcontroller.h"

#include "core/common/itemref.h"
#include "core/playback/midireset.h"
#include "core/playlist/playlisteditor.h"
#include "support/sessionfixture.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// A Play List whose MIDI items are preceded by a reset file, played through the fake device in virtual
// time. The reset file takes 1 s; items 10 s.
class MidiResetTest : public SessionFixture {
protected:
    MidiResetTest()
        : started((start(), true)),
          playList(session->playList()),
          preferences(session->preferences()),
          controller(session->controller()),
          timer(session->playbackTimer()),
          delayTimer(session->delayTimer()) {
        resetFile = music.write(s("GSRESET.MID"), QByteArray("MThd"));
        device.files[resetFile].length = 1000;
        preferences.midiResetFile = resetFile;
    }

    bool started;
    PlayList& playList;
    Preferences& preferences;
    PlaybackController& controller;
    const TimerPort& timer;
    const TimerPort& delayTimer;
    QString resetFile;

    void load(std::initializer_list<const char*> names, qint64 knownLength = 0) {
        std::vector<PlayListEntry> entries;
        for (const char* name : names) {
            entries.push_back({MakeFileItem(s("/m/") + s(name)), knownLength});
            device.files[s("/m/") + s(name)].length = 10000;
        }
        playList.setEntries(std::move(entries));
        playList.RedrawPlayList(false);
        controller.listChanged();
    }
    void playLine(qsizetype line) {
        playList.setFocusedLine(line);
        playList.clearSelection();
        playList.setSelected(line, true);
        controller.playFrom(session->playListMedia());
    }
    void runFor(qint64 ms) {
        qint64 delayed = 0;
        for (qint64 t = 0; t < ms; t += PlaybackController::kTickMs) {
            device.advance(PlaybackController::kTickMs);
            if (timer.isActive()) {
                controller.onPlaybackTick();
            }
            if (delayTimer.isActive() && (delayed += PlaybackController::kTickMs) >= delayTimer.interval()) {
                delayed = 0;
                controller.onDelayElapsed();
            }
        }
    }
    // The files opened, in order, by their names.
    QStringList opened() const {
        QStringList names;
        for (const QString& entry : device.log) {
            if (entry.startsWith(s("open "))) {
                names.append(QFileInfo(entry.mid(5)).fileName());
            }
        }
        return names;
    }
    bool playingFile(const char* name) const {
        return device.mode() == MediaDevice::Playing && QFileInfo(device.fileName()).fileName() == s(name);
    }
};

TEST(MidiResetRule, OnlyFilesEndingInMidOrRmiInAnyCaseAreMidiItems) {
    auto file = [](const char* path) {
        PlayItem item;
        item.kind = PlayItem::Kind::File;
        item.path = s(path);
        return MidiReset::isMidiItem(item);
    };
    EXPECT_TRUE(file("/m/song.MID"));
    EXPECT_TRUE(file("/m/song.Rmi"));
    EXPECT_FALSE(file("/m/song.midi"));
    EXPECT_FALSE(file("/m/song.mid.wav"));
    EXPECT_FALSE(file("/m/mid"));
    PlayItem track;
    track.kind = PlayItem::Kind::Track;
    track.path = s("/m/x.mid");
    EXPECT_FALSE(MidiReset::isMidiItem(track));
}

TEST_F(MidiResetTest, AMidiItemPlaysAfterTheResetAndOtherFilesDoNot) {
    load({"song.MID", "song.midi", "tune.wav"});
    playLine(0);
    EXPECT_EQ(controller.windowTitle(), s("1. Resetting MIDI... - Velmaro 4.02"));
    runFor(500);
    // While the reset plays the indicators rest and no length is asked for.
    EXPECT_EQ(controller.indicators().percent, s("N / A"));
    EXPECT_EQ(controller.indicators().position, s("N / A"));
    EXPECT_FALSE(controller.transport().positionBar);
    EXPECT_FALSE(controller.transport().pause);
    EXPECT_TRUE(controller.transport().stop);
    runFor(1000);
    EXPECT_TRUE(playingFile("song.MID"));
    EXPECT_EQ(controller.windowTitle(), s("1. song.MID - Velmaro 4.02"));
    runFor(30000);
    EXPECT_EQ(opened(), lines({"GSRESET.MID", "song.MID", "song.midi", "tune.wav"}));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(MidiResetTest, EachOfTwoMidiItemsGetsItsOwnReset) {
    load({"a.mid", "b.rmi"});
    playLine(0);
    runFor(30000);
    EXPECT_EQ(opened(), lines({"GSRESET.MID", "a.mid", "GSRESET.MID", "b.rmi"}));
}

TEST_F(MidiResetTest, NoResetWithoutTheFileOrWithARelativeName) {
    load({"a.mid"});
    preferences.midiResetFile = music.file(s("gone.mid"));
    playLine(0);
    EXPECT_TRUE(playingFile("a.mid"));
    preferences.midiResetFile = s("GSRESET.MID");
    playLine(0);
    EXPECT_EQ(opened(), lines({"a.mid", "a.mid"}));
}

TEST_F(MidiResetTest, WithAutoPlayOffTheItemStillPlaysAfterItsReset) {
    preferences.autoPlay = false;
    load({"a.mid", "b.mid"});
    playLine(0);
    runFor(1500);
    EXPECT_TRUE(playingFile("a.mid"));
    runFor(20000);
    EXPECT_EQ(opened(), lines({"GSRESET.MID", "a.mid"}));
}

TEST_F(MidiResetTest, TheDelayBetweenItemsRunsBetweenResetAndItem) {
    preferences.delayEnabled = true;
    preferences.delaySeconds = 2;
    load({"a.mid"});
    playLine(0);
    runFor(1500);
    EXPECT_EQ(controller.windowTitle(), s("1. Pausing... - Velmaro 4.02"));
    runFor(2500);
    EXPECT_TRUE(playingFile("a.mid"));
}

TEST_F(MidiResetTest, LoopItemForeverLoopsTheItemNotTheReset) {
    load({"a.mid"});
    controller.toggleLoopItemForever();
    playLine(0);
    runFor(25000);
    EXPECT_TRUE(playingFile("a.mid"));
    EXPECT_EQ(opened(), lines({"GSRESET.MID", "a.mid"}));
}

TEST_F(MidiResetTest, NextOrPreviousDuringAResetMovesOnAsDuringTheItem) {
    load({"a.mid", "b.wav", "c.mid"});
    playLine(0);
    controller.next();
    EXPECT_TRUE(playingFile("b.wav"));
    playLine(2);
    controller.previous();
    EXPECT_TRUE(playingFile("b.wav"));
    runFor(3000);
    EXPECT_EQ(opened(), lines({"GSRESET.MID", "b.wav", "GSRESET.MID", "b.wav"}));
}

TEST_F(MidiResetTest, AnItemRemovedDuringItsResetIsNotPlayedAndWhatFollowsItPlays) {
    load({"a.wav", "b.mid", "c.wav"});
    playLine(1);
    playList.clearSelection();
    playList.setSelected(1, true);
    session->editor().RemoveSelectedItems();
    runFor(1500);
    EXPECT_TRUE(playingFile("c.wav"));
    runFor(20000);
    EXPECT_EQ(opened(), lines({"GSRESET.MID", "c.wav"}));
}

TEST_F(MidiResetTest, AResetFileThatCannotBePlayedIsSkippedAndSaidOnce) {
    device.files[resetFile].failure = s("not a MIDI file");
    load({"a.mid", "b.mid"});
    playLine(0);
    EXPECT_TRUE(playingFile("a.mid"));
    runFor(30000);
    EXPECT_EQ(opened(), lines({"GSRESET.MID", "a.mid", "GSRESET.MID", "b.mid"}));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.contains(s("MIDI reset file")));
    EXPECT_TRUE(prompter.messages[0].text.contains(s("not a MIDI file")));
}

TEST_F(MidiResetTest, AJumpIntoAMidiItemOfTheWholeListResetsAndStartsTheItemFromItsBeginning) {
    load({"a.wav", "b.mid"}, 10000);
    playLine(0);
    session->indicators().setTotals(ProgressIndicators::Percent, true);
    controller.indicatorModeChanged();
    controller.applyBarPosition(75);  // halfway into b.mid
    EXPECT_EQ(controller.windowTitle(), s("2. Resetting MIDI... - Velmaro 4.02"));
    runFor(1500);
    EXPECT_TRUE(playingFile("b.mid"));
    EXPECT_LT(device.position(), 1000);
    EXPECT_EQ(opened(), lines({"a.wav", "GSRESET.MID", "b.mid"}));
}

}  // namespace
