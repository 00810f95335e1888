#include "core/common/activelists.h"
#include "core/common/sourcelines.h"
#include "core/playback/transportpreview.h"
#include "core/common/itemref.h"
#include "support/sessionfixture.h"
#include "support/standinlist.h"

#include <gtest/gtest.h>

namespace {

// Lines that are plain names.
class NameLines : public SourceLines {
public:
    void setNames(const QStringList& names) {
        m_names = names;
        m_selection.reset(names.size());
        m_focusedLine = names.isEmpty() ? -1 : 0;
        Q_EMIT reset();
    }
    qsizetype lineCount() const override { return m_names.size(); }
    const QString& name(qsizetype line) const { return m_names.at(line); }

private:
    QStringList m_names;
};

// A kind of list the session was not built for (as the palette's and tray's lists will be): files of a
// folder that play one after the other to the end; Rename and Delete count what they were asked.
class FolderOfFiles : public MediaList {
public:
    explicit FolderOfFiles(const QStringList& names) { m_lines.setNames(names); }

    int renamed = 0;
    int removed = 0;

    NameLines& names() { return m_lines; }
    SourceLines* lines() override { return &m_lines; }
    bool isShown() const override { return true; }
    bool canPlay() const override { return lineCount() > 0; }
    PlayItem itemAt(qsizetype line) const override {
        PlayItem item;
        if (line >= 0 && line < m_lines.lineCount()) {
            item = {PlayItem::Kind::File, line, QStringLiteral("/f/") + m_lines.name(line)};
            item.title = m_lines.name(line);
        }
        return item;
    }
    PlayItem itemToStart(bool) override { return itemAt(std::max<qsizetype>(m_lines.focusedLine(), 0)); }
    void itemStarted(const PlayItem& item, qint64) override { m_playing = item.line; }
    ListStep step(int direction) override {
        const qsizetype next = (m_playing >= 0 ? m_playing : m_lines.focusedLine()) + direction;
        if (next < 0 || next >= m_lines.lineCount()) {
            return ListStep::Stay;
        }
        m_lines.setFocusedLine(next);
        return ListStep::Start;
    }
    ListStep afterItem() override { return m_playing + 1 < m_lines.lineCount() ? step(+1) : ListStep::End; }
    void playingLeft() override { m_playing = -1; }
    qsizetype playingLine() const override { return m_playing; }
    TransportPreview preview(bool playing) const override {
        return PreviewLines(
            m_lines, [this](qsizetype line) { return m_lines.name(line); },
            playing && m_playing >= 0 ? m_playing : m_lines.focusedLine());
    }
    bool canRename() const override { return selectedCount() > 0; }
    void rename() override { ++renamed; }
    bool canDelete() const override { return selectedCount() > 0; }
    void remove() override { ++removed; }
    bool canAdd() const override { return selectedCount() > 0; }
    QStringList selectedItems() const override {
        QStringList refs;
        for (const qsizetype line : m_lines.selectedLines()) {
            refs.append(MakeFileItem(QStringLiteral("/f/") + m_lines.name(line)));
        }
        return refs;
    }

private:
    NameLines m_lines;
    qsizetype m_playing = -1;
};

class ListKindsTest : public SessionFixture {
protected:
    CommandState state(const char* name) {
        session->commands().refreshNow();
        return session->commands().state(QString::fromLatin1(name));
    }
    QStringList opened() const { return device.log.filter(QStringLiteral("open /f/")); }
};

// The lists the session knows nothing of, plugged in as the list the user acts on and the one Add takes
// from: Play, Next, the end of an item, Add, Rename and Delete all go by what the list answers.
TEST_F(ListKindsTest, AListOfANewKindPlaysStepsAndTakesTheListCommands) {
    start();
    FolderOfFiles folder({s("one.wav"), s("two.wav"), s("three.wav")});
    for (const char* name : {"one.wav", "two.wav", "three.wav"}) {
        device.files[s("/f/") + s(name)].length = 5000;
    }
    session->lists().setFocused(folder);
    session->lists().setRightHand(&folder);

    ASSERT_TRUE(state("PlayM").enabled);
    EXPECT_FALSE(state("RenM").enabled);
    EXPECT_FALSE(state("AddBtn").enabled);
    session->runCommand(s("PlayM"));
    EXPECT_EQ(opened(), lines({"open /f/one.wav"}));
    EXPECT_EQ(session->controller().windowTitle(), s("one.wav - Velmaro 4.02"));
    EXPECT_TRUE(session->lists().isPlaying(folder));
    EXPECT_EQ(session->controller().transport().nextItem, s("two.wav"));

    session->runCommand(s("NextM"));
    EXPECT_EQ(opened(), lines({"open /f/one.wav", "open /f/two.wav"}));
    EXPECT_EQ(folder.playingLine(), 1);
    device.advance(5000);  // two ends by itself: three follows, and after it nothing
    EXPECT_EQ(opened().last(), s("open /f/three.wav"));
    device.advance(5000);
    EXPECT_EQ(session->lists().playing(), nullptr);
    EXPECT_FALSE(state("StopM").enabled);

    folder.names().setSelected(2, true);
    ASSERT_TRUE(state("RenM").enabled);
    ASSERT_TRUE(state("DelBtn").enabled);
    ASSERT_TRUE(state("AddBtn").enabled);
    session->runCommand(s("RenM"));
    session->runCommand(s("DelBtn"));
    session->runCommand(s("AddBtn"));
    EXPECT_EQ(folder.renamed, 1);
    EXPECT_EQ(folder.removed, 1);
    ASSERT_EQ(session->playList().count(), 1);
    EXPECT_EQ(session->playList().item(0), MakeFileItem(s("/f/three.wav")));
}

// Play starts from the focused list when it shows lines, else from the Play List, else from the
// right-hand list; Next and Previous preview the list that plays, else the focused one if it plays items.
TEST(ActiveListsTest, PlayAndThePreviewsFindTheirListInOrder) {
    NameLines playListLines;
    NameLines rightLines;
    StandInList playList(&playListLines);
    StandInList right(&rightLines);
    struct Folders : StandInList {
        bool playsItems() const override { return false; }
    } folders;  // a list that plays nothing, as the Folder List
    ActiveLists lists(playList);
    lists.setRightHand(&right);

    EXPECT_EQ(lists.listToPlay(), nullptr);
    rightLines.setNames({s("r")});
    EXPECT_EQ(lists.listToPlay(), &right);
    playListLines.setNames({s("p")});
    EXPECT_EQ(lists.listToPlay(), &playList);
    lists.setFocused(right);
    EXPECT_EQ(lists.listToPlay(), &right);
    rightLines.setNames({});
    EXPECT_EQ(lists.listToPlay(), &playList);
    lists.setFocused(folders);
    EXPECT_EQ(lists.listToPlay(), &playList);

    EXPECT_EQ(lists.referenceList(), nullptr);  // the previews stay as they were
    lists.setFocused(playList);
    EXPECT_EQ(lists.referenceList(), &playList);
    lists.setPlaying(&right);
    EXPECT_EQ(lists.referenceList(), &right);
    EXPECT_TRUE(lists.otherListPlays());
    EXPECT_FALSE(lists.playListPlays());
}

}  // namespace
