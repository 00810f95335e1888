#include "support/sessionfixture.h"

#include "core/files/externaleditors.h"
#include "core/common/itemref.h"

#include <QFile>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

constexpr size_t kMidiEditor = 0;
constexpr size_t kModuleEditor = 6;

// Edit Item from the Play List and the File List, as the command runs it, with the editors started
// through the fake shell.
class ExternalEditorsTest : public SessionFixture {
protected:
    QString moduleEditor;

    void SetUp() override {
        writeSettings({s("[Playlist]"), s("OpenLastPL=0"), s("StartPlaying=0")});
        moduleEditor = music.write(s("My Editors/module editor"), "#!/bin/sh\n");
        QFile::setPermissions(moduleEditor, QFile::permissions(moduleEditor) | QFile::ExeOwner);
        start();
        session->fileManagement().enterMode();
        session->preferences().editors[kModuleEditor] = moduleEditor;
    }
    void editPlayListItem(const QString& path) {
        session->playList().insertEntries(0, {{MakeFileItem(path), 0}});
        session->playList().setFocusedLine(0);
        session->playListEntered();
        session->runCommand(s("EditItemM"));
    }
    void editFileListItem(const QString& name) {
        music.write(name, "x");
        FileList& list = session->fileManagement().files();
        list.reload();
        session->fileManagement().fileListEntered();
        list.setFocusedLine(list.indexOfName(name));
        session->runCommand(s("EditItemM"));
    }
};

TEST_F(ExternalEditorsTest, TheGroupsEditorGetsTheFullPathAsItsOneArgument) {
    // A leading "-" must not reach the editor as an option, nor blanks split the name.
    editPlayListItem(music.file(s("-first song.xm")));
    editFileListItem(s("-second song.S3M"));
    ASSERT_EQ(shell.started.size(), 2u);
    EXPECT_EQ(shell.started[0].program, moduleEditor);
    EXPECT_EQ(shell.started[0].arguments, QStringList{music.file(s("-first song.xm"))});
    EXPECT_EQ(shell.started[1].program, moduleEditor);
    EXPECT_EQ(shell.started[1].arguments, QStringList{music.file(s("-second song.S3M"))});
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(ExternalEditorsTest, WithoutAUsableEditorTheUserIsToldAndNothingStarts) {
    editFileListItem(s("take.wav"));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Information);
    EXPECT_EQ(
        prompter.messages[0].text,
        s("You cannot edit files of this type right now. You must\rfirst select what external editor is to "
          "be "
          "launched\rwhen this file type is chosen to be edited. You can\rdo so by using the File Types "
          "section of the Preferences dialog."));

    // A path kept from another system, and a folder, are no programs.
    for (const QString& editor : {s("C:\\Program Files\\MIDI Edit\\medit.exe"), music.path()}) {
        session->preferences().editors[kMidiEditor] = editor;
        editPlayListItem(music.file(s("tune.mid")));
        EXPECT_EQ(prompter.messages.back().kind, Prompter::Kind::Error);
        EXPECT_TRUE(prompter.messages.back().text.contains(editor))
            << prompter.messages.back().text.toStdString();
    }
    // The shell could not start it.
    shell.failing = true;
    editPlayListItem(music.file(s("song.mod")));
    EXPECT_TRUE(prompter.messages.back().text.contains(moduleEditor));
    EXPECT_EQ(prompter.messages.size(), 4u);
}

}  // namespace
