#pragma once

#include "core/playlist/playlist.h"

#include <QString>

#include <vector>

// One level of undo and one of redo, each a whole copy of the Play List with its lengths.
class UndoHistory {
public:
    // Taken before a command changes anything; an empty Play List records nothing.
    void RecordUndo(const std::vector<PlayListEntry>& current, const QString& caption);
    bool canUndo() const { return m_hasUndo; }
    bool canRedo() const { return m_hasRedo; }
    // The snapshot to restore; the current list becomes the redo (resp. undo) snapshot.
    std::vector<PlayListEntry> takeUndo(const std::vector<PlayListEntry>& current);
    std::vector<PlayListEntry> takeRedo(const std::vector<PlayListEntry>& current);
    // Opening a Play List forgets both.
    void clear();

    // "U&ndo " + the command's caption, or "U&ndo".
    QString undoCaption() const;
    // The toolbar hint: "Undo (Ctrl+Z): " + caption + "|", or without the caption.
    QString undoHint(const QString& shortcutText) const;
    // The Edit menu opens: with nothing to undo the caption returns to "U&ndo".
    void editMenuOpened();

private:
    std::vector<PlayListEntry> m_undo;
    std::vector<PlayListEntry> m_redo;
    // Flags rather than emptiness: an empty list is a state Redo can return to (after Remove All).
    bool m_hasUndo = false;
    bool m_hasRedo = false;
    QString m_menuCaption;  // what the menu item names
    QString m_hintCaption;  // what the toolbar hint names
};
