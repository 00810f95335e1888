#include "core/playlist/undohistory.h"

#include <utility>

void UndoHistory::RecordUndo(PlayListSnapshot current, const QString& caption) {
    // An empty list too: Undo takes back the last change, also one that filled an empty list, and
    // never an older one.
    m_undo = std::move(current);
    m_hasUndo = true;
    m_menuCaption = caption;
    m_hintCaption = caption;
}

PlayListSnapshot UndoHistory::takeUndo(PlayListSnapshot current) {
    PlayListSnapshot restored = std::exchange(m_undo, PlayListSnapshot());
    m_hasUndo = false;
    m_redo = std::move(current);
    m_hasRedo = true;
    m_hintCaption.clear();
    return restored;
}

PlayListSnapshot UndoHistory::takeRedo(PlayListSnapshot current) {
    PlayListSnapshot restored = std::exchange(m_redo, PlayListSnapshot());
    m_hasRedo = false;
    m_undo = std::move(current);
    m_hasUndo = true;
    return restored;
}

void UndoHistory::clear() {
    m_undo = PlayListSnapshot();
    m_redo = PlayListSnapshot();
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
