#include "core/settings/shortcuts.h"

#include "core/common/fittext.h"
#include "core/settings/inifile.h"
#include "core/settings/shortcutvalue.h"
#include "core/shell/menutable.h"

#include <algorithm>

namespace {

const QString kSection = QStringLiteral("ShortCuts");

// Indexes into the main menu table of the shortcut items.
const std::vector<qsizetype>& itemIndexes() {
    static const std::vector<qsizetype> indexes = [] {
        std::vector<qsizetype> found;
        const std::vector<MenuEntry>& entries = MainMenuEntries();
        for (size_t i = 0; i < entries.size(); ++i) {
            const MenuEntry& entry = entries[i];
            if (!entry.caption.isEmpty() && !entry.isSeparator() && !entry.excludedFromShortcuts) {
                found.push_back(static_cast<qsizetype>(i));
            }
        }
        return found;
    }();
    return indexes;
}

const MenuEntry& entryOf(qsizetype item) {
    return MainMenuEntries()[static_cast<size_t>(itemIndexes()[static_cast<size_t>(item)])];
}

QString keyName(int code) {
    if ((code >= 0x30 && code <= 0x39) || (code >= 0x41 && code <= 0x5A)) {
        return QString(QChar(code));
    }
    if (code >= 0x70 && code <= 0x87) {
        return QStringLiteral("F%1").arg(code - 0x70 + 1);
    }
    struct Named {
        int code;
        const char* name;
    };
    static constexpr Named names[] = {
        {0x08, "Backspace"}, {0x09, "Tab"},   {0x0D, "Enter"},  {0x13, "Pause"}, {0x1B, "Esc"},
        {0x20, "Space"},     {0x21, "PgUp"},  {0x22, "PgDown"}, {0x23, "End"},   {0x24, "Home"},
        {0x25, "Left"},      {0x26, "Up"},    {0x27, "Right"},  {0x28, "Down"},  {0x2D, "Ins"},
        {0x2E, "Del"},       {0xBA, ";"},     {0xBB, "="},      {0xBC, ","},     {0xBD, "-"},
        {0xBE, "."},         {0xBF, "/"},     {0xDB, "["},      {0xDD, "]"},
    };
    for (const Named& named : names) {
        if (named.code == code) {
            return QString::fromLatin1(named.name);
        }
    }
    if (code >= 0x60 && code <= 0x69) {
        return QStringLiteral("Num %1").arg(code - 0x60);
    }
    return QStringLiteral("#%1").arg(code);
}

}  // namespace

const QStringList& Shortcuts::ShortcutItems() {
    static const QStringList names = [] {
        QStringList list;
        for (qsizetype index : itemIndexes()) {
            list.append(MainMenuEntries()[static_cast<size_t>(index)].name);
        }
        return list;
    }();
    return names;
}

Shortcuts::Shortcuts() {
    resetAll();
}

QString Shortcuts::caption(qsizetype i) const {
    return QString(entryOf(i).caption).remove(u'&');
}

bool Shortcuts::hasSubItems(qsizetype i) const {
    return HasSubItems(itemIndexes()[static_cast<size_t>(i)]);
}

int Shortcuts::depth(qsizetype i) const {
    return entryOf(i).depth;
}

int Shortcuts::defaultValue(qsizetype i) const {
    return entryOf(i).shortcut;
}

int Shortcuts::valueOf(const QString& name) const {
    const qsizetype i = indexOf(name);
    if (i >= 0) {
        return value(i);
    }
    const MenuEntry* entry = FindMenuEntry(name);
    return entry ? entry->shortcut : 0;
}

void Shortcuts::LoadShortcuts(const IniFile& file) {
    for (qsizetype i = 0; i < count(); ++i) {
        m_values[static_cast<size_t>(i)] = file.intValue(kSection, name(i), value(i));
    }
}

void Shortcuts::SaveShortcuts(IniFile& file) const {
    for (qsizetype i = 0; i < count(); ++i) {
        file.setInt(kSection, name(i), value(i));
    }
}

void Shortcuts::resetAll() {
    m_values.resize(itemIndexes().size());
    for (qsizetype i = 0; i < count(); ++i) {
        m_values[static_cast<size_t>(i)] = defaultValue(i);
    }
}

QStringList Shortcuts::FindConflicts(qsizetype selected, int value) const {
    QStringList captions;
    for (qsizetype i = 0; i < count(); ++i) {
        if (i != selected && this->value(i) != 0 && this->value(i) == value) {
            captions.append(caption(i));
        }
    }
    return captions;
}

QString ShortcutText(int value) {
    if (value == 0) {
        return {};
    }
    QString text;
    if (value & ShortcutValue::kCtrl) {
        text += QStringLiteral("Ctrl+");
    }
    if (value & ShortcutValue::kAlt) {
        text += QStringLiteral("Alt+");
    }
    if (value & ShortcutValue::kShift) {
        text += QStringLiteral("Shift+");
    }
    return text + keyName(value & 0xFF);
}

QString ToolbarHint(const QString& toolbarItemName, const Shortcuts& shortcuts) {
    if (!toolbarItemName.endsWith(QStringLiteral("SI"))) {
        return {};
    }
    // Names are matched as the toolkit finds components, without regard to case: the Scroll Bar
    // button's twin is "ViewScrollbarM".
    const QString menuName = toolbarItemName.chopped(2) + u'M';
    const std::vector<MenuEntry>& entries = MainMenuEntries();
    const auto entry = std::find_if(entries.begin(), entries.end(), [&menuName](const MenuEntry& e) {
        return e.name.compare(menuName, Qt::CaseInsensitive) == 0;
    });
    if (entry == entries.end()) {
        return {};
    }
    QString hint = QString(entry->caption).remove(u'&');
    const int value = shortcuts.valueOf(entry->name);
    if (value != 0) {
        hint += QStringLiteral(" (") + ShortcutText(value) + u')';
    }
    return hint + u'|';
}

QString ModeSelectorCaption(const QString& mode, int shortcut, const TextMeasurer& measurer, int panelWidth) {
    const QString caption = shortcut != 0 ? mode + QStringLiteral(" (") + ShortcutText(shortcut) + u')' : mode;
    return FitText(measurer, panelWidth - 4, caption);
}
