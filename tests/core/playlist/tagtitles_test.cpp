#include "core/playlist/tagtitles.h"
#include "core/common/itemref.h"
#include "core/files/playlistfind.h"
#include "support/sessionfixture.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

TEST(TagTitleLine, ShowsArtistAndTitleOnOneBoundedLine) {
    const struct {
        const char* artist;
        const char* title;
        const char* shown;
    } cases[] = {
        {"Artist", "Title", "Artist - Title"},
        {"", "Title", "Title"},
        {"Artist", "", ""},  // no title: the file keeps its name
        {"  ", " \t ", ""},
        {"Two\nLines", "Tab\there\r\nand CR\rend", "Two Lines - Tab here and CR end"},
        {"Bell\x07", "Escape\x1b[2Jcode", "Bell - Escape [2Jcode"},
        {"\xe2\x80\xa8Separator", "Para\xe2\x80\xa9graph\xe2\x80\x8b", "Separator - Para graph"},
        {"Ünïcödé", "日本語", "Ünïcödé - 日本語"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TagTitleLine(s(c.artist), s(c.title)), s(c.shown)) << c.title;
    }
}

TEST(TagTitleLine, AHugeTitleIsCutWithoutSplittingACharacter) {
    const QString megabyte(1024 * 1024, u'x');
    const QString shown = TagTitleLine(QString(), megabyte);
    EXPECT_EQ(shown.size(), TagTitles::kMaxCharacters);
    EXPECT_TRUE(shown.endsWith(s("...")));

    // Characters outside the basic plane take two code units; the cut must not leave half of one.
    QString wide;
    for (int i = 0; i < 300; ++i) {
        wide += QString::fromUcs4(U"\U0001F3B5", 1);
    }
    const QString cut = TagTitleLine(QString(), s("a") + wide);
    EXPECT_LE(cut.size(), TagTitles::kMaxCharacters);
    EXPECT_FALSE(cut.at(cut.size() - 4).isHighSurrogate());
    EXPECT_TRUE(cut.chopped(3).isValidUtf16());
}

class TagTitlesTest : public SessionFixture {
protected:
    // A run with the Play List of these files open, titles from tags shown or not.
    void startWith(const QStringList& files, bool showTitles) {
        QStringList items;
        for (const QString& file : files) {
            items.append(MakeFileItem(file));
        }
        const QString list = writeList(s("tagged.vlp"), items);
        writeSettings({s("[Playlist]"), s("StartPlaying=0"),
                       QString(s("ShowTitlesFromTags=%1")).arg(showTitles ? 1 : 0), s("[General]"),
                       s("LastPL=") + list});
        start();
    }
    QStringList lines() const {
        QStringList shown;
        for (qsizetype i = 0; i < session->playList().lineCount(); ++i) {
            shown.append(session->playList().line(i));
        }
        return shown;
    }
};

TEST_F(TagTitlesTest, FilesAreShownByTheirTagsAsTheyArrive) {
    tags.setTags(s("/m/01 - Track 01.mp3"), s("Some Artist"), s("First Song"));
    tags.setTags(s("/m/02 - Track 02.ogg"), QString(), s("Second Song"));
    tags.setTags(s("/m/03 - Track 03.flac"), s("Band"), s("Line\nBreak"));
    startWith({s("/m/01 - Track 01.mp3"), s("/m/02 - Track 02.ogg"), s("/m/03 - Track 03.flac"),
               s("/m/untagged.wav")},
              true);

    // The list is there at once, by file name, while the tags are read.
    EXPECT_EQ(lines(), QStringList({s("01 - Track 01.mp3"), s("02 - Track 02.ogg"), s("03 - Track 03.flac"),
                                    s("untagged.wav")}));
    tags.answerAll();
    EXPECT_EQ(lines(), QStringList({s("Some Artist - First Song"), s("Second Song"), s("Band - Line Break"),
                                    s("untagged.wav")}));
    EXPECT_EQ(session->playListMedia().itemAt(0).title, s("Some Artist - First Song"));
    stop();

    // The stored list keeps its references.
    const QStringList stored = TextFile::readLines(music.file(s("tagged.vlp"))).lines;
    EXPECT_EQ(stored.filter(s("/m/01 - Track 01.mp3")).size(), 1);
    EXPECT_TRUE(stored.filter(s("First Song")).isEmpty());
}

// A list that starts playing before its tags are read: the window title follows when they arrive.
TEST_F(TagTitlesTest, TheWindowTitleOfThePlayingItemFollowsItsTags) {
    tags.setTags(s("/m/a.mp3"), s("Artist"), s("Title"));
    device.files[s("/m/a.mp3")].length = 10000;
    startWith({s("/m/a.mp3"), s("/m/b.mp3")}, true);
    session->playLine(0);
    ASSERT_EQ(session->controller().windowTitle(), s("1. a.mp3 - Velmaro 4.02"));
    tags.answerAll();
    EXPECT_EQ(session->controller().windowTitle(), s("1. Artist - Title - Velmaro 4.02"));
}

TEST_F(TagTitlesTest, TitlesReachEveryLineOfTheirFileAfterTheListChanged) {
    tags.setTags(s("/m/a.mp3"), s("A"), s("One"));
    tags.setTags(s("/m/b.mp3"), s("B"), s("Two"));
    startWith({s("/m/a.mp3"), s("/m/x.mp3"), s("/m/a.mp3")}, true);
    tags.answerAll();
    EXPECT_EQ(lines(), QStringList({s("A - One"), s("x.mp3"), s("A - One")}));

    // Lines moved by an insertion still get their titles, and only the new file is asked for.
    session->playList().insertEntries(0, {{MakeFileItem(s("/m/b.mp3")), 0}});
    tags.answerAll();
    EXPECT_EQ(lines(), QStringList({s("B - Two"), s("A - One"), s("x.mp3"), s("A - One")}));
    EXPECT_EQ(tags.requested.count(s("/m/a.mp3")), 1);
}

TEST_F(TagTitlesTest, WithTheOptionOffNoTagIsReadAndNamesStay) {
    tags.setTags(s("/m/a.mp3"), s("Artist"), s("Title"));
    startWith({s("/m/a.mp3")}, false);
    tags.answerAll();
    EXPECT_TRUE(tags.requested.isEmpty());
    EXPECT_EQ(lines(), QStringList({s("a.mp3")}));
}

TEST_F(TagTitlesTest, CDTracksAndPathRulesStayForItemsWithoutTitles) {
    const QString list = writeList(s("mixed.vlp"), {MakeCDItem(1234, 3), MakeFileItem(s("/m/x/plain.mid"))});
    writeSettings({s("[Playlist]"), s("StartPlaying=0"), s("ShowTitlesFromTags=1"), s("ShowPath=1"),
                   s("ShowExt=0"), s("[General]"), s("LastPL=") + list});
    start();
    tags.answerAll();
    EXPECT_EQ(tags.requested, QStringList({s("/m/x/plain.mid")}));
    EXPECT_EQ(lines(), QStringList({s("Track 3"), s("/m/x/plain")}));
}

TEST_F(TagTitlesTest, TogglingTheOptionRedrawsTheListAndKeepsTheSelection) {
    tags.setTags(s("/m/a.mp3"), s("Artist"), s("Title"));
    startWith({s("/m/a.mp3"), s("/m/b.mp3")}, false);
    session->playList().setSelectedRange(0, 1, false);
    session->playList().setSelected(1, true);

    EXPECT_TRUE(session->dispatcher().execute(s("TagTitlesM"), CommandOrigin::Window).isEmpty());
    tags.answerAll();
    EXPECT_EQ(lines(), QStringList({s("Artist - Title"), s("b.mp3")}));
    EXPECT_TRUE(session->playList().isSelected(1));
    EXPECT_FALSE(session->playList().isSelected(0));
    EXPECT_TRUE(session->preferences().showTagTitles);

    // Off again: names come back at once, from the titles kept for the run.
    session->dispatcher().execute(s("TagTitlesM"), CommandOrigin::Window);
    EXPECT_EQ(lines(), QStringList({s("a.mp3"), s("b.mp3")}));
    EXPECT_TRUE(session->playList().isSelected(1));
    const qsizetype asked = tags.requested.size();
    session->dispatcher().execute(s("TagTitlesM"), CommandOrigin::Window);
    EXPECT_EQ(lines(), QStringList({s("Artist - Title"), s("b.mp3")}));
    EXPECT_EQ(tags.requested.size(), asked);
}

TEST_F(TagTitlesTest, SortAndFindUseTheShownTitles) {
    tags.setTags(s("/m/1.mp3"), s("Zed"), s("Last"));
    tags.setTags(s("/m/2.mp3"), s("Abe"), s("First"));
    tags.setTags(s("/m/3.mp3"), s("Moe"), s("Middle"));
    startWith({s("/m/1.mp3"), s("/m/2.mp3"), s("/m/3.mp3")}, true);
    tags.answerAll();

    session->editor().SortAlphabetically();
    EXPECT_EQ(lines(), QStringList({s("Abe - First"), s("Moe - Middle"), s("Zed - Last")}));
    EXPECT_EQ(session->playList().item(0), MakeFileItem(s("/m/2.mp3")));

    EXPECT_TRUE(
        FindInPlayList(session->playList(), session->editor(), prompter, nullptr, 0, s("zed"), false));
    EXPECT_EQ(session->playList().selectedLines(), std::vector<qsizetype>({2}));
}

TEST_F(TagTitlesTest, UndoAfterTitlesArrivedShowsTheTitles) {
    tags.setTags(s("/m/a.mp3"), s("Artist"), s("Title"));
    startWith({s("/m/b.mp3"), s("/m/a.mp3")}, true);
    session->editor().SortAlphabetically();  // undo keeps the lines from before the tags were read
    tags.answerAll();
    session->editor().Undo();
    EXPECT_EQ(lines(), QStringList({s("b.mp3"), s("Artist - Title")}));
}

}  // namespace
