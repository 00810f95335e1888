#include "core/settings/shortcuteditor.h"

#include "core/common/prompter.h"
#include "core/settings/shortcuts.h"

namespace {

// Line breaks only between paragraphs: the box wraps the sentences to its own width, and a break of
// ours inside a sentence would leave a stub of a line wherever its width differs.
const QString kConflictWarning = QStringLiteral(
    "The shortcut of this item has already been assigned to one or more items. "
    "Would you like to assign this shortcut to this item and leave the shortcut "
    "property of the remaining items that share this shortcut blank?\r\n\r\n"
    "If you choose to ignore this, please check the Conflicting Shortcuts box "
    "to locate the other items that share this shortcut.");

}  // namespace

bool ShortcutEditor::FindConflicts() {
    if (m_startingUp) {
        return false;
    }
    m_conflicts = m_shortcuts.FindConflicts(m_selected, m_hotKey);
    return !m_conflicts.isEmpty();
}

QStringList ShortcutEditor::conflictList() const {
    return m_conflicts.isEmpty() ? QStringList{QStringLiteral("None")} : m_conflicts;
}

void ShortcutEditor::selectNode(qsizetype item) {
    m_selected = item;
    m_conflictHandled = false;
    m_hotKey = item >= 0 ? m_shortcuts.value(item) : 0;
    FindConflicts();
}

bool ShortcutEditor::ShortCutsTreeViewChanging() {
    if (m_selected < 0 || m_conflictHandled || m_shortcuts.FindConflicts(m_selected, m_hotKey).isEmpty()) {
        return true;
    }
    ChangeShortCut(true);
    return false;
}

void ShortcutEditor::ChangeShortCut(bool viaSelectionChange) {
    if (m_startingUp || m_selected < 0) {
        return;
    }
    auto assign = [this, viaSelectionChange](bool report) {
        if (!m_shortcuts.hasSubItems(m_selected)) {
            m_remembered = m_shortcuts.value(m_selected);
            m_shortcuts.setValue(m_selected, m_hotKey);
        } else if (report && viaSelectionChange && m_hotKey != 0) {
            m_prompter.showMessage(Prompter::Kind::Information,
                                   QStringLiteral("You cannot assign shortcuts to items that contain other items."));
        }
    };
    assign(true);
    // An item with sub-items took nothing, so nothing may be taken from the others on its behalf.
    if (FindConflicts() && !m_conflictHandled && !m_shortcuts.hasSubItems(m_selected)) {
        switch (m_prompter.showMessage(Prompter::Kind::Warning, kConflictWarning, Prompter::Buttons::OkCancelIgnore)) {
            case Prompter::Answer::Ok:
                for (qsizetype i = 0; i < m_shortcuts.count(); ++i) {
                    if (m_shortcuts.value(i) == m_hotKey) {
                        m_shortcuts.setValue(i, 0);
                    }
                }
                assign(false);
                FindConflicts();
                break;
            case Prompter::Answer::Cancel:
                m_shortcuts.setValue(m_selected, m_remembered);
                m_hotKey = m_remembered;
                FindConflicts();
                break;
            default:
                break;  // Ignore: the duplicate stays
        }
    }
    m_conflictHandled = true;
}

void ShortcutEditor::resetThis() {
    if (m_selected < 0) {
        return;
    }
    m_hotKey = m_shortcuts.defaultValue(m_selected);
    ChangeShortCut(false);
}

bool ShortcutEditor::resetAll() {
    const Prompter::Answer answer =
        m_prompter.showMessage(Prompter::Kind::Confirmation,
                               QStringLiteral("Would you like to reset all shortcuts to their default values?"),
                               Prompter::Buttons::YesNo);
    if (answer != Prompter::Answer::Yes) {
        return false;
    }
    m_shortcuts.resetAll();
    selectNode(m_shortcuts.count() > 0 ? 0 : -1);
    return true;
}

qsizetype ShortcutEditor::chooseConflict(const QString& caption) {
    m_conflictHandled = true;
    for (qsizetype i = 0; i < m_shortcuts.count(); ++i) {
        if (m_shortcuts.caption(i) == caption) {
            return i;
        }
    }
    return -1;
}
