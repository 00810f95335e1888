#include "support/sessionfixture.h"

#include "core/files/filedialogs.h"
#include "core/common/itemref.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <sys/stat.h>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// Answers the boxes from a script and keeps what they were asked.
class ScriptedFileDialogs : public FileDialogs {
public:
    std::optional<QString> renameAnswer;
    std::optional<bool> deleteAnswer;
    std::optional<QString> folderName;
    std::optional<bool> applyReadOnly;  // Apply with this state, or Cancel
    QString propertiesShown;
    std::vector<RenameDialogModel::Request> renames;
    std::vector<DeleteDialogModel::Request> deletes;

    std::optional<QString> askRename(const RenameDialogModel::Request& request) override {
        renames.push_back(request);
        return renameAnswer;
    }
    std::optional<bool> confirmDelete(const DeleteDialogModel::Request& request) override {
        deletes.push_back(request);
        return deleteAnswer;
    }
    std::optional<QString> askNewFolderName(const QString&) override { return folderName; }
    void showProperties(FileProperties& properties) override {
        propertiesShown = properties.name() + u' ' + properties.sizeText();
        if (applyReadOnly) {
            properties.apply(*applyReadOnly);
        }
    }
};

// Rename and Delete as the buttons run them: on the list that has the focus, through the boxes.
class FileCommandsTest : public SessionFixture {
protected:
    ScriptedFileDialogs dialogs;

    void SetUp() override {
        writeSettings({s("[Playlist]"), s("OpenLastPL=0"), s("StartPlaying=0")});
        for (const char* name : {"a.mid", "b.mid", "c.mid"}) {
            music.write(s(name), "x");
        }
        start();
        session->fileCommands().setDialogs(&dialogs);
        session->fileManagement().enterMode();
    }
    FileList& list() { return session->fileManagement().files(); }
};

TEST_F(FileCommandsTest, RenamingTheSelectedFileKeepsItSelectedAndThePlayListFollows) {
    session->playList().insertEntries(0, {{MakeFileItem(music.file(s("b.mid"))), 0}});
    list().selectOnly(1);
    list().setFocusedLine(1);
    dialogs.renameAnswer = music.file(s("z.mid"));
    session->runCommand(s("RenBtn"));
    ASSERT_EQ(dialogs.renames.size(), 1u);
    EXPECT_EQ(dialogs.renames[0].oldPath, music.file(s("b.mid")));
    EXPECT_EQ(list().names(), (QStringList{s("a.mid"), s("c.mid"), s("z.mid")}));
    EXPECT_EQ(list().selectedPaths(), QStringList{music.file(s("z.mid"))});
    EXPECT_EQ(session->playList().item(0), MakeFileItem(music.file(s("z.mid"))));

    // Several selected files make it a move into one folder.
    list().selectAll();
    dialogs.renameAnswer.reset();
    session->runCommand(s("RenBtn"));
    EXPECT_EQ(dialogs.renames.back().kind, RenameDialogModel::Kind::SeveralFiles);
    EXPECT_EQ(list().count(), 3);
}

TEST_F(FileCommandsTest, CDTracksAreRefusedAndTheTrashChoiceIsKeptOnlyWhenConfirmed) {
    session->playList().insertEntries(0, {{MakeCDItem(1234, 2), 0}});
    session->playList().setFocusedLine(0);
    session->playListEntered();
    session->runCommand(s("DelBtn"));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith(s("You cannot delete CD Audio tracks.")));
    session->playList().selectOnly(0);
    session->fileCommands().dropOnFolder(music.path(), true);
    EXPECT_EQ(prompter.messages.back().text, s("You cannot move CD tracks."));
    EXPECT_TRUE(dialogs.deletes.empty());
    EXPECT_TRUE(dialogs.renames.empty());

    session->fileManagement().fileListEntered();
    list().selectOnly(0);
    dialogs.deleteAnswer.reset();  // Cancel
    session->runCommand(s("DelBtn"));
    EXPECT_TRUE(QFile::exists(music.file(s("a.mid"))));
    EXPECT_TRUE(session->preferences().recycleBin);
    dialogs.deleteAnswer = false;  // the box unticked, then Delete
    session->runCommand(s("DelBtn"));
    EXPECT_EQ(dialogs.deletes.back().names, QStringList{s("a.mid")});
    EXPECT_FALSE(QFile::exists(music.file(s("a.mid"))));
    EXPECT_FALSE(session->preferences().recycleBin);
    EXPECT_EQ(list().names(), (QStringList{s("b.mid"), s("c.mid")}));
}

TEST_F(FileCommandsTest, NewFolderNamesWithASlashOrOfAnExistingEntryAreRefused) {
    for (const char* name : {"a/b", "a.mid", ".."}) {
        dialogs.folderName = s(name);
        session->runCommand(s("NewDirBtn"));
    }
    EXPECT_EQ(prompter.messages.size(), 3u);
    dialogs.folderName = s("Jazz");
    session->runCommand(s("NewDirM"));
    EXPECT_TRUE(QFileInfo(music.file(s("Jazz"))).isDir());
    EXPECT_EQ(prompter.messages.size(), 3u);
    const QList<FolderEntry>& entries = session->fileManagement().folders().entries();
    EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [](const FolderEntry& e) { return e.name == u"Jazz"; }));
}

TEST_F(FileCommandsTest, PropertiesShowSizesAndApplyChangesOnlyReadOnly) {
    const QString empty = music.write(s("empty.wav"), "");
    const QString one = music.write(s("one.wav"), "x");
    const QString big = music.write(s("big.wav"), QByteArray(2048, 'x'));
    ASSERT_TRUE(QFile::setPermissions(big, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup));
    list().reload();
    const auto show = [&](const char* name) {
        list().selectOnly(list().indexOfName(s(name)));
        session->runCommand(s("PropertiesM"));
        return dialogs.propertiesShown;
    };
    EXPECT_EQ(show("empty.wav"), s("empty.wav 0 bytes"));
    EXPECT_EQ(show("one.wav"), s("one.wav 1 byte"));
    EXPECT_TRUE(FileProperties(big).readOnly());
    dialogs.applyReadOnly = false;
    EXPECT_EQ(show("big.wav"), s("big.wav 2048 bytes"));
    // Writable again for its owner; the execute and read bits stay as they were.
    EXPECT_EQ(QFile::permissions(big) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    EXPECT_FALSE(FileProperties(empty + s(".gone")).isValid());
}

// Read only ticked, applied, then unticked and applied in the box opened again.
TEST_F(FileCommandsTest, UntickingReadOnlyGivesBackExactlyTheWriteBitsTheFileHad) {
    struct Case {
        const char* name;
        mode_t mode;
    };
    for (const Case c : {Case{"group.mid", 02664}, Case{"everyone.mid", 0666}, Case{"owner.mid", 0640},
                         Case{"groupOnly.mid", 0464}}) {
        SCOPED_TRACE(c.name);
        const QString file = music.write(s(c.name), "x");
        ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), c.mode), 0);
        list().reload();
        list().selectOnly(list().indexOfName(s(c.name)));
        const auto mode = [&file] {
            struct stat info {};
            ::stat(QFile::encodeName(file).constData(), &info);
            return info.st_mode & 07777;
        };
        dialogs.applyReadOnly = true;
        session->runCommand(s("PropertiesM"));
        EXPECT_EQ(mode(), c.mode & ~mode_t(0222));
        dialogs.applyReadOnly = false;
        session->runCommand(s("PropertiesM"));
        EXPECT_EQ(mode(), c.mode);
    }
}

TEST_F(FileCommandsTest, ShowFolderOfThisFileSelectsTheItemsFileInItsFolder) {
    const QString song = music.write(s("Jazz/Slow.MID"), "x");
    session->playList().insertEntries(0, {{MakeFileItem(song), 0}});
    session->playList().setFocusedLine(0);
    session->runCommand(s("ShowFolderOfThisFileM"));
    EXPECT_EQ(session->fileManagement().currentFolder(), music.file(s("Jazz")));
    EXPECT_EQ(list().selectedPaths(), QStringList{song});
}

}  // namespace
