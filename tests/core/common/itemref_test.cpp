#include "core/common/itemref.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

namespace {

struct ValueCase {
    const char* ref;
    const char* key;
    const char* expected;
};

void PrintTo(const ValueCase& c, std::ostream* os) {
    *os << c.ref << " / " << c.key;
}

class GetItemValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(GetItemValueTest, ReadsTheValueOfTheKey) {
    const ValueCase& c = GetParam();
    EXPECT_EQ(GetItemValue(s(c.ref), s(c.key)), s(c.expected)) << c.ref << " / " << c.key;
}

INSTANTIATE_TEST_SUITE_P(
    ItemRef, GetItemValueTest,
    ::testing::Values(
        ValueCase{R"([FILE="C:\My Music\a.mid"])", "FILE", R"(C:\My Music\a.mid)"},
        // A blank in an unquoted value makes it unreadable.
        ValueCase{R"([FILE=C:\My Music\a.mid])", "FILE", ""},
        ValueCase{R"([CDID=1234567, T=12])", "T", "12"},
        ValueCase{R"([CDID=-99, T=12])", "CDID", "-99"},
        // A key inside a quoted value is not a key.
        ValueCase{R"([FILE="C:\My T=1.wav"])", "T", R"([FILE="C:\My T=1.wav"])"},
        ValueCase{R"([FILE="/music/a, L=1.mp3", L=250])", "L", "250"},
        ValueCase{R"([FILE="/music/a, L=1.mp3", L=250])", "FILE", "/music/a, L=1.mp3"},
        // Brackets and commas belong to Linux file names as much as letters do.
        ValueCase{R"([FILE="/music/Song [Live], part 2.mp3", L=7])", "FILE", "/music/Song [Live], part 2.mp3"},
        ValueCase{R"([FILE="/music/Song [Live].mp3", L=7])", "L", "7"},
        // Absent key: the (normalised) reference itself comes back.
        ValueCase{R"([FILE="/a.mid"])", "L", R"([FILE="/a.mid"])"},
        ValueCase{"hello there", "FILE", "hello there"},
        // Legacy forms are read after normalising.
        ValueCase{R"(C:\a.mid)", "FILE", R"(C:\a.mid)"},
        ValueCase{"/home/u/a.mid", "FILE", "/home/u/a.mid"},
        ValueCase{"[CDID=7, T#=2]", "T", "2"},
        ValueCase{R"([FILE=""])", "FILE", ""},
        ValueCase{"[A=1, FILE=x]", "FILE", "x"},
        // "L" inside "FILE" does not count: only an occurrence that starts a pair does.
        ValueCase{R"([FILE="x", L=5])", "L", "5"},
        // A key is a whole name before "=": neither "L1" nor "LENGTH=" holds the "L" key.
        ValueCase{"[CDID=1, T=5, L1]", "L", "[CDID=1, T=5, L1]"},
        ValueCase{"[CDID=1, TITLE=x, T=3]", "T", "3"}));

TEST(ItemRef, SettingAValueAddsOrReplacesThePair) {
    const QString ref = s(R"([FILE="C:\a.mid"])");
    const QString withLength = SetItemValue(ref, s("L"), s("5000"));
    EXPECT_EQ(withLength, s(R"([FILE="C:\a.mid", L=5000])"));
    EXPECT_EQ(SetItemValue(withLength, s("L"), s("0")), s(R"([FILE="C:\a.mid", L=0])"));
    EXPECT_EQ(SetItemValue(s("[CDID=5, T=1]"), s("T"), s("12")), s("[CDID=5, T=12]"));
    EXPECT_EQ(SetItemValue(s("[]"), s("L"), s("3")), s("[L=3]"));
}

TEST(ItemRef, SettingAValueNeverBreaksAPathHoldingBrackets) {
    const QString ref = s(R"([FILE="/music/Song [Live].mp3"])");
    const QString stored = SetItemValue(ref, s("L"), s("1200"));
    EXPECT_EQ(stored, s(R"([FILE="/music/Song [Live].mp3", L=1200])"));
    EXPECT_EQ(GetItemValue(stored, s("FILE")), s("/music/Song [Live].mp3"));
    EXPECT_EQ(RemoveItemValue(stored, s("L")), ref);
}

TEST(ItemRef, TextAfterTheReferenceSurvivesALengthWrittenAndRemoved) {
    // Pasted or hand-edited lines may run on after the closing bracket; a comma out there does not
    // end the length's value.
    const QString line = s(R"([FILE="/music/b.mid"]mid"DID=12345678, T=3, ]-1=L)");
    const QString stored = SetItemValue(line, s("L"), s("8000"));
    EXPECT_EQ(stored, s(R"([FILE="/music/b.mid", L=8000]mid"DID=12345678, T=3, ]-1=L)"));
    EXPECT_EQ(GetItemValue(stored, s("L")), s("8000"));
    EXPECT_EQ(RemoveItemValue(stored, s("L")), line);
    const QString cd = s("[CDID=7, T=3]7, T=3]");
    EXPECT_EQ(RemoveItemValue(SetItemValue(cd, s("L"), s("-1")), s("L")), cd);
}

TEST(ItemRef, AStoredLineLeavesEveryLengthPairBehind) {
    // Hand-edited lines may hold two; what is left must be the item, so that saving and reading
    // again gives the same reference.
    EXPECT_EQ(WithoutLength(s(R"([FILE="/a.mid", L=5, L=6])")), s(R"([FILE="/a.mid"])"));
    EXPECT_EQ(WithoutLength(s("[CDID=1, T=5, L1, L=-1]")), s("[CDID=1, T=5, L1]"));
    EXPECT_EQ(WithoutLength(s("/music/a.mid")), s(R"([FILE="/music/a.mid"])"));
    // Whatever the line, what is left reads back as itself.
    for (const char* line : {R"(/music/a.mid, L="5)", "[CDID=#1, T##2, L=9]"}) {
        const QString ref = WithoutLength(s(line));
        EXPECT_EQ(WithoutLength(ref), ref) << line;
    }
}

TEST(ItemRef, LinesThatCannotHoldAPairStayAsTheyAre) {
    // Writing a length into an odd line must not turn it into a different line on the next read.
    for (const char* line : {"hello", "", "[Items]", "no bracket = here", "[FILE=\"open quote]"}) {
        EXPECT_EQ(SetItemValue(s(line), s("L"), s("0")), s(line)) << line;
    }
}

TEST(ItemRef, RemovingAValueTidiesTheSeparator) {
    EXPECT_EQ(RemoveItemValue(s(R"([L=5, FILE="x"])"), s("L")), s(R"([FILE="x"])"));
    EXPECT_EQ(RemoveItemValue(s("[A=1, L=5, B=2]"), s("L")), s("[A=1, B=2]"));
    EXPECT_EQ(RemoveItemValue(s(R"([FILE="x", L=5])"), s("L")), s(R"([FILE="x"])"));
    EXPECT_EQ(RemoveItemValue(s(R"([FILE="x",L=5])"), s("L")), s(R"([FILE="x"])"));
    EXPECT_EQ(RemoveItemValue(s(R"([FILE="x"])"), s("L")), s(R"([FILE="x"])"));
    // Only the separator the cut left goes; one the line had before stays.
    EXPECT_EQ(RemoveItemValue(s(R"([FILE="x",, L=5])"), s("L")), s(R"([FILE="x",])"));
    // The separator characters inside a path are not touched.
    EXPECT_EQ(RemoveItemValue(s(R"([FILE="/a, ]b, ,c", L=5])"), s("L")), s(R"([FILE="/a, ]b, ,c"])"));
}

TEST(ItemRef, FindItemValueGivesOneBasedPositions) {
    const QString ref = s("[CDID=7, T=12]");
    EXPECT_EQ(FindItemValue(ref, s("CDID"), 1), 7);
    EXPECT_EQ(FindItemValue(ref, s("CDID"), 2), 9);  // one past the ","
    EXPECT_EQ(FindItemValue(ref, s("T"), 1), 12);
    EXPECT_EQ(FindItemValue(ref, s("T"), 2), 15);  // one past the "]"
    EXPECT_EQ(FindItemValue(ref, s("L"), 1), -1);
}

TEST(ItemRef, FindTextIsOneBasedAndExactCase) {
    EXPECT_EQ(FindText(s("abcabc"), s("c")), 3);
    EXPECT_EQ(FindText(s("abc"), s("C")), -1);
    EXPECT_EQ(FindText(s(""), s("a")), -1);
    EXPECT_EQ(FindText(s("abc"), s("")), -1);
}

TEST(ItemRef, NormalizeConvertsOnlyTheLegacyForms) {
    EXPECT_EQ(NormalizeItem(s(R"(C:\a.mid)")), s(R"([FILE="C:\a.mid"])"));
    EXPECT_EQ(NormalizeItem(s("/music/a.mid")), s(R"([FILE="/music/a.mid"])"));
    EXPECT_EQ(NormalizeItem(s("[CDID=7, T#=2]")), s("[CDID=7, T=2]"));
    EXPECT_EQ(NormalizeItem(s("[CDID=#7, T#2]")), s("[CDID=#7, T2]"));
    EXPECT_EQ(NormalizeItem(s("[FILE=\"/x T#.mid\"]")), s("[FILE=\"/x T#.mid\"]"));
    for (const char* unchanged : {"something else", "[FILE=\"/a.mid\"]", "C:a.mid", "relative/a.mid"}) {
        EXPECT_EQ(NormalizeItem(s(unchanged)), s(unchanged)) << unchanged;
    }
    // A bare path with a quotation mark cannot become a reference that reads back the same.
    EXPECT_EQ(NormalizeItem(s("/music/say \"hi\".mid")), s("/music/say \"hi\".mid"));
}

TEST(ItemRef, KindFollowsTheExtensionIgnoringCase) {
    struct Case {
        const char* ref;
        ItemKindValue kind;
    };
    const Case cases[] = {
        {R"([FILE="/m/a.MID"])", ItemKindValue::Sequencer}, {R"([FILE="/m/a.rmi"])", ItemKindValue::Sequencer},
        {R"([FILE="/m/a.xm"])", ItemKindValue::Sequencer},  {R"([FILE="/m/a.Mp3"])", ItemKindValue::Sequencer},
        {R"([FILE="/m/a.avi"])", ItemKindValue::Movie},     {R"([FILE="/m/a.dat"])", ItemKindValue::Movie},
        {R"([FILE="/m/a.WAV"])", ItemKindValue::Wave},      {R"([FILE="/m/a.aifc"])", ItemKindValue::Wave},
        {R"([FILE="/m/a.ogg"])", ItemKindValue::Unknown},   {R"([FILE="/m/noext"])", ItemKindValue::Unknown},
        {R"([FILE="/m.mid/noext"])", ItemKindValue::Unknown}, {"[CDID=1, T=1]", ItemKindValue::CDTrack},
        {"[cdid=1, T=1]", ItemKindValue::Unknown},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ItemKind(s(c.ref)), c.kind) << c.ref;
    }
}

TEST(ItemRef, BuildersAndIdentity) {
    EXPECT_EQ(MakeFileItem(s("/m/a.mid")), s(R"([FILE="/m/a.mid"])"));
    EXPECT_EQ(MakeCDItem(-1234, 3), s("[CDID=-1234, T=3]"));
    EXPECT_TRUE(IsCDItem(MakeCDItem(0, 1)));
    EXPECT_FALSE(IsCDItem(s("[CDID =1, T=1]")));

    // Two paths that differ in letter case are two files; only the first is a file item with a
    // readable FILE key.
    const QString upper = s(R"([FILE="C:\A.MID"])");
    const QString lower = s(R"([file="c:\a.mid"])");
    EXPECT_FALSE(SameItem(upper, lower));
    EXPECT_NE(ItemIdentity(upper), ItemIdentity(lower));
    EXPECT_EQ(GetItemValue(upper, s("FILE")), s(R"(C:\A.MID)"));
    EXPECT_EQ(GetItemValue(lower, s("FILE")), lower);
    EXPECT_FALSE(SameItem(s(R"([FILE="/song.wav"])"), s(R"([FILE="/SONG.wav"])")));
    EXPECT_FALSE(SameItem(s(R"([FILE="/ü.mid"])"), s(R"([FILE="/Ü.mid"])")));
    EXPECT_TRUE(SameItem(s(R"([FILE="/ü.mid"])"), s(R"([FILE="/ü.mid"])")));
    // A CD track is its disc and its track, however the numbers are written.
    EXPECT_TRUE(SameItem(MakeCDItem(-1234, 3), s("[CDID=-1234,T=03]")));
    EXPECT_EQ(ItemIdentity(s("[CDID=-1234,T=03]")), MakeCDItem(-1234, 3));
    EXPECT_FALSE(SameItem(MakeCDItem(-1234, 3), MakeCDItem(-1234, 4)));
    EXPECT_FALSE(SameItem(MakeCDItem(1234, 3), s("[cdid=1234, t=3]")));
}

TEST(ItemRef, StorablePathsHoldNoQuoteAndNoLineBreak) {
    EXPECT_TRUE(IsStorablePath(s("/music/Song [Live], (1).mp3")));
    EXPECT_FALSE(IsStorablePath(s("/music/say \"hi\".mid")));
    EXPECT_FALSE(IsStorablePath(s("/music/two\nlines.mid")));
    EXPECT_FALSE(IsStorablePath(s("/music/cr\r.mid")));
}

TEST(ItemRef, StoredLengthReadsNumbersOnly) {
    EXPECT_EQ(ItemLengthValue(s(R"([FILE="/a.mid", L=183000])")), 183000);
    EXPECT_EQ(ItemLengthValue(s(R"([FILE="/a.mid", L=abc])")), 0);
    EXPECT_EQ(ItemLengthValue(s(R"([FILE="/a.mid"])")), 0);
    EXPECT_EQ(ItemLengthValue(s(R"([FILE="/a.mid", L=-1])")), -1);
    // A line without an L pair holds no length, even when it reads as a number.
    EXPECT_EQ(StoredLength(s("12345")), std::nullopt);
    EXPECT_EQ(StoredLength(s(R"([FILE="/a.mid", L=0])")), 0);
    // Of several L pairs the first known length counts.
    EXPECT_EQ(StoredLength(s(R"([FILE="/a.mid", L=-1, L=5000])")), 5000);
    EXPECT_EQ(StoredLength(s(R"([FILE="/a.mid", L=abc, L=0, L=-1])")), 0);
    EXPECT_EQ(StoredLength(s(R"([FILE="/a.mid", L=7, L=5000])")), 7);
}

// Only a file item or a CD-track item that can hold pairs is an item reference; every other line is
// kept as it stands.
TEST(ItemRef, ItemReferencesAreFileAndTrackItems) {
    const struct {
        const char* line;
        bool reference;
    } cases[] = {
        {R"([FILE="/m/a.mid"])", true},
        {R"([FILE="/m/a.mid", L=5])", true},
        {"/m/a.mid", true},
        {R"(C:\Music\a.mid)", true},
        {"[CDID=5, T=2]", true},
        {"[CDID=5, T#2]", true},
        {"g326mxg1Ie2d5n/90]u=3=xtplFp", false},
        {"x, L=7]y", false},
        {R"([file="/m/a.mid"])", false},
        {R"([FILE="/m/a.mid")", false},
        {"[A=1, L=5]", false},
        {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsItemReference(s(c.line)), c.reference) << c.line;
    }
}

}  // namespace
