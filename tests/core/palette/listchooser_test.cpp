#include "core/palette/listchooser.h"
#include "core/common/itemref.h"
#include "support/qtprinters.h"
#include "support/sessionfixture.h"

namespace {

class ListChooserTest : public SessionFixture {
protected:
    void SetUp() override { writeSettings({s("[Playlist]"), s("StartPlaying=0"), s("OpenLastPL=0")}); }

    // A Play List of files "00.mid", "01.mid"..., opened.
    void openList(int items, const QString& odd = QString()) {
        QStringList lines;
        for (int i = 0; i < items; ++i) {
            const QString name =
                i == 1 && !odd.isEmpty() ? odd : QStringLiteral("%1.mid").arg(i, 2, 10, QChar(u'0'));
            m_paths.append(music.write(name, "MThd"));
            lines.append(MakeFileItem(m_paths.last()));
        }
        start({writeList(s("list.vlp"), lines)});
        nextTurn();
    }
    std::vector<ListChoice> playListChoices() {
        return ListChooser::choices(session->playListMedia(), session->lists(),
                                    ListChooser::kPlayListFirstColumn);
    }
    QStringList m_paths;
};

std::vector<qsizetype> columnStarts(const std::vector<ListChoice>& choices) {
    std::vector<qsizetype> starts;
    for (const ListChoice& choice : choices) {
        if (choice.startsColumn) {
            starts.push_back(choice.line);
        }
    }
    return starts;
}

}  // namespace

TEST(ListChooser, CaptionsAreNumberedWithAnAccessKeyAndShowTheirTextAsItIs) {
    EXPECT_EQ(ListChooser::numberedCaption(0, s("Song")), s("&1. Song"));
    EXPECT_EQ(ListChooser::numberedCaption(8, s("Song")), s("&9. Song"));
    EXPECT_EQ(ListChooser::numberedCaption(9, s("Song")), s("1&0. Song"));
    EXPECT_EQ(ListChooser::numberedCaption(10, s("Song")), s("11. Song"));
    EXPECT_EQ(ListChooser::numberedCaption(300, s("Rock & Roll")), s("301. Rock && Roll"));
}

TEST(ListChooser, ColumnsBreakAfterTheFirstTwentyOneLinesThenEveryTwentyFive) {
    std::vector<qsizetype> files;
    std::vector<qsizetype> tracks;
    for (qsizetype i = 0; i < 120; ++i) {
        if (ListChooser::startsColumn(i, ListChooser::kPlayListFirstColumn)) {
            files.push_back(i);
        }
        if (ListChooser::startsColumn(i, ListChooser::kTracksFirstColumn)) {
            tracks.push_back(i);
        }
    }
    EXPECT_EQ(files, (std::vector<qsizetype>{21, 46, 71, 96}));
    EXPECT_EQ(tracks, (std::vector<qsizetype>{22, 47, 72, 97}));
}

TEST_F(ListChooserTest, ThirtyItemsFillTwentyOneLinesAndGoOnInASecondColumn) {
    openList(30, s("Rock & Roll.mid"));
    const std::vector<ListChoice> choices = playListChoices();
    ASSERT_EQ(choices.size(), 30u);
    EXPECT_EQ(columnStarts(choices), std::vector<qsizetype>{21}) << "item 22 opens the second column";
    EXPECT_EQ(choices[0].caption, s("&1. 00.mid"));
    EXPECT_EQ(choices[1].caption, s("&2. Rock && Roll.mid"));
    EXPECT_EQ(choices[9].caption, s("1&0. 09.mid"));
    EXPECT_EQ(choices[29].caption, s("30. 29.mid"));
    EXPECT_EQ(ListChooser::unlistedCount(session->playListMedia()), 0);
}

// The menu offers the first 301 lines and says how many more the list holds, instead of leaving them
// out without a word.
TEST_F(ListChooserTest, ALongListIsOfferedInPartAndTheMenuSaysHowManyMore) {
    openList(305);
    EXPECT_EQ(playListChoices().size(), ListChooser::kMaxChoices);
    EXPECT_EQ(ListChooser::unlistedCount(session->playListMedia()), 4);
    EXPECT_EQ(ListChooser::unlistedText(4), s("4 more items are not listed here"));
}

// With other lines selected, Play would start the first selected one: the choice must win, and the
// list shows it as the one line selected and focused.
TEST_F(ListChooserTest, TheChosenItemIsTheItemPlayedAndTheOnlyOneSelected) {
    openList(10);
    PlayList& list = session->playList();
    list.setSelected(2, true);
    list.setSelected(5, true);
    list.setFocusedLine(2);
    ASSERT_TRUE(ListChooser::choose(session->playListMedia(), 7, session->controller()));
    EXPECT_EQ(device.fileName(), m_paths[7]);
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    EXPECT_EQ(list.selectedLines(), std::vector<qsizetype>{7});
    EXPECT_EQ(list.focusedLine(), 7);

    const std::vector<ListChoice> choices = playListChoices();
    EXPECT_TRUE(choices[7].playing);
    EXPECT_TRUE(choices[7].played);
    EXPECT_FALSE(choices[2].playing || choices[2].played);
}

TEST_F(ListChooserTest, AChoiceTheListNoLongerHasDoesNothing) {
    openList(3);
    for (const qsizetype line : {qsizetype(-1), qsizetype(3), qsizetype(1000)}) {
        EXPECT_FALSE(ListChooser::choose(session->playListMedia(), line, session->controller()));
    }
    EXPECT_TRUE(device.log.filter(s("open ")).isEmpty());
}

TEST_F(ListChooserTest, TheFileListOffersItsFilesAndPlaysTheChosenOne) {
    openList(3);
    MediaList* files = session->lists().rightHand();
    ASSERT_NE(files, nullptr);
    session->fileManagement().changeFolder(music.path());
    const std::vector<ListChoice> choices =
        ListChooser::choices(*files, session->lists(), ListChooser::kPlayListFirstColumn);
    ASSERT_GE(choices.size(), 3u);
    EXPECT_EQ(choices[2].caption, s("&3. 02.mid"));
    ASSERT_TRUE(ListChooser::choose(*files, 2, session->controller()));
    EXPECT_EQ(device.fileName(), m_paths[2]);
    EXPECT_TRUE(session->lists().isPlaying(*files));
    EXPECT_TRUE(ListChooser::choices(*files, session->lists(), ListChooser::kPlayListFirstColumn)[2].playing);
}
