#include "core/common/textfile.h"

#include "support/tempfolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>
#include <unistd.h>

namespace {

QString chars(std::initializer_list<char16_t> units) {
    QString text;
    for (char16_t u : units) {
        text.append(QChar(u));
    }
    return text;
}

std::string hex(const QByteArray& bytes) {
    return bytes.toHex(' ').toStdString();
}

// ---------------------------------------------------------------------------------------------
// Reading

struct DecodeCase {
    const char* name;
    QByteArray bytes;
    QString text;
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
    *os << c.name;
}

class TextFileDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(TextFileDecode, ReadsTheBytesAsTheRightCodePage) {
    const DecodeCase& c = GetParam();
    EXPECT_EQ(TextFile::decode(c.bytes), c.text) << hex(c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    TextFile, TextFileDecode,
    ::testing::Values(
        DecodeCase{"Empty", QByteArray(), QString()},
        DecodeCase{"Ascii", QByteArray("Waltz.mid"), s("Waltz.mid")},
        DecodeCase{"Utf8Umlaut", QByteArray("M\xC3\xBCnchen"), s("München")},
        DecodeCase{"Utf8Japanese", QByteArray("\xE6\x97\xA5\xE6\x9C\xAC"), s("日本")},
        DecodeCase{"Utf8Euro", QByteArray("\xE2\x82\xAC 5"), s("€ 5")},
        DecodeCase{"Utf8OutsideTheBasicPlane", QByteArray("\xF0\x9F\x8E\xB5"), s("🎵")},
        DecodeCase{"Utf8BomIsSkipped", QByteArray("\xEF\xBB\xBF" "abc"), s("abc")},
        DecodeCase{"Utf8BomBeforeUmlaut", QByteArray("\xEF\xBB\xBF\xC3\xBC"), s("ü")},
        DecodeCase{"OnlyABom", QByteArray("\xEF\xBB\xBF"), QString()},
        DecodeCase{"Latin1Umlaut", QByteArray("M\xFCnchen"), s("München")},
        DecodeCase{"EuroSign", QByteArray("\x80"), s("€")},
        DecodeCase{"CurlyQuotes", QByteArray("\x93hi\x94"), s("“hi”")},
        DecodeCase{"SingleCurlyQuotes", QByteArray("\x91x\x92"), s("‘x’")},
        DecodeCase{"DashesAndEllipsis", QByteArray("\x96\x97\x85"), s("–—…")},
        DecodeCase{"TradeMarkAndCarons", QByteArray("\x99\x8A\x9A\x8E\x9E\x9F"), s("™ŠšŽžŸ")},
        DecodeCase{"NoBreakSpaceAndYDiaeresis", QByteArray("\xA0\xFF"), s("\u00A0ÿ")},
        DecodeCase{"UndefinedBytesBecomeControls", QByteArray("\x81\x8D\x8F\x90\x9D"),
                   chars({0x81, 0x8D, 0x8F, 0x90, 0x9D})},
        // One bad sequence is enough to read the whole file in the old code page.
        DecodeCase{"MixedValidAndInvalid", QByteArray("\xC3\xBC \xFC"), s("Ã¼ ü")},
        DecodeCase{"CutOffSequenceAtTheEnd", QByteArray("abc\xC3"), s("abcÃ")},
        DecodeCase{"OverlongSlash", QByteArray("\xC0\xAF"), s("À¯")},
        DecodeCase{"EncodedSurrogate", QByteArray("\xED\xA0\x80"), s("í\u00A0€")}),
    [](const ::testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

// A file edited by hand in two editors: each line is read in the encoding it was written in.
TEST(TextFile, EachLineOfAFileThatMixesTheEncodingsIsReadInItsOwn) {
    const QByteArray mixed(
        "[1]\r\nName=Caf\xC3\xA9\r\nTrack1=M\xFCller \x80\r\nTrack2=\xE6\x97\xA5\xE6\x9C\xAC\n"
        "Track3=\xC3\xBC \xFC\r\n\xEF\xBB\xBFTrack4");
    EXPECT_EQ(TextFile::decode(mixed),
              s("[1]\r\nName=Café\r\nTrack1=Müller €\r\nTrack2=日本\nTrack3=Ã¼ ü\r\n\uFEFFTrack4"));
    EXPECT_EQ(TextFile::decode("\xEF\xBB\xBF" + mixed), TextFile::decode(mixed));
}

TEST(TextFile, EveryByteOfTheOldCodePageSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 1; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    const QString text = TextFile::decode(all);
    ASSERT_EQ(text.size(), all.size());
    EXPECT_EQ(TextFile::encode(text), all);
}

// ---------------------------------------------------------------------------------------------
// Writing

struct EncodeCase {
    const char* name;
    QString text;
    QByteArray bytes;
};

void PrintTo(const EncodeCase& c, std::ostream* os) {
    *os << c.name;
}

class TextFileEncode : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(TextFileEncode, WritesTheOldCodePageWhenEveryCharacterFitsElseUtf8) {
    const EncodeCase& c = GetParam();
    EXPECT_EQ(hex(TextFile::encode(c.text)), hex(c.bytes));
}

INSTANTIATE_TEST_SUITE_P(
    TextFile, TextFileEncode,
    ::testing::Values(
        EncodeCase{"Empty", QString(), QByteArray()},
        EncodeCase{"Ascii", s("a.mid\r\n"), QByteArray("a.mid\r\n")},
        EncodeCase{"Euro", s("5 €"), QByteArray("5 \x80")},
        EncodeCase{"Umlaut", s("für"), QByteArray("f\xFCr")},
        EncodeCase{"CurlyQuotesAndEllipsis", s("“a”…"), QByteArray("\x93" "a\x94\x85")},
        EncodeCase{"UndefinedBytesAsControls", chars({0x81, 0x9D}), QByteArray("\x81\x9D")},
        EncodeCase{"Japanese", s("日本"), QByteArray("\xE6\x97\xA5\xE6\x9C\xAC")},
        EncodeCase{"Arrow", s("a → b"), QByteArray("a \xE2\x86\x92 b")},
        // One character that does not fit makes the whole text UTF-8, the fitting ones included.
        EncodeCase{"UmlautWithArrow", s("ü→"), QByteArray("\xC3\xBC\xE2\x86\x92")},
        // C1 controls the code page uses for letters cannot be written in it.
        EncodeCase{"ControlThatTheCodePageUsesForEuro", chars({0x80}), QByteArray("\xC2\x80")}),
    [](const ::testing::TestParamInfo<EncodeCase>& info) { return std::string(info.param.name); });

class TextFileTextRoundTrip : public ::testing::TestWithParam<const char*> {};

TEST_P(TextFileTextRoundTrip, ReadsBackWhatWasWritten) {
    const QString text = s(GetParam());
    EXPECT_EQ(TextFile::decode(TextFile::encode(text)), text) << hex(TextFile::encode(text));
}

INSTANTIATE_TEST_SUITE_P(TextFile, TextFileTextRoundTrip,
                         ::testing::Values("", "plain", "München € “x”", "日本語のテキスト", "a → b",
                                           "ü and 日本", "🎵 music",
                                           // Fits the old code page, but its bytes there are valid UTF-8.
                                           "Ã©", "Maß\u00A0", "Fuß“",
                                           // A text that starts with the byte order mark's character.
                                           "\uFEFFname", "\uFEFF\uFEFF"));

struct FileBytesCase {
    const char* name;
    QByteArray bytes;
};

void PrintTo(const FileBytesCase& c, std::ostream* os) {
    *os << c.name;
}

class TextFileBytesRoundTrip : public ::testing::TestWithParam<FileBytesCase> {};

TEST_P(TextFileBytesRoundTrip, ReadingAndWritingAgainGivesTheSameBytes) {
    const QByteArray& bytes = GetParam().bytes;
    TempFolder folder;
    const TextFile::ReadResult read = TextFile::readLines(folder.write(QStringLiteral("in.txt"), bytes));
    ASSERT_TRUE(read.ok);

    const QString out = folder.file(QStringLiteral("out.txt"));
    ASSERT_EQ(TextFile::writeLines(out, read.lines), QString());
    EXPECT_EQ(hex(readFileBytes(out)), hex(bytes));
}

INSTANTIATE_TEST_SUITE_P(
    TextFile, TextFileBytesRoundTrip,
    ::testing::Values(
        FileBytesCase{"OldCodePage",
                      QByteArray("[Settings]\r\nName=M\xFCller \x80 \x93x\x94\r\n\x81\x8D\x8F\x90\x9D\r\n")},
        FileBytesCase{"Utf8", QByteArray("[FILE=\"/music/\xE6\x97\xA5\xE6\x9C\xAC.mid\"]\r\n"
                                         "[FILE=\"/music/f\xC3\xBCr.mid\"]\r\n")},
        FileBytesCase{"Utf8Arrow", QByteArray("a \xE2\x86\x92 b\r\n")}),
    [](const ::testing::TestParamInfo<FileBytesCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// Lines

struct SplitCase {
    const char* name;
    const char* text;
    QStringList lines;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.name;
}

class TextFileSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(TextFileSplit, SplitsAtEveryKindOfLineBreak) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(TextFile::splitLines(s(c.text)), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    TextFile, TextFileSplit,
    ::testing::Values(
        SplitCase{"Empty", "", {}},
        SplitCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
        SplitCase{"Lf", "a\nb\n", {"a", "b"}},
        SplitCase{"LoneCr", "a\rb\r", {"a", "b"}},
        SplitCase{"Mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        SplitCase{"NoFinalBreak", "a\r\nb", {"a", "b"}},
        SplitCase{"SingleLineWithoutBreak", "only", {"only"}},
        SplitCase{"OnlyABreak", "\r\n", {""}},
        SplitCase{"EmptyLinesInTheMiddle", "a\r\n\r\n\r\nb\r\n", {"a", "", "", "b"}},
        SplitCase{"EmptyLinesWithLf", "a\n\nb", {"a", "", "b"}},
        SplitCase{"EmptyLineAtTheEnd", "a\r\n\r\n", {"a", ""}},
        SplitCase{"EmptyFirstLine", "\r\na", {"", "a"}},
        // A CR followed by CR LF is two breaks, and LF CR is two as well.
        SplitCase{"CrThenCrLf", "a\r\r\nb", {"a", "", "b"}},
        SplitCase{"LfThenCr", "a\n\rb", {"a", "", "b"}},
        SplitCase{"BlanksKept", "  a \r\n\tb\t", {"  a ", "\tb\t"}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

class TextFileSplitFile : public ::testing::TestWithParam<SplitCase> {};

TEST_P(TextFileSplitFile, EndsLinesAtLineFeedsAndKeepsALoneCrInItsLine) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(TextFile::splitFileLines(s(c.text)), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    TextFile, TextFileSplitFile,
    ::testing::Values(
        SplitCase{"Empty", "", {}},
        SplitCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
        SplitCase{"Lf", "a\nb", {"a", "b"}},
        SplitCase{"LoneCrInsideAValue", "Track1=a\rb\r\nTrack2=c\r\n", {"Track1=a\rb", "Track2=c"}},
        SplitCase{"CrAtTheStartOfALine", "\rx\r\ny\r\n", {"\rx", "y"}},
        // Two CRs before the LF, as a text-mode write of CR LF leaves them, are one line end.
        SplitCase{"CrCrLf", "a\r\r\nb\r\r\n", {"a", "b"}},
        SplitCase{"FinalCrWithoutLf", "a\r\nb\r", {"a", "b"}},
        SplitCase{"EmptyLinesKept", "a\r\n\r\n\nb\r\n", {"a", "", "", "b"}},
        // A file that has no LF at all ends its lines with CRs.
        SplitCase{"OnlyCrs", "a\rb\r\rc", {"a", "b", "", "c"}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(TextFile, JoinedLinesAlwaysEndInCrLf) {
    EXPECT_EQ(TextFile::joinLines({}), QString());
    EXPECT_EQ(TextFile::joinLines({QString()}), s("\r\n"));
    EXPECT_EQ(TextFile::joinLines({s("a"), s(""), s("b")}), s("a\r\n\r\nb\r\n"));
    EXPECT_EQ(TextFile::joinLines({s("ü"), s("日本")}), s("ü\r\n日本\r\n"));
}

TEST(TextFile, SplittingJoinedLinesGivesTheSameLines) {
    const std::vector<QStringList> lists = {
        {}, {""}, {"", ""}, {"a"}, {"a", ""}, {"", "a"}, {"a", "", "b"}, {"  x  ", "\t"},
    };
    for (const QStringList& lines : lists) {
        EXPECT_EQ(TextFile::splitLines(TextFile::joinLines(lines)), lines) << lines.join(u'|').toStdString();
    }
}

// ---------------------------------------------------------------------------------------------
// Files

TEST(TextFile, ReadingAMissingFileReportsThatItDoesNotExist) {
    TempFolder folder;
    const TextFile::ReadResult read = TextFile::readLines(folder.file(QStringLiteral("missing.txt")));
    EXPECT_FALSE(read.exists);
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(read.lines.isEmpty());
}

TEST(TextFile, ReadingAnEmptyFileGivesNoLines) {
    TempFolder folder;
    const TextFile::ReadResult read = TextFile::readLines(folder.write(QStringLiteral("empty.txt"), {}));
    EXPECT_TRUE(read.exists);
    EXPECT_TRUE(read.ok);
    EXPECT_TRUE(read.lines.isEmpty());
    EXPECT_TRUE(read.error.isEmpty());
}

TEST(TextFile, ReadsLinesOfAFileInEitherCodePage) {
    TempFolder folder;
    const TextFile::ReadResult old =
        TextFile::readLines(folder.write(QStringLiteral("old.txt"), QByteArray("M\xFCller\r\n\x80\r\n")));
    ASSERT_TRUE(old.ok);
    EXPECT_EQ(old.lines, QStringList({s("Müller"), s("€")}));

    const TextFile::ReadResult utf8 = TextFile::readLines(
        folder.write(QStringLiteral("utf8.txt"), QByteArray("\xEF\xBB\xBF\xE6\x97\xA5\nb")));
    ASSERT_TRUE(utf8.ok);
    EXPECT_EQ(utf8.lines, QStringList({s("日"), s("b")}));
}

TEST(TextFile, WritingLinesGivesCrLfInTheFittingCodePage) {
    TempFolder folder;
    const QString old = folder.file(QStringLiteral("old.txt"));
    ASSERT_EQ(TextFile::writeLines(old, {s("für"), s(""), s("5 €")}), QString());
    EXPECT_EQ(hex(readFileBytes(old)), hex(QByteArray("f\xFCr\r\n\r\n5 \x80\r\n")));

    const QString utf8 = folder.file(QStringLiteral("utf8.txt"));
    ASSERT_EQ(TextFile::writeLines(utf8, {s("für"), s("日本")}), QString());
    EXPECT_EQ(hex(readFileBytes(utf8)), hex(QByteArray("f\xC3\xBCr\r\n\xE6\x97\xA5\xE6\x9C\xAC\r\n")));
}

TEST(TextFile, WritingReplacesTheWholeOldContent) {
    TempFolder folder;
    const QString path = folder.write(QStringLiteral("list.txt"), QByteArray("a long first line\r\nsecond\r\n"));
    ASSERT_EQ(TextFile::writeLines(path, {s("x")}), QString());
    EXPECT_EQ(readFileBytes(path), QByteArray("x\r\n"));

    ASSERT_EQ(TextFile::writeLines(path, {}), QString());
    EXPECT_EQ(readFileBytes(path), QByteArray());
}

TEST(TextFile, WritingIntoAMissingFolderFailsWithAReason) {
    TempFolder folder;
    const QString path = folder.file(QStringLiteral("no such folder/list.txt"));
    const QString error = TextFile::writeLines(path, {s("a")});
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(QDir(folder.file(QStringLiteral("no such folder"))).exists());
}

TEST(TextFile, FailedWriteIntoAReadOnlyFolderLeavesTheOldFileUntouched) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "running as root: permission checks do not apply";
    }
    TempFolder folder;
    const QByteArray original("old line 1\r\nold line 2\r\n");
    const QString path = folder.write(QStringLiteral("locked/list.txt"), original);
    const QString locked = folder.file(QStringLiteral("locked"));
    const QFileDevice::Permissions before = QFile::permissions(locked);
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner));

    const QString error = TextFile::writeLines(path, {s("new")});

    QFile::setPermissions(locked, before);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readFileBytes(path), original);
    EXPECT_EQ(QDir(locked).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({s("list.txt")}));
}

// The kernel refuses bytes past the process's file size limit as a full disk refuses them: late, after
// a small write has gone into a buffer.
TEST(TextFile, AWriteTheFileSystemRefusesLeavesTheOldFileWholeAndSaysWhy) {
    TempFolder folder;
    const QByteArray original("old line 1\r\nold line 2\r\n");
    const QString path = folder.write(QStringLiteral("list.txt"), original);
    QStringList lines;
    for (int i = 0; i < 20; ++i) {
        lines.append(QStringLiteral("new line %1").arg(i));
    }
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

    const QString error = TextFile::writeLines(path, lines);

    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readFileBytes(path), original);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({s("list.txt")}));
}

}  // namespace
