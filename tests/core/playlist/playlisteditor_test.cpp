#include "core/playlist/playlisteditor.h"

#include "core/common/textfile.h"
#include "core/playlist/playorder.h"
#include "core/common/itemref.h"
#include "core/playlist/undohistory.h"
#include "support/documentfixture.h"

#include <QFileInfo>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

QString f(const char* path) {
    return MakeFileItem(s(path));
}

// "ref|length" per entry, so a failure shows both.
QStringList dump(const std::vector<PlayListEntry>& entries) {
    QStringList list;
    for (const PlayListEntry& entry : entries) {
        list.append(entry.ref + u'|' + QString::number(entry.length));
    }
    return list;
}

// Index 2 plays in the CurrentItem tests; line 1 repeats the item of line 0.
std::vector<PlayListEntry> fiveItems() {
    return {{f("/m/c.mid"), 100},
            {f("/m/c.mid"), 0},
            {f("/m/a.mid"), 300},
            {s("[CDID=5, T=2]"), 400},
            {f("/m/e.mid"), 500}};
}

// Items a.mid .. f.mid, shown by their letters.
std::vector<PlayListEntry> sixLetters() {
    std::vector<PlayListEntry> entries;
    for (char c = 'a'; c <= 'f'; ++c) {
        entries.push_back({MakeFileItem(QStringLiteral("/m/%1.mid").arg(QChar(c))), c - 'a' + 1});
    }
    return entries;
}

struct EditorFixture : DocumentFixture {
    PlayOrder order{playList, played, unplayed, preferences};
    FakeClipboard clipboard;
    PlayListEditor editor{PlayListEditor::Context{playList, unplayed, order, document, lists, preferences,
                                                  prompter, clipboard, cdDatabase, &busy}};
    QSet<QString> existing;  // the files on "disk"

    EditorFixture() {
        editor.setFileExists([this](const QString& path) { return existing.contains(path); });
        editor.setRandom([](qsizetype) { return qsizetype{0}; });
    }

    void load(std::vector<PlayListEntry> entries) {
        QStringList refs;
        for (const PlayListEntry& entry : entries) {
            refs.append(entry.ref);
        }
        playList.setEntries(std::move(entries));
        playList.RedrawPlayList(false);
        unplayed.addAll(refs);
    }
    void select(const std::vector<qsizetype>& selected, qsizetype focused) {
        playList.clearSelection();
        for (qsizetype line : selected) {
            playList.setSelected(line, true);
        }
        playList.setFocusedLine(focused);
    }
    void play(int current) {
        lists.setPlaying(&lists.playList());
        playList.setPlayListPlaying(true);
        playList.setCurrentItem(current);
    }
    QString letters() const {
        QString text;
        for (const PlayListEntry& entry : playList.entries()) {
            text += QFileInfo(GetItemValue(entry.ref, QStringLiteral("FILE"))).baseName();
        }
        return text;
    }
    QStringList messages() const {
        QStringList texts;
        for (const FakePrompter::Message& message : prompter.messages) {
            texts.append(message.text);
        }
        return texts;
    }
};

class PlayListEditorTest : public ::testing::Test, public EditorFixture {};

using Action = std::function<void(EditorFixture&)>;
using Command = void (PlayListEditor::*)();

Action calls(std::vector<Command> commands) {
    return [commands](EditorFixture& t) {
        for (Command command : commands) {
            (t.editor.*command)();
        }
    };
}

Action dropOn(qsizetype target, bool belowLast = false) {
    return [target, belowLast](EditorFixture& t) { t.editor.moveDroppedLines(target, belowLast); };
}

template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// A command on fiveItems() with the given lines selected; c.mid and e.mid are missing, x.mid and y.mid
// are on the clipboard.
struct CommandCase {
    const char* name;
    std::vector<qsizetype> selected;
    qsizetype focused;
    Action run;
    int current;          // where the playing item ends up
    const char* caption;  // the Undo command's text afterwards
    friend void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }
};

class PlayListEditorCommand : public ::testing::TestWithParam<CommandCase>, public EditorFixture {
protected:
    void runCommand() {
        existing = {s("/m/a.mid"), s("/m/x.mid"), s("/m/y.mid")};
        clipboard.contents = s("[FILE=\"/m/x.mid\", L=7]\r\n[FILE=\"/m/y.mid\"]\r\n");
        load(fiveItems());
        select(GetParam().selected, GetParam().focused);
        GetParam().run(*this);
    }
};

class PlayListEditorCurrentItem : public PlayListEditorCommand {};
class PlayListEditorUndo : public PlayListEditorCommand {};

TEST_P(PlayListEditorCurrentItem, FollowsThePlayingItem) {
    play(2);
    const QString playing = fiveItems()[2].ref;
    runCommand();
    ASSERT_GE(playList.CurrentItem(), 0);
    ASSERT_LT(playList.CurrentItem(), playList.count());
    EXPECT_EQ(playList.item(playList.CurrentItem()), playing);
    EXPECT_EQ(playList.CurrentItem(), GetParam().current);
}

TEST_P(PlayListEditorUndo, RestoresItemsAndLengthsAndRedoes) {
    const QStringList before = dump(fiveItems());
    runCommand();
    const QStringList edited = dump(playList.entries());
    ASSERT_NE(edited, before);
    EXPECT_EQ(editor.undoHistory().undoCaption(), s(GetParam().caption));

    editor.Undo();
    EXPECT_EQ(dump(playList.entries()), before);
    EXPECT_EQ(playList.lineCount(), playList.count());
    editor.Undo();  // only one level
    EXPECT_EQ(dump(playList.entries()), before);
    editor.Redo();
    EXPECT_EQ(dump(playList.entries()), edited);
    EXPECT_EQ(playList.lineCount(), playList.count());
}

using E = PlayListEditor;

// The commands that record an undo snapshot, and more.
std::vector<CommandCase> recording(std::vector<CommandCase> more) {
    std::vector<CommandCase> cases = {
        {"RemoveItems", {0, 1}, 0, calls({&E::RemoveSelectedItems}), 0, "U&ndo Remove Item(s)"},
        {"MoveUp", {2}, 2, calls({&E::MoveUp}), 1, "U&ndo Move Up"},
        {"MoveDown", {1}, 1, calls({&E::MoveDown}), 1, "U&ndo Move Down"},
        {"SortAlphabetically", {}, 0, calls({&E::SortAlphabetically}), 1, "U&ndo Sort Alphabetically"},
        {"SortRandomly", {}, 0, calls({&E::SortRandomly}), 1, "U&ndo Sort Randomly"},
        {"RemoveDuplicateItems", {}, 0, calls({&E::RemoveDuplicateItems}), 1, "U&ndo Remove Duplicate Items"},
        {"RemoveMissing", {}, 0, calls({&E::RemoveNonExistentItems}), 0, "U&ndo Remove Non-Existent Items"},
        // Cut records itself, then its removal records again.
        {"Cut", {0}, 0, calls({&E::Cut}), 1, "U&ndo Remove Item(s)"},
        {"Paste", {0}, 0, calls({&E::Paste}), 4, "U&ndo Paste"},
    };
    cases.insert(cases.end(), more.begin(), more.end());
    return cases;
}

INSTANTIATE_TEST_SUITE_P(, PlayListEditorCurrentItem,
                         ::testing::ValuesIn(recording({
                             {"DropBlockUpAcross", {3, 4}, 4, dropOn(0), 4, ""},
                             {"DropBlockDownAcross", {0, 1}, 0, dropOn(3), 0, ""},
                             {"Undo", {1}, 1, calls({&E::MoveDown, &E::Undo}), 2, ""},
                             {"Redo", {1}, 1, calls({&E::MoveDown, &E::Undo, &E::Redo}), 1, ""},
                         })),
                         caseName<CommandCase>);

INSTANTIATE_TEST_SUITE_P(, PlayListEditorUndo,
                         ::testing::ValuesIn(recording({
                             {"RemoveAll", {}, 0, calls({&E::RemoveAll}), -1, "U&ndo Remove All Items"},
                         })),
                         caseName<CommandCase>);

TEST_F(PlayListEditorTest, UndoOfRemoveAllBringsEveryItemBackUnplayed) {
    load(fiveItems());
    order.MarkPlayed(playList.item(2), false);
    ASSERT_FALSE(unplayed.contains(playList.item(2)));
    editor.RemoveAll();
    EXPECT_TRUE(unplayed.isEmpty());
    editor.Undo();
    for (const PlayListEntry& entry : fiveItems()) {
        EXPECT_TRUE(unplayed.contains(entry.ref)) << entry.ref.toStdString();
    }
}

// Undo brings the lines back without naming them again, unless the way they are shown changed since.
TEST_F(PlayListEditorTest, UndoShowsTheLinesAsTheListIsShownNow) {
    load(sixLetters());
    editor.SortRandomly();
    editor.Undo();
    EXPECT_EQ(playList.line(0), s("a.mid"));
    editor.Redo();
    playList.setDisplayOptions({true, false, true});
    playList.RedrawPlayList(true);
    editor.Undo();
    ASSERT_EQ(playList.lineCount(), 6);
    for (qsizetype line = 0; line < 6; ++line) {
        EXPECT_EQ(playList.line(line), QStringLiteral("/m/%1").arg(QChar(static_cast<char16_t>(u'a' + line)))) << line;
    }
}

// Undo takes back the last change, also one that filled an empty list, and never an older one.
TEST_F(PlayListEditorTest, UndoAfterFillingAnEmptyListEmptiesItAgain) {
    load(sixLetters());
    editor.RemoveAll();
    existing = {s("/m/a.mid")};
    clipboard.contents = f("/m/a.mid");
    editor.Paste();
    ASSERT_EQ(refs(), QStringList{f("/m/a.mid")});
    EXPECT_EQ(editor.undoHistory().undoCaption(), s("U&ndo Paste"));
    editor.Undo();
    EXPECT_TRUE(refs().isEmpty());
    EXPECT_EQ(playList.lineCount(), 0);
    editor.Redo();
    EXPECT_EQ(refs(), QStringList{f("/m/a.mid")});

    editor.RemoveAll();
    editor.dropFiles({s("/m/b.wav")});
    editor.Undo();
    EXPECT_TRUE(refs().isEmpty());
}

TEST(UndoHistory, CaptionAndHintNameTheLastRecordedCommand) {
    UndoHistory history;
    EXPECT_EQ(history.undoCaption(), s("U&ndo"));
    history.RecordUndo(PlayListSnapshot{{{f("/m/a.mid"), 1}}}, s("Move Up"));
    EXPECT_EQ(history.undoCaption(), s("U&ndo Move Up"));
    EXPECT_EQ(history.undoHint(s("Ctrl+Z")), s("Undo (Ctrl+Z): Move Up|"));

    EXPECT_EQ(dump(history.takeUndo(PlayListSnapshot{{{f("/m/b.mid"), 2}}}).entries), dump({{f("/m/a.mid"), 1}}));
    EXPECT_EQ(history.undoHint(QString()), s("Undo|"));
    history.editMenuOpened();  // nothing left to undo
    EXPECT_EQ(history.undoCaption(), s("U&ndo"));
    EXPECT_EQ(dump(history.takeRedo({}).entries), dump({{f("/m/b.mid"), 2}}));
}

TEST_F(PlayListEditorTest, CopyWritesEverySelectedLineWithKnownLengthsOnly) {
    load({{f("/m/a.mid"), 100}, {f("/m/b.mid"), 0}, {s("[CDID=5, T=2]"), 300}, {f("/m/d.mid"), 4}});
    select({0, 1, 2}, 0);
    editor.Copy();
    EXPECT_EQ(clipboard.contents,
              s("[FILE=\"/m/a.mid\", L=100]\r\n[FILE=\"/m/b.mid\"]\r\n[CDID=5, T=2, L=300]\r\n"));
}

TEST_F(PlayListEditorTest, CutThenPasteElsewhereMovesItemsWithTheirLengths) {
    existing = {s("/m/a.mid"), s("/m/b.mid"), s("/m/c.mid"), s("/m/d.mid")};
    load({{f("/m/a.mid"), 100}, {f("/m/b.mid"), 0}, {f("/m/c.mid"), 300}, {f("/m/d.mid"), 400}});
    select({1, 2}, 1);
    editor.Cut();
    EXPECT_EQ(dump(playList.entries()), dump({{f("/m/a.mid"), 100}, {f("/m/d.mid"), 400}}));
    select({1}, 1);
    editor.Paste();
    // A length of 0 travels without L and comes back unknown.
    EXPECT_EQ(dump(playList.entries()),
              dump({{f("/m/a.mid"), 100}, {f("/m/d.mid"), 400}, {f("/m/b.mid"), -1}, {f("/m/c.mid"), 300}}));
    EXPECT_EQ(playList.selectedLines(), (std::vector<qsizetype>{2, 3}));
    EXPECT_TRUE(unplayed.contains(f("/m/b.mid")));
    EXPECT_TRUE(document.isChanged());
}

struct PasteCase {
    const char* name;
    friend void PrintTo(const PasteCase& c, std::ostream* os) { *os << c.name; }
    const char* clipboard;
    std::vector<PlayListEntry> pasted;  // inserted after line 0
};

class PlayListEditorPaste : public ::testing::TestWithParam<PasteCase>, public EditorFixture {};

TEST_P(PlayListEditorPaste, KeepsOnlyValidItemsAfterTheFocusedLine) {
    existing = {s("/music/a.mid"), s("/music/b.wav")};
    load({{f("/m/1.mid"), 1}, {f("/m/2.mid"), 2}});
    select({1}, 0);
    clipboard.contents = s(GetParam().clipboard);
    editor.Paste();
    std::vector<PlayListEntry> expected = GetParam().pasted;
    expected.insert(expected.begin(), {f("/m/1.mid"), 1});
    expected.push_back({f("/m/2.mid"), 2});
    EXPECT_EQ(dump(playList.entries()), dump(expected));
    EXPECT_TRUE(prompter.messages.empty());
    std::vector<qsizetype> selected;
    for (size_t i = 0; i < GetParam().pasted.size(); ++i) {
        selected.push_back(static_cast<qsizetype>(i) + 1);
    }
    EXPECT_EQ(playList.selectedLines(), selected);
    EXPECT_EQ(playList.lineCount(), playList.count());
}

INSTANTIATE_TEST_SUITE_P(
    , PlayListEditorPaste,
    ::testing::Values(PasteCase{"ForeignTextAroundOneReference",
                                "Dear all,\r\n[FILE=\"/music/a.mid\", L=5]\r\nsee you\r\n",
                                {{f("/music/a.mid"), 5}}},
                      PasteCase{"BarePath", "/music/a.mid", {{f("/music/a.mid"), -1}}},
                      PasteCase{"CDItemsAlwaysAccepted",
                                "[CDID=9, T=4, L=60]\n[FILE=\"/music/gone.mid\"]",
                                {{s("[CDID=9, T=4]"), 60}}},
                      PasteCase{
                          "ClipboardOrderKept",
                          "[FILE=\"/music/b.wav\"]\r\n[CDID=9, T=1]\r\n[FILE=\"/music/a.mid\", L=8]\r\n",
                          {{f("/music/b.wav"), -1}, {s("[CDID=9, T=1]"), -1}, {f("/music/a.mid"), 8}}}),
    caseName<PasteCase>);

TEST_F(PlayListEditorTest, PastedLinesWithoutLengthSaveTheirItemsKnownLengthOrZero) {
    existing = {s("/m/Zeta.mid"), s("/m/new.mid")};
    load({{f("/m/a.mid"), 100}, {f("/m/Zeta.mid"), 8000}});
    select({0}, 0);
    clipboard.contents = s("[FILE=\"/m/Zeta.mid\"]\r\n[FILE=\"/m/new.mid\"]\r\n");
    editor.Paste();
    const QString path = folder.file(s("pasted.vlp"));
    prompter.saveChoices.push_back(path);
    ASSERT_TRUE(document.SavePlayList(false));
    const QStringList saved = TextFile::readLines(path).lines;
    EXPECT_EQ(saved.mid(saved.indexOf(s("[Items]")) + 1),
              (QStringList{s(R"([FILE="/m/a.mid", L=100])"), s(R"([FILE="/m/Zeta.mid", L=8000])"),
                           s(R"([FILE="/m/new.mid", L=0])"), s(R"([FILE="/m/Zeta.mid", L=8000])")}));
}

TEST_F(PlayListEditorTest, PasteOfOnlyMissingFilesChangesNothing) {
    load({{f("/m/1.mid"), 1}, {f("/m/2.mid"), 2}});
    select({0}, 0);
    const QStringList before = dump(playList.entries());
    clipboard.contents = s("[FILE=\"/m/gone.mid\"]\r\n/m/also gone.mid\r\n");
    editor.Paste();
    EXPECT_EQ(dump(playList.entries()), before);
    EXPECT_EQ(messages(),
              QStringList{s("The information contained in the clipboard\r\ndoes not appear to be valid "
                            "Velmaro data.")});
    EXPECT_FALSE(document.isChanged());
    EXPECT_EQ(editor.undoHistory().undoCaption(), s("U&ndo Paste"));
}

struct ReorderCase {
    const char* name;
    friend void PrintTo(const ReorderCase& c, std::ostream* os) { *os << c.name; }
    std::vector<qsizetype> selected;
    qsizetype focused;
    Action run;
    const char* letters;
    std::vector<qsizetype> selectedAfter;
};

class PlayListEditorReorder : public ::testing::TestWithParam<ReorderCase>, public EditorFixture {};

TEST_P(PlayListEditorReorder, MovesTheSelectedLinesTogether) {
    load(sixLetters());
    select(GetParam().selected, GetParam().focused);
    GetParam().run(*this);
    EXPECT_EQ(letters(), s(GetParam().letters));
    EXPECT_EQ(playList.selectedLines(), GetParam().selectedAfter);
    // Lengths travel with their items.
    for (qsizetype i = 0; i < playList.count(); ++i) {
        EXPECT_EQ(playList.length(i), letters().at(i).unicode() - 'a' + 1);
    }
    EXPECT_EQ(document.isChanged(), s(GetParam().letters) != s("abcdef"));
}

INSTANTIATE_TEST_SUITE_P(
    , PlayListEditorReorder,
    ::testing::Values(
        ReorderCase{"DropDownEndsTheBlockAtTheTarget", {1, 2}, 1, dropOn(4), "adebcf", {3, 4}},
        ReorderCase{"DropUpStartsTheBlockAtTheTarget", {3, 4}, 4, dropOn(1), "adebcf", {1, 2}},
        ReorderCase{"DropBelowLastLine", {0, 1}, 0, dropOn(2, true), "cdefab", {4, 5}},
        ReorderCase{"DropOnASelectedLine", {1, 2}, 1, dropOn(2), "abcdef", {1, 2}},
        ReorderCase{"DropDownOfAGappedBlock", {1, 2, 4}, 1, dropOn(3), "abcedf", {1, 2, 3}},
        ReorderCase{"DropUpOfAGappedBlock", {1, 3, 4}, 4, dropOn(2), "acbdef", {2, 3, 4}},
        ReorderCase{"MoveUpBlockedByTheFirstLine", {0, 3}, 3, calls({&E::MoveUp}), "abcdef", {0, 3}},
        ReorderCase{"MoveUpTwoLines", {2, 3}, 3, calls({&E::MoveUp}), "acdbef", {1, 2}},
        ReorderCase{"MoveDownBlockedByTheLastLine", {2, 5}, 2, calls({&E::MoveDown}), "abcdef", {2, 5}},
        ReorderCase{"MoveDownTwoLines", {2, 3}, 2, calls({&E::MoveDown}), "abecdf", {3, 4}}),
    caseName<ReorderCase>);

TEST_F(PlayListEditorTest, SortAlphabeticallyPutsCDItemsFirstAndIgnoresCase) {
    load({{f("/m/b.mid"), 10}, {s("[CDID=5, T=2]"), 20}, {f("/m/A.mid"), 30}, {f("/M/c.mid"), 40}});
    editor.SortAlphabetically();
    EXPECT_EQ(
        dump(playList.entries()),
        dump({{s("[CDID=5, T=2]"), 20}, {f("/m/A.mid"), 30}, {f("/m/b.mid"), 10}, {f("/M/c.mid"), 40}}));
    EXPECT_EQ(playList.lineCount(), 4);
}

TEST_F(PlayListEditorTest, ShuffleKeepsEveryItemWithItsOwnLength) {
    load(sixLetters());
    editor.setRandom([](qsizetype bound) { return bound / 2; });
    editor.SortRandomly();
    QString shuffled = letters();
    ASSERT_NE(shuffled, s("abcdef"));
    QStringList expected = {s("[Items]")};
    for (QChar c : shuffled) {
        expected.append(QStringLiteral("[FILE=\"/m/%1.mid\", L=%2]").arg(c).arg(c.unicode() - 'a' + 1));
    }
    std::sort(shuffled.begin(), shuffled.end());
    EXPECT_EQ(shuffled, s("abcdef"));

    const QString path = folder.file(s("shuffled.vlp"));
    prompter.saveChoices.push_back(path);
    ASSERT_TRUE(document.SavePlayList(false));
    const QStringList saved = TextFile::readLines(path).lines;
    EXPECT_EQ(saved.mid(saved.indexOf(s("[Items]"))), expected);
}

// song.wav and SONG.wav are two files: each keeps its own length through both sorts and the save.
TEST_F(PlayListEditorTest, SortingKeepsTheLengthsOfNamesThatDifferOnlyInCase) {
    const QString path = folder.file(s("sorted.vlp"));
    for (Command sort : {&E::SortAlphabetically, &E::SortRandomly}) {
        load({{f("/m/song.wav"), 1111}, {f("/m/SONG.wav"), 9999}});
        (editor.*sort)();
        prompter.saveChoices.push_back(path);
        ASSERT_TRUE(document.SavePlayList(true));
        const QStringList saved = TextFile::readLines(path).lines;
        EXPECT_TRUE(saved.contains(s(R"([FILE="/m/song.wav", L=1111])"))) << saved.join(u'|').toStdString();
        EXPECT_TRUE(saved.contains(s(R"([FILE="/m/SONG.wav", L=9999])"))) << saved.join(u'|').toStdString();
    }
}

TEST_F(PlayListEditorTest, RemoveKeepsThePlayingItemAndSelectsTheNextLine) {
    load({{f("/m/a.mid"), 1}, {f("/m/b.mid"), 2}, {f("/m/c.mid"), 3}});
    play(2);
    select({1}, 1);
    editor.RemoveSelectedItems();
    EXPECT_EQ(refs(), (QStringList{f("/m/a.mid"), f("/m/c.mid")}));
    EXPECT_EQ(playList.CurrentItem(), 1);
    EXPECT_EQ(playList.selectedLines(), std::vector<qsizetype>{1});
    EXPECT_FALSE(unplayed.contains(f("/m/b.mid")));
    EXPECT_TRUE(unplayed.contains(f("/m/a.mid")));

    select({1}, 1);  // the last line: the new last line is selected
    editor.RemoveSelectedItems();
    EXPECT_EQ(refs(), QStringList{f("/m/a.mid")});
    EXPECT_EQ(playList.selectedLines(), std::vector<qsizetype>{0});
    EXPECT_EQ(playList.lineCount(), 1);
}

TEST_F(PlayListEditorTest, RemovingOneOfTwoLinesOfAnItemKeepsItUnplayed) {
    load({{f("/m/a.mid"), 1}, {f("/m/b.mid"), 2}, {f("/m/a.mid"), 3}});
    select({2}, 2);
    editor.RemoveSelectedItems();
    ASSERT_TRUE(playList.containsItem(f("/m/a.mid")));
    EXPECT_TRUE(unplayed.contains(f("/m/a.mid")));
}

// Paths that differ in letter case are different files; a CD track is its disc and track number.
TEST_F(PlayListEditorTest, RemoveDuplicateItemsKeepsTheFirstLineOfEachItem) {
    load({{f("/m/x.mid"), 1},
          {f("/m/y.mid"), 2},
          {f("/M/X.MID"), 3},
          {f("/m/x.mid"), 4},
          {s("[CDID=5, T=1]"), 5},
          {s("[CDID=5,T=01]"), 6},
          {s("[cdid=5, t=1]"), 7}});
    editor.RemoveDuplicateItems();
    EXPECT_EQ(dump(playList.entries()), dump({{f("/m/x.mid"), 1},
                                              {f("/m/y.mid"), 2},
                                              {f("/M/X.MID"), 3},
                                              {s("[CDID=5, T=1]"), 5},
                                              {s("[cdid=5, t=1]"), 7}}));
    EXPECT_EQ(playList.lineCount(), 5);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(document.isChanged());
}

TEST_F(PlayListEditorTest, RemoveDuplicateItemsWithoutDuplicatesOnlySaysSo) {
    load({{f("/m/x.mid"), 1}, {f("/m/y.mid"), 2}});
    editor.RemoveDuplicateItems();
    EXPECT_EQ(messages(), QStringList{s("No duplicate items were found in the Play List.")});
    EXPECT_EQ(dump(playList.entries()), dump({{f("/m/x.mid"), 1}, {f("/m/y.mid"), 2}}));
    EXPECT_FALSE(editor.undoHistory().canUndo());
    EXPECT_FALSE(document.isChanged());
}

TEST_F(PlayListEditorTest, RemoveNonExistentItemsNeverRemovesCDItems) {
    load({{s("[CDID=5, T=1]"), 1}, {f("/m/gone.mid"), 2}, {f("/m/here.mid"), 3}, {s("[CDID=6, T=2]"), 4}});
    existing = {s("/m/here.mid")};
    editor.RemoveNonExistentItems();
    EXPECT_EQ(refs(), (QStringList{s("[CDID=5, T=1]"), f("/m/here.mid"), s("[CDID=6, T=2]")}));
    EXPECT_FALSE(unplayed.contains(f("/m/gone.mid")));

    editor.RemoveNonExistentItems();
    EXPECT_EQ(messages(), QStringList{s("No non-existent items were found in the Play List.")});
    EXPECT_EQ(playList.count(), 3);
}

TEST_F(PlayListEditorTest, PathEditReplacesTheFocusedItemOnlyWithAStorableExistingFile) {
    existing = {s("/m/new.mid"), s("/m/say \"hi\".mid")};
    load({{f("/m/a.mid"), 11}, {f("/m/b.mid"), 22}});
    select({1}, 1);
    EXPECT_FALSE(editor.ReplaceFocusedItem(s("/m/missing.mid")));
    EXPECT_EQ(
        messages(),
        QStringList{s("The specified file does not exist. Please \rcheck the path and filename again.")});
    EXPECT_FALSE(editor.ReplaceFocusedItem(s("/m/say \"hi\".mid")));
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].kind, Prompter::Kind::Error);
    EXPECT_EQ(dump(playList.entries()), dump({{f("/m/a.mid"), 11}, {f("/m/b.mid"), 22}}));
    EXPECT_FALSE(document.isChanged());

    EXPECT_TRUE(editor.ReplaceFocusedItem(s("/m/new.mid")));
    EXPECT_EQ(dump(playList.entries()), dump({{f("/m/a.mid"), 11}, {f("/m/new.mid"), 22}}));
    EXPECT_EQ(editor.controls().path, s("/m/new.mid"));
    EXPECT_TRUE(document.isChanged());
}

TEST_F(PlayListEditorTest, DroppedPlayListOpensInsteadOfAddingFiles) {
    const QString vlp =
        folder.write(s("dropped.vlp"), playListBytes({s("[General]"), s("LastPlayed="), QString(),
                                                      s("[Items]"), s("[FILE=\"/m/listed.mid\", L=9]")}));
    editor.dropFiles({s("/m/a.mid"), s("/m/b.wav"), vlp, s("/m/c.mp3")});
    EXPECT_EQ(document.fileName(), vlp);
    EXPECT_EQ(dump(playList.entries()), dump({{f("/m/listed.mid"), 9}}));
}

TEST_F(PlayListEditorTest, DroppedFilesAreAppendedAsFileItems) {
    load({{f("/m/old.mid"), 5}});
    editor.dropFiles({s("/m/a.mid"), s("/m/b.wav")});
    EXPECT_EQ(refs(), (QStringList{f("/m/old.mid"), f("/m/a.mid"), f("/m/b.wav")}));
    EXPECT_EQ(playList.lineCount(), 3);
    EXPECT_TRUE(unplayed.contains(f("/m/b.wav")));
    EXPECT_TRUE(document.isChanged());
}

// The files of a File List, all of them selected.
struct ListedFiles : StandInList {
    QStringList refs;
    QStringList selectedItems() const override { return refs; }
    QStringList allItems() const override { return refs; }
};

// A name that a Play List file cannot hold stays out, whichever way it comes, and is named; the rest
// goes in, and a saved list holds one item per line.
TEST_F(PlayListEditorTest, NamesAFileCannotHoldAreLeftOutAndNamed) {
    const QString twoLines = s("/m/two\nlines.mid");
    const QString quoted = s("/m/say \"hi\".mid");
    load({{f("/m/old.mid"), 5}});
    ListedFiles files;
    files.refs = {f("/m/a.mid"), MakeFileItem(twoLines), MakeFileItem(quoted), MakeCDItem(5, 1)};
    lists.setRightHand(&files);
    editor.AddSelectedItems(true);
    EXPECT_EQ(refs(), (QStringList{f("/m/old.mid"), f("/m/a.mid"), MakeCDItem(5, 1)}));
    EXPECT_FALSE(unplayed.contains(MakeFileItem(twoLines)));
    ASSERT_EQ(messages(), QStringList{PlayListEditor::leftOutMessage({twoLines, quoted})});
    EXPECT_TRUE(messages().at(0).contains(s("/m/two\u21B5lines.mid"))) << messages().at(0).toStdString();
    EXPECT_TRUE(messages().at(0).contains(quoted));

    // Nothing left to add: nothing changes, also not what Undo takes back.
    document.setChanged(false);
    files.refs = {MakeFileItem(twoLines)};
    editor.insertDroppedItems(0, false);
    editor.AddSelectedItems(false);
    editor.dropFiles({twoLines});
    EXPECT_EQ(messages().size(), 4);
    EXPECT_EQ(refs(), (QStringList{f("/m/old.mid"), f("/m/a.mid"), MakeCDItem(5, 1)}));
    EXPECT_FALSE(document.isChanged());
    EXPECT_EQ(editor.undoHistory().undoCaption(), s("U&ndo Add All Items"));

    const QString path = folder.file(s("saved.vlp"));
    prompter.saveChoices.push_back(path);
    ASSERT_TRUE(document.SavePlayList(false));
    EXPECT_EQ(TextFile::readLines(path).lines,
              (QStringList{s("[General]"), s("LastPlayed="), QString(), s("[Items]"),
                           s(R"([FILE="/m/old.mid", L=5])"), s(R"([FILE="/m/a.mid", L=0])"),
                           s("[CDID=5, T=1, L=0]")}));
}

// Many names are named up to a count, with how many more there are.
TEST(PlayListEditorMessages, ALongListOfNamesLeftOutIsCut) {
    QStringList names;
    for (int i = 0; i < 25; ++i) {
        names.append(QStringLiteral("/m/%1\n.mid").arg(i));
    }
    names.append(names.first());  // found twice, named once
    const QString message = PlayListEditor::leftOutMessage(names);
    EXPECT_TRUE(message.contains(s("/m/9\u21B5.mid")));
    EXPECT_FALSE(message.contains(s("/m/10\u21B5.mid")));
    EXPECT_TRUE(message.endsWith(s("... and 15 more.")));
    EXPECT_EQ(message.count(u'\n'), message.count(s("\r\n")));  // each name on a line of its own
}

struct ClickCase {
    const char* name;
    friend void PrintTo(const ClickCase& c, std::ostream* os) { *os << c.name; }
    const char* ref;
    const char* path;
    bool readOnly;
};

class PlayListEditorClick : public ::testing::TestWithParam<ClickCase>, public EditorFixture {};

TEST_P(PlayListEditorClick, PathEditShowsTheFocusedItem) {
    cdDatabase.setLines({s("[7]"), s("Name=Disc"), s("Track3=Song")});
    load({{f("/m/first.mid"), 0}, {s(GetParam().ref), 0}, {f("/m/last.mid"), 0}});
    select({2}, 1);
    editor.updateControls();
    const PlayListControls controls = editor.controls();
    EXPECT_EQ(controls.path, s(GetParam().path));
    EXPECT_EQ(controls.pathReadOnly, GetParam().readOnly);
    EXPECT_EQ(controls.info, s("&PL: 2 of 3, 1 selected"));
    EXPECT_TRUE(controls.remove);
    EXPECT_TRUE(controls.removeAll);
}

INSTANTIATE_TEST_SUITE_P(
    , PlayListEditorClick,
    ::testing::Values(ClickCase{"File", "[FILE=\"/m/Für Elise.mid\"]", "/m/Für Elise.mid", false},
                      ClickCase{"UnknownCD", "[CDID=8, T=3]", "Track: 3, CD: Unknown CD", true},
                      ClickCase{"KnownCD", "[CDID=7, T=3]", "Track: 3, CD: Disc", true}),
    caseName<ClickCase>);

}  // namespace
