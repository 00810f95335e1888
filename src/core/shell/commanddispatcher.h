#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class BusyState;
class CommandTable;

// Where a command comes from. The window's own input cannot reach it while a long operation runs (the
// window is disabled then); anything from outside the window waits for the operation to end.
enum class CommandOrigin { Window, Outside };

// The one way into the command table: every menu, button, key, context menu and remote request runs its
// command here. A disabled command is refused with the reason. A command from outside that arrives during
// a long operation, while a modal box of the window waits for the user or while another command runs, runs
// after it, in the order of arrival: inside the event loop of a box or an operation it would act under the
// code that is still waiting there.
class CommandDispatcher : public QObject {
    Q_OBJECT

public:
    CommandDispatcher(CommandTable& table, BusyState& busy, QObject* parent = nullptr);

    // Empty when the command runs (now or once the operation ends), else why it cannot.
    QString availability(const QString& name, CommandOrigin origin) const;
    // Runs the command, or queues it; returns what availability() returned.
    QString execute(const QString& name, CommandOrigin origin);
    // Work that came from outside the window without being a command (a second start's files): it runs
    // now, or waits in the same queue as the commands.
    void runFromOutside(std::function<void()> work);
    // What the window's own input does without being a command of the table (a double-click on a line,
    // a drop, Enter in the path edit, letting go of the position bar): it runs in the frame of a command,
    // with one announcement of the states at its end, and waits while a long operation runs or a box of
    // the window is open. Inside a running command it runs at once, as part of that command.
    void runFromWindow(std::function<void()> action);

    // The window tells whether a modal box of it is open.
    void setModalBoxOpen(bool open);

    static QString unknownCommandMessage(const QString& name);

Q_SIGNALS:
    // Around each command that runs, however it came.
    void commandStarted();
    void commandFinished();
    // A queued command could no longer run when its turn came.
    void refused(const QString& name, const QString& reason);

private:
    struct Queued {
        QString command;  // a command's name, or empty for work
        std::function<void()> work;
    };

    // Whether the command has something to run in this version.
    bool carriesOut(const QString& name) const;
    // Whether what comes from outside has to wait now.
    bool holdsOutsideRequests() const;
    void scheduleQueue();
    void runQueued();
    void run(const QString& name);
    void runWork(const std::function<void()>& work);

    CommandTable& m_table;
    BusyState& m_busy;
    QList<Queued> m_queue;
    bool m_modalBoxOpen = false;
    int m_running = 0;  // commands running, one inside another
    bool m_drainPending = false;
};
