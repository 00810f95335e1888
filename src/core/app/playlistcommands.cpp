// The commands of the Play List file and of editing the Play List: the File menu's, Undo, Cut and
// Paste, removing, moving, sorting and the played marks, and the buttons beside the Play List.

#include "core/app/appsession.h"

#include "core/common/clipboard.h"

namespace {

QString latin(const char* text) {
    return QString::fromLatin1(text);
}

}  // namespace

void AppSession::declareFileAndEditCommands() {
    m_commands.bind(latin("NewM"), [this] { m_document.NewPlayList(); });
    m_commands.bind(latin("OpenM"), [this] { m_document.OpenPlayList(QString(), true, false); });
    m_commands.bind(latin("SaveM"), [this] { m_document.SavePlayList(false); });
    m_commands.bind(latin("SaveAsM"), [this] { m_document.SavePlayList(true); });
    m_commands.bind(latin("ExitM"), [this] { Q_EMIT exitRequested(); });
    for (int n = 1; n <= Preferences::kHistorySize; ++n) {
        m_commands.bind(QStringLiteral("History%1M").arg(n),
                        [this, n] { m_favoritesAndHistory.OpenHistoryEntry(n); });
    }
    const std::pair<const char*, void (PlayListEditor::*)()> editing[] = {
        {"UndoM", &PlayListEditor::Undo},
        {"RedoM", &PlayListEditor::Redo},
        {"CutM", &PlayListEditor::Cut},
        {"PasteM", &PlayListEditor::Paste},
        {"RemoveM", &PlayListEditor::RemoveSelectedItems},
        {"RemoveAllM", &PlayListEditor::RemoveAll},
        {"ResetPlayedStatusAllM", &PlayListEditor::ResetPlayedStatusAll},
        {"ResetPlayedStatusSelectedM", &PlayListEditor::TogglePlayedStatusSelected},
        {"MoveUpM", &PlayListEditor::MoveUp},
        {"MoveDownM", &PlayListEditor::MoveDown},
        {"SortAlphabeticallyM", &PlayListEditor::SortAlphabetically},
        {"SortRandomlyM", &PlayListEditor::SortRandomly},
        {"RemoveDuplicateItemsM", &PlayListEditor::RemoveDuplicateItems},
        {"RemoveNonExistantItemsM", &PlayListEditor::RemoveNonExistentItems},
    };
    for (const auto& [name, command] : editing) {
        m_commands.bind(latin(name), [this, command = command] { (m_editor.*command)(); });
    }
    // The buttons beside the Play List, which its context menu names too.
    m_commands.add(latin("RemBtn"), [this] { m_editor.RemoveSelectedItems(); });
    m_commands.add(latin("RemAllBtn"), [this] { m_editor.RemoveAll(); });
    m_commands.add(latin("SpinButtonUp"), [this] { m_editor.MoveUp(); });
    m_commands.add(latin("SpinButtonDown"), [this] { m_editor.MoveDown(); });
    m_commands.add(latin("BrowseSB"), [this] { m_editor.browseForItem(); });
    m_commands.addStateRule([this](CommandStates& states) { editStates(states); });
}

void AppSession::editStates(CommandStates& states) const {
    const PlayListControls controls = m_editor.controls();
    const UndoHistory& undo = m_editor.undoHistory();
    // Cut and Paste edit the Play List only while it has the focus.
    const bool focused = m_lists.playListFocused();
    const bool hasLines = m_playList.lineCount() > 0;
    const bool several = m_playList.count() > 1;
    const std::pair<const char*, bool> enabled[] = {
        {"UndoM", undo.canUndo()},
        {"RedoM", undo.canRedo()},
        {"CutM", focused && m_playList.selectedCount() > 0},
        {"PasteM", focused && !m_ports.clipboard.text().isEmpty()},
        {"RemoveM", controls.remove},
        {"RemoveAllM", controls.removeAll},
        {"ResetPlayedStatusAllM", hasLines},
        {"ResetPlayedStatusSelectedM", hasLines},
        {"MoveUpM", controls.move && m_playList.selectedCount() > 0},
        {"MoveDownM", controls.move && m_playList.selectedCount() > 0},
        {"SortAlphabeticallyM", several},
        {"SortRandomlyM", several},
        {"RemoveDuplicateItemsM", several},
        {"RemoveNonExistantItemsM", several},
        {"RemBtn", controls.remove},
        {"RemAllBtn", controls.removeAll},
        {"SpinButtonUp", controls.move},
        {"SpinButtonDown", controls.move},
        {"BrowseSB", controls.browse},
    };
    for (const auto& [name, on] : enabled) {
        states[latin(name)].enabled = on;
    }
    states[latin("UndoM")].caption = undo.undoCaption();
}
