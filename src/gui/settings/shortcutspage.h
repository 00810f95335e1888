#pragma once

#include "core/settings/shortcuts.h"

#include <QWidget>

#include <functional>

class HotKeyEdit;
class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;
class ShortcutEditor;

// The Preferences page "General, Shortcuts": the menu tree, the key-combination box, the conflicting
// items and the two reset buttons. It shows the ShortcutEditor and hands every user action to it.
class ShortcutsPage : public QWidget {
    Q_OBJECT

public:
    ShortcutsPage(ShortcutEditor& editor, Shortcuts& shortcuts, QWidget* parent = nullptr);

    // Applies the box's value to the selected item; the dialog runs it on every page change and on closing.
    void applyPending();
    // Builds the tree again from the shortcuts and selects its first node.
    void rebuild();

Q_SIGNALS:
    // A shortcut value changed; the menus take the new values.
    void shortcutsChanged();

private:
    // Whether the tree may leave its selected node (asked before the selection moves).
    bool mayLeaveNode();
    void selectedNodeChanged(QTreeWidgetItem* current);
    void chooseConflict(int index);
    void resetAll();
    // Runs an editor step, then shows its state and announces changed shortcuts.
    void runStep(const std::function<void()>& step);
    void showEditor();
    QTreeWidgetItem* nodeOf(qsizetype item) const;

    ShortcutEditor& m_editor;
    Shortcuts& m_shortcuts;
    Shortcuts m_announced;  // the values last announced to the menus
    bool m_rebuilding = false;
    QTreeWidget* m_tree;
    HotKeyEdit* m_hotKey;
    QComboBox* m_conflicts;
};
