#include "core/playlist/itemdisplay.h"

#include "core/cdaudio/cddatabase.h"
#include "core/common/filetitle.h"
#include "core/common/fittext.h"
#include "core/common/itemref.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

namespace {

// ---------------------------------------------------------------------------------------------
// Fitting captions (6 px per character, so "..." is 18 px)

struct FitCase {
    const char* text;
    int width;
    const char* expected;
};

void PrintTo(const FitCase& c, std::ostream* os) {
    *os << '"' << c.text << "\" in " << c.width << " px";
}

class FitTextTable : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitTextTable, ShortensToTheWidth) {
    const FixedWidthMeasurer measurer;
    EXPECT_EQ(FitText(measurer, GetParam().width, s(GetParam().text)), s(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    FitText, FitTextTable,
    ::testing::Values(
        // Whole only when strictly narrower than the width.
        FitCase{"abc", 100, "abc"}, FitCase{"abc", 19, "abc"}, FitCase{"abc", 18, "..."},
        FitCase{"abcd", 24, "a..."}, FitCase{"", 1, ""},
        // Not even the dots fit.
        FitCase{"Hello world", 17, ""}, FitCase{"Hello world", 0, ""}, FitCase{"Hello world", -5, ""},
        FitCase{"", 0, ""},
        // The longest start that fits with the dots.
        FitCase{"Hello world", 18, "..."}, FitCase{"Hello world", 23, "..."}, FitCase{"Hello world", 24, "H..."},
        FitCase{"Hello world", 48, "Hello..."}, FitCase{"Hello world", 60, "Hello w..."},
        FitCase{"Hello world", 66, "Hello wo..."}, FitCase{"Hello world", 67, "Hello world"},
        // The blank that would stand before the dots goes.
        FitCase{"Hello world", 54, "Hello..."}, FitCase{"Hello world", 59, "Hello..."},
        FitCase{" leading", 24, "..."}, FitCase{"Müller Töne", 60, "Müller..."}));

TEST(FitText, NeverSplitsACharacterMadeOfTwoUnits) {
    const FixedWidthMeasurer measurer;
    const QString text = s("a🎵b🎵🎵c");
    for (int width = 0; width <= 60; ++width) {
        const QString fitted = FitText(measurer, width, text);
        EXPECT_TRUE(fitted.isValidUtf16()) << width << " px: " << fitted.toStdString();
        EXPECT_LE(measurer.textWidth(fitted), width) << width << " px";
    }
}

TEST(FitText, ResultIsNeverWiderThanTheWidth) {
    const FixedWidthMeasurer measurer;
    const QString text = s("The Well-Tempered Clavier, Book 1");
    for (int width = -1; width <= 220; ++width) {
        const QString fitted = FitText(measurer, width, text);
        EXPECT_LE(measurer.textWidth(fitted), width < 0 ? 0 : width) << width << " px";
        EXPECT_TRUE(fitted.isEmpty() || fitted == text || fitted.endsWith(QStringLiteral("..."))) << width;
    }
}

// ---------------------------------------------------------------------------------------------
// Display names of file items

struct NameCase {
    const char* ref;
    bool showPath;
    bool showExtension;
    const char* expected;
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.ref << (c.showPath ? " path" : " name") << (c.showExtension ? " +ext" : " -ext");
}

class ItemDisplayNameTable : public ::testing::TestWithParam<NameCase> {};

TEST_P(ItemDisplayNameTable, ShowsWhatTheOptionsAskFor) {
    const NameCase& c = GetParam();
    ItemDisplayOptions options;
    options.showPath = c.showPath;
    options.showExtension = c.showExtension;
    for (bool icons : {false, true}) {
        options.showIcons = icons;
        EXPECT_EQ(ItemDisplayName(s(c.ref), options, nullptr), s(c.expected));
    }
}

INSTANTIATE_TEST_SUITE_P(
    ItemDisplay, ItemDisplayNameTable,
    ::testing::Values(
        NameCase{R"([FILE="/music/Waltz.mid"])", true, true, "/music/Waltz.mid"},
        NameCase{R"([FILE="/music/Waltz.mid"])", true, false, "/music/Waltz"},
        NameCase{R"([FILE="/music/Waltz.mid"])", false, true, "Waltz.mid"},
        NameCase{R"([FILE="/music/Waltz.mid"])", false, false, "Waltz"},
        NameCase{R"([FILE="/music/Waltz.mid", L=125000])", false, false, "Waltz"},
        NameCase{"/music/Waltz.mid", false, true, "Waltz.mid"},
        NameCase{R"([FILE="/music/song"])", true, false, "/music/song"},
        NameCase{R"([FILE="/music/song"])", false, false, "song"},
        NameCase{R"([FILE="/music/song"])", false, true, "song"},
        // A dot in a folder name is no extension.
        NameCase{R"([FILE="/music/My.Dir/song"])", true, false, "/music/My.Dir/song"},
        NameCase{R"([FILE="/music/My.Dir/song"])", false, false, "song"},
        NameCase{R"([FILE="/music/a.b/song.mid"])", true, false, "/music/a.b/song"},
        NameCase{R"([FILE="/music/a.b/song.mid"])", false, false, "song"},
        // Only the last extension goes.
        NameCase{R"([FILE="/music/song.live.mp3"])", false, false, "song.live"},
        NameCase{R"([FILE="/music/Song [Live], take 2.mp3"])", false, false, "Song [Live], take 2"},
        // Windows-style paths from old Play Lists.
        NameCase{R"([FILE="C:\Music\song.mid"])", false, true, "song.mid"},
        NameCase{R"([FILE="C:\Music\song.mid"])", false, false, "song"},
        NameCase{R"([FILE="C:\Music\song.mid"])", true, false, R"(C:\Music\song)"},
        NameCase{R"([FILE="C:\My.Dir\song"])", false, false, "song"},
        NameCase{R"([FILE="C:\My.Dir\song"])", true, false, R"(C:\My.Dir\song)"},
        // On Linux a backslash is part of the file name.
        NameCase{R"([FILE="/music/a\b.mid"])", false, true, R"(a\b.mid)"},
        // A line that is no reference is shown whole.
        NameCase{"just some words", false, true, "just some words"},
        NameCase{"just some words", false, false, "just some words"},
        NameCase{"just some words", true, false, "just some words"}));

// ---------------------------------------------------------------------------------------------
// Display names of CD tracks

class ItemDisplayCD : public ::testing::Test {
protected:
    void SetUp() override {
        database.setLines(lines({"[1234567]", "Name=Disc", "Track1=Prelude", "Track3=Fugue"}));
    }

    static QString shown(const QString& ref, const CDDatabase* names) {
        return ItemDisplayName(ref, ItemDisplayOptions(), names);
    }

    CDDatabase database;
};

TEST_F(ItemDisplayCD, WithoutDatabaseATrackIsNumbered) {
    EXPECT_EQ(shown(MakeCDItem(1234567, 3), nullptr), s("Track 3"));
    EXPECT_EQ(shown(s("[CDID=1234567, T=12, L=5000]"), nullptr), s("Track 12"));
}

TEST_F(ItemDisplayCD, DatabaseNamesTheTracksItKnows) {
    EXPECT_EQ(shown(MakeCDItem(1234567, 3), &database), s("Fugue"));
    EXPECT_EQ(shown(MakeCDItem(1234567, 1), &database), s("Prelude"));
    EXPECT_EQ(shown(s("[CDID=1234567, T=3, L=5000]"), &database), s("Fugue"));
    EXPECT_EQ(shown(MakeCDItem(1234567, 2), &database), s("Track 2"));
    EXPECT_EQ(shown(MakeCDItem(7654321, 3), &database), s("Track 3"));
}

TEST_F(ItemDisplayCD, DisplayOptionsDoNotChangeTrackNames) {
    ItemDisplayOptions options;
    options.showPath = true;
    options.showExtension = false;
    options.showIcons = false;
    EXPECT_EQ(ItemDisplayName(MakeCDItem(1234567, 3), options, &database), s("Fugue"));
    EXPECT_EQ(ItemDisplayName(MakeCDItem(1234567, 2), options, &database), s("Track 2"));
}

TEST_F(ItemDisplayCD, NegativeDiscIdsWork) {
    database.setLines(lines({"[1234567]", "Track1=Prelude", "", "[-1234567]", "Name=Other", "Track1=Toccata"}));
    EXPECT_EQ(shown(MakeCDItem(-1234567, 1), &database), s("Toccata"));
    EXPECT_EQ(shown(MakeCDItem(1234567, 1), &database), s("Prelude"));
    EXPECT_EQ(shown(MakeCDItem(-1234567, 2), &database), s("Track 2"));
}

TEST_F(ItemDisplayCD, TrackNumbersMatchWhole) {
    database.setLines(lines({"[1234567]", "Track10=Ten", "Track11=Eleven", "Track1=One"}));
    EXPECT_EQ(shown(MakeCDItem(1234567, 1), &database), s("One"));
    EXPECT_EQ(shown(MakeCDItem(1234567, 10), &database), s("Ten"));
    EXPECT_EQ(shown(MakeCDItem(1234567, 12), &database), s("Track 12"));
}

TEST_F(ItemDisplayCD, EmptyStoredNameFallsBackToTheNumber) {
    database.setLines(lines({"[1234567]", "Track4="}));
    EXPECT_EQ(shown(MakeCDItem(1234567, 4), &database), s("Track 4"));
}

TEST_F(ItemDisplayCD, ReplacedDatabaseLinesAreUsed) {
    EXPECT_EQ(shown(MakeCDItem(1234567, 3), &database), s("Fugue"));
    database.setLines(lines({"[1234567]", "Track3=Chaconne"}));
    EXPECT_EQ(shown(MakeCDItem(1234567, 3), &database), s("Chaconne"));
}

// ---------------------------------------------------------------------------------------------
// Glyphs

struct GlyphCase {
    const char* ref;
    bool played;
    bool showIcons;
    ItemGlyph expected;
};

void PrintTo(const GlyphCase& c, std::ostream* os) {
    *os << c.ref << (c.played ? " played" : "") << (c.showIcons ? " icons" : " no icons");
}

class ItemGlyphTable : public ::testing::TestWithParam<GlyphCase> {};

TEST_P(ItemGlyphTable, MatchesTheKindOfItem) {
    const GlyphCase& c = GetParam();
    EXPECT_EQ(ItemGlyphFor(s(c.ref), c.played, c.showIcons), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    ItemDisplay, ItemGlyphTable,
    ::testing::Values(
        // CD tracks always carry a glyph.
        GlyphCase{"[CDID=1234567, T=3]", false, true, ItemGlyph::CD},
        GlyphCase{"[CDID=1234567, T=3]", true, true, ItemGlyph::CDPlayed},
        GlyphCase{"[CDID=1234567, T=3]", false, false, ItemGlyph::CD},
        GlyphCase{"[CDID=1234567, T=3]", true, false, ItemGlyph::CDPlayed},
        GlyphCase{"[CDID=-5, T=1, L=100]", true, false, ItemGlyph::CDPlayed},
        // File items only with icons on.
        GlyphCase{R"([FILE="/m/a.mid"])", false, false, ItemGlyph::None},
        GlyphCase{R"([FILE="/m/a.mid"])", true, false, ItemGlyph::None},
        GlyphCase{R"([FILE="/m/a.avi"])", true, false, ItemGlyph::None},
        GlyphCase{R"([FILE="/m/a.xyz"])", true, false, ItemGlyph::None},
        GlyphCase{R"([FILE="/m/a.mid"])", false, true, ItemGlyph::MIDI},
        GlyphCase{R"([FILE="/m/a.mid"])", true, true, ItemGlyph::MIDIPlayed},
        GlyphCase{R"([FILE="/m/a.MP3"])", false, true, ItemGlyph::MIDI},
        GlyphCase{R"([FILE="/m/a.avi"])", false, true, ItemGlyph::Movie},
        GlyphCase{R"([FILE="/m/a.avi"])", true, true, ItemGlyph::MoviePlayed},
        GlyphCase{R"([FILE="/m/a.wav"])", false, true, ItemGlyph::Wave},
        GlyphCase{R"([FILE="/m/a.WAV"])", true, true, ItemGlyph::WavePlayed},
        GlyphCase{R"([FILE="/m/a.xyz"])", false, true, ItemGlyph::Unknown},
        GlyphCase{R"([FILE="/m/a.xyz"])", true, true, ItemGlyph::UnknownPlayed},
        GlyphCase{R"([FILE="/m/noextension"])", false, true, ItemGlyph::Unknown},
        GlyphCase{"just some words", true, true, ItemGlyph::UnknownPlayed}));

// ---------------------------------------------------------------------------------------------
// Play List captions

struct TitleCase {
    const char* path;
    const char* title;
};

class PlayListTitleTable : public ::testing::TestWithParam<TitleCase> {};

TEST_P(PlayListTitleTable, IsTheFileNameWithoutExtension) {
    EXPECT_EQ(PlayListFileTitle(s(GetParam().path)), s(GetParam().title)) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(ItemDisplay, PlayListTitleTable,
                         ::testing::Values(TitleCase{"/lists/Party.vlp", "Party"},
                                           TitleCase{"/lists/my.party.vlp", "my.party"},
                                           TitleCase{"/lists/README", "README"},
                                           TitleCase{"/lists.d/x", "x"},
                                           TitleCase{"Party.vlp", "Party"},
                                           TitleCase{"/lists/Fête.vlp", "Fête"},
                                           TitleCase{R"(C:\Lists\Party.vlp)", "Party"},
                                           TitleCase{R"(C:\Lists.d\x)", "x"}));

}  // namespace
