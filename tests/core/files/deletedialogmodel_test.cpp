#include "core/files/deletedialogmodel.h"
#include "core/common/itemref.h"
#include "core/playlist/playlist.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

namespace {

using Kind = DeleteDialogModel::Kind;

TEST(DeleteTargets, FileListTakesTheSelectionElseTheFocusedEntry) {
    const QStringList entries = lines({"a.mid", "b.mid", "c.mid"});
    DeleteDialogModel::Targets one = DeleteDialogModel::FileListTargets(s("/m"), entries, {2}, 0, false);
    EXPECT_EQ(one.request.kind, Kind::FileListOne);
    EXPECT_EQ(one.paths, lines({"/m/c.mid"}));
    EXPECT_EQ(one.request.names, lines({"c.mid"}));
    EXPECT_FALSE(one.request.recycleBin);

    DeleteDialogModel::Targets focused = DeleteDialogModel::FileListTargets(s("/"), entries, {}, 1, true);
    EXPECT_EQ(focused.paths, lines({"/b.mid"}));

    DeleteDialogModel::Targets several = DeleteDialogModel::FileListTargets(s("/m/"), entries, {2, 0}, 1, true);
    EXPECT_EQ(several.request.kind, Kind::FileListSeveral);
    EXPECT_EQ(several.paths, lines({"/m/a.mid", "/m/c.mid"}));
    EXPECT_EQ(DeleteDialogModel(several.request).lines(), lines({"a.mid", "c.mid"}));

    EXPECT_FALSE(DeleteDialogModel::FileListTargets(s("/m"), entries, {}, -1, true).refusal.isEmpty());
    EXPECT_FALSE(DeleteDialogModel::FileListTargets(s("/m"), {}, {}, 0, true).refusal.isEmpty());
}

TEST(DeleteTargets, PlayListNamesTheSelectedFilesAndNeverACDTrack) {
    PlayList list;
    list.setDisplayOptions({true, true, true});  // lines show full paths
    list.setEntries({{MakeFileItem(s("/m/a.mid"))}, {MakeCDItem(5, 2)}, {MakeFileItem(s("/n/b.wav"))}});
    list.RedrawPlayList(false);
    const auto select = [&](std::initializer_list<qsizetype> rows, qsizetype focused) {
        list.clearSelection();
        for (qsizetype row : rows) {
            list.setSelected(row, true);
        }
        list.setFocusedLine(focused);
        return DeleteDialogModel::PlayListTargets(list, true);
    };

    // The one selected file, not the focused line.
    DeleteDialogModel::Targets one = select({1, 2}, 0);
    EXPECT_EQ(one.request.kind, Kind::PlayListOne);
    EXPECT_EQ(one.paths, lines({"/n/b.wav"}));
    EXPECT_EQ(DeleteDialogModel(one.request).nameText(), s("/n/b.wav"));

    DeleteDialogModel::Targets all = select({0, 1, 2}, 1);
    EXPECT_EQ(all.request.kind, Kind::PlayListSeveral);
    EXPECT_EQ(all.paths, lines({"/m/a.mid", "/n/b.wav"}));
    EXPECT_EQ(all.request.names, lines({"a.mid", "b.wav"}));

    EXPECT_EQ(select({}, 0).paths, lines({"/m/a.mid"}));
    EXPECT_TRUE(select({1}, 0).paths.isEmpty());
    EXPECT_FALSE(select({1}, 0).refusal.isEmpty());
    EXPECT_FALSE(select({}, 1).refusal.isEmpty());
}

TEST(DeleteTargets, LogsLieBesideThePlayListFile) {
    DeleteDialogModel::Targets log =
        DeleteDialogModel::PlayListFileTargets(Kind::ErrorLog, s("/m.d/list.vlp"), true);
    EXPECT_EQ(log.paths, lines({"/m.d/list.ERR"}));
    EXPECT_EQ(log.request.names, lines({"list.ERR"}));
    EXPECT_EQ(DeleteDialogModel::PlayListFileTargets(Kind::PlayLog, s("/m.d/list"), true).paths,
              lines({"/m.d/list.LOG"}));
}

}  // namespace
