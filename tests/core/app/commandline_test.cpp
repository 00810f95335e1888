#include "core/app/commandline.h"

#include "support/tempfolder.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

QStringList args(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts) {
        list.append(s(text));
    }
    return list;
}

// ---------------------------------------------------------------------------------------------
// Parsing

TEST(CommandLine, NoArgumentsMeanAPlainStart) {
    const CommandLine line = CommandLine::parse({});
    EXPECT_TRUE(line.parameters.isEmpty());
    EXPECT_TRUE(line.command.isEmpty());
    EXPECT_FALSE(line.help);
    EXPECT_FALSE(line.version);
    EXPECT_TRUE(line.error.isEmpty());
}

TEST(CommandLine, ParametersAreKeptInOrderAndUntouched) {
    const QStringList given = args({"/play", "Party.vlp", "/music/a b.mid", "-x", "/PLAY", "C:\\Lists\\x.vlp",
                                    "./rel/../song.wav", "", "日本.mid", "/play"});
    const CommandLine line = CommandLine::parse(given);
    EXPECT_EQ(line.parameters, given);
    EXPECT_TRUE(line.error.isEmpty());
    EXPECT_FALSE(line.help);
}

TEST(CommandLine, EverythingAfterDoubleDashIsAParameter) {
    const CommandLine line =
        CommandLine::parse(args({"a.vlp", "--", "--help", "--version", "--command", "--", "--x", "b.mid"}));
    EXPECT_EQ(line.parameters, args({"a.vlp", "--help", "--version", "--command", "--", "--x", "b.mid"}));
    EXPECT_FALSE(line.help);
    EXPECT_FALSE(line.version);
    EXPECT_TRUE(line.command.isEmpty());
    EXPECT_TRUE(line.error.isEmpty());
}

TEST(CommandLine, HelpAndVersionAreRecognised) {
    const CommandLine help = CommandLine::parse(args({"--help"}));
    EXPECT_TRUE(help.help);
    EXPECT_FALSE(help.version);
    EXPECT_TRUE(help.error.isEmpty());

    const CommandLine version = CommandLine::parse(args({"--version"}));
    EXPECT_TRUE(version.version);
    EXPECT_FALSE(version.help);
    EXPECT_TRUE(version.error.isEmpty());

    const CommandLine both = CommandLine::parse(args({"a.vlp", "--version", "b.vlp", "--help"}));
    EXPECT_TRUE(both.help);
    EXPECT_TRUE(both.version);
    EXPECT_EQ(both.parameters, args({"a.vlp", "b.vlp"}));
}

class CommandLineCommand : public ::testing::TestWithParam<const char*> {};

TEST_P(CommandLineCommand, IsAcceptedAndKept) {
    const QString name = s(GetParam());
    const CommandLine line = CommandLine::parse({s("--command"), name});
    EXPECT_EQ(line.command, name);
    EXPECT_TRUE(line.error.isEmpty()) << line.error.toStdString();
    EXPECT_TRUE(line.parameters.isEmpty());
    EXPECT_TRUE(CommandLine::commandNames().contains(name));
}

INSTANTIATE_TEST_SUITE_P(CommandLine, CommandLineCommand,
                         ::testing::Values("play", "select-playlist", "select-list", "pause", "stop", "rewind",
                                           "previous", "next", "exit"));

// The help and the error name only what the running program carries out: the two "select-" commands
// open the tray's list box.
TEST(CommandLine, HelpListsOnlyTheCommandsTheRunningProgramCarriesOut) {
    const QString listed = s("play, select-playlist, select-list, pause, stop, rewind, previous, next, exit");
    EXPECT_TRUE(
        CommandLine::usage().contains(s("--command NAME   send a command to the running Velmaro: ") + listed))
        << CommandLine::usage().toStdString();
    EXPECT_EQ(CommandLine::parse(args({"--command", "jump"})).error, s("--command needs one of: ") + listed);
}

TEST(CommandLine, CommandTakesTheNextArgumentOnly) {
    const CommandLine line = CommandLine::parse(args({"a.vlp", "--command", "next", "b.vlp"}));
    EXPECT_EQ(line.command, s("next"));
    EXPECT_EQ(line.parameters, args({"a.vlp", "b.vlp"}));
    EXPECT_TRUE(line.error.isEmpty());
}

class CommandLineError : public ::testing::TestWithParam<std::vector<const char*>> {};

TEST_P(CommandLineError, IsReported) {
    QStringList given;
    for (const char* text : GetParam()) {
        given.append(s(text));
    }
    const CommandLine line = CommandLine::parse(given);
    EXPECT_FALSE(line.error.isEmpty()) << given.join(u' ').toStdString();
    EXPECT_TRUE(line.command.isEmpty()) << given.join(u' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, CommandLineError,
    ::testing::Values(std::vector<const char*>{"--command"},
                      std::vector<const char*>{"a.vlp", "--command"},
                      std::vector<const char*>{"--command", "jump"},
                      std::vector<const char*>{"--command", ""},
                      std::vector<const char*>{"--command", "--help"},
                      std::vector<const char*>{"--x"},
                      std::vector<const char*>{"a.vlp", "--unknown", "b.vlp"},
                      std::vector<const char*>{"--command=play"},
                      std::vector<const char*>{"--HELP"}));

TEST(CommandLine, UnknownOptionIsNamedInTheError) {
    const CommandLine line = CommandLine::parse(args({"--shuffle"}));
    EXPECT_TRUE(line.error.contains(s("--shuffle"))) << line.error.toStdString();
}

// ---------------------------------------------------------------------------------------------
// On-disk spelling

class OnDiskPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.write(QStringLiteral("Music/a.vlp"), "x");
        folder.write(QStringLiteral("Music/Sub Folder/Song.MID"), "x");
        folder.write(QStringLiteral("Other/b.vlp"), "x");
    }

    QString base() const { return folder.path(); }
    QString at(const char* relative) const { return base() + u'/' + s(relative); }

    TempFolder folder;
};

TEST_F(OnDiskPathTest, RelativeParametersAreMadeAbsolute) {
    EXPECT_EQ(OnDiskPath(s("Music/a.vlp"), base()), at("Music/a.vlp"));
    EXPECT_EQ(OnDiskPath(s("Music/Sub Folder/Song.MID"), base()), at("Music/Sub Folder/Song.MID"));
    EXPECT_EQ(OnDiskPath(s("Music//a.vlp"), base()), at("Music/a.vlp"));
}

TEST_F(OnDiskPathTest, AbsoluteParametersIgnoreTheBaseFolder) {
    EXPECT_EQ(OnDiskPath(at("Music/a.vlp"), base() + QStringLiteral("/Other")), at("Music/a.vlp"));
}

TEST_F(OnDiskPathTest, WronglyCasedPathComesBackAsSpelledOnDisk) {
    EXPECT_EQ(OnDiskPath(at("Music/a.vlp").toUpper(), QStringLiteral("/")), at("Music/a.vlp"));
    EXPECT_EQ(OnDiskPath(base().toUpper() + QStringLiteral("/MUSIC/a.VLP"), QStringLiteral("/")), at("Music/a.vlp"));
    EXPECT_EQ(OnDiskPath(s("music/sub folder/song.mid"), base()), at("Music/Sub Folder/Song.MID"));
    EXPECT_EQ(OnDiskPath(s("MUSIC/../other/B.VLP"), base()), at("Other/b.vlp"));
}

TEST_F(OnDiskPathTest, PathWithAMissingPartComesBackAsGivenButAbsoluteAndClean) {
    EXPECT_EQ(OnDiskPath(s("Missing.vlp"), base()), at("Missing.vlp"));
    EXPECT_EQ(OnDiskPath(s("nowhere/x.vlp"), base()), at("nowhere/x.vlp"));
    EXPECT_EQ(OnDiskPath(s("a/../b"), base()), at("b"));
    EXPECT_EQ(OnDiskPath(s("./c/./d"), base()), at("c/d"));
    // The folders that do exist keep the spelling given too.
    EXPECT_EQ(OnDiskPath(s("MUSIC/missing.vlp"), base()), at("MUSIC/missing.vlp"));
    // A file cannot hold further parts.
    EXPECT_EQ(OnDiskPath(s("Music/a.vlp/x"), base()), at("Music/a.vlp/x"));
}

TEST_F(OnDiskPathTest, TrailingSlashIsKept) {
    EXPECT_EQ(OnDiskPath(s("Music/"), base()), at("Music/"));
    EXPECT_EQ(OnDiskPath(s("music/sub folder/"), base()), at("Music/Sub Folder/"));
    EXPECT_EQ(OnDiskPath(s("missing/"), base()), at("missing/"));
    EXPECT_EQ(OnDiskPath(s("a/../missing/"), base()), at("missing/"));
    EXPECT_EQ(OnDiskPath(s("/"), base()), s("/"));
}

TEST_F(OnDiskPathTest, DotAndDotDotAreResolved) {
    EXPECT_EQ(OnDiskPath(s("."), base()), base());
    EXPECT_EQ(OnDiskPath(s("./Music/./a.vlp"), base()), at("Music/a.vlp"));
    EXPECT_EQ(OnDiskPath(s("Music/../Other/b.vlp"), base()), at("Other/b.vlp"));
    EXPECT_EQ(OnDiskPath(s(".."), base() + QStringLiteral("/Music")), base());
    EXPECT_EQ(OnDiskPath(s("../Other/b.vlp"), base() + QStringLiteral("/Music")), at("Other/b.vlp"));
}

TEST_F(OnDiskPathTest, OnDiskResultNamesAnExistingEntry) {
    const QString path = OnDiskPath(s("MUSIC/SUB FOLDER/SONG.mid"), base());
    EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
}

}  // namespace
