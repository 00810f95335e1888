#include "core/files/fileoperations.h"

#include "core/common/itemref.h"
#include "support/documentfixture.h"
#include "support/sessionfixture.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// The file operations in a whole session over fakes, on files in a folder of their own.
class FileOperationsTest : public SessionFixture {
protected:
    FileOperationsTest()
        : started((start(), true)),
          playList(session->playList()),
          played(session->playedItems()),
          unplayed(session->unplayedItems()),
          document(session->document()),
          preferences(session->preferences()),
          controller(session->controller()),
          lists(session->lists()),
          operations(session->fileOperations()) {}

    bool started;
    PlayList& playList;
    ItemSet& played;
    ItemSet& unplayed;
    PlayListDocument& document;
    Preferences& preferences;
    PlaybackController& controller;
    ActiveLists& lists;
    FileOperations& operations;
    const QString cdItem = MakeCDItem(1234, 2);

    // A file on disk whose contents are its own name.
    QString file(const QString& name) { return music.write(name, name.toUtf8()); }
    QString path(const QString& name) const { return music.file(name); }
    QByteArray contents(const QString& name) const { return readFileBytes(path(name)); }

    void load(const QStringList& refs) {
        std::vector<PlayListEntry> entries;
        for (const QString& ref : refs) {
            entries.push_back({ref, 0});
            unplayed.add(ref);
        }
        playList.setEntries(std::move(entries));
        playList.RedrawPlayList(false);
    }
    void playLine(qsizetype line) {
        playList.setFocusedLine(line);
        playList.selectOnly(line);
        controller.playFrom(lists.playList());
        ASSERT_TRUE(lists.playListPlays());
    }
};

TEST_F(FileOperationsTest, RenamingAFileRewritesItsExactReferencesOnlyWhenItMoved) {
    const QString a = file(s("a.mid"));
    const QString caseVariant = path(s("A.mid"));
    file(s("taken.mid"));
    load({MakeFileItem(a), MakeFileItem(caseVariant), cdItem, MakeFileItem(a)});
    played.add(MakeFileItem(a));
    played.add(cdItem);

    // An existing name is refused: nothing moves, nothing is rewritten, nothing is overwritten.
    EXPECT_FALSE(operations.moveFile(a, path(s("taken.mid"))));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.contains(path(s("taken.mid"))));
    EXPECT_EQ(contents(s("taken.mid")), "taken.mid");
    EXPECT_EQ(playList.item(0), MakeFileItem(a));
    EXPECT_FALSE(document.isChanged());

    const QString b = path(s("b.mid"));
    EXPECT_TRUE(operations.moveFile(a, b));
    EXPECT_EQ(contents(s("b.mid")), "a.mid");
    EXPECT_FALSE(QFileInfo::exists(a));
    EXPECT_EQ(playList.item(0), MakeFileItem(b));
    EXPECT_EQ(playList.item(3), MakeFileItem(b));
    EXPECT_EQ(playList.line(3), s("b.mid"));
    EXPECT_EQ(playList.item(1), MakeFileItem(caseVariant));
    EXPECT_EQ(playList.item(2), cdItem);
    EXPECT_TRUE(document.isChanged());
    // Played in the same place of the order; the case variant is another file, never played.
    EXPECT_EQ(played.indexOf(MakeFileItem(b)), 0);
    EXPECT_FALSE(played.contains(MakeFileItem(caseVariant)));
    EXPECT_TRUE(unplayed.contains(MakeFileItem(b)));

    // A name an item cannot hold is refused before anything moves.
    EXPECT_FALSE(operations.moveFile(b, path(s("say \"hi\".mid"))));
    EXPECT_TRUE(QFileInfo::exists(b));
}

TEST_F(FileOperationsTest, RenamingThePlayingFileStopsPlaybackAndClosesTheDeviceFirst) {
    const QString a = file(s("a.mid"));
    load({MakeFileItem(file(s("other.mid"))), MakeFileItem(a)});
    playLine(1);
    device.log.clear();

    EXPECT_TRUE(operations.moveFile(a, path(s("b.mid"))));
    EXPECT_EQ(device.log, lines({"stop", "close"}));
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(lists.playing(), nullptr);
    EXPECT_EQ(controller.windowTitle(), s("Velmaro 4.02"));
    EXPECT_EQ(playList.item(1), MakeFileItem(path(s("b.mid"))));
}

TEST_F(FileOperationsTest, MovingSelectedItemsIntoAFolderSkipsCDTracksAndNeverOverwrites) {
    QDir(music.path()).mkdir(s("into"));
    const QString x = file(s("one/x.mid"));
    const QString y = file(s("two/y.mid"));
    const QString sameName = file(s("two/x.mid"));
    load({MakeFileItem(x), cdItem, MakeFileItem(y), MakeFileItem(sameName)});
    playList.setSelectedRange(0, 2, true);

    const QStringList files = operations.selectedPlayListFiles(false);
    EXPECT_EQ(files, (QStringList{y, x}));
    EXPECT_EQ(operations.moveFilesIntoFolder(files, path(s("into"))), 2);
    EXPECT_EQ(playList.item(0), MakeFileItem(path(s("into/x.mid"))));
    EXPECT_EQ(playList.item(1), cdItem);
    EXPECT_EQ(playList.item(2), MakeFileItem(path(s("into/y.mid"))));
    EXPECT_TRUE(prompter.messages.empty());

    // A second file of the same name finds the first there: it stays where it is, and so does its item.
    EXPECT_EQ(operations.moveFilesIntoFolder({sameName}, path(s("into"))), 0);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.contains(sameName));
    EXPECT_EQ(contents(s("into/x.mid")), "one/x.mid");
    EXPECT_EQ(contents(s("two/x.mid")), "two/x.mid");
    EXPECT_EQ(playList.item(3), MakeFileItem(sameName));
}

TEST_F(FileOperationsTest, MovingAFolderKeepsTheUserInsideItAndRewritesItsSubFolders) {
    const QString a = file(s("Rock/a.mid"));
    const QString b = file(s("Rock/Live/b.mid"));
    const QString neighbour = file(s("Rockabilly/c.mid"));
    load({MakeFileItem(a), MakeFileItem(b), MakeFileItem(neighbour)});

    // Into itself is refused; the user stays where they were.
    EXPECT_EQ(operations.moveFolder(path(s("Rock")), path(s("Rock/Live/Rock")), path(s("Rock/Live"))),
              path(s("Rock/Live")));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_FALSE(document.isChanged());

    EXPECT_EQ(operations.moveFolder(path(s("Rock")), path(s("Stone")), path(s("Rock/Live"))),
              path(s("Stone/Live")));
    EXPECT_EQ(playList.item(0), MakeFileItem(path(s("Stone/a.mid"))));
    EXPECT_EQ(playList.item(1), MakeFileItem(path(s("Stone/Live/b.mid"))));
    EXPECT_EQ(playList.item(2), MakeFileItem(neighbour));
    EXPECT_TRUE(document.isChanged());
    // A current folder outside stays; one that no longer exists gives way to its nearest ancestor.
    EXPECT_EQ(operations.moveFolder(path(s("Stone")), path(s("Rock")), path(s("Rockabilly"))),
              path(s("Rockabilly")));
    EXPECT_EQ(operations.moveFolder(path(s("Rock")), path(s("Stone")), path(s("Gone/Deeper"))), music.path());
}

TEST_F(FileOperationsTest, DeletingFilesRemovesTheirItemsOnlyWhenTheyWentAndKeepsCurrentItemOnItsItem) {
    const QString a = file(s("a.mid"));
    const QString c = file(s("c.mid"));
    QDir(music.path()).mkdir(s("dropped"));
    const QString folderItem = path(s("dropped"));
    load({MakeFileItem(a), MakeFileItem(folderItem), cdItem, MakeFileItem(a), MakeFileItem(c)});
    playList.setCurrentItem(4);

    // A folder among the files is not a file: it stays with its item, and one message tells why.
    operations.deleteFiles({a, folderItem}, false);
    EXPECT_FALSE(QFileInfo::exists(a));
    EXPECT_TRUE(QFileInfo(folderItem).isDir());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.contains(folderItem));
    ASSERT_EQ(playList.count(), 3);
    EXPECT_EQ(playList.item(0), MakeFileItem(folderItem));
    EXPECT_EQ(playList.item(1), cdItem);
    EXPECT_EQ(playList.CurrentItem(), 2);
    EXPECT_TRUE(document.isChanged());
    EXPECT_FALSE(unplayed.contains(MakeFileItem(a)));

    // A file already gone takes its items with it; an emptied list has no current item.
    QFile::remove(c);
    load({MakeFileItem(c)});
    playList.setCurrentItem(0);
    operations.deleteFiles({c}, false);
    EXPECT_TRUE(playList.isEmpty());
    EXPECT_EQ(playList.CurrentItem(), -1);
    EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(FileOperationsTest, DeletingThePlayingItemWithAutoPlayPlaysOnFromItsPlace) {
    struct Case {
        qsizetype playing;
        const char* next;
    };
    for (const Case& c : {Case{1, "c.mid"}, Case{2, "b.mid"}}) {
        SCOPED_TRACE(c.next);
        load(
            {MakeFileItem(file(s("a.mid"))), MakeFileItem(file(s("b.mid"))), MakeFileItem(file(s("c.mid")))});
        playLine(c.playing);
        playList.clearSelection();

        operations.deleteFiles(operations.selectedPlayListFiles(true), false);
        ASSERT_EQ(playList.count(), 2);
        EXPECT_TRUE(lists.playListPlays());
        EXPECT_EQ(device.fileName(), path(s(c.next)));
        EXPECT_EQ(playList.item(playList.CurrentItem()), MakeFileItem(path(s(c.next))));
        EXPECT_EQ(playList.selectedLines(), std::vector<qsizetype>{playList.CurrentItem()});
        controller.stop();
    }
}

TEST_F(FileOperationsTest, OnlyAnEmptyFolderIsDeleted) {
    file(s("full/keep.mid"));
    EXPECT_FALSE(operations.deleteFolder(path(s("full"))));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, FileOperations::folderNotDeletedMessage());
    EXPECT_EQ(contents(s("full/keep.mid")), "full/keep.mid");

    QDir(music.path()).mkdir(s("empty"));
    EXPECT_TRUE(operations.deleteFolder(path(s("empty"))));
    EXPECT_FALSE(QFileInfo::exists(path(s("empty"))));
}

TEST_F(FileOperationsTest, RenamingThePlayListFileReopensItAndLeavesNothingAtTheOldName) {
    const QString rock =
        music.write(s("Rock.vlp"),
                    playListBytes(lines({"[General]", "LastPlayed=", "", "[Items]", "[FILE=\"/m/a.mid\"]"})));
    const QString log = file(s("Rock.LOG"));
    file(s("taken.vlp"));
    ASSERT_TRUE(document.OpenPlayList(rock, true, false));

    EXPECT_FALSE(operations.renamePlayListFile(path(s("taken.vlp"))));
    EXPECT_EQ(document.fileName(), rock);
    EXPECT_EQ(preferences.history.value(0), rock);
    EXPECT_EQ(contents(s("taken.vlp")), "taken.vlp");

    const QString stone = path(s("Stone.vlp"));
    EXPECT_TRUE(operations.renamePlayListFile(stone));
    EXPECT_FALSE(QFileInfo::exists(rock));
    EXPECT_EQ(document.fileName(), stone);
    EXPECT_EQ(preferences.history.value(0), stone);
    EXPECT_EQ(playList.item(0), MakeFileItem(s("/m/a.mid")));
    EXPECT_TRUE(QFileInfo::exists(log));

    // Deleted, it gives way to a new empty list, and nothing writes it back.
    EXPECT_TRUE(operations.deletePlayListFile(false));
    EXPECT_TRUE(playList.isEmpty());
    EXPECT_TRUE(document.fileName().isEmpty());
    document.UpdatePlayListFile(true);
    EXPECT_FALSE(QFileInfo::exists(stone));
    EXPECT_TRUE(QFileInfo::exists(log));
}

// The history names the renamed list by its new name only, and keeps the others.
TEST_F(FileOperationsTest, RenamingThePlayListFileTakesItsHistoryEntryAlong) {
    const QString rock =
        music.write(s("Rock.vlp"), playListBytes(lines({"[General]", "LastPlayed=", "", "[Items]"})));
    const QStringList others = {path(s("a.vlp")), path(s("b.vlp")), path(s("c.vlp"))};
    preferences.history = {others.at(0), rock, others.at(1), others.at(2)};
    ASSERT_TRUE(document.OpenPlayList(rock, true, false));

    const QString stone = path(s("Stone.vlp"));
    ASSERT_TRUE(operations.renamePlayListFile(stone));
    EXPECT_EQ(preferences.history, (QStringList{stone, others.at(0), others.at(1), others.at(2)}));
}

}  // namespace
