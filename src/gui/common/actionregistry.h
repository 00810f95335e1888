#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

class CommandDispatcher;
class CommandTable;
class QAbstractButton;
class QAction;
class QMenu;
class Shortcuts;
struct CommandState;

// One QAction per command of the table, shared by every surface that shows the command: the main menu,
// the toolbar, the View toggles. A surface asks for the action by the command's name and only lays it out;
// triggering it runs the command through the dispatcher as the window's own input, and every announced
// change of the states reaches all actions in one pass.
class ActionRegistry : public QObject {
    Q_OBJECT

public:
    ActionRegistry(CommandTable& table, CommandDispatcher& dispatcher, QObject* parent = nullptr);

    // The command's action, made on first request. An unknown name gets a disabled action that does
    // nothing, and the table notes the name.
    QAction* action(const QString& name);
    // An action made elsewhere (a submenu's) that shows this command's state.
    void adopt(const QString& name, QAction* action);
    // A button of the window runs the command and shows its caption, hint and enabling.
    void bindButton(QAbstractButton* button, const QString& name);
    // Fills a menu that is laid out as it opens with these commands' actions, "-" for a separator.
    void fillMenu(QMenu* menu, const QStringList& names);
    // Runs the command as the window's own input does.
    void run(const QString& name);
    // Every action of a command with a stored shortcut takes its current one.
    void applyShortcuts(const Shortcuts& shortcuts);
    // Brings every action up to date with the table now.
    void refresh();

    CommandTable& table() const { return m_table; }
    QList<QAction*> actions() const { return m_actions.values(); }

private:
    void show(const QString& name, QAction* action, const CommandState& state);
    void showButton(QAbstractButton* button, const CommandState& state);

    CommandTable& m_table;
    CommandDispatcher& m_dispatcher;
    QHash<QString, QAction*> m_actions;
    QHash<QString, QAction*> m_adopted;
    QHash<QString, QAbstractButton*> m_buttons;
    QSet<const QAction*> m_hiddenByState;
};
