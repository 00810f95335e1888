#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class IniFile;
class TextMeasurer;

// The keyboard shortcuts of the main menu. Every menu item whose caption is neither empty nor "-" and
// that the shortcut editor does not exclude takes part (the ShortcutItems, in menu order); the
// excluded items keep their built-in shortcuts. Values are stored as virtual-key code + modifier flags.
class Shortcuts {
public:
    Shortcuts();

    // The component names of the shortcut items, in menu order.
    static const QStringList& ShortcutItems();

    qsizetype count() const { return static_cast<qsizetype>(m_values.size()); }
    qsizetype indexOf(const QString& name) const { return ShortcutItems().indexOf(name); }
    const QString& name(qsizetype i) const { return ShortcutItems().at(i); }
    // The caption without "&", as the editor's tree and conflict list show it.
    QString caption(qsizetype i) const;
    bool hasSubItems(qsizetype i) const;
    int depth(qsizetype i) const;

    int value(qsizetype i) const { return m_values[static_cast<size_t>(i)]; }
    void setValue(qsizetype i, int value) { m_values[static_cast<size_t>(i)] = value; }
    int defaultValue(qsizetype i) const;
    // The shortcut of any menu item: an item's current one, or the built-in one of an excluded item.
    int valueOf(const QString& name) const;

    // Missing or non-numeric keys keep the current shortcut.
    void LoadShortcuts(const IniFile& file);
    // All of them, 0 included.
    void SaveShortcuts(IniFile& file) const;
    void resetAll();

    // Captions of the other items that carry this non-zero value.
    QStringList FindConflicts(qsizetype selected, int value) const;

    bool operator==(const Shortcuts& other) const { return m_values == other.m_values; }

private:
    std::vector<int> m_values;
};

// The text of a shortcut value: modifier names each followed by "+", then the key ("Ctrl+Shift+P", "F6").
QString ShortcutText(int value);

// A toolbar item's hint from its menu twin ("FloatingPalSI" takes "FloatingPalM"): the caption without
// "&", " (" + shortcut + ")" when there is one, and "|". Empty when there is no such menu item.
QString ToolbarHint(const QString& toolbarItemName, const Shortcuts& shortcuts);

// A mode selector's caption: "File Management Mode" or "CD Audio Mode", with " (" + shortcut + ")" when
// the mode's menu item has one, fitted to the panel less 4 pixels.
QString ModeSelectorCaption(const QString& mode, int shortcut, const TextMeasurer& measurer, int panelWidth);
