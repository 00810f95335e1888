#include "core/settings/inifile.h"
#include "core/settings/shortcuteditor.h"
#include "core/settings/shortcuts.h"
#include "core/settings/shortcutvalue.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

namespace {

int ctrl(char key) {
    return ShortcutValue::kCtrl + key;
}

TEST(Shortcuts, TheItemsAreTheMenusCapableItemsInMenuOrder) {
    const QStringList expected = s(
        "FileM NewM OpenM SaveM SaveAsM DelPLM RenPLM ExitM EditM UndoM RedoM CutM CopyM PasteM PlayListM "
        "SelectAllM UnselectAllM InvertSelectionM SelectPlayingItemM ResetPlayedStatusAllM "
        "ResetPlayedStatusSelectedM FileManagementM OpenInMyComputerM ExploreM PropertiesM CDAudioM RearrangeM "
        "SaveTracklistM EditItemM FindM FindAgainM ViewM ComponentsM ViewPlayListM ViewFileListM ViewToolBarM "
        "ViewScrollbarM ViewStatusBarM ViewSpinButtonM ViewPathEditM ViewLabelsM ViewModeSelectorM ViewFilterBoxM "
        "ViewFilterEditM ToolbarM CustomizeToolbarM DefaultToolbarM PathsM ExtensionsM TagTitlesM FileManModeM CDAudioModeM "
        "FloatingPalM MixerM VLPropM PlayListLogM PlayListErrorLogM PrefM OrganizeM MoveUpM MoveDownM "
        "SortAlphabeticallyM SortRandomlyM RemoveDuplicateItemsM RemoveNonExistantItemsM ShowFolderOfThisFileM "
        "AudioM PlayM PauseM StopM RewindM EjectM PrevM NextM LoopSongOnceM LoopSongForeverM LoopPlayListM "
        "RandomPlayM AutoPlayM ChangePosM HelpM ContentsM TopicSearchM HelpOnHelpM IntroductionM "
        "GettingStartedGuideM ContactInformationM HomePageM MailusM AboutM")
                                   .split(u' ');
    EXPECT_EQ(expected.size(), 90);
    EXPECT_EQ(Shortcuts::ShortcutItems(), expected);
}

TEST(Shortcuts, BuiltInValuesAndTheExcludedItems) {
    const Shortcuts shortcuts;
    const std::pair<const char*, int> builtIn[] = {
        {"NewM", 16462},        {"ExitM", 32883},           {"SelectPlayingItemM", 24649}, {"PropertiesM", 32781},
        {"FindAgainM", 114},    {"ViewPlayListM", 24656},   {"FileManModeM", 117},         {"AboutM", 8304},
        {"LoopSongForeverM", 24652}, {"RedoM", 0},           {"FileM", 0},
        // Excluded from the editor, but they keep their own.
        {"AddM", 32836},        {"AddAllM", 32844},         {"RemoveM", 32850},            {"RemoveAllM", 32845},
        {"RenM", 32846},        {"DelM", 32852},            {"NewDirM", 32855},            {"History1M", 0},
    };
    for (const auto& [name, value] : builtIn) {
        EXPECT_EQ(shortcuts.valueOf(s(name)), value) << name;
    }
    EXPECT_EQ(shortcuts.indexOf(s("AddM")), -1);
    EXPECT_TRUE(shortcuts.hasSubItems(shortcuts.indexOf(s("PlayListM"))));
    EXPECT_FALSE(shortcuts.hasSubItems(shortcuts.indexOf(s("NewM"))));
}

TEST(Shortcuts, LoadAndSaveAllItemsThroughTheSettingsFile) {
    IniFile file(lines({"[Shortcuts]", "NewM=0", "OpenM=abc", "PlayM=0x4050", "StopM=24656"}));
    Shortcuts shortcuts;
    shortcuts.LoadShortcuts(file);
    EXPECT_EQ(shortcuts.valueOf(s("NewM")), 0);
    EXPECT_EQ(shortcuts.valueOf(s("OpenM")), 16463);  // unreadable: built-in stays
    EXPECT_EQ(shortcuts.valueOf(s("PlayM")), 16464);
    EXPECT_EQ(shortcuts.valueOf(s("StopM")), 24656);
    EXPECT_EQ(shortcuts.valueOf(s("SaveM")), 16467);

    IniFile written;
    shortcuts.SaveShortcuts(written);
    EXPECT_EQ(written.keys(s("Shortcuts")), Shortcuts::ShortcutItems());
    EXPECT_EQ(written.lines().first(), s("[ShortCuts]"));
    EXPECT_EQ(written.value(s("ShortCuts"), s("NewM")), s("0"));
    Shortcuts reread;
    reread.LoadShortcuts(written);
    EXPECT_TRUE(reread == shortcuts);
}

TEST(Shortcuts, EveryTypableKeyRoundTripsThroughItsStoredValue) {
    std::vector<int> codes = {0x08, 0x09, 0x0D, 0x13, 0x1B, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26,
                              0x27, 0x28, 0x2D, 0x2E, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xDB, 0xDD};
    for (int code = 0x30; code <= 0x39; ++code) codes.push_back(code);
    for (int code = 0x41; code <= 0x5A; ++code) codes.push_back(code);
    for (int code = 0x70; code <= 0x87; ++code) codes.push_back(code);
    for (int code : codes) {
        for (int modifiers = 0; modifiers <= 7; ++modifiers) {
            const int value = code | (modifiers & 1 ? ShortcutValue::kShift : 0) |
                              (modifiers & 2 ? ShortcutValue::kCtrl : 0) | (modifiers & 4 ? ShortcutValue::kAlt : 0);
            EXPECT_EQ(ShortcutValue::fromKeyCombination(ShortcutValue::toKeyCombination(value)), value) << value;
            EXPECT_FALSE(ShortcutText(value).isEmpty());
        }
    }
}

TEST(Shortcuts, TextsHintsAndModeCaptions) {
    EXPECT_EQ(ShortcutText(24656), s("Ctrl+Shift+P"));
    EXPECT_EQ(ShortcutText(32781), s("Alt+Enter"));
    EXPECT_EQ(ShortcutText(117), s("F6"));
    EXPECT_EQ(ShortcutText(0), QString());

    Shortcuts shortcuts;
    EXPECT_EQ(ToolbarHint(s("FloatingPalSI"), shortcuts), s("Floating Palette (Ctrl+I)|"));
    EXPECT_EQ(ToolbarHint(s("SaveAsSI"), shortcuts), s("Save As...|"));
    EXPECT_EQ(ToolbarHint(s("NoSuchSI"), shortcuts), QString());
    // The twin is found whatever the case of its letters: "ViewScrollbarM", Ctrl+Shift+O.
    EXPECT_EQ(ToolbarHint(s("ViewScrollBarSI"), shortcuts), s("Scrollbar (Ctrl+Shift+O)|"));
    EXPECT_EQ(ToolbarHint(s("EjectSB"), shortcuts), QString());

    FixedWidthMeasurer measurer;  // 6 pixels a character
    const int fileMode = shortcuts.valueOf(s("FileManModeM"));
    EXPECT_EQ(ModeSelectorCaption(s("File Management Mode"), fileMode, measurer, 400), s("File Management Mode (F6)"));
    EXPECT_EQ(ModeSelectorCaption(s("File Management Mode"), 0, measurer, 400), s("File Management Mode"));
    // Without F6 the caption is 20 characters (120 pixels): it is shortened to 96 pixels.
    EXPECT_EQ(ModeSelectorCaption(s("File Management Mode"), 0, measurer, 100), s("File Manageme..."));
}

class ShortcutEditorTest : public ::testing::Test {
protected:
    Shortcuts shortcuts;
    FakePrompter prompter;
    ShortcutEditor editor{shortcuts, prompter};

    qsizetype item(const char* name) const { return shortcuts.indexOf(s(name)); }
    // The user selects the item, types the combination and leaves the box.
    void type(const char* name, int value) {
        editor.selectNode(item(name));
        editor.setHotKey(value);
        editor.ChangeShortCut(false);
    }
};

TEST_F(ShortcutEditorTest, AConflictListsTheOtherItemsCaptions) {
    editor.selectNode(item("StopM"));
    EXPECT_EQ(editor.conflictList(), QStringList{s("None")});
    EXPECT_FALSE(editor.conflictListEnabled());
    prompter.messageAnswers = {Prompter::Answer::Ignore};
    type("StopM", ctrl('P'));
    EXPECT_EQ(editor.conflictList(), QStringList{s("Play")});
    EXPECT_TRUE(editor.conflictListEnabled());
    // Ignore keeps both.
    EXPECT_EQ(shortcuts.valueOf(s("StopM")), ctrl('P'));
    EXPECT_EQ(shortcuts.valueOf(s("PlayM")), ctrl('P'));
    EXPECT_EQ(editor.chooseConflict(s("Play")), item("PlayM"));
}

TEST_F(ShortcutEditorTest, OkMovesTheShortcutAndCancelPutsTheOldOneBack) {
    prompter.messageAnswers = {Prompter::Answer::Ok};
    type("StopM", ctrl('P'));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Warning);
    EXPECT_TRUE(prompter.messages[0].text.startsWith(
        s("The shortcut of this item has already been assigned to one or more items. Would you like")));
    EXPECT_EQ(shortcuts.valueOf(s("StopM")), ctrl('P'));
    EXPECT_EQ(shortcuts.valueOf(s("PlayM")), 0);
    EXPECT_EQ(editor.conflictList(), QStringList{s("None")});

    shortcuts.resetAll();
    prompter.messageAnswers = {Prompter::Answer::Cancel};
    type("StopM", ctrl('P'));
    EXPECT_EQ(shortcuts.valueOf(s("StopM")), ctrl('T'));
    EXPECT_EQ(shortcuts.valueOf(s("PlayM")), ctrl('P'));
    EXPECT_EQ(editor.hotKey(), ctrl('T'));
}

TEST_F(ShortcutEditorTest, LeavingAnUnhandledConflictIsRefusedOnce) {
    editor.selectNode(item("StopM"));
    editor.setHotKey(ctrl('P'));
    prompter.messageAnswers = {Prompter::Answer::Ignore};
    EXPECT_FALSE(editor.ShortCutsTreeViewChanging());
    EXPECT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(editor.ShortCutsTreeViewChanging());
}

TEST_F(ShortcutEditorTest, ItemsWithSubItemsTakeNoShortcut) {
    editor.selectNode(item("FileM"));
    editor.setHotKey(113);  // F2
    editor.ChangeShortCut(true);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, s("You cannot assign shortcuts to items that contain other items."));
    EXPECT_EQ(shortcuts.valueOf(s("FileM")), 0);

    // A combination another item holds is listed, but never taken from it for nothing.
    editor.selectNode(item("EditM"));
    editor.setHotKey(114);  // F3, Find Again's
    editor.ChangeShortCut(false);
    EXPECT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(editor.conflictList(), QStringList{s("Find Again")});
    EXPECT_EQ(shortcuts.valueOf(s("FindAgainM")), 114);
}

TEST_F(ShortcutEditorTest, ResettingOneOrAll) {
    prompter.messageAnswers = {Prompter::Answer::Ok};
    type("StopM", ctrl('S'));  // takes Save's Ctrl+S away
    EXPECT_EQ(shortcuts.valueOf(s("SaveM")), 0);

    editor.resetThis();
    EXPECT_EQ(shortcuts.valueOf(s("StopM")), ctrl('T'));
    EXPECT_EQ(shortcuts.valueOf(s("SaveM")), 0);

    prompter.messageAnswers = {Prompter::Answer::No};
    EXPECT_FALSE(editor.resetAll());
    EXPECT_EQ(shortcuts.valueOf(s("SaveM")), 0);
    prompter.messageAnswers = {Prompter::Answer::Yes};
    EXPECT_TRUE(editor.resetAll());
    EXPECT_EQ(shortcuts.valueOf(s("SaveM")), ctrl('S'));
    EXPECT_EQ(editor.selected(), 0);
}

TEST_F(ShortcutEditorTest, NothingIsCheckedWhileStartingUp) {
    editor.setStartingUp(true);
    type("StopM", ctrl('P'));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(shortcuts.valueOf(s("StopM")), ctrl('T'));
}

}  // namespace
