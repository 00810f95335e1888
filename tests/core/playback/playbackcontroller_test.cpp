#include "core/playback/playbackcontroller.h"

#include "core/cdaudio/cdidentifier.h"
#include "core/playlist/playorder.h"
#include "core/playback/transportpreview.h"
#include "core/common/itemref.h"
#include "support/sessionfixture.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

// A Play List of short items played by the session through the fake device in virtual time.
class PlaybackTest : public SessionFixture {
protected:
    PlaybackTest()
        : started((start(), true)),
          playList(session->playList()),
          played(session->playedItems()),
          unplayed(session->unplayedItems()),
          preferences(session->preferences()),
          indicators(session->indicators()),
          controller(session->controller()),
          lists(session->lists()),
          timer(session->playbackTimer()),
          delayTimer(session->delayTimer()) {
        session->playOrder().setRandom([this](qsizetype bound) {
            const qsizetype value = draws.empty() ? 0 : draws.front();
            if (!draws.empty()) {
                draws.pop_front();
            }
            return value % bound;
        });
    }

    bool started;
    PlayList& playList;
    ItemSet& played;
    ItemSet& unplayed;
    Preferences& preferences;
    ProgressIndicators& indicators;
    PlaybackController& controller;
    ActiveLists& lists;
    const TimerPort& timer;
    const TimerPort& delayTimer;
    std::deque<qsizetype> draws;  // scripted random draws

    void load(std::initializer_list<const char*> names, qint64 length = 10000) {
        std::vector<PlayListEntry> entries;
        for (const char* name : names) {
            entries.push_back({MakeFileItem(s("/m/") + s(name)), 0});
            device.files[s("/m/") + s(name)].length = length;
        }
        playList.setEntries(std::move(entries));
        playList.RedrawPlayList(false);
        playList.setFocusedLine(0);
        unplayed.clear();
        for (const PlayListEntry& entry : playList.entries()) {
            unplayed.add(entry.ref);
        }
        controller.listChanged();
    }
    void select(std::initializer_list<qsizetype> lines) {
        playList.clearSelection();
        for (qsizetype line : lines) {
            playList.setSelected(line, true);
        }
    }
    // Plays the focused line as the user would.
    void playLine(qsizetype line) {
        playList.setFocusedLine(line);
        select({line});
        playFocusedItem();
    }
    void playFocusedItem() { controller.playFrom(lists.playList()); }
    // Virtual time in ticks; the delay timer fires when its interval has passed.
    void runFor(qint64 ms) {
        qint64 delayed = 0;
        for (qint64 t = 0; t < ms; t += PlaybackController::kTickMs) {
            device.advance(PlaybackController::kTickMs);
            if (timer.isActive()) {
                controller.onPlaybackTick();
            }
            if (delayTimer.isActive()) {
                delayed += PlaybackController::kTickMs;
                if (delayed >= delayTimer.interval()) {
                    delayed = 0;
                    controller.onDelayElapsed();
                }
            }
        }
    }
    // The files opened, in order, by their names.
    QStringList opened() const {
        QStringList names;
        for (const QString& entry : device.log) {
            if (entry.startsWith(s("open /m/"))) {
                names.append(entry.mid(8));
            }
        }
        return names;
    }
    bool playing() const { return device.mode() == MediaDevice::Playing; }
};

TEST_F(PlaybackTest, AutoPlayWalksTheListAndStopsAtItsEnd) {
    load({"a.mid", "b.wav", "c.mp3"});
    playLine(0);
    EXPECT_EQ(controller.windowTitle(), s("1. a.mid - Velmaro 4.02"));
    EXPECT_EQ(controller.indicators().length, s("00:00:10"));
    runFor(4000);
    EXPECT_EQ(controller.indicators().position, s("00:00:04"));
    EXPECT_EQ(controller.indicators().remaining, s("00:00:06"));
    EXPECT_EQ(controller.indicators().percent, s("40 %"));
    EXPECT_TRUE(controller.applicationTitle().contains(s("(40 %)")));
    runFor(30000);
    EXPECT_EQ(opened(), lines({"a.mid", "b.wav", "c.mp3"}));
    EXPECT_FALSE(playing());
    EXPECT_EQ(lists.playing(), nullptr);
    EXPECT_EQ(controller.windowTitle(), s("Velmaro 4.02"));
    const TransportState state = controller.transport();
    EXPECT_TRUE(state.play);
    EXPECT_FALSE(state.stop);
    // Every started item was marked played, and its length stored beside it.
    EXPECT_EQ(played.size(), 3);
    EXPECT_EQ(playList.length(2), 10000);
}

TEST_F(PlaybackTest, TheNextItemStartsAtOnceWhenTheDeviceReportsTheEnd) {
    load({"a.mid", "b.mid"});
    playLine(0);
    device.advance(10000);  // between two ticks
    EXPECT_EQ(opened(), lines({"a.mid", "b.mid"}));
    EXPECT_TRUE(playing());
}

TEST_F(PlaybackTest, NextOnTheLastItemEndsAndALaterPlayPlaysTheChosenItem) {
    load({"a.mid", "b.mid", "c.mid"});
    playLine(2);
    controller.next();  // disabled: nothing follows without Loop Play List
    EXPECT_TRUE(playing());
    runFor(10000);
    EXPECT_FALSE(playing());
    playLine(1);
    EXPECT_EQ(opened(), lines({"c.mid", "b.mid"}));
}

TEST_F(PlaybackTest, NextWithNothingPlayingOnTheLastLineDoesNothing) {
    load({"a.mid", "b.mid"});
    playList.setFocusedLine(1);
    select({1});
    controller.listChanged();
    EXPECT_FALSE(controller.transport().next);
    controller.next();
    EXPECT_TRUE(opened().isEmpty());

    preferences.loopPlayList = true;
    controller.listChanged();
    controller.next();  // with the loop, the first line follows the last
    EXPECT_EQ(opened(), lines({"a.mid"}));
}

TEST_F(PlaybackTest, TheDelayPausesBetweenItemsAndNextSkipsIt) {
    load({"a.mid", "b.mid", "c.mid"});
    preferences.delayEnabled = true;
    preferences.delaySeconds = 2.0;
    playLine(0);
    runFor(10000);
    EXPECT_TRUE(delayTimer.isActive());
    EXPECT_EQ(controller.windowTitle(), s("1. Pausing... - Velmaro 4.02"));
    EXPECT_EQ(opened(), lines({"a.mid"}));
    runFor(2000);
    EXPECT_EQ(opened(), lines({"a.mid", "b.mid"}));

    runFor(10000);  // b ends: the pause again, which Next skips
    ASSERT_TRUE(delayTimer.isActive());
    controller.next();
    EXPECT_FALSE(delayTimer.isActive());
    EXPECT_EQ(opened(), lines({"a.mid", "b.mid", "c.mid"}));
}

TEST_F(PlaybackTest, LoopItemOncePlaysTwiceThenTheListGoesOn) {
    load({"a.mid", "b.mid"});
    playLine(0);
    controller.toggleLoopItemOnce();
    EXPECT_TRUE(controller.loopOnce());
    runFor(10000);
    EXPECT_FALSE(controller.loopOnce());
    EXPECT_EQ(opened(), lines({"a.mid"}));
    EXPECT_TRUE(playing());
    runFor(10000);
    EXPECT_EQ(opened(), lines({"a.mid", "b.mid"}));

    controller.toggleLoopItemForever();
    runFor(50000);
    EXPECT_EQ(opened(), lines({"a.mid", "b.mid"}));
    EXPECT_TRUE(playing());
    controller.toggleLoopItemOnce();  // the two marks are never both on
    EXPECT_FALSE(controller.loopForever());
}

TEST_F(PlaybackTest, AnUnplayableFileShowsOneBoxAndPlayingStops) {
    load({"a.mid", "bad.mid", "c.mid"});
    device.files[s("/m/bad.mid")].failure = s("could not determine type of stream");
    prompter.messageAnswers = {Prompter::Answer::No};
    playLine(0);
    runFor(30000);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Error);
    EXPECT_EQ(
        prompter.messages[0].text,
        s("Unable to play specified file. Either there is not enough memory, the file is damaged, missing or "
          "a GStreamer plug-in for the specified file type is missing. \r\n\r\nThe error message returned "
          "was: \"could not determine type of stream\".\r\n\r\nWould you like to view additional "
          "information?"));
    EXPECT_EQ(opened(), lines({"a.mid", "bad.mid"}));
    EXPECT_FALSE(timer.isActive());
    EXPECT_TRUE(played.isEmpty());
    // Nothing of the item before stays on the displays.
    const IndicatorTexts& shown = controller.indicators();
    EXPECT_EQ(QStringList({shown.length, shown.position, shown.remaining, shown.percent}),
              QStringList(4, s("N / A")));
    EXPECT_EQ(controller.transport().positionBarValue, 0);
    EXPECT_FALSE(controller.transport().stop);
}

TEST_F(PlaybackTest, AFailureWhilePlayingIsReportedAndNothingFollows) {
    load({"a.mid", "b.mid"});
    device.files[s("/m/a.mid")].failAt = 3000;
    device.files[s("/m/a.mid")].failAtText = s("Internal data stream error.");
    prompter.messageAnswers = {Prompter::Answer::No};
    playLine(0);
    runFor(4000);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.contains(s("returned was: \"Internal data stream error.\".")));
    runFor(20000);
    EXPECT_EQ(opened(), lines({"a.mid"}));
    EXPECT_EQ(lists.playing(), nullptr);
    EXPECT_EQ(controller.indicators().position, s("N / A"));
    EXPECT_TRUE(controller.transport().play);
    EXPECT_FALSE(controller.transport().pause);
}

TEST_F(PlaybackTest, StopDuringTheDelayEndsPlaybackThere) {
    load({"a.mid", "b.mid"});
    preferences.delayEnabled = true;
    preferences.delaySeconds = 2.0;
    playLine(0);
    runFor(10000);
    ASSERT_TRUE(delayTimer.isActive());
    EXPECT_TRUE(controller.transport().stop);
    EXPECT_FALSE(controller.transport().pause);
    controller.stop();
    EXPECT_FALSE(delayTimer.isActive());
    runFor(5000);
    EXPECT_EQ(opened(), lines({"a.mid"}));
    EXPECT_EQ(lists.playing(), nullptr);
    EXPECT_EQ(controller.windowTitle(), s("Velmaro 4.02"));
    EXPECT_TRUE(controller.transport().play);
    EXPECT_FALSE(controller.transport().stop);
}

// A click in the list while an item plays or is paused must not offer Play, which would start it again.
TEST_F(PlaybackTest, PlayStaysOffWhileAnItemPlaysOrIsPaused) {
    load({"a.mid", "b.mid"});
    playLine(0);
    controller.listChanged();
    EXPECT_FALSE(controller.transport().play);
    controller.togglePause();
    controller.listChanged();
    EXPECT_FALSE(controller.transport().play);
    controller.Play();
    EXPECT_EQ(opened(), lines({"a.mid"}));
    controller.stop();
    controller.listChanged();
    EXPECT_TRUE(controller.transport().play);
}

TEST_F(PlaybackTest, AnswerYesAsksForTheFileTypesHelp) {
    load({"bad.mid"});
    device.files[s("/m/bad.mid")].failure = s("no decoder");
    prompter.messageAnswers = {Prompter::Answer::Yes};
    QStringList topics;
    QObject::connect(&controller, &PlaybackController::helpRequested,
                     [&](const QString& topic) { topics << topic; });
    playLine(0);
    EXPECT_EQ(topics, QStringList{s("File_Types")});
}

TEST_F(PlaybackTest, WhileTheBarIsDraggedTheEndWaits) {
    load({"a.mid", "b.mid"});
    playLine(0);
    controller.setPositionBarDragging(true);
    runFor(12000);
    EXPECT_EQ(opened(), lines({"a.mid"}));
    controller.setPositionBarDragging(false);
    EXPECT_EQ(opened(), lines({"a.mid", "b.mid"}));
}

TEST_F(PlaybackTest, APausedCDIsNotTakenForAnEnd) {
    device.disc = std::make_shared<FakeDisc>(FakeDisc{{60000, 60000}, {}});
    const qint32 cdid = ComputeCDID(120000, 2, 60000);
    std::vector<PlayListEntry> entries = {{MakeCDItem(cdid, 1), 0}, {MakeCDItem(cdid, 2), 0}};
    playList.setEntries(std::move(entries));
    playList.RedrawPlayList(false);
    playList.setFocusedLine(0);
    playLine(0);
    ASSERT_EQ(device.deviceType(), MediaDevice::DeviceType::CDAudio);
    controller.togglePause();
    EXPECT_TRUE(controller.transport().pauseDown);
    runFor(5000);
    EXPECT_EQ(device.log.count(s("open ")), 1);
    controller.togglePause();
    EXPECT_TRUE(playing());
}

TEST_F(PlaybackTest, PauseTogglesAFileAndStopResetsEverything) {
    load({"a.mid", "b.mid"});
    playLine(0);
    controller.togglePause();
    EXPECT_EQ(device.mode(), MediaDevice::Paused);
    EXPECT_TRUE(controller.transport().pauseDown);
    runFor(20000);  // paused: nothing moves on
    EXPECT_EQ(opened(), lines({"a.mid"}));
    controller.togglePause();
    EXPECT_TRUE(playing());
    controller.stop();
    EXPECT_EQ(device.mode(), MediaDevice::Stopped);  // stopped, still open
    EXPECT_EQ(lists.playing(), nullptr);
    EXPECT_TRUE(played.isEmpty());
    EXPECT_EQ(controller.indicators().length, s("N / A"));
    EXPECT_TRUE(controller.transport().play);
    EXPECT_FALSE(controller.transport().pause);
}

TEST_F(PlaybackTest, ThreeSelectedLinesCycleForeverInListOrder) {
    load({"a.mid", "b.mid", "c.mid", "d.mid", "e.mid"});
    playList.setFocusedLine(1);
    select({1, 3, 4});
    playFocusedItem();
    runFor(60000);
    EXPECT_EQ(opened().mid(0, 7), lines({"b.mid", "d.mid", "e.mid", "b.mid", "d.mid", "e.mid", "b.mid"}));
}

TEST_F(PlaybackTest, RandomPlayPlaysEachItemOnceThenEndsAndResets) {
    load({"a.mid", "b.mid", "c.mid", "d.mid"});
    preferences.randomPlay = true;
    draws = {2, 0, 1, 0, 0};
    playLine(0);
    runFor(60000);
    const QStringList pass = opened();
    ASSERT_EQ(pass.size(), 4);
    EXPECT_EQ(QSet<QString>(pass.begin(), pass.end()).size(), 4);
    EXPECT_EQ(pass.first(), s("a.mid"));
    // The item after the last one ends playback, closes the device and resets the played status.
    EXPECT_FALSE(device.isOpen());
    EXPECT_TRUE(played.isEmpty());
    EXPECT_EQ(unplayed.size(), 4);
}

// Play with nothing selected: in order the focused line plays; at random another line is drawn, and
// that line is the one selected, focused and played.
TEST_F(PlaybackTest, PlayWithNothingSelectedPlaysTheFocusedLineOrAnotherAtRandom) {
    load({"a.mid", "b.mid", "c.mid", "d.mid"});
    playList.setFocusedLine(2);
    select({});
    playFocusedItem();
    EXPECT_EQ(opened(), lines({"c.mid"}));
    EXPECT_TRUE(playList.isSelected(2));
    controller.stop();

    preferences.randomPlay = true;
    const QStringList names = lines({"a.mid", "b.mid", "c.mid", "d.mid"});
    for (const auto& [draw, expected] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{2, 3}}) {
        device.log.clear();
        playList.setFocusedLine(2);
        select({});
        draws = {draw};
        playFocusedItem();
        EXPECT_EQ(opened(), QStringList{names[expected]}) << "draw " << draw;
        EXPECT_EQ(playList.focusedLine(), expected);
        EXPECT_EQ(playList.selectedCount(), 1);
        EXPECT_TRUE(playList.isSelected(expected));
        EXPECT_EQ(playList.CurrentItem(), expected);
        controller.stop();
    }

    // A single line is the one there is.
    load({"only.mid"});
    device.log.clear();
    select({});
    playFocusedItem();
    EXPECT_EQ(opened(), lines({"only.mid"}));
}

TEST_F(PlaybackTest, RandomPlayWithLoopStartsANewPass) {
    load({"a.mid", "b.mid"});
    preferences.randomPlay = true;
    preferences.loopPlayList = true;
    playLine(0);
    runFor(50000);
    EXPECT_GE(opened().size(), 5);
    EXPECT_TRUE(playing());
}

TEST_F(PlaybackTest, DuplicatesAreOnePlayedEntryMarkedOnItsFirstLine) {
    load({"a.mid", "b.mid", "a.mid"});
    preferences.randomPlay = true;
    playLine(0);
    runFor(40000);
    EXPECT_EQ(opened(), lines({"a.mid", "b.mid"}));  // one pass: each reference once
    playLine(0);
    EXPECT_EQ(played.size(), 1);
    EXPECT_EQ(playList.lineGlyph(0), ItemGlyph::MIDIPlayed);
    EXPECT_EQ(playList.lineGlyph(2), ItemGlyph::MIDI);
}

TEST_F(PlaybackTest, PreviousAtRandomGoesBackTwice) {
    load({"a.mid", "b.mid", "c.mid", "d.mid"});
    preferences.randomPlay = true;
    draws = {1, 1, 0};
    playLine(0);  // a
    runFor(10000);
    runFor(10000);
    runFor(5000);
    const QStringList order = opened();
    ASSERT_EQ(order.size(), 3);
    controller.previous();
    EXPECT_EQ(opened().last(), order.at(1));
    controller.previous();
    EXPECT_EQ(opened().last(), order.at(0));
    EXPECT_EQ(controller.windowTitle(), s("1. a.mid - Velmaro 4.02"));
}

TEST_F(PlaybackTest, PreviousInOrderAtTheFirstLineStartsItAgain) {
    load({"a.mid", "b.mid"});
    playLine(1);
    controller.previous();
    EXPECT_EQ(opened(), lines({"b.mid", "a.mid"}));
    EXPECT_FALSE(controller.transport().previous);
    EXPECT_EQ(controller.transport().nextItem, s("b.mid"));
}

TEST_F(PlaybackTest, HintsNameWhatTheButtonsWouldPlay) {
    load({"a.mid", "b.mid", "c.mid"});
    playLine(1);
    TransportState state = controller.transport();
    EXPECT_EQ(state.nextItem, s("c.mid"));
    EXPECT_EQ(state.previousItem, s("a.mid"));
    preferences.randomPlay = true;
    controller.listChanged();
    state = controller.transport();
    EXPECT_EQ(state.nextItem, s("Randomly Selected Item"));
    EXPECT_FALSE(state.previous);  // one item played so far
    EXPECT_EQ(TransportHint(s("&Next"), s("F5"), state.nextItem), s("Next (F5): Randomly Selected Item|"));
    EXPECT_EQ(TransportHint(s("Prev&ious"), s("F4"), QString()), s("Previous (F4)|"));
}

TEST_F(PlaybackTest, TitlesCountNothingForNotAvailable) {
    controller.SetTitle(s("N / A"));
    EXPECT_EQ(controller.windowTitle(), s("Velmaro 4.02"));
    controller.SetTitle(QString());
    EXPECT_EQ(controller.windowTitle(), s("Velmaro 4.02"));
}

// Moving the position: the bar previews while dragged, and letting go moves playback, inside the item
// or, with the percent indicator on the whole Play List, into the item that holds the target.
TEST_F(PlaybackTest, ThreeQuartersOfTheWholeListPlaysTheThirdItemFromItsMinute) {
    load({"a.mid", "b.mid", "c.mid"});
    const qint64 lengths[] = {60000, 60000, 120000};
    for (qsizetype line = 0; line < 3; ++line) {
        device.files[s("/m/") + QChar(static_cast<char16_t>(u'a' + line)) + s(".mid")].length = lengths[line];
        playList.setLength(line, lengths[line]);  // as the list's file carried them
    }
    preferences.indicatorModes[ProgressIndicators::Percent] = 10;
    playLine(0);
    runFor(1000);
    controller.previewBarPosition(75);
    EXPECT_EQ(opened(), lines({"a.mid"}));
    EXPECT_EQ(controller.indicators().percent, s("75 %"));
    EXPECT_EQ(indicators.texts().position, s("00:03:00"));  // 180 s of 240 s, previewed

    controller.applyBarPosition(75);
    EXPECT_EQ(opened(), lines({"a.mid", "c.mid"}));
    EXPECT_EQ(playList.CurrentItem(), 2);
    EXPECT_EQ(device.position(), 60000);
    EXPECT_TRUE(playing());
    EXPECT_FALSE(controller.positionBarDragging());
    EXPECT_TRUE(probe.measured.isEmpty());
}

TEST_F(PlaybackTest, DraggingTheBarMovesNothingUntilItIsLetGo) {
    load({"a.mid", "b.mid"}, 10000);
    playLine(0);
    runFor(2000);
    controller.previewBarPosition(50);
    EXPECT_EQ(controller.indicators().position, s("00:00:05"));
    EXPECT_EQ(controller.indicators().remaining, s("00:00:05"));
    runFor(1500);  // the item plays on beneath the preview
    EXPECT_EQ(device.position(), 3500);
    EXPECT_EQ(controller.indicators().position, s("00:00:05"));
    EXPECT_EQ(controller.indicators().percent, s("50 %"));

    controller.applyBarPosition(50);
    EXPECT_EQ(opened(), lines({"a.mid"}));
    EXPECT_EQ(device.position(), 5000);
    runFor(1000);
    EXPECT_EQ(controller.indicators().position, s("00:00:06"));
}

TEST_F(PlaybackTest, AnItemThatEndsDuringADragIsFollowedOnlyAfterTheRelease) {
    load({"a.mid", "b.mid"}, 2000);
    playLine(0);
    controller.previewBarPosition(10);
    runFor(3000);
    EXPECT_EQ(opened(), lines({"a.mid"}));
    controller.applyBarPosition(90);
    EXPECT_EQ(device.position(), 1800);
    runFor(1000);
    EXPECT_EQ(opened(), lines({"a.mid", "b.mid"}));
}

TEST_F(PlaybackTest, TotalsOverItemsOfUnknownLengthResetQuietly) {
    load({"a.mid", "b.mid"});
    device.files[s("/m/a.mid")].length = 0;
    device.files[s("/m/b.mid")].length = 0;
    playLine(0);
    indicators.setTotals(ProgressIndicators::Percent, true);
    controller.indicatorModeChanged();
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(controller.indicators().percent, s("N / A"));
}

TEST_F(PlaybackTest, TheChangePositionBoxMovesAPausedItemAndPlaysOn) {
    load({"a.mid"}, 10000);
    playLine(0);
    controller.togglePause();
    ASSERT_TRUE(controller.transport().pauseDown);
    controller.ChangePosition(30);
    EXPECT_TRUE(playing());
    EXPECT_EQ(device.position(), 3000);
    EXPECT_FALSE(controller.transport().pauseDown);
    EXPECT_TRUE(timer.isActive());
}

}  // namespace
