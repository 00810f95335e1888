#include "core/common/textfile.h"
#include "core/common/itemref.h"
#include "support/documentfixture.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QStringList programLayout(const QString& lastPlayed, const QStringList& items) {
    return QStringList{s("[General]"), s("LastPlayed=") + lastPlayed, QString(), s("[Items]")} + items;
}

class PlayListDocumentTest : public ::testing::Test, public DocumentFixture {
protected:
    QString writeList(const QString& name, const QStringList& lines) {
        return folder.write(name, playListBytes(lines));
    }
    // An edit the user has not saved.
    void editUnsaved() {
        auto entries = playList.entries();
        entries.push_back({MakeFileItem(s("/music/added.wav")), 0});
        playList.setEntries(std::move(entries));
        document.setChanged(true);
    }
};

TEST_F(PlayListDocumentTest, OpenAndSaveReproduceTheFileByteForByte) {
    const QStringList layouts[] = {
        programLayout(s(R"([FILE="/music/b.wav"])"),
                      {s(R"([FILE="/music/a.mid", L=183000])"), s(R"([FILE="/music/b.wav", L=0])"),
                       s("[CDID=-1234567, T=3, L=240000]"), s(R"([FILE="/music/Für Elise.mid", L=5])")}),
        // Not every character fits the Western code page: the file stays UTF-8.
        programLayout(s(R"([FILE="/music/日本の歌.mp3"])"), {s(R"([FILE="/music/日本の歌.mp3", L=1])"), s(R"([FILE="/m/x.mid", L=2])")}),
        programLayout(QString(), {}),
    };
    int n = 0;
    for (const QStringList& lines : layouts) {
        const QString path = writeList(s("list%1.vlp").arg(++n), lines);
        const QByteArray before = readFileBytes(path);
        ASSERT_TRUE(document.OpenPlayList(path, true, false));
        ASSERT_TRUE(document.SavePlayList(false));
        EXPECT_EQ(TextFile::decode(readFileBytes(path)), TextFile::decode(before));
        EXPECT_EQ(readFileBytes(path), before) << lines.join(u'|').toStdString();
    }
}

TEST_F(PlayListDocumentTest, ReadingIsTolerant) {
    const QString path = folder.write(
        s("tolerant.vlp"),
        playListBytes({s("/music/bare.mid"), QString(), s(R"(C:\Old\win.wav)"), s("[CDID=7, T#=2, L=abc]"),
                       s(R"([FILE="/music/a.mid", L=12])"), s("some odd line"), QString()}));
    ASSERT_TRUE(document.OpenPlayList(path, false, false));

    // No "[Items]": every non-empty line is an item; legacy forms converted; L read and taken off.
    EXPECT_EQ(refs(), (QStringList{s(R"([FILE="/music/bare.mid"])"), s(R"([FILE="C:\Old\win.wav"])"),
                                   s("[CDID=7, T=2]"), s(R"([FILE="/music/a.mid"])"), s("some odd line")}));
    EXPECT_EQ(playList.length(2), 0);
    EXPECT_EQ(playList.length(3), 12);
    EXPECT_EQ(playList.lineCount(), 5);
    EXPECT_EQ(playList.line(4), s("some odd line"));

    ASSERT_TRUE(document.SavePlayList(false));
    // Opening makes the first item current, and it is remembered as the last played one.
    EXPECT_EQ(TextFile::readLines(path).lines,
              programLayout(s(R"([FILE="/music/bare.mid"])"), {s(R"([FILE="/music/bare.mid", L=0])"), s(R"([FILE="C:\Old\win.wav", L=0])"),
                                        s("[CDID=7, T=2, L=0]"), s(R"([FILE="/music/a.mid", L=12])"),
                                        s("some odd line")}));
}

TEST_F(PlayListDocumentTest, LastPlayedChoosesTheItemShownFirst) {
    const QStringList items = {s(R"([FILE="/m/1.mid", L=0])"), s(R"([FILE="/m/2.mid", L=0])"),
                               s(R"([FILE="/m/3.mid", L=0])")};
    struct Case {
        QString lastPlayed;
        int current;
    };
    const Case cases[] = {
        {s(R"([FILE="/m/2.mid"])"), 1},
        {s(R"([FILE="/m/3.mid", L=5])"), 2},  // its length is no part of it
        {s(R"([FILE="/M/3.MID"])"), 0},       // another file
        {s(R"([FILE="/m/gone.mid"])"), 0},    // no longer in the list
        {QString(), 0},
    };
    int n = 0;
    for (const Case& c : cases) {
        // A file of its own each time: reopening the open list would first write its own LastPlayed.
        const QString path = writeList(s("last%1.vlp").arg(++n), programLayout(c.lastPlayed, items));
        ASSERT_TRUE(document.OpenPlayList(path, false, false));
        EXPECT_EQ(playList.CurrentItem(), c.current) << c.lastPlayed.toStdString();
        EXPECT_TRUE(playList.isSelected(c.current));
        EXPECT_EQ(playList.selectedCount(), 1);
        EXPECT_EQ(playList.focusedLine(), c.current);
    }
}

TEST_F(PlayListDocumentTest, LastPlayedIsWrittenUnlessTheLastItemPlayed) {
    const QStringList items = {s(R"([FILE="/m/1.mid", L=0])"), s(R"([FILE="/m/2.mid", L=0])"),
                               s(R"([FILE="/m/3.mid", L=0])")};
    const QString path = writeList(s("written.vlp"), programLayout(QString(), items));
    ASSERT_TRUE(document.OpenPlayList(path, false, false));
    const QString expected[] = {s(R"(LastPlayed=[FILE="/m/1.mid"])"), s(R"(LastPlayed=[FILE="/m/2.mid"])"),
                                s("LastPlayed=")};
    for (int current = 0; current < 3; ++current) {
        playList.setCurrentItem(current);
        ASSERT_TRUE(document.UpdatePlayListFile(false));
        EXPECT_EQ(TextFile::readLines(path).lines.at(1), expected[current]);
    }
    playList.setCurrentItem(-1);
    ASSERT_TRUE(document.UpdatePlayListFile(false));
    EXPECT_EQ(TextFile::readLines(path).lines.at(1), s("LastPlayed="));
}

TEST_F(PlayListDocumentTest, UpdateFromDiskKeepsTheFilesItemsAndAddsKnownLengths) {
    const QString path = writeList(s("update.vlp"), programLayout(QString(), {s(R"([FILE="/m/1.mid", L=0])"),
                                                                              s(R"([FILE="/m/2.mid", L=0])")}));
    ASSERT_TRUE(document.OpenPlayList(path, false, false));
    playList.setLength(1, 4242);
    playList.setCurrentItem(0);  // where the list opens anyway: "LastPlayed=" stays as it is
    editUnsaved();  // the edit stays out of the file

    ASSERT_TRUE(document.UpdatePlayListFile(true));
    EXPECT_EQ(TextFile::readLines(path).lines,
              programLayout(QString(), {s(R"([FILE="/m/1.mid", L=0])"), s(R"([FILE="/m/2.mid", L=4242])")}));

    playList.setCurrentItem(1);
    ASSERT_TRUE(document.UpdatePlayListFile(true));
    EXPECT_EQ(TextFile::readLines(path).lines,
              programLayout(s(R"([FILE="/m/2.mid"])"),
                            {s(R"([FILE="/m/1.mid", L=0])"), s(R"([FILE="/m/2.mid", L=4242])")}));
}

// A file left without saving learns only the lengths measured and the item played last: a line that
// is no item reference, and every line that learnt nothing, stays byte for byte.
TEST_F(PlayListDocumentTest, LeavingAFileKeepsEveryLineItLearntNothingFor) {
    const QByteArray garbage =
        "g326mxg1Ie2d5n/90]u=3=xtplFp\r\nx, L=7]y\r\n"
        "[FILE=\"/m/a.mid\", L=-1, L=5000]\r\n[file=\"/m/b.mid\"]\r\n/m/c.mid\r\n"
        "[FILE=\"/m/d.mid\", L=abc]\r\n\r\nno\xE9 line end";
    const QString path = folder.write(s("garbage.vlp"), garbage);
    ASSERT_TRUE(document.OpenPlayList(path, false, false));
    ASSERT_EQ(playList.count(), 7);
    EXPECT_EQ(playList.item(0), s("g326mxg1Ie2d5n/90]u=3=xtplFp"));
    EXPECT_EQ(playList.item(1), s("x, L=7]y"));
    EXPECT_EQ(playList.length(2), 5000);
    EXPECT_EQ(playList.item(2), MakeFileItem(s("/m/a.mid")));

    ASSERT_TRUE(document.UpdatePlayListFile(true));
    EXPECT_EQ(readFileBytes(path), garbage);
    ASSERT_TRUE(document.OpenPlayList(path, false, false));  // and leaving it again
    EXPECT_EQ(readFileBytes(path), garbage);

    // A length measured goes into its own line, and the item played into the header.
    playList.setLength(4, 1234);
    playList.setCurrentItem(2);
    ASSERT_TRUE(document.UpdatePlayListFile(true));
    EXPECT_EQ(TextFile::readLines(path).lines,
              programLayout(
                  s(R"([FILE="/m/a.mid"])"),
                  {s("g326mxg1Ie2d5n/90]u=3=xtplFp"), s("x, L=7]y"), s(R"([FILE="/m/a.mid", L=-1, L=5000])"),
                   s(R"([file="/m/b.mid"])"), s(R"([FILE="/m/c.mid", L=1234])"),
                   s(R"([FILE="/m/d.mid", L=abc])"), QString(), s("no\u00E9 line end")}));
}

// A line whose length pair swallowed a quotation mark cannot take a length another line of its
// track knows: leaving the file keeps it as it was instead of cutting it short.
TEST_F(PlayListDocumentTest, LeavingAFileKeepsALineThatCannotTakeTheLengthItsTrackKnows) {
    const QByteArray lines =
        "[CDID=12345963, T=3, L=2400\"/music$CDID=12345963,id\", L=0]\r\n[CDID=12345963, T=3, L=240000]\r\n";
    const QString path = folder.write(s("damaged.vlp"), lines);
    ASSERT_TRUE(document.OpenPlayList(path, false, false));
    ASSERT_EQ(playList.count(), 2);
    ASSERT_TRUE(document.UpdatePlayListFile(true));
    EXPECT_EQ(readFileBytes(path), lines);
}

// Saving writes a length into every item line, and none into a line that is no item reference.
TEST_F(PlayListDocumentTest, SavingKeepsLinesThatAreNoItemReferences) {
    const QString path =
        writeList(s("odd.vlp"), programLayout(QString(), {s("g326mxg1Ie2d5n/90]u=3=xtplFp"),
                                                          s(R"([FILE="/m/a.mid", L=-1, L=5000])")}));
    ASSERT_TRUE(document.OpenPlayList(path, false, false));
    ASSERT_TRUE(document.SavePlayList(false));
    EXPECT_EQ(TextFile::readLines(path).lines,
              programLayout(s("g326mxg1Ie2d5n/90]u=3=xtplFp"),
                            {s("g326mxg1Ie2d5n/90]u=3=xtplFp"), s(R"([FILE="/m/a.mid", L=5000])")}));
}

TEST_F(PlayListDocumentTest, UpdateFromDiskRewritesAVanishedFileWithItsHeaderOnly) {
    const QString path = writeList(s("gone.vlp"), programLayout(QString(), {s(R"([FILE="/m/1.mid", L=0])"),
                                                                            s(R"([FILE="/m/2.mid", L=0])")}));
    ASSERT_TRUE(document.OpenPlayList(path, false, false));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(document.UpdatePlayListFile(true));
    EXPECT_EQ(TextFile::readLines(path).lines, programLayout(s(R"([FILE="/m/1.mid"])"), {}));
}

TEST_F(PlayListDocumentTest, TheSavePromptsThreeAnswers) {
    const QString oldPath = writeList(s("old.vlp"), programLayout(QString(), {s(R"([FILE="/m/old.mid", L=0])")}));
    const QString newPath = writeList(s("new.vlp"), programLayout(QString(), {s(R"([FILE="/m/new.mid", L=0])")}));

    // Cancel: nothing changes.
    ASSERT_TRUE(document.OpenPlayList(oldPath, false, false));
    editUnsaved();
    const QByteArray oldBytes = readFileBytes(oldPath);
    prompter.saveAnswers = {Prompter::Answer::Cancel};
    EXPECT_FALSE(document.OpenPlayList(newPath, false, false));
    EXPECT_EQ(document.fileName(), oldPath);
    EXPECT_TRUE(document.isChanged());
    EXPECT_EQ(playList.count(), 2);
    EXPECT_EQ(readFileBytes(oldPath), oldBytes);

    // No: the edits are dropped, but the old file still gets its lengths and last played item.
    playList.setLength(0, 777);
    prompter.saveAnswers = {Prompter::Answer::No};
    EXPECT_TRUE(document.OpenPlayList(newPath, false, false));
    EXPECT_EQ(document.fileName(), newPath);
    EXPECT_EQ(TextFile::readLines(oldPath).lines,
              programLayout(s(R"([FILE="/m/old.mid"])"), {s(R"([FILE="/m/old.mid", L=777])")}));

    // Yes: the edits are saved before the other list opens.
    editUnsaved();
    prompter.saveAnswers = {Prompter::Answer::Yes};
    EXPECT_TRUE(document.OpenPlayList(oldPath, false, false));
    EXPECT_EQ(TextFile::readLines(newPath).lines.mid(4),
              (QStringList{s(R"([FILE="/m/new.mid", L=0])"), s(R"([FILE="/music/added.wav", L=0])")}));
    EXPECT_EQ(prompter.savePrompts, 3);
}

TEST_F(PlayListDocumentTest, YesWithoutASaveKeepsTheEdits) {
    editUnsaved();  // a new list: saving needs a name
    prompter.saveAnswers = {Prompter::Answer::Yes};
    prompter.saveChoices = {QString()};  // the save dialog is cancelled
    EXPECT_FALSE(document.NewPlayList());
    EXPECT_EQ(playList.count(), 1);
    EXPECT_TRUE(document.isChanged());
}

TEST_F(PlayListDocumentTest, AnUnchangedOrEmptyListIsLeftWithoutAPrompt) {
    const QString path = writeList(s("a.vlp"), programLayout(QString(), {s(R"([FILE="/m/a.mid", L=0])")}));
    ASSERT_TRUE(document.OpenPlayList(path, false, false));
    EXPECT_TRUE(document.NewPlayList());
    document.setChanged(true);  // changed but empty
    EXPECT_TRUE(document.NewPlayList());
    EXPECT_EQ(prompter.savePrompts, 0);
}

TEST_F(PlayListDocumentTest, AMissingFileIsReportedAndTheOldListStays) {
    const QString path = writeList(s("a.vlp"), programLayout(QString(), {s(R"([FILE="/m/a.mid", L=0])")}));
    ASSERT_TRUE(document.OpenPlayList(path, false, false));
    EXPECT_FALSE(document.OpenPlayList(folder.file(s("missing.vlp")), true, true));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Error);
    EXPECT_EQ(prompter.messages[0].text,
              s("Unable to open the specified Play List. You\rhave probably renamed the file or deleted it."));
    EXPECT_EQ(document.fileName(), path);
    EXPECT_EQ(playList.count(), 1);
}

TEST_F(PlayListDocumentTest, AFailedWriteLeavesTheOldFileAndTellsTheUser) {
    const QString path = writeList(s("keep.vlp"), programLayout(QString(), {s(R"([FILE="/m/a.mid", L=0])")}));
    ASSERT_TRUE(document.OpenPlayList(path, false, false));
    editUnsaved();
    // A folder that cannot exist: its parent is a file. This fails even for root.
    const QString blocked = folder.write(s("plain-file"), "x");
    prompter.saveChoices = {blocked + s("/sub/new.vlp")};
    const QByteArray before = readFileBytes(path);

    EXPECT_FALSE(document.SavePlayList(true));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith(s("Unable to save the Play List \"") + blocked));
    EXPECT_EQ(document.fileName(), path);
    EXPECT_TRUE(document.isChanged());
    EXPECT_EQ(readFileBytes(path), before);
}

TEST_F(PlayListDocumentTest, SaveAsAdoptsTheNewNameAndRemembersItsFolder) {
    QSignalSpy history(&document, &PlayListDocument::historyEntry);
    editUnsaved();
    const QString target = folder.file(s("lists/saved.vlp"));
    QDir().mkpath(folder.file(s("lists")));
    preferences.saveFolder = folder.path();
    prompter.saveChoices = {target};
    ASSERT_TRUE(document.SavePlayList(false));
    EXPECT_EQ(prompter.saveFolders, QStringList{folder.path()});
    EXPECT_EQ(document.fileName(), target);
    EXPECT_FALSE(document.isChanged());
    EXPECT_EQ(preferences.saveFolder, folder.file(s("lists")));
    EXPECT_EQ(document.albumPanelCaption(), s(" Play List: saved"));
    ASSERT_EQ(history.count(), 1);
    EXPECT_EQ(history.at(0).at(0).toString(), target);
}

TEST_F(PlayListDocumentTest, OpeningAsksPlaybackToStartOnlyWhenItShould) {
    const QString full = writeList(s("full.vlp"), programLayout(QString(), {s(R"([FILE="/m/a.mid", L=0])")}));
    const QString empty = writeList(s("empty.vlp"), programLayout(QString(), {}));
    QSignalSpy play(&document, &PlayListDocument::playRequested);

    ASSERT_TRUE(document.OpenPlayList(full, false, false));
    EXPECT_EQ(play.count(), 0);
    preferences.startPlaying = true;
    ASSERT_TRUE(document.OpenPlayList(full, false, false));
    EXPECT_EQ(play.count(), 1);
    ASSERT_TRUE(document.OpenPlayList(empty, false, false));
    EXPECT_EQ(play.count(), 1);
    ASSERT_TRUE(document.OpenPlayList(empty, false, true));  // "/play" asks regardless
    EXPECT_EQ(play.count(), 2);
    preferences.startPlaying = true;
    StandInList fileList;
    lists.setPlaying(&fileList);  // the file list keeps playing
    ASSERT_TRUE(document.OpenPlayList(full, false, false));
    EXPECT_EQ(play.count(), 2);
}

TEST_F(PlayListDocumentTest, OpeningAnnouncesItselfInOrder) {
    const QString path = writeList(s("a.vlp"), programLayout(QString(), {s(R"([FILE="/m/a.mid", L=0])")}));
    QStringList events;
    QObject::connect(&document, &PlayListDocument::aboutToLoad, [&] { events << s("aboutToLoad"); });
    QObject::connect(&document, &PlayListDocument::historyEntry, [&] { events << s("history"); });
    QObject::connect(&document, &PlayListDocument::loaded, [&] { events << s("loaded"); });
    ASSERT_TRUE(document.OpenPlayList(path, true, false));
    EXPECT_EQ(events, (QStringList{s("aboutToLoad"), s("history"), s("loaded")}));
    ASSERT_TRUE(document.OpenPlayList(path, false, false));
    EXPECT_EQ(events.size(), 5);  // no history entry without history
}

TEST_F(PlayListDocumentTest, OpeningReloadsTheCDDatabaseForTrackNames) {
    folder.write(s("CDDB.INI"), playListBytes({s("[-42]"), s("Name=Disc"), s("Track1=Overture"), s("Track2=Finale")}));
    const QString path = writeList(s("cd.vlp"), programLayout(QString(), {s("[CDID=-42, T=2, L=0]"),
                                                                          s("[CDID=-42, T=9, L=0]")}));
    ASSERT_TRUE(document.OpenPlayList(path, false, false));
    EXPECT_EQ(playList.line(0), s("Finale"));
    EXPECT_EQ(playList.line(1), s("Track 9"));
}

TEST_F(PlayListDocumentTest, NewEmptiesTheListAndForgetsTheFile) {
    const QString path = writeList(s("a.vlp"), programLayout(QString(), {s(R"([FILE="/m/a.mid", L=0])")}));
    ASSERT_TRUE(document.OpenPlayList(path, false, false));
    unplayed.add(playList.item(0));
    lists.setPlaying(&lists.playList());
    QSignalSpy cleared(&document, &PlayListDocument::cleared);
    ASSERT_TRUE(document.NewPlayList());
    EXPECT_TRUE(playList.isEmpty());
    EXPECT_EQ(playList.lineCount(), 0);
    EXPECT_TRUE(unplayed.isEmpty());
    EXPECT_TRUE(document.fileName().isEmpty());
    EXPECT_EQ(document.albumPanelCaption(), s(" Play List: N / A"));
    EXPECT_EQ(lists.playing(), nullptr);
    EXPECT_EQ(cleared.count(), 1);
    // Saving a new list asks for a name.
    prompter.saveChoices = {QString()};
    EXPECT_FALSE(document.SavePlayList(false));
}

TEST_F(PlayListDocumentTest, LongListsHaveNoLineLimitAndShowThatTheyAreBusy) {
    QStringList items;
    for (int i = 0; i < 70000; ++i) {
        items.append(s(R"([FILE="/music/%1.mid", L=%2])").arg(i).arg(i * 10));
    }
    const QString path = writeList(s("long.vlp"), programLayout(items.at(69998).left(items.at(69998).indexOf(u',')) + u']', items));
    const QByteArray before = readFileBytes(path);
    ASSERT_TRUE(document.OpenPlayList(path, false, false));
    EXPECT_EQ(playList.count(), 70000);
    EXPECT_EQ(playList.CurrentItem(), 69998);
    EXPECT_EQ(playList.length(69999), 699990);
    EXPECT_TRUE(busy.texts.contains(s(" Please wait while Velmaro redraws the Play List...")));
    ASSERT_TRUE(document.SavePlayList(false));
    EXPECT_EQ(readFileBytes(path), before);
    EXPECT_TRUE(busy.texts.contains(
        s(" Please wait while Velmaro updates certain information in the current Play List...")));
    EXPECT_EQ(busy.lastDone, busy.lastTotal);
    EXPECT_EQ(busy.depth, 0);
}

// A damaged list may hold a line of megabytes: the box shows its start, and the file keeps it whole.
TEST_F(PlayListDocumentTest, AHugeLineIsShownCutAndSavedWhole) {
    const QString huge = s("/music/") + QString(300000, u'x') + s(".mid");
    const QString path = writeList(
        s("huge.vlp"), programLayout(s(R"([FILE="/music/a.mid"])"), {s(R"([FILE="/music/a.mid", L=0])"),
                                                                     s(R"([FILE="%1", L=0])").arg(huge)}));
    const QByteArray before = readFileBytes(path);
    ASSERT_TRUE(document.OpenPlayList(path, false, false));
    ASSERT_EQ(playList.lineCount(), 2);
    EXPECT_EQ(playList.line(0), s("a.mid"));
    EXPECT_EQ(playList.line(1), QString(PlayList::kMaxLineCharacters, u'x') + s("..."));
    EXPECT_EQ(playList.item(1), MakeFileItem(huge));
    ASSERT_TRUE(document.SavePlayList(false));
    EXPECT_EQ(readFileBytes(path), before);
}

TEST_F(PlayListDocumentTest, ShortListsDoNotShowTheBusyLine) {
    QStringList items;
    for (int i = 0; i < 100; ++i) {
        items.append(s(R"([FILE="/music/%1.mid", L=0])").arg(i));
    }
    const QString path = writeList(s("short.vlp"), programLayout(QString(), items));
    ASSERT_TRUE(document.OpenPlayList(path, false, false));
    ASSERT_TRUE(document.UpdatePlayListFile(false));
    EXPECT_TRUE(busy.texts.isEmpty());
}

}  // namespace
