#include "core/shell/commandtable.h"

#include "core/shell/contextmenu.h"
#include "core/shell/controltable.h"
#include "core/shell/menutable.h"

#include <QDebug>

CommandTable::CommandTable(QObject* parent) : QObject(parent) {}

void CommandTable::add(const QString& name, std::function<void()> run, bool checkable, bool opensMenu) {
    if (m_index.contains(name)) {
        noteUnknown(name + QStringLiteral(" (declared twice)"));
        return;
    }
    Command command{name, QString(), QString(), checkable, opensMenu, QString(), false, std::move(run)};
    if (const MenuEntry* entry = FindMenuEntry(name)) {
        command.caption = entry->caption;
        command.hint = entry->hint;
        command.checkable = checkable || entry->radio;
    } else if (const ControlEntry* control = FindControlEntry(name)) {
        command.caption = control->caption;
        command.hint = control->hint;
    }
    m_index.insert(name, m_commands.size());
    m_commands.push_back(std::move(command));
    invalidate();
}

void CommandTable::addMenuItems() {
    for (const MenuEntry& entry : MainMenuEntries()) {
        if (!entry.name.isEmpty()) {
            add(entry.name, {}, false, OpensMenu(entry.name));
        }
    }
}

void CommandTable::addTwin(const QString& name, const QString& original, const QString& caption) {
    addTwinOf(name, original, caption, false);
}

void CommandTable::addContextItems() {
    std::vector<ContextMenuItem> items = GeneralContextItems();
    for (const QString& control : ContextMenuControls()) {
        const std::vector<ContextMenuItem> own = ContextItemsFor(control);
        items.insert(items.end(), own.begin(), own.end());
    }
    for (const ContextMenuItem& item : items) {
        // An item that is a command of its own is declared with it; one shared by menus is declared once.
        if (!item.isSeparator() && item.name != item.command && !contains(item.name)) {
            addTwinOf(item.name, item.command, item.caption, true);
        }
    }
}

void CommandTable::addTwinOf(const QString& name, const QString& original, const QString& caption,
                             bool plain) {
    const Command* source = find(original);
    if (!source || !source->twinOf.isEmpty() || m_index.contains(name)) {
        noteUnknown(original);
        return;
    }
    Command twin{name,
                 caption.isEmpty() ? source->caption : caption,
                 plain ? QString() : source->hint,
                 !plain && source->checkable,
                 false,
                 original,
                 plain,
                 {}};
    m_index.insert(name, m_commands.size());
    m_commands.push_back(std::move(twin));
    invalidate();
}

void CommandTable::bind(const QString& name, std::function<void()> run) {
    if (Command* command = findMutable(name); command && command->twinOf.isEmpty()) {
        command->run = std::move(run);
        invalidate();
    } else {
        noteUnknown(name);
    }
}

void CommandTable::setCheckable(const QString& name) {
    if (Command* command = findMutable(name)) {
        command->checkable = true;
    } else {
        noteUnknown(name);
    }
}

CommandTable::Command* CommandTable::findMutable(const QString& name) {
    const auto it = m_index.constFind(name);
    return it == m_index.constEnd() ? nullptr : &m_commands[*it];
}

const CommandTable::Command* CommandTable::find(const QString& name) const {
    const auto it = m_index.constFind(name);
    return it == m_index.constEnd() ? nullptr : &m_commands[*it];
}

QString CommandTable::originalOf(const QString& name) const {
    const Command* command = find(name);
    return command && !command->twinOf.isEmpty() ? command->twinOf : name;
}

QStringList CommandTable::names() const {
    QStringList list;
    list.reserve(static_cast<qsizetype>(m_commands.size()));
    for (const Command& command : m_commands) {
        list.append(command.name);
    }
    return list;
}

void CommandTable::noteUnknown(const QString& name) const {
    if (!m_unknown.contains(name)) {
        qWarning("No command is named \"%s\"", qUtf8Printable(name));
        m_unknown.append(name);
    }
}

void CommandTable::invalidate() {
    if (m_pending) {
        return;
    }
    m_pending = true;
    QMetaObject::invokeMethod(this, &CommandTable::refreshPending, Qt::QueuedConnection);
}

void CommandTable::refreshNow() {
    m_pending = false;
    QHash<QString, CommandState> states = computeStates();
    if (states != m_states) {
        m_states = std::move(states);
        Q_EMIT statesChanged();
    }
}

CommandState& CommandStates::operator[](const QString& name) {
    const auto owner = m_rules.constFind(name);
    if (owner == m_rules.constEnd()) {
        m_rules.insert(name, m_rule);
    } else if (*owner != m_rule && !m_conflicts.contains(name)) {
        m_conflicts.append(name);
    }
    return m_states[name];
}

QHash<QString, CommandState> CommandTable::computeStates() const {
    QHash<QString, CommandState> defaults;
    defaults.reserve(static_cast<qsizetype>(m_commands.size()));
    for (const Command& command : m_commands) {
        defaults.insert(command.name, CommandState{command.opensMenu || bool(command.run), false, true,
                                                   command.caption, command.hint, QString()});
    }
    CommandStates computed(std::move(defaults));
    for (size_t rule = 0; rule < m_rules.size(); ++rule) {
        computed.beginRule(static_cast<int>(rule));
        m_rules[rule](computed);
    }
    m_conflicts = computed.conflicts();
    Q_ASSERT_X(m_conflicts.isEmpty(), "CommandTable",
               qPrintable(QStringLiteral("two state rules set ") + m_conflicts.join(QStringLiteral(", "))));
    QHash<QString, CommandState> states = computed.take();
    for (auto it = states.begin(); it != states.end();) {
        const Command* command = find(it.key());
        if (!command) {
            noteUnknown(it.key());
            it = states.erase(it);
            continue;
        }
        // What nothing carries out cannot be chosen, whatever a rule says.
        if (command->twinOf.isEmpty() && !command->opensMenu && !command->run) {
            it->enabled = false;
        }
        ++it;
    }
    // Twins show their original under their own caption, and their own hint when a rule gave one.
    for (const Command& command : m_commands) {
        if (command.twinOf.isEmpty()) {
            continue;
        }
        const CommandState own = states.value(command.name);
        CommandState shown = states.value(command.twinOf);
        shown.caption = command.caption;
        if (command.plain) {
            shown.hint.clear();
            shown.checked = false;
        } else if (own.hint != command.hint) {
            shown.hint = own.hint;
        }
        states.insert(command.name, shown);
    }
    return states;
}
