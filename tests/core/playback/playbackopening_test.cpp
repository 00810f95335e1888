// An item takes as long as it needs to open: the window goes on meanwhile, and whatever the user does
// in the meantime wins over the item that was opening.
#include "core/playback/playbackcontroller.h"

#include "core/common/itemref.h"
#include "support/sessionfixture.h"

#include <gtest/gtest.h>

namespace {

class PlaybackOpeningTest : public SessionFixture {
protected:
    PlaybackOpeningTest() { start(); }

    PlaybackController& controller() { return session->controller(); }
    PlayList& playList() { return session->playList(); }

    // Files that open after delay ms of virtual time (FakeMediaDevice::kNeverReady: never).
    void load(std::initializer_list<std::pair<const char*, qint64>> files) {
        std::vector<PlayListEntry> entries;
        for (const auto& [name, delay] : files) {
            entries.push_back({MakeFileItem(s("/m/") + s(name)), 0});
            device.files[s("/m/") + s(name)].openDelay = delay;
        }
        playList().setEntries(std::move(entries));
        playList().RedrawPlayList(false);
        controller().listChanged();
    }
    void playLine(qsizetype line) {
        playList().setFocusedLine(line);
        playList().clearSelection();
        playList().setSelected(line, true);
        controller().playFrom(session->lists().playList());
    }
    // The seconds the opening timer counts, as it would fire them.
    void waitSeconds(int seconds) {
        for (int i = 0; i < seconds && session->openingTimer().isActive(); ++i) {
            controller().onOpeningWait();
        }
    }
    bool playing() const { return device.mode() == MediaDevice::Playing; }
    QString playingFile() const { return playing() ? device.fileName() : QString(); }
};

TEST_F(PlaybackOpeningTest, AnItemThatOpensSlowlyIsShownAtOnceAndPlaysWhenReady) {
    load({{"slow.wav", 3000}, {"next.wav", 0}});
    playLine(0);
    EXPECT_TRUE(device.isOpening());
    EXPECT_FALSE(playing());
    EXPECT_EQ(controller().windowTitle(), s("1. slow.wav - Velmaro 4.02"));
    TransportState state = controller().transport();
    EXPECT_TRUE(state.stop);  // Stop cancels the opening
    EXPECT_FALSE(state.play);
    EXPECT_FALSE(state.pause);
    EXPECT_FALSE(state.positionBar);
    EXPECT_TRUE(controller().statusText().isEmpty());

    waitSeconds(1);
    EXPECT_EQ(controller().statusText(), s("Opening slow.wav..."));
    device.advance(3000);
    EXPECT_TRUE(playing());
    EXPECT_EQ(device.fileName(), s("/m/slow.wav"));
    EXPECT_TRUE(controller().statusText().isEmpty());
    EXPECT_FALSE(session->openingTimer().isActive());
    state = controller().transport();
    EXPECT_TRUE(state.pause);
    EXPECT_TRUE(state.positionBar);
    EXPECT_TRUE(session->playbackTimer().isActive());
}

// Each way the user moves on cancels the opening: the device lets go of it, and nothing of it starts
// later.
TEST_F(PlaybackOpeningTest, StopNextADoubleClickOrANewListCancelTheOpening) {
    load({{"never.wav", FakeMediaDevice::kNeverReady}, {"quick.wav", 0}, {"slow.wav", 2000}});

    playLine(0);
    controller().stop();
    EXPECT_FALSE(device.isOpening());
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(session->lists().playing(), nullptr);
    EXPECT_EQ(controller().windowTitle(), s("Velmaro 4.02"));
    EXPECT_TRUE(controller().transport().play);

    playLine(0);
    controller().next();
    EXPECT_EQ(playingFile(), s("/m/quick.wav"));

    // A double-click on another item while one opens plays the one clicked last.
    playLine(2);
    playLine(0);
    playLine(2);
    device.advance(2000);
    EXPECT_EQ(playingFile(), s("/m/slow.wav"));
    EXPECT_EQ(device.log.count(s("open /m/never.wav")), 0);

    playLine(0);
    controller().listReplaced(session->lists().playList());
    EXPECT_FALSE(device.isOpening());
    EXPECT_EQ(session->lists().playing(), nullptr);
    EXPECT_FALSE(session->openingTimer().isActive());
}

// A device that answers for an opening no longer wanted starts nothing.
TEST_F(PlaybackOpeningTest, AnAnswerForAnOpeningNoLongerWantedStartsNothing) {
    load({{"slow.wav", 2000}});
    playLine(0);
    controller().stop();
    Q_EMIT device.opened();
    Q_EMIT device.openFailed(s("too late"));
    EXPECT_EQ(session->lists().playing(), nullptr);
    EXPECT_FALSE(session->playbackTimer().isActive());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(PlaybackOpeningTest, AFileNeverReadyFailsAtTheLimitAndAFailureArrivesAsBefore) {
    load({{"never.wav", FakeMediaDevice::kNeverReady}, {"broken.wav", 1500}});
    device.files[s("/m/broken.wav")].failure = s("Internal data stream error.");

    playLine(0);
    waitSeconds(PlaybackController::kOpeningLimitSeconds - 1);
    EXPECT_TRUE(device.isOpening());
    EXPECT_TRUE(prompter.messages.empty());
    waitSeconds(1);
    EXPECT_FALSE(device.isOpening());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.contains(s("could not be opened within 30 seconds")));
    EXPECT_EQ(session->lists().playing(), nullptr);
    EXPECT_TRUE(controller().statusText().isEmpty());

    playLine(1);
    EXPECT_TRUE(prompter.messages.size() == 1u);
    device.advance(1500);
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_TRUE(prompter.messages[1].text.contains(s("\"Internal data stream error.\"")));
    EXPECT_EQ(controller().windowTitle(), s("Velmaro 4.02"));
    EXPECT_TRUE(controller().transport().play);
}

}  // namespace
