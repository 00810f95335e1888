#include "core/files/filesearch.h"
#include "core/files/foldertreewalk.h"
#include "core/files/playlistfind.h"
#include "core/files/searchdialogmodel.h"
#include "core/playlist/playorder.h"
#include "core/common/itemref.h"
#include "core/playlist/playlisteditor.h"
#include "support/documentfixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <thread>

namespace {

struct FindFixture : DocumentFixture {
    PlayOrder order{playList, played, unplayed, preferences};
    FakeClipboard clipboard;
    PlayListEditor editor{PlayListEditor::Context{playList, unplayed, order, document, lists, preferences, prompter,
                                                  clipboard, cdDatabase, &busy}};
    FileSearch search{FileSearch::Context{playList, unplayed, editor, document, prompter}};

    FindFixture() {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "find_test";
            static char* argv[] = {name, nullptr};
            static QCoreApplication application(argc, argv);
        }
    }
    void load(const QStringList& paths) {
        std::vector<PlayListEntry> entries;
        for (const QString& path : paths) {
            entries.push_back({MakeFileItem(path), 0});
        }
        playList.setEntries(std::move(entries));
        playList.RedrawPlayList(false);
    }
    QStringList items(const QStringList& paths) const {
        QStringList refs;
        for (const QString& path : paths) {
            refs.append(MakeFileItem(path));
        }
        return refs;
    }
    QStringList messageTexts() const {
        QStringList texts;
        for (const FakePrompter::Message& message : prompter.messages) {
            texts.append(message.text);
        }
        return texts;
    }
};

// Runs work on a thread of its own that has lost root's right to read any folder, so a folder without
// permissions is unreadable for it as for any user. Capabilities belong to the thread that sets them.
void runWithoutReadOverride(const std::function<void()>& work) {
    std::thread thread([&work] {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        if (syscall(SYS_capget, &header, data) == 0) {
            for (int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
                data[0].effective &= ~(1u << capability);
            }
            syscall(SYS_capset, &header, data);
        }
        work();
    });
    thread.join();
}

}  // namespace

TEST(FindInPlayListTest, MatchCaseAndFindAgainAfterTheLastMatch) {
    FindFixture f;
    f.load({s("/m/Waltz.mid"), s("/m/polka.mid"), s("/m/Blue waltz.mid"), s("/m/reel.wav")});
    QSignalSpy centred(&f.playList, &PlayList::scrollRequested);

    EXPECT_FALSE(FindInPlayList(f.playList, f.editor, f.prompter, &f.busy, 0, s(""), false));
    EXPECT_TRUE(f.prompter.messages.empty());  // an empty text does nothing at all

    ASSERT_TRUE(FindInPlayList(f.playList, f.editor, f.prompter, &f.busy, 0, s("waltz"), false));
    EXPECT_EQ(f.playList.selectedLines(), (std::vector<qsizetype>{0}));
    EXPECT_EQ(f.playList.focusedLine(), 0);
    ASSERT_EQ(centred.count(), 1);
    EXPECT_EQ(centred.at(0).at(0).value<qsizetype>(), 0);

    // With Match Case "Waltz" is no hit: the next line that says "waltz" is.
    f.playList.setSelected(3, true);
    ASSERT_TRUE(FindInPlayList(f.playList, f.editor, f.prompter, &f.busy, 0, s("waltz"), true));
    EXPECT_EQ(f.playList.selectedLines(), (std::vector<qsizetype>{2}));
    EXPECT_EQ(f.editor.controls().info, f.editor.UpdatePlayListInfo(-1));  // the click ran

    // Find Again goes on after the current line: after the last match it finds nothing, although
    // earlier lines match; so does a start past the end.
    for (qsizetype start : {f.playList.focusedLine() + 1, qsizetype{10}}) {
        f.prompter.messages.clear();
        EXPECT_FALSE(FindInPlayList(f.playList, f.editor, f.prompter, &f.busy, start, s("waltz"), false));
        EXPECT_EQ(f.messageTexts(), QStringList{s("Velmaro was unable to find any\ritems matching the search expression.")});
        EXPECT_EQ(f.playList.selectedLines(), (std::vector<qsizetype>{2}));  // selection untouched
    }
    EXPECT_EQ(f.busy.depth, 0);
}

TEST(FileSearchTest, MasksFollowTheSearchsOwnWildcardRule) {
    struct Case {
        const char* mask;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"song?.mid", "song9.mid", true},   {"song?.mid", "song10.mid", false}, {"song?.mid", "SONG9.MID", true},
        {"song?.mid", "song.mid", false},   {"*.mid", "any name.mid", true},    {"*.mid", "a.midi", false},
        {"*.mid", "a.mid.wav", false},      {"a*b", "axyz", true},              {"*.*", "README", true},
        {"x*.m?d", "xylo.mod", true},       {"*.", "README", true},             {"*.", "a.mid", false},
    };
    for (const Case& c : cases) {
        const std::vector<SearchMask> masks = ParseSearchMasks(s(c.mask));
        ASSERT_EQ(masks.size(), 1u);
        EXPECT_EQ(masks[0].matches(s(c.name)), c.matches) << c.mask << " " << c.name;
    }

    // The tips' two examples hold: "?" takes the one-digit name only, "*" both.
    const QStringList lines = SearchDialogModel::tipsText().split(u'\r');
    ASSERT_GE(lines.size(), 2);
    for (qsizetype i = lines.size() - 2; i < lines.size(); ++i) {
        const QStringList words = lines[i].split(u' ');
        const SearchMask mask = ParseSearchMasks(words[0]).at(0);
        const bool both = lines[i].contains(s("both"));
        EXPECT_TRUE(mask.matches(s("song1.mid"))) << lines[i].toStdString();
        EXPECT_EQ(mask.matches(s("song10.mid")), both) << lines[i].toStdString();
    }
}

TEST(FileSearchTest, AddsTheMidiFilesOfTheWholeTreeBeforeTheWaveFilesInOneUndoStep) {
    FindFixture f;
    TempFolder music;
    for (const char* name : {"b.wav", "z.mid", "deep/er/x.WAV", "deep/a.mid", "notes.txt", ".hidden.mid",
                             ".secret/c.mid", "say \"hi\".mid", "line\nbreak.wav"}) {
        music.write(s(name), "x");
    }
    f.load({s("/old/z.mid")});
    f.document.setChanged(false);

    f.search.start(music.path(), s("*.mid;*.wav;"));
    f.search.runToEnd();
    EXPECT_FALSE(f.search.isRunning());
    const QString root = music.path() + u'/';
    EXPECT_EQ(f.refs(), f.items({s("/old/z.mid"), root + s("z.mid"), root + s("deep/a.mid"), root + s("b.wav"),
                                 root + s("deep/er/x.WAV")}));
    EXPECT_TRUE(f.unplayed.contains(MakeFileItem(root + s("deep/er/x.WAV"))));
    EXPECT_TRUE(f.document.isChanged());
    // Both unstorable names are told once, together, and nothing else is said.
    EXPECT_EQ(f.messageTexts(), QStringList{PlayListEditor::leftOutMessage(
                                    {root + s("say \"hi\".mid"), root + s("line\nbreak.wav")})});
    f.editor.undoHistory().editMenuOpened();
    EXPECT_EQ(f.editor.undoHistory().undoCaption(), s("U&ndo Search"));
    f.editor.Undo();
    EXPECT_EQ(f.refs(), f.items({s("/old/z.mid")}));

    // Nothing found: said so, and the list is not marked changed.
    f.prompter.messages.clear();
    f.document.setChanged(false);
    f.search.start(music.path(), s("*.xm;"));
    f.search.runToEnd();
    EXPECT_EQ(f.messageTexts(), QStringList{FileSearch::noFilesMessage()});
    EXPECT_FALSE(f.document.isChanged());
}

// Undo takes the whole search back, to the list as the search found it, also an empty one; a search that
// adds nothing leaves Undo as it was.
TEST(FileSearchTest, UndoTakesBackTheSearchAndNothingOlder) {
    FindFixture f;
    TempFolder music;
    music.write(s("a.mid"), "x");
    music.write(s("sub/b.mid"), "x");
    const QStringList found = f.items({music.file(s("a.mid")), music.file(s("sub/b.mid"))});

    f.search.start(music.path(), s("*.mid;"));
    f.search.runToEnd();
    ASSERT_EQ(f.refs(), found);
    f.editor.Undo();
    EXPECT_TRUE(f.refs().isEmpty());
    EXPECT_EQ(f.playList.lineCount(), 0);

    f.load({s("/old/1.mid"), s("/old/2.mid")});
    f.editor.RemoveAll();
    f.search.start(music.path(), s("*.xm;"));  // finds nothing
    f.search.runToEnd();
    f.search.start(music.path(), s("*.mid;"));
    f.search.runToEnd();
    ASSERT_EQ(f.refs(), found);
    f.editor.undoHistory().editMenuOpened();
    EXPECT_EQ(f.editor.undoHistory().undoCaption(), s("U&ndo Search"));
    f.editor.Undo();
    EXPECT_TRUE(f.refs().isEmpty());
    f.editor.Redo();
    EXPECT_EQ(f.refs(), found);

    f.editor.RemoveAll();
    f.search.start(music.path(), s("*.xm;"));
    f.search.runToEnd();
    f.editor.Undo();  // the Remove All
    EXPECT_EQ(f.refs(), found);
}

TEST(FileSearchTest, StopKeepsWhatWasFoundAndSaysNothingMore) {
    FindFixture f;
    TempFolder music;
    for (int i = 0; i < 20; ++i) {
        music.write(QStringLiteral("f%1/song.mid").arg(i, 2, 10, QLatin1Char('0')), "x");
        music.write(QStringLiteral("f%1/song.wav").arg(i, 2, 10, QLatin1Char('0')), "x");
    }
    f.search.setSlice(std::chrono::nanoseconds(0));
    QSignalSpy finished(&f.search, &FileSearch::finished);
    qsizetype foundWhenStopped = -1;
    QObject::connect(&f.search, &FileSearch::progress, [&](const QString&, qsizetype found) {
        if (found >= 4) {
            foundWhenStopped = found;
            f.search.stop();
        }
    });
    f.search.start(music.path(), s("*.mid;*.wav"));
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(finished.at(0).at(0).toBool(), true);
    EXPECT_FALSE(f.search.isRunning());

    // Every file found before Stop is in, grouped by mask; none of the rest.
    ASSERT_EQ(f.playList.count(), foundWhenStopped);
    ASSERT_LT(foundWhenStopped, 40);
    const QStringList refs = f.refs();
    const qsizetype midis = refs.filter(s(".mid\"")).size();
    EXPECT_EQ(midis * 2, refs.size());
    for (qsizetype i = 0; i < refs.size(); ++i) {
        EXPECT_EQ(refs[i].endsWith(s(".mid\"]")), i < midis) << refs[i].toStdString();
    }
    EXPECT_TRUE(f.prompter.messages.empty());
    EXPECT_TRUE(f.document.isChanged());

    // Stop as the last slice ends the walk: the search ends once, as stopped.
    f.search.setSlice(std::chrono::seconds(10));
    finished.clear();
    f.search.start(music.path(), s("*.mid"));
    ASSERT_TRUE(finished.wait(5000));
    QCoreApplication::processEvents();
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toBool(), true);
    EXPECT_EQ(foundWhenStopped, 20);
}

TEST(FileSearchTest, WalkEndsOverLinksAndCountsFoldersItCannotRead) {
    TempFolder music;
    TempFolder elsewhere;
    const QString root = music.path() + u'/';
    music.write(s("a.mid"), "x");
    music.write(s("sub/b.mid"), "x");
    music.write(s("locked/z.mid"), "x");
    elsewhere.write(s("outside.mid"), "x");
    ASSERT_TRUE(QFile::link(music.path(), root + s("sub/loop")));
    ASSERT_TRUE(QFile::link(elsewhere.path(), root + s("outside")));
    ASSERT_TRUE(QFile::link(root + s("a.mid"), root + s("link.mid")));
    ASSERT_TRUE(QFile::link(root + s("gone"), root + s("dangling.mid")));
    ASSERT_EQ(mkfifo(QFile::encodeName(root + s("pipe.mid")).constData(), 0600), 0);
    ASSERT_EQ(chmod(QFile::encodeName(root + s("locked")).constData(), 0), 0);

    FolderTreeWalk walk(music.path(), ParseSearchMasks(s("*.mid")));
    runWithoutReadOverride([&walk] {
        while (!walk.step(std::chrono::milliseconds(10))) {
        }
    });
    chmod(QFile::encodeName(root + s("locked")).constData(), 0700);
    EXPECT_EQ(walk.found(0), (QStringList{root + s("a.mid"), root + s("link.mid"), root + s("sub/b.mid")}));
    EXPECT_EQ(walk.unreadableFolders(), 1);
}

TEST(SearchDialogModelTest, TabsEnablingAndTabKeys) {
    TempFolder music;
    SearchDialogModel model;
    model.open({false, s("*.mid"), 4, music.path(), QString()});
    EXPECT_EQ(model.tab(), SearchDialogModel::Tab::Files);
    EXPECT_EQ(model.initialFocus(), SearchDialogModel::Focus::FilterEdit);
    EXPECT_EQ(model.filterText(), s("*.mid;"));
    EXPECT_TRUE(model.okEnabled());
    EXPECT_TRUE(model.tipsEnabled());
    EXPECT_TRUE(model.takeTabKey(u'p', false));  // consumed, but there is no Play List tab to show
    EXPECT_EQ(model.tab(), SearchDialogModel::Tab::Files);
    model.setFolder(music.file(s("missing")));
    EXPECT_FALSE(model.okEnabled());
    EXPECT_EQ(model.okAction(), SearchDialogModel::Action::None);

    // A dropped folder wins over the File List's; a mask ending in ";" keeps its one ";".
    model.open({true, s("*.mid;*.wav;"), 0, s("/nowhere"), music.path()});
    EXPECT_EQ(model.folder(), music.path());
    EXPECT_EQ(model.filterText(), s("*.mid;*.wav;"));
    EXPECT_EQ(model.tab(), SearchDialogModel::Tab::PlayList);
    EXPECT_EQ(model.initialFocus(), SearchDialogModel::Focus::SearchEdit);
    EXPECT_FALSE(model.okEnabled());  // no text to find yet
    EXPECT_FALSE(model.tipsEnabled());
    model.setSearchText(s("waltz"));
    EXPECT_EQ(model.okAction(), SearchDialogModel::Action::FindInPlayList);
    EXPECT_EQ(model.findStart(7), 7);
    model.setEntirePlayList(true);
    EXPECT_EQ(model.findStart(7), 0);

    EXPECT_FALSE(model.takeTabKey(u'G', true));  // typed into an edit
    EXPECT_EQ(model.tab(), SearchDialogModel::Tab::PlayList);
    EXPECT_FALSE(model.takeTabKey(u'x', false));
    EXPECT_TRUE(model.takeTabKey(u'G', false));
    EXPECT_EQ(model.tab(), SearchDialogModel::Tab::Files);
    EXPECT_EQ(model.okAction(), SearchDialogModel::Action::StartSearch);

    model.searchStarted();
    model.searchProgress(s("/music/a"), 3);
    EXPECT_FALSE(model.fieldsEnabled());
    EXPECT_EQ(model.okCaption(), s("&Stop"));
    EXPECT_EQ(model.okAction(), SearchDialogModel::Action::StopSearch);
    EXPECT_TRUE(model.cancelStopsSearch());
    model.searchEnded();
    EXPECT_EQ(model.okCaption(), s("&Search"));
    EXPECT_EQ(model.progressText(), s("Not yet available - please press the &Search button"));
    EXPECT_EQ(model.filesFoundText(), s("N / A"));
}
