#include "core/files/renamedialogmodel.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

namespace {

RenameDialogModel::Request request(RenameDialogModel::Kind kind, const char* oldPath) {
    RenameDialogModel::Request r;
    r.kind = kind;
    r.oldPath = s(oldPath);
    return r;
}

TEST(RenameDialogModel, FileFieldsFollowEachOtherAndTheFolder) {
    RenameDialogModel box(request(RenameDialogModel::Kind::SingleFile, "/m/a.mid"));
    EXPECT_EQ(box.folder(), s("/m"));
    EXPECT_EQ(box.fullPath(), s("/m/a.mid"));
    EXPECT_EQ(box.shortName(), s("a"));
    EXPECT_TRUE(box.focusShortName());

    // The extension shown stays, whatever is typed as the name.
    box.editShortName(s("b.txt"));
    EXPECT_EQ(box.fullPath(), s("/m/b.txt.mid"));
    EXPECT_EQ(box.shortName(), s("b.txt"));

    // A dot in a folder name is no extension.
    box.editFullPath(s("/m/x.y/readme"));
    EXPECT_EQ(box.shortName(), s("readme"));
    box.editShortName(s("c"));
    EXPECT_EQ(box.fullPath(), s("/m/c"));

    box.editFullPath(s("/n/d.wav"));
    box.setFolder(s("/"));
    EXPECT_EQ(box.fullPath(), s("/d.wav"));
    box.setFolder(s("/o/p/"));
    EXPECT_EQ(box.fullPath(), s("/o/p/d.wav"));
    // The folder box reporting the folder it already shows leaves a typed path alone.
    box.editFullPath(s("/q/e.wav"));
    box.setFolder(s("/o/p"));
    EXPECT_EQ(box.fullPath(), s("/q/e.wav"));

    EXPECT_TRUE(box.canAccept());
    box.editFullPath(QString());
    EXPECT_FALSE(box.canAccept());

    RenameDialogModel list(request(RenameDialogModel::Kind::PlayListFile, "/top.vlp"));
    EXPECT_EQ(list.fullPath(), s("/top.vlp"));
    list.setFolder(s("/m"));
    EXPECT_EQ(list.fullPath(), s("/m/top.vlp"));
}

TEST(RenameDialogModel, FolderFieldsKeepTheWholeLastName) {
    RenameDialogModel box(request(RenameDialogModel::Kind::Folder, "/m/old.dir/"));
    EXPECT_EQ(box.layout(), RenameDialogModel::Layout::Folder);
    EXPECT_EQ(box.folder(), s("/m"));
    EXPECT_EQ(box.fullPath(), s("/m/old.dir"));
    EXPECT_EQ(box.shortName(), s("old.dir"));

    box.editShortName(s("new"));
    EXPECT_EQ(box.fullPath(), s("/m/new"));
    box.setFolder(s("/other"));
    EXPECT_EQ(box.fullPath(), s("/other/new"));
    box.editFullPath(s("/a/b.c"));
    EXPECT_EQ(box.shortName(), s("b.c"));
    box.editShortName(s("d"));
    EXPECT_EQ(box.fullPath(), s("/a/d"));
}

TEST(RenameDialogModel, MovesOfSeveralFilesReturnTheChosenFolder) {
    RenameDialogModel::Request dropped = request(RenameDialogModel::Kind::SingleFile, "/m/a.mid");
    dropped.dropTarget = s("/t/");
    RenameDialogModel drop(dropped);
    EXPECT_EQ(drop.kind(), RenameDialogModel::Kind::SeveralFiles);
    EXPECT_TRUE(drop.isDropMove());
    EXPECT_TRUE(drop.canAccept());
    EXPECT_EQ(drop.accept().path, s("/t"));

    RenameDialogModel::Request several = request(RenameDialogModel::Kind::SeveralFiles, "");
    several.selectedCount = 3;
    several.currentFolder = s("/cur");
    RenameDialogModel box(several);
    EXPECT_TRUE(box.fullPath().isEmpty());
    EXPECT_TRUE(box.canAccept());
    box.setFolder(s("/x/"));
    EXPECT_EQ(box.accept().path, s("/x"));
    box.setFolder(s("/x/a\"b"));
    EXPECT_FALSE(box.accept().error.isEmpty());
    EXPECT_TRUE(box.accept().path.isEmpty());
}

TEST(RenameDialogModel, TypedTextBecomesOneCheckedAbsolutePath) {
    RenameDialogModel box(request(RenameDialogModel::Kind::SingleFile, "/m/a.mid"));
    const struct {
        const char* typed;
        const char* path;  // nullptr: refused
    } cases[] = {
        {"sub/b.mid", "/m/sub/b.mid"},
        {"../b.mid", "/b.mid"},
        {"/x//y/./b.mid", "/x/y/b.mid"},
        {"/x/y/", nullptr},
        {"/x/..", nullptr},
        {"b\".mid", nullptr},
        {"b\r.mid", nullptr},
        {"/m/b\n.mid", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        box.editFullPath(s(c.typed));
        const RenameDialogModel::Result result = box.accept();
        EXPECT_EQ(result.path, c.path ? s(c.path) : QString());
        EXPECT_EQ(result.error.isEmpty(), c.path != nullptr);
    }

    RenameDialogModel folder(request(RenameDialogModel::Kind::Folder, "/m/old"));
    folder.editFullPath(s("new/"));
    EXPECT_EQ(folder.accept().path, s("/m/new"));
    folder.editFullPath(s("/"));
    EXPECT_FALSE(folder.accept().error.isEmpty());
}

}  // namespace
