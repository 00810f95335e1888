#include "core/cdaudio/renamecdtracksmodel.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

namespace {

TEST(RenameCDTracksModel, StepsStopAtTheFirstAndLastTrackAndKeepWhatWasTyped) {
    RenameCDTracksModel model(lines({"Track 1", "Track 2", "Track 3"}), 1, false);
    model.down(s("Intro"));
    EXPECT_EQ(model.track(), 1);
    EXPECT_EQ(model.currentName(), s("Intro"));

    model.up(s("Intro"));
    model.up(s("Middle"));
    model.up(s("End"));
    EXPECT_EQ(model.track(), 3);
    EXPECT_EQ(model.currentName(), s("End"));
    EXPECT_EQ(model.names(), lines({"Intro", "Middle", "End"}));

    // A click in the list stores the field first, then shows the clicked line; a click past the end
    // stores and stays.
    model.choose(0, s("Finale"));
    EXPECT_EQ(model.track(), 1);
    model.choose(7, s("Opening"));
    EXPECT_EQ(model.track(), 1);
    EXPECT_EQ(model.names(), lines({"Opening", "Middle", "Finale"}));
}

TEST(RenameCDTracksModel, RenamingTwoTracksInARowGivesBothNamesOnOk) {
    RenameCDTracksModel model(lines({"a", "b", "c", "d", "e"}), 3, false);
    EXPECT_EQ(model.currentName(), s("c"));
    model.up(s("Third"));
    EXPECT_EQ(model.currentName(), s("d"));
    EXPECT_EQ(model.accept(s("Fourth")), lines({"a", "b", "Third", "Fourth", "e"}));
}

TEST(RenameCDTracksModel, ATrackOutsideTheDiscNeverStoresTypingOutsideIt) {
    // No line of the list selected comes in as track 0: the first track is shown.
    RenameCDTracksModel unselected(lines({"a", "b"}), 0, false);
    EXPECT_EQ(unselected.track(), 1);
    EXPECT_EQ(unselected.accept(s("x")), lines({"x", "b"}));

    RenameCDTracksModel beyond(lines({"a", "b"}), 9, false);
    EXPECT_EQ(beyond.track(), 2);

    RenameCDTracksModel noTracks(QStringList(), 1, true);
    EXPECT_EQ(noTracks.track(), 0);
    noTracks.up(s("x"));
    noTracks.down(s("x"));
    EXPECT_EQ(noTracks.currentName(), QString());
    EXPECT_TRUE(noTracks.accept(s("x")).isEmpty());
}

}  // namespace
