#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// What a command looks like and allows at the moment.
struct CommandState {
    bool enabled = false;
    bool checked = false;
    bool visible = true;
    QString caption;  // the command's own caption unless a rule set another one
    QString hint;     // a menu item's status line; a toolbar button's "tooltip|status line"
    QString refusal;  // why a disabled command cannot run, in the user's words

    bool operator==(const CommandState&) const = default;
};

// The states the rules compute in one pass. A command's state belongs to the one rule that sets it
// (asks for it with []); a second rule setting it would silently overwrite the first one's result, so
// it is noted as a conflict, and a debug build stops there.
class CommandStates {
public:
    explicit CommandStates(QHash<QString, CommandState> states) : m_states(std::move(states)) {}

    // The state of name, to set: from now on it is the current rule's.
    CommandState& operator[](const QString& name);
    // The state as it stands, without setting it.
    CommandState value(const QString& name) const { return m_states.value(name); }
    bool contains(const QString& name) const { return m_states.contains(name); }

    void beginRule(int rule) { m_rule = rule; }
    // Names that two rules set.
    const QStringList& conflicts() const { return m_conflicts; }
    QHash<QString, CommandState> take() { return std::move(m_states); }

private:
    QHash<QString, CommandState> m_states;
    QHash<QString, int> m_rules;  // name -> the rule that set it
    int m_rule = -1;
    QStringList m_conflicts;
};

// Every command of the menus, toolbar, buttons, context menus and remote requests, keyed by its
// component name (the names shortcuts are stored under). A twin ("PlaySI", "play") runs its original
// ("PlayM") and shows its state, under a caption and hint of its own. Surfaces bind to a name and ask for
// the state; the states are computed in one pass and a change is announced once per event-loop turn.
// A name that is no command is noted (unknownNames) and never fails at run time.
class CommandTable : public QObject {
    Q_OBJECT

public:
    struct Command {
        QString name;
        QString caption;
        QString hint;
        bool checkable = false;
        bool opensMenu = false;     // a submenu: enabled without anything to run
        QString twinOf;             // empty for an original
        bool plain = false;         // a twin that shows no hint and no check mark (a context menu's item)
        std::function<void()> run;  // empty while nothing carries the command out
    };
    // Fills in the states of its own commands. Each state starts enabled when the command can run.
    using StateRule = std::function<void(CommandStates&)>;

    explicit CommandTable(QObject* parent = nullptr);

    // An original command; it takes its caption and hint from the menu table or the control table.
    void add(const QString& name, std::function<void()> run = {}, bool checkable = false,
             bool opensMenu = false);
    // Every named item of the main menu, with nothing to run yet; submenus are enabled.
    void addMenuItems();
    void addTwin(const QString& name, const QString& original, const QString& caption = QString());
    // The items of the window's context menus: each a plain twin under its own caption.
    void addContextItems();
    // Carries a declared command out with this function from now on (the window binds its own).
    void bind(const QString& name, std::function<void()> run);
    void setCheckable(const QString& name);
    void addStateRule(StateRule rule) { m_rules.push_back(std::move(rule)); }

    bool contains(const QString& name) const { return m_index.contains(name); }
    const Command* find(const QString& name) const;
    // The command a twin stands for; the name itself for an original or an unknown name.
    QString originalOf(const QString& name) const;
    QStringList names() const;
    // The last announced state; a disabled one for an unknown name.
    CommandState state(const QString& name) const { return m_states.value(name); }

    // Names that were asked for, bound or given a state without being commands: a fault of the program.
    void noteUnknown(const QString& name) const;
    const QStringList& unknownNames() const { return m_unknown; }
    // Commands whose state two rules set at the last computation: a fault of the program.
    const QStringList& ruleConflicts() const { return m_conflicts; }

    // Something the states depend on changed: they are computed again on the next turn.
    void invalidate();
    // Computes the states now and announces them if they changed.
    void refreshNow();
    // As refreshNow, when something changed since the last announcement.
    void refreshPending() {
        if (m_pending) {
            refreshNow();
        }
    }

Q_SIGNALS:
    void statesChanged();

private:
    void addTwinOf(const QString& name, const QString& original, const QString& caption, bool plain);
    Command* findMutable(const QString& name);
    QHash<QString, CommandState> computeStates() const;

    std::vector<Command> m_commands;
    QHash<QString, size_t> m_index;
    std::vector<StateRule> m_rules;
    QHash<QString, CommandState> m_states;
    mutable QStringList m_unknown;
    mutable QStringList m_conflicts;
    bool m_pending = false;
};
