#include "gui/common/actionregistry.h"

#include "core/settings/shortcuts.h"
#include "core/settings/shortcutvalue.h"
#include "core/shell/commanddispatcher.h"
#include "core/shell/commandtable.h"
#include "gui/common/hint.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>

ActionRegistry::ActionRegistry(CommandTable& table, CommandDispatcher& dispatcher, QObject* parent)
    : QObject(parent), m_table(table), m_dispatcher(dispatcher) {
    connect(&m_table, &CommandTable::statesChanged, this, &ActionRegistry::refresh);
}

QAction* ActionRegistry::action(const QString& name) {
    if (QAction* existing = m_actions.value(name)) {
        return existing;
    }
    auto* item = new QAction(this);
    item->setObjectName(name);
    m_actions.insert(name, item);
    const CommandTable::Command* command = m_table.find(name);
    if (!command) {
        m_table.noteUnknown(name);
        item->setEnabled(false);
        return item;
    }
    item->setText(command->caption);
    connect(item, &QAction::triggered, this, [this, name] { run(name); });
    show(name, item, m_table.state(name));
    return item;
}

void ActionRegistry::adopt(const QString& name, QAction* action) {
    if (!m_table.contains(name)) {
        m_table.noteUnknown(name);
        return;
    }
    m_adopted.insert(name, action);
    show(name, action, m_table.state(name));
}

void ActionRegistry::bindButton(QAbstractButton* button, const QString& name) {
    if (!m_table.contains(name)) {
        m_table.noteUnknown(name);
        button->setEnabled(false);
        return;
    }
    m_buttons.insert(name, button);
    connect(button, &QAbstractButton::clicked, this, [this, name] { run(name); });
    const CommandTable::Command* command = m_table.find(name);
    if (!command->caption.isEmpty()) {
        button->setText(command->caption);
    }
    if (!command->hint.isEmpty()) {
        SetHint(button, command->hint);
    }
    showButton(button, m_table.state(name));
}

void ActionRegistry::fillMenu(QMenu* menu, const QStringList& names) {
    menu->clear();  // the menu's separators go; the shared actions stay with the registry
    for (const QString& name : names) {
        if (name == u"-") {
            menu->addSeparator();
        } else {
            menu->addAction(action(name));
        }
    }
}

void ActionRegistry::run(const QString& name) {
    m_dispatcher.execute(name, CommandOrigin::Window);
}

void ActionRegistry::applyShortcuts(const Shortcuts& shortcuts) {
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        const CommandTable::Command* command = m_table.find(it.key());
        // Submenus open from the menu bar, not by shortcut; toolbar buttons have none of their own.
        const int value = command && !command->opensMenu ? shortcuts.valueOf(it.key()) : 0;
        const QKeyCombination key = ShortcutValue::toKeyCombination(value);
        it.value()->setShortcut(value == 0 || key.key() == Qt::Key_unknown ? QKeySequence()
                                                                           : QKeySequence(key));
    }
}

void ActionRegistry::refresh() {
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        if (m_table.contains(it.key())) {
            show(it.key(), it.value(), m_table.state(it.key()));
        }
    }
    for (auto it = m_adopted.cbegin(); it != m_adopted.cend(); ++it) {
        show(it.key(), it.value(), m_table.state(it.key()));
    }
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it) {
        showButton(it.value(), m_table.state(it.key()));
    }
}

// A state names the caption and hint of the moment (the shared Rename and Delete buttons speak of
// tracks in CD Audio Mode); before the first one the button shows its command's own.
void ActionRegistry::showButton(QAbstractButton* button, const CommandState& state) {
    button->setEnabled(state.enabled);
    if (!state.caption.isEmpty() && button->text() != state.caption) {
        button->setText(state.caption);
    }
    if (!state.hint.isEmpty()) {
        SetHint(button, state.hint);
    }
}

void ActionRegistry::show(const QString& name, QAction* action, const CommandState& state) {
    const CommandTable::Command* command = m_table.find(name);
    if (!action->isSeparator()) {
        action->setEnabled(state.enabled);
    }
    // A hidden state hides the action everywhere; a surface may keep an action hidden of its own
    // accord (a toolbar button not placed), which the states then leave alone.
    if (!state.visible) {
        action->setVisible(false);
        m_hiddenByState.insert(action);
    } else if (m_hiddenByState.remove(action)) {
        action->setVisible(true);
    }
    action->setCheckable(command->checkable || state.checked);
    action->setChecked(state.checked);
    if (action->text() != state.caption && !action->isSeparator()) {
        action->setText(state.caption);
    }
    SetHint(action, state.hint);
}
