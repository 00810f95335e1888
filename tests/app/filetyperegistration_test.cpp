#include "platform/filetyperegistration.h"

#include "support/fakes.h"
#include "support/tempfolder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

constexpr int kMidiGroup = 0;
constexpr int kAviGroup = 2;
constexpr int kMpegGroup = 5;

// A home folder of its own, with the XDG variables unset so their defaults under it apply.
class FileTypeRegistrationTest : public ::testing::Test {
protected:
    TempFolder home;
    FakePrompter prompter;
    FakeShell shell;
    std::vector<std::pair<const char*, QByteArray>> saved;

    void SetUp() override {
        for (const char* name :
             {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_TEMPLATES_DIR"}) {
            saved.emplace_back(name, qgetenv(name));
            qunsetenv(name);
        }
        qputenv("HOME", home.path().toUtf8());
        // Not the machine's /usr/local: a Velmaro installed there must not change what these tests see.
        // /usr/share stays, for the desktop's MIME database.
        qputenv("XDG_DATA_DIRS", (home.file(s("usr/share")) + s(":/usr/share")).toUtf8());
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) {
            qputenv(name, value);
        }
    }

    FileTypeRegistration registration(const QString& program = s("/opt/My Apps/velmaro")) {
        return FileTypeRegistration(
            FileTypeLocations::fromEnvironment(home.file(s(".config/velmaro")), program), prompter, shell);
    }
    QByteArray ownEntry() const { return home.read(s(".local/share/applications/velmaro.desktop")); }
    QByteArray mimeApps() const { return home.read(s(".config/mimeapps.list")); }
};

TEST_F(FileTypeRegistrationTest, RegisteringMakesUsTheDefaultAndDefaultGivesEveryTypeBack) {
    home.write(s(".config/user-dirs.dirs"),
               "XDG_MUSIC_DIR=\"$HOME/Music\"\nXDG_TEMPLATES_DIR=\"$HOME/Vorlagen\"\n");
    const QByteArray original =
        "# kept as it is\n"
        "[Default Applications]\n"
        "audio/midi=timidity.desktop;\n"
        "text/plain=gedit.desktop;\n"
        "\n"
        "[Added Associations]\n"
        "audio/midi=other.desktop;\n";
    home.write(s(".config/mimeapps.list"), original);

    ASSERT_TRUE(registration().registerGroup(kMidiGroup));
    ASSERT_TRUE(registration().registerGroup(kMpegGroup));
    EXPECT_EQ(mimeApps(),
              "# kept as it is\n"
              "[Default Applications]\n"
              "audio/midi=velmaro.desktop;timidity.desktop;\n"
              "text/plain=gedit.desktop;\n"
              "video/mpeg=velmaro.desktop;\n"
              "audio/mpeg=velmaro.desktop;\n"
              "audio/mp2=velmaro.desktop;\n"
              "\n"
              "[Added Associations]\n"
              "audio/midi=other.desktop;\n");
    const QString entry = QString::fromUtf8(home.read(s(".local/share/applications/velmaro.desktop")));
    EXPECT_TRUE(entry.contains(s("\nExec=\"/opt/My Apps/velmaro\" %F\n"))) << entry.toStdString();
    EXPECT_TRUE(entry.contains(s("audio/midi;"))) << entry.toStdString();
    EXPECT_TRUE(QFile::exists(home.file(s("Vorlagen/MIDFile.mid"))));
    EXPECT_TRUE(QFile::exists(home.file(s("Vorlagen/MP3File.mp3"))));
    ASSERT_EQ(prompter.messages.size(), 2u);  // one per group
    EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Information);
    EXPECT_TRUE(prompter.messages[0].text.startsWith(s("Velmaro has now been registered as the \r\n")));

    // Registering again must not take our own entry for the one before it, nor compile the desktop's
    // MIME database again for a package that did not change.
    ASSERT_TRUE(registration().registerGroup(kMidiGroup));
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(shell.started[0].arguments, QStringList{home.file(s(".local/share/mime"))});
    const QByteArray package = home.read(s(".local/share/mime/packages/velmaro.xml"));
    EXPECT_TRUE(package.contains("<mime-type type=\"audio/midi\"><glob pattern=\"*.rmi\"/></mime-type>"));
    EXPECT_FALSE(package.contains("*.dat"));  // any program's data here
    ASSERT_TRUE(registration().restoreDesktopDefault(kMidiGroup));
    ASSERT_TRUE(registration().restoreDesktopDefault(kMpegGroup));
    EXPECT_EQ(mimeApps(), original);
    EXPECT_TRUE(prompter.messages.back().text.startsWith(s("The desktop's default player has now\r\n")));
}

TEST_F(FileTypeRegistrationTest, DefaultKeepsAChoiceMadeSinceAndAFileThatIsNotUtf8IsNotTouched) {
    qputenv("XDG_CONFIG_HOME", home.file(s("config")).toUtf8());
    ASSERT_TRUE(registration().registerGroup(kAviGroup));
    home.write(s("config/mimeapps.list"),
               "[Default Applications]\nvideo/x-msvideo=vlc.desktop;velmaro.desktop;\n");
    ASSERT_TRUE(registration().restoreDesktopDefault(kAviGroup));
    EXPECT_EQ(home.read(s("config/mimeapps.list")), "[Default Applications]\nvideo/x-msvideo=vlc.desktop;\n");

    const QByteArray latin1 = "# caf\xe9\n[Default Applications]\naudio/midi=timidity.desktop;\n";
    home.write(s("config/mimeapps.list"), latin1);
    EXPECT_FALSE(registration().registerGroup(kMidiGroup));
    EXPECT_EQ(prompter.messages.back().kind, Prompter::Kind::Error);
    EXPECT_TRUE(prompter.messages.back().text.contains(home.file(s("config/mimeapps.list"))));
    EXPECT_EQ(home.read(s("config/mimeapps.list")), latin1);
}

// An installed entry that starts this program is the one the types are given to: a copy of ours would
// shadow it. One that starts another program (another installation) is not taken for ours.
TEST_F(FileTypeRegistrationTest, AnInstalledEntryOfThisProgramIsRegisteredInsteadOfACopy) {
    const QString program = home.write(s("usr/bin/velmaro"), "");
    home.write(s("usr/share/applications/velmaro.desktop"), VelmaroDesktopEntry(program));
    ASSERT_TRUE(registration(program).registerGroup(kMidiGroup));
    EXPECT_TRUE(ownEntry().isEmpty());
    EXPECT_TRUE(mimeApps().contains("\naudio/midi=velmaro.desktop;\n")) << mimeApps().toStdString();

    // The same program reached through a link to its prefix.
    ASSERT_TRUE(QFile::link(home.file(s("usr")), home.file(s("link"))));
    home.write(s("usr/share/applications/velmaro.desktop"),
               VelmaroDesktopEntry(home.file(s("link/bin/velmaro"))));
    ASSERT_TRUE(registration(program).registerGroup(kAviGroup));
    EXPECT_TRUE(ownEntry().isEmpty());

    const QString other = home.write(s("build/velmaro"), "");
    ASSERT_TRUE(registration(other).registerGroup(kMidiGroup));
    EXPECT_TRUE(ownEntry().contains("\nExec=" + other.toUtf8() + " %F\n")) << ownEntry().toStdString();
    // That copy would come first for the desktop: registering the installed program replaces it.
    ASSERT_TRUE(registration(program).registerGroup(kMidiGroup));
    EXPECT_TRUE(ownEntry().contains("\nExec=" + program.toUtf8() + " %F\n")) << ownEntry().toStdString();
}

}  // namespace
