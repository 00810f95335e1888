#pragma once

#include "core/playlist/playlist.h"

#include <QString>

#include <vector>

// One level of undo and one of redo, each a snapshot of the Play List: its items with their lengths, and
// the lines that showed them (shared, not copied).
class UndoHistory {
public:
    // Taken before a command changes anything.
    void RecordUndo(PlayListSnapshot current, const QString& caption);
    bool canUndo() const { return m_hasUndo; }
    bool canRedo() const { return m_hasRedo; }
    // The snapshot to restore; the current list becomes the redo (resp. undo) snapshot.
    PlayListSnapshot takeUndo(PlayListSnapshot current);
    PlayListSnapshot takeRedo(PlayListSnapshot current);
    // Opening a Play List forgets both.
    void clear();

    // "U&ndo " + the command's caption, or "U&ndo".
    QString undoCaption() const;
    // The toolbar hint: "Undo (Ctrl+Z): " + caption + "|", or without the caption.
    QString undoHint(const QString& shortcutText) const;
    // The Edit menu opens: with nothing to undo the caption returns to "U&ndo".
    void editMenuOpened();

private:
    PlayListSnapshot m_undo;
    PlayListSnapshot m_redo;
    // Flags rather than emptiness: an empty list is a state Redo can return to (after Remove All).
    bool m_hasUndo = false;
    bool m_hasRedo = false;
    QString m_menuCaption;  // what the menu item names
    QString m_hintCaption;  // what the toolbar hint names
};
