#include "core/settings/inifile.h"

#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace {

// ---------------------------------------------------------------------------------------------
// Reading

TEST(IniFile, SectionAndKeyNamesMatchIgnoringCase) {
    const IniFile ini(lines({"[ShortCuts]", "FileOpen=16463"}));
    EXPECT_EQ(ini.value(s("Shortcuts"), s("FileOpen")), s("16463"));
    EXPECT_EQ(ini.value(s("SHORTCUTS"), s("fileopen")), s("16463"));
    EXPECT_TRUE(ini.contains(s("shortcuts"), s("FILEOPEN")));
}

TEST(IniFile, MissingSectionOrKeyGivesTheFallback) {
    const IniFile ini(lines({"[A]", "X=1", "[B]", "Y=2"}));
    EXPECT_EQ(ini.value(s("C"), s("X"), s("none")), s("none"));
    EXPECT_EQ(ini.value(s("A"), s("Z"), s("none")), s("none"));
    // A key of the next section is not a key of this one.
    EXPECT_EQ(ini.value(s("A"), s("Y"), s("none")), s("none"));
    EXPECT_EQ(ini.value(s("B"), s("X"), s("none")), s("none"));
    EXPECT_FALSE(ini.contains(s("A"), s("Y")));
    EXPECT_TRUE(ini.value(s("A"), s("Z")).isNull());
}

struct ValueCase {
    const char* line;
    const char* value;
};

class IniFileValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(IniFileValue, IsTheRestOfTheLineAfterTheFirstEqualsSign) {
    const IniFile ini(lines({"[S]", GetParam().line}));
    EXPECT_TRUE(ini.contains(s("S"), s("Key"))) << GetParam().line;
    EXPECT_EQ(ini.value(s("S"), s("Key"), s("fallback")), s(GetParam().value)) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(IniFile, IniFileValue,
                         ::testing::Values(ValueCase{"Key=plain", "plain"},
                                           ValueCase{"Key=a=b=c", "a=b=c"},
                                           ValueCase{"Key==", "="},
                                           ValueCase{"Key=  leading blanks", "  leading blanks"},
                                           ValueCase{"Key=trailing blanks  ", "trailing blanks  "},
                                           ValueCase{"Key=", ""},
                                           ValueCase{"Key=C:\\Music\\a.vlp", "C:\\Music\\a.vlp"},
                                           ValueCase{"Key=Müller € 日本", "Müller € 日本"},
                                           // Blanks around the key name do not belong to it.
                                           ValueCase{"  Key=x", "x"},
                                           ValueCase{"Key = x", " x"}));

TEST(IniFile, OfTwoEqualKeysTheFirstCounts) {
    const IniFile ini(lines({"[S]", "Key=first", "KEY=second"}));
    EXPECT_EQ(ini.value(s("S"), s("key")), s("first"));
}

TEST(IniFile, DamagedFilesReadWithoutFailing) {
    const IniFile ini(lines({
        "text before any section",
        "Early=0",
        "",
        "[A]",
        "a line without equals sign",
        "",
        "; a comment",
        ";Commented=9",
        "X=1",
        "=no key",
        "   ",
        "[B]",
        "Y=2",
    }));
    EXPECT_EQ(ini.value(s("A"), s("X")), s("1"));
    EXPECT_EQ(ini.value(s("B"), s("Y")), s("2"));
    EXPECT_FALSE(ini.contains(s("A"), s("Early")));
    EXPECT_FALSE(ini.contains(s("A"), s("Commented")));
    EXPECT_FALSE(ini.contains(s("A"), s("a line without equals sign")));
    EXPECT_EQ(ini.keys(s("A")), lines({"X"}));
}

TEST(IniFile, CommentLinesAreNoKeys) {
    const IniFile ini(lines({"[A]", "; Volume=5", ";Volume=6", "Volume=7"}));
    EXPECT_EQ(ini.keys(s("A")), lines({"Volume"}));
    EXPECT_EQ(ini.value(s("A"), s("Volume")), s("7"));
}

TEST(IniFile, HeadersMayCarryBlanks) {
    const IniFile ini(lines({"  [ Play List ]  ", "ShowPath=1"}));
    EXPECT_EQ(ini.value(s("play list"), s("ShowPath")), s("1"));
}

TEST(IniFile, KeysComeInFileOrderFirstOccurrencesOnly) {
    const IniFile ini(lines({"[A]", "Zeta=1", "alpha=2", "", "; note=x", "ZETA=3", "Mid = 4", "[B]", "Other=5"}));
    EXPECT_EQ(ini.keys(s("a")), lines({"Zeta", "alpha", "Mid"}));
    EXPECT_EQ(ini.keys(s("B")), lines({"Other"}));
    EXPECT_TRUE(ini.keys(s("Missing")).isEmpty());
}

// ---------------------------------------------------------------------------------------------
// Writing

TEST(IniFile, WritingAKeyLeavesEveryOtherLineAsItWas) {
    const QStringList before = lines({
        "; Velmaro settings",
        "[Unknown Section]",
        "  Odd = spacing  ",
        "Volume=3",
        "",
        "[Play List]",
        "ShowPath=0",
        "garbage line",
        "Volume=5",
        "volume=6",
        "",
        "[Other]",
        "Volume=9",
    });
    IniFile ini(before);
    ini.setValue(s("play list"), s("Volume"), s("8"));

    QStringList expected = before;
    expected[8] = s("Volume=8");
    EXPECT_EQ(ini.lines(), expected);
    EXPECT_EQ(ini.value(s("Play List"), s("Volume")), s("8"));
    EXPECT_EQ(ini.value(s("Unknown Section"), s("Volume")), s("3"));
    EXPECT_EQ(ini.value(s("Other"), s("Volume")), s("9"));
}

TEST(IniFile, WritingTheSameValueAgainChangesNothing) {
    const QStringList before = lines({"[A]", "X=1", "", "[B]", "Y=2"});
    IniFile ini(before);
    ini.setValue(s("A"), s("X"), s("1"));
    EXPECT_EQ(ini.lines(), before);
}

struct InsertCase {
    const char* name;
    QStringList before;
    QStringList after;  // after setValue("A", "New", "v")
};

void PrintTo(const InsertCase& c, std::ostream* os) {
    *os << c.name;
}

class IniFileNewKey : public ::testing::TestWithParam<InsertCase> {};

TEST_P(IniFileNewKey, GoesWhereItBelongs) {
    IniFile ini(GetParam().before);
    ini.setValue(s("A"), s("New"), s("v"));
    EXPECT_EQ(ini.lines(), GetParam().after);
    EXPECT_EQ(ini.value(s("A"), s("New")), s("v"));
}

INSTANTIATE_TEST_SUITE_P(
    IniFile, IniFileNewKey,
    ::testing::Values(
        InsertCase{"AtTheEndOfItsSectionBeforeTheBlankLine",
                   lines({"[A]", "X=1", "", "[B]", "Y=2"}),
                   lines({"[A]", "X=1", "New=v", "", "[B]", "Y=2"})},
        InsertCase{"AfterAFinalComment",
                   lines({"[A]", "X=1", "; end of A", "", "[B]"}),
                   lines({"[A]", "X=1", "; end of A", "New=v", "", "[B]"})},
        InsertCase{"BeforeSeveralBlankLines",
                   lines({"[A]", "X=1", "", "", "[B]"}),
                   lines({"[A]", "X=1", "New=v", "", "", "[B]"})},
        InsertCase{"AtTheEndOfTheLastSection",
                   lines({"[B]", "Y=2", "", "[A]", "X=1"}),
                   lines({"[B]", "Y=2", "", "[A]", "X=1", "New=v"})},
        InsertCase{"BeforeTrailingBlankLinesOfTheFile",
                   lines({"[A]", "X=1", ""}),
                   lines({"[A]", "X=1", "New=v", ""})},
        InsertCase{"IntoAnEmptySection",
                   lines({"[A]", "[B]"}),
                   lines({"[A]", "New=v", "[B]"})},
        InsertCase{"IntoAnEmptySectionFollowedByABlankLine",
                   lines({"[A]", "", "[B]"}),
                   lines({"[A]", "New=v", "", "[B]"})},
        InsertCase{"NewSectionIntoAnEmptyFile", lines({}), lines({"[A]", "New=v"})},
        InsertCase{"NewSectionAfterABlankLine",
                   lines({"[B]", "Y=2"}),
                   lines({"[B]", "Y=2", "", "[A]", "New=v"})},
        InsertCase{"NewSectionWhenTheFileEndsBlank",
                   lines({"[B]", "Y=2", ""}),
                   lines({"[B]", "Y=2", "", "[A]", "New=v"})},
        InsertCase{"NewSectionAfterTextWithoutSection",
                   lines({"; only a comment"}),
                   lines({"; only a comment", "", "[A]", "New=v"})}),
    [](const ::testing::TestParamInfo<InsertCase>& info) { return std::string(info.param.name); });

TEST(IniFile, WritingADuplicatedKeyChangesTheFirstOnly) {
    IniFile ini(lines({"[S]", "Key=first", "Key=second"}));
    ini.setValue(s("S"), s("Key"), s("new"));
    EXPECT_EQ(ini.lines(), lines({"[S]", "Key=new", "Key=second"}));
    EXPECT_EQ(ini.value(s("S"), s("Key")), s("new"));
}

TEST(IniFile, WritingIntoARepeatedSectionReadsBackTheNewValue) {
    IniFile ini(lines({"[A]", "X=1", "", "[B]", "Y=2", "", "[A]", "Z=3"}));
    ini.setValue(s("A"), s("Z"), s("4"));
    EXPECT_EQ(ini.value(s("A"), s("Z")), s("4"));
    ini.setValue(s("A"), s("X"), s("5"));
    EXPECT_EQ(ini.value(s("A"), s("X")), s("5"));
    EXPECT_EQ(ini.value(s("B"), s("Y")), s("2"));
}

TEST(IniFile, RemovingAKeyTakesOutOnlyItsLine) {
    IniFile ini(lines({"; top", "[A]", "X=1", "Y=2", "", "[B]", "X=3"}));
    ini.removeKey(s("a"), s("x"));
    EXPECT_EQ(ini.lines(), lines({"; top", "[A]", "Y=2", "", "[B]", "X=3"}));
    EXPECT_FALSE(ini.contains(s("A"), s("X")));
    EXPECT_EQ(ini.value(s("B"), s("X")), s("3"));
}

TEST(IniFile, RemovingAMissingKeyChangesNothing) {
    const QStringList before = lines({"[A]", "X=1", "", "[B]", "Y=2"});
    IniFile ini(before);
    ini.removeKey(s("A"), s("Y"));
    ini.removeKey(s("C"), s("X"));
    EXPECT_EQ(ini.lines(), before);
}

TEST(IniFile, RemovedKeyIsGoneEvenWhenItWasThereTwice) {
    IniFile ini(lines({"[A]", "X=1", "Y=2", "x=old"}));
    ini.removeKey(s("A"), s("X"));
    EXPECT_FALSE(ini.contains(s("A"), s("X")));
    EXPECT_EQ(ini.value(s("A"), s("X"), s("fallback")), s("fallback"));
    EXPECT_EQ(ini.lines(), lines({"[A]", "Y=2"}));
}

// ---------------------------------------------------------------------------------------------
// Typed values

struct BoolCase {
    const char* text;  // nullptr: no such key
    bool withFalseFallback;
    bool withTrueFallback;
};

class IniFileBool : public ::testing::TestWithParam<BoolCase> {};

TEST_P(IniFileBool, AnyNonZeroNumberIsTrue) {
    IniFile ini(lines({"[S]"}));
    if (GetParam().text) {
        ini.setValue(s("S"), s("Flag"), s(GetParam().text));
    }
    const char* shown = GetParam().text ? GetParam().text : "(missing)";
    EXPECT_EQ(ini.boolValue(s("S"), s("Flag"), false), GetParam().withFalseFallback) << shown;
    EXPECT_EQ(ini.boolValue(s("S"), s("Flag"), true), GetParam().withTrueFallback) << shown;
}

INSTANTIATE_TEST_SUITE_P(IniFile, IniFileBool,
                         ::testing::Values(BoolCase{"1", true, true}, BoolCase{"0", false, false},
                                           BoolCase{"-1", true, true}, BoolCase{"2", true, true},
                                           BoolCase{"00", false, false}, BoolCase{" 1 ", true, true},
                                           BoolCase{"0x10", true, true}, BoolCase{"0x0", false, false},
                                           BoolCase{nullptr, false, true}, BoolCase{"", false, true},
                                           BoolCase{"yes", false, true}, BoolCase{"true", false, true},
                                           BoolCase{"1a", false, true}));

struct IntCase {
    const char* text;
    int expected;  // kFallback when the text is no number
};

constexpr int kFallback = 12345;

class IniFileInt : public ::testing::TestWithParam<IntCase> {};

TEST_P(IniFileInt, ReadsDecimalOrHexadecimal) {
    const IniFile ini(lines({"[S]", (std::string("N=") + GetParam().text).c_str()}));
    EXPECT_EQ(ini.intValue(s("S"), s("N"), kFallback), GetParam().expected) << GetParam().text;

    int parsed = kFallback;
    EXPECT_EQ(parseIniInt(s(GetParam().text), &parsed), GetParam().expected != kFallback) << GetParam().text;
    EXPECT_EQ(parsed, GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    IniFile, IniFileInt,
    ::testing::Values(IntCase{"0", 0}, IntCase{"42", 42}, IntCase{"-7", -7}, IntCase{" 12 ", 12},
                      IntCase{"2147483647", 2147483647}, IntCase{"-2147483648", -2147483647 - 1},
                      IntCase{"0x10", 16}, IntCase{"0X1f", 31}, IntCase{"0xff", 255},
                      IntCase{"0x0", 0}, IntCase{"0x8000000F", -2147483633}, IntCase{"0xFFFFFFFF", -1},
                      IntCase{"0x7FFFFFFF", 2147483647},
                      // Not numbers: the fallback.
                      IntCase{"", kFallback}, IntCase{"0x", kFallback}, IntCase{"0X", kFallback},
                      IntCase{"abc", kFallback}, IntCase{"12abc", kFallback}, IntCase{"1.5", kFallback},
                      IntCase{"0xG1", kFallback}, IntCase{"2147483648", kFallback},
                      IntCase{"0x100000000", kFallback}));

TEST(IniFile, MissingIntGivesTheFallback) {
    const IniFile ini(lines({"[S]", "Other=1"}));
    EXPECT_EQ(ini.intValue(s("S"), s("N"), -3), -3);
    EXPECT_EQ(ini.intValue(s("T"), s("N"), 7), 7);
}

TEST(IniFile, TypedValuesReadBackAsWritten) {
    IniFile ini;
    ini.setBool(s("S"), s("On"), true);
    ini.setBool(s("S"), s("Off"), false);
    ini.setInt(s("S"), s("Negative"), -2147483633);
    ini.setInt(s("S"), s("Big"), 2147483647);
    EXPECT_EQ(ini.lines(), lines({"[S]", "On=1", "Off=0", "Negative=-2147483633", "Big=2147483647"}));
    EXPECT_TRUE(ini.boolValue(s("S"), s("On"), false));
    EXPECT_FALSE(ini.boolValue(s("S"), s("Off"), true));
    EXPECT_EQ(ini.intValue(s("S"), s("Negative"), 0), -2147483633);
    EXPECT_EQ(ini.intValue(s("S"), s("Big"), 0), 2147483647);
}

// ---------------------------------------------------------------------------------------------
// Files

TEST(IniFile, LoadingAMissingFileGivesAnEmptyOneWithoutError) {
    TempFolder folder;
    IniFile ini(lines({"[Old]", "X=1"}));
    EXPECT_EQ(ini.load(folder.file(QStringLiteral("missing.ini"))), QString());
    EXPECT_TRUE(ini.isEmpty());
}

TEST(IniFile, LoadsAFileWithoutFinalLineBreak) {
    TempFolder folder;
    IniFile ini;
    ASSERT_EQ(ini.load(folder.write(QStringLiteral("a.ini"), QByteArray("[A]\r\nX=1\r\n[B]\nY=M\xFCller"))),
              QString());
    EXPECT_EQ(ini.value(s("A"), s("X")), s("1"));
    EXPECT_EQ(ini.value(s("B"), s("Y")), s("Müller"));
}

TEST(IniFile, SavingAndLoadingKeepsEveryLine) {
    TempFolder folder;
    const QByteArray original(
        "; settings\r\n[Play List]\r\nShowPath=0\r\nLast=/music/M\xFC" "ller.vlp\r\n\r\n[Colors]\r\nBack=0x8000000F\r\n");
    const QString path = folder.write(QStringLiteral("velmaro.ini"), original);

    IniFile ini;
    ASSERT_EQ(ini.load(path), QString());
    ASSERT_EQ(ini.save(path), QString());
    EXPECT_EQ(readFileBytes(path), original);

    ini.setBool(s("play list"), s("ShowPath"), true);
    ini.setValue(s("Recent"), s("File1"), s("/music/日本.vlp"));
    ASSERT_EQ(ini.save(path), QString());

    IniFile again;
    ASSERT_EQ(again.load(path), QString());
    EXPECT_EQ(again.lines(), ini.lines());
    EXPECT_TRUE(again.boolValue(s("Play List"), s("ShowPath"), false));
    EXPECT_EQ(again.value(s("Play List"), s("Last")), s("/music/Müller.vlp"));
    EXPECT_EQ(again.intValue(s("Colors"), s("Back"), 0), -2147483633);
    EXPECT_EQ(again.value(s("Recent"), s("File1")), s("/music/日本.vlp"));
}

TEST(IniFile, SavingIntoAMissingFolderFailsWithAReason) {
    TempFolder folder;
    const IniFile ini(lines({"[A]", "X=1"}));
    EXPECT_FALSE(ini.save(folder.file(QStringLiteral("missing/velmaro.ini"))).isEmpty());
}

}  // namespace
