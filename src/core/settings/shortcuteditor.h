#pragma once

#include <QString>
#include <QStringList>

class Prompter;
class Shortcuts;

// The logic of the Preferences page that edits shortcuts: a selected item of the menu tree, the
// key-combination box, the list of conflicting items, and the rules for assigning, resolving
// conflicts and resetting. Changes reach the Shortcuts at once.
class ShortcutEditor {
public:
    ShortcutEditor(Shortcuts& shortcuts, Prompter& prompter) : m_shortcuts(shortcuts), m_prompter(prompter) {}

    // While the program starts up, nothing is checked or assigned.
    void setStartingUp(bool starting) { m_startingUp = starting; }

    qsizetype selected() const { return m_selected; }
    int hotKey() const { return m_hotKey; }
    // The entry box takes a new value (the user typed a combination).
    void setHotKey(int value) { m_hotKey = value; }

    // A tree node was selected: the box shows its shortcut and conflicts are listed.
    void selectNode(qsizetype item);
    // The tree asks to leave the selected node; false refuses once, after the conflict was put to the user.
    bool ShortCutsTreeViewChanging();
    // The box's value is applied (the box lost the focus, the selection is about to change, or a reset).
    void ChangeShortCut(bool viaSelectionChange);
    void resetThis();
    // Asks first; false when the user said No.
    bool resetAll();

    // The conflict list as shown: the captions of the items sharing the box's value, or "None".
    QStringList conflictList() const;
    bool conflictListEnabled() const { return !m_conflicts.isEmpty(); }
    // An entry of the conflict list was chosen: returns the item to select, or -1.
    qsizetype chooseConflict(const QString& caption);

private:
    bool FindConflicts();

    Shortcuts& m_shortcuts;
    Prompter& m_prompter;
    qsizetype m_selected = -1;
    int m_hotKey = 0;
    int m_remembered = 0;
    bool m_conflictHandled = false;
    bool m_startingUp = false;
    QStringList m_conflicts;
};
