#include "support/sessionfixture.h"

#include "core/files/fitpath.h"
#include "core/common/itemref.h"

#include <QDir>
#include <QUrl>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// File Management Mode over a music folder of its own: the lists, the filter edit and playing from the
// File List, through the session as the window drives it.
class FileManagementTest : public SessionFixture {
protected:
    void SetUp() override {
        writeSettings({s("[Playlist]"), s("OpenLastPL=0"), s("StartPlaying=0")});
        for (const char* name : {"Waltz.mid", "march.mid", "song.wav", "notes.txt"}) {
            music.write(s(name), "x");
        }
        QDir(music.path()).mkdir(s("Rock & Roll"));
        music.write(s("Rock & Roll/loud.mid"), "x");
    }
    FileManagement& files() { return session->fileManagement(); }
    FileList& list() { return session->fileManagement().files(); }
};

TEST_F(FileManagementTest, FilterEditTakesMasksWithAStarAndPlaysANamedFile) {
    start();
    EXPECT_EQ(list().names(), (QStringList{s("march.mid"), s("song.wav"), s("Waltz.mid")}));
    EXPECT_FALSE(files().filterEditEntered(s("*.MID")));
    EXPECT_EQ(list().names(), (QStringList{s("march.mid"), s("Waltz.mid")}));
    EXPECT_EQ(files().filterEditText(), s("*.MID"));

    EXPECT_FALSE(files().filterEditEntered(s("?altz.mid")));  // no "*": neither a mask nor a name
    EXPECT_EQ(list().mask().text(), s("*.MID"));
    EXPECT_FALSE(files().filterEditEntered(s("polka.mid")));

    ASSERT_TRUE(files().filterEditEntered(s("WALTZ.MID")));
    session->runCommand(s("PlayFileListSI"));
    EXPECT_EQ(device.fileName(), music.file(s("Waltz.mid")));
    EXPECT_TRUE(session->lists().isPlaying(session->fileListMedia()));
    EXPECT_EQ(session->controller().windowTitle(), s("Waltz.mid - Velmaro 4.02"));
    EXPECT_EQ(list().selectedCount(), 1);
}

TEST_F(FileManagementTest, NextAndPreviousWalkTheFileListAndStopHandsPlayBack) {
    start();
    files().enterMode();
    ASSERT_EQ(list().focusedLine(), 0);
    session->runCommand(s("PlayM"));
    EXPECT_EQ(device.fileName(), music.file(s("march.mid")));
    session->runCommand(s("NextM"));
    EXPECT_EQ(device.fileName(), music.file(s("song.wav")));
    EXPECT_EQ(files().filterEditText(), s("song.wav"));
    EXPECT_TRUE(list().isSelected(1));
    EXPECT_FALSE(list().isSelected(0));
    session->runCommand(s("NextM"));
    EXPECT_EQ(list().playingLine(), 2);
    session->commands().refreshNow();
    EXPECT_FALSE(session->commands().state(s("NextM")).enabled);  // nothing follows the last file
    session->runCommand(s("PrevM"));
    EXPECT_EQ(device.fileName(), music.file(s("song.wav")));

    // Another folder while the file plays: Stop still ends it, Play goes by the new folder's focus.
    files().changeFolder(music.file(s("Rock & Roll")));
    EXPECT_TRUE(list().folderChangedDuringFilePlay());
    session->runCommand(s("StopM"));
    EXPECT_EQ(session->lists().playing(), nullptr);
    FixedWidthMeasurer measurer;
    EXPECT_EQ(files().dirLabel(measurer, 1000), s("&DL: ") + EscapeAmpersands(music.file(s("Rock & Roll"))));
    EXPECT_TRUE(files().dirLabel(measurer, 1000).endsWith(s("Rock && Roll")));
}

TEST_F(FileManagementTest, AddAndAddAllTakeTheFileListsFilesIntoThePlayList) {
    start();
    files().enterMode();
    list().setSelectedRange(1, 2, true);
    files().fileListClicked();
    session->commands().refreshNow();
    ASSERT_TRUE(session->commands().state(s("AddBtn")).enabled);
    session->runCommand(s("AddBtn"));
    PlayList& playList = session->playList();
    ASSERT_EQ(playList.count(), 3);  // the first file was selected on entering the mode
    EXPECT_EQ(playList.item(2), MakeFileItem(music.file(s("Waltz.mid"))));
    session->runCommand(s("AddAllBtn"));
    EXPECT_EQ(playList.count(), 6);
    EXPECT_TRUE(session->document().isChanged());

    // Copy takes the File List's selected files while it has the focus.
    list().selectOnly(1);
    session->runCommand(s("CopyM"));
    EXPECT_TRUE(clipboard.text().contains(MakeFileItem(music.file(s("song.wav")))));
    EXPECT_FALSE(clipboard.text().contains(MakeFileItem(music.file(s("march.mid")))));
}

TEST_F(FileManagementTest, AMediaFileOnTheCommandLineIsShownSelectedAndPlayed) {
    const QString song = music.file(s("Rock & Roll/loud.mid"));
    start({s("rock & roll/LOUD.MID")});
    EXPECT_EQ(files().folders().folder(), music.file(s("Rock & Roll")));
    EXPECT_EQ(list().selectedPaths(), QStringList{song});
    EXPECT_TRUE(session->lists().isFocused(session->fileListMedia()));
    EXPECT_EQ(device.fileName(), song);
    EXPECT_TRUE(session->lists().isPlaying(session->fileListMedia()));
}

TEST_F(FileManagementTest, ClickingAnEmptyFileListLeavesTheButtonsAsTheyWere) {
    start();
    files().enterMode();
    ASSERT_TRUE(files().renameDeleteEnabled());
    files().changeFolder(music.file(s("Rock & Roll")));
    files().chooseFilterGroup(5);  // WAVE files: none here
    ASSERT_TRUE(list().isEmpty());
    files().fileListClicked();
    EXPECT_TRUE(files().renameDeleteEnabled());
    EXPECT_TRUE(files().addEnabled());
    EXPECT_EQ(session->preferences().filter, 5);
}

// Both ways to open the folder in the file manager hand it to the desktop; where the desktop has no
// program for that, a box says so and what to install, instead of nothing at all.
TEST_F(FileManagementTest, OpeningTheFolderWithoutAnOpenerSaysWhatIsMissing) {
    start();
    files().enterMode();
    files().changeFolder(music.file(s("Rock & Roll")));
    for (const char* command : {"ExploreM", "OpenInMyComputerM"}) {
        shell.opened.clear();
        prompter.messages.clear();
        shell.failing = false;
        session->runCommand(s(command));
        EXPECT_EQ(shell.opened, QStringList{QUrl::fromLocalFile(music.file(s("Rock & Roll"))).toString()})
            << command;
        EXPECT_TRUE(prompter.messages.empty()) << command;

        shell.failing = true;
        session->runCommand(s(command));
        ASSERT_EQ(prompter.messages.size(), 1u) << command;
        EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Warning);
        EXPECT_TRUE(prompter.messages[0].text.contains(music.file(s("Rock & Roll")))) << command;
        EXPECT_TRUE(prompter.messages[0].text.contains(s("xdg-utils"))) << command;
    }
}

}  // namespace
