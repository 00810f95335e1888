#include "core/playlist/undohistory.h"

void UndoHistory::RecordUndo(const std::vector<PlayListEntry>& current, const QString& caption) {
    if (current.empty()) {
        return;
    }
    m_undo = current;
    m_hasUndo = true;
    m_menuCaption = caption;
    m_hintCaption = caption;
}

std::vector<PlayListEntry> UndoHistory::takeUndo(const std::vector<PlayListEntry>& current) {
    std::vector<PlayListEntry> restored = std::move(m_undo);
    m_undo.clear();
    m_hasUndo = false;
    m_redo = current;
    m_hasRedo = true;
    m_hintCaption.clear();
    return restored;
}

std::vector<PlayListEntry> UndoHistory::takeRedo(const std::vector<PlayListEntry>& current) {
    std::vector<PlayListEntry> restored = std::move(m_redo);
    m_redo.clear();
    m_hasRedo = false;
    m_undo = current;
    m_hasUndo = true;
    return restored;
}

void UndoHistory::clear() {
    m_undo.clear();
    m_redo.clear();
    m_hasUndo = m_hasRedo = false;
    m_menuCaption.clear();
    m_hintCaption.clear();
}

QString UndoHistory::undoCaption() const {
    return m_menuCaption.isEmpty() ? QStringLiteral("U&ndo") : QStringLiteral("U&ndo ") + m_menuCaption;
}

QString UndoHistory::undoHint(const QString& shortcutText) const {
    QString hint = QStringLiteral("Undo");
    if (!shortcutText.isEmpty()) {
        hint += QStringLiteral(" (") + shortcutText + u')';
    }
    if (!m_hintCaption.isEmpty()) {
        hint += QStringLiteral(": ") + m_hintCaption;
    }
    return hint + u'|';
}

void UndoHistory::editMenuOpened() {
    if (!m_hasUndo) {
        m_menuCaption.clear();
    }
}
