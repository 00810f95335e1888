#include "core/shell/externalcommands.h"
#include "support/fakes.h"
#include "support/tempfolder.h"

#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

struct ExternalCommandsTest : ::testing::Test {
    FakeShell shell;
    FakePrompter prompter;

    ExternalCommands commands(QString homePage = s("https://velmaro.test/"), QString email = s("author@velmaro.test"),
                              QStringList sound = lines({"pavucontrol"})) {
        return ExternalCommands({shell, prompter, sound, homePage, email});
    }
};

TEST_F(ExternalCommandsTest, TheMixerIsTheProgramTheUserChose) {
    TempFolder folder;
    const QString mixer = folder.write(s("mixer"), "#!/bin/sh\n");
    QFile::setPermissions(mixer, QFile::permissions(mixer) | QFile::ExeOwner);
    ExternalCommands external = commands();
    external.startMixer(s("  ") + mixer + s(" "));
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(shell.started[0].program, mixer);
    EXPECT_TRUE(shell.started[0].arguments.isEmpty());
    EXPECT_FALSE(ExternalCommands::mixerAvailable(s("   ")));
    external.startMixer(QString());
    EXPECT_EQ(shell.started.size(), 1u);

    shell.failing = true;
    external.startMixer(mixer);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.contains(s("\"") + mixer + s("\"")));
}

// The Mixer commands are on only for a program file that is there: a missing or plain file, a folder or
// a bare name (which would depend on the search path of the moment) is no mixer.
TEST_F(ExternalCommandsTest, OnlyAnExecutableFileThatIsThereIsAMixer) {
    TempFolder folder;
    const QString plain = folder.write(s("notes"), "");
    EXPECT_FALSE(ExternalCommands::mixerAvailable(plain));
    EXPECT_FALSE(ExternalCommands::mixerAvailable(folder.path()));
    EXPECT_FALSE(ExternalCommands::mixerAvailable(folder.file(s("gone"))));
    EXPECT_FALSE(ExternalCommands::mixerAvailable(s("sh")));
    EXPECT_TRUE(ExternalCommands::mixerAvailable(QStandardPaths::findExecutable(s("sh"))));
    ExternalCommands external = commands();
    external.startMixer(folder.file(s("gone")));
    EXPECT_TRUE(shell.started.empty());
}

TEST_F(ExternalCommandsTest, SoundSettingsStartWithTheirArguments) {
    ExternalCommands external = commands(QString(), QString(), lines({"gnome-control-center", "sound"}));
    external.openSoundSettings();
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(shell.started[0].program, s("gnome-control-center"));
    EXPECT_EQ(shell.started[0].arguments, lines({"sound"}));
    EXPECT_FALSE(commands(QString(), QString(), {}).soundSettingsAvailable());
}

TEST_F(ExternalCommandsTest, AnAddressNoHandlerTakesIsShownToTheUser) {
    ExternalCommands external = commands();
    external.mailAuthor();
    EXPECT_EQ(shell.opened, lines({"mailto:author@velmaro.test"}));
    shell.failing = true;
    external.openHomePage();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              s("Unable to open the default web browser. Please start \r\nyour browser manually and browse to this "
                "address:\r\n\r\nhttps://velmaro.test/"));
    // A build without addresses has nothing to open.
    ExternalCommands bare = commands(QString(), QString());
    EXPECT_FALSE(bare.homePageAvailable());
    bare.openHomePage();
    bare.mailAuthor();
    EXPECT_EQ(shell.opened.size(), 2);
}

}  // namespace
