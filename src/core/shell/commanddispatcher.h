#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class BusyState;
class CommandTable;

// Where a command comes from. The window's own input cannot reach it while a long operation runs (the
// window is disabled then); anything from outside the window waits for the operation to end.
enum class CommandOrigin { Window, Outside };

// The one way into the command table: every menu, button, key, context menu and remote request runs its
// command here. A disabled command is refused with the reason; a command from outside that arrives during
// a long operation runs after it, in the order of arrival.
class CommandDispatcher : public QObject {
    Q_OBJECT

public:
    CommandDispatcher(CommandTable& table, BusyState& busy, QObject* parent = nullptr);

    // Empty when the command runs (now or once the operation ends), else why it cannot.
    QString availability(const QString& name, CommandOrigin origin) const;
    // Runs the command, or queues it; returns what availability() returned.
    QString execute(const QString& name, CommandOrigin origin);

    static QString unknownCommandMessage(const QString& name);

Q_SIGNALS:
    // Around each command that runs, however it came.
    void commandStarted();
    void commandFinished();
    // A queued command could no longer run when its turn came.
    void refused(const QString& name, const QString& reason);

private:
    void runQueued();
    void run(const QString& name);

    CommandTable& m_table;
    BusyState& m_busy;
    QStringList m_queue;
    bool m_drainPending = false;
};
