#include "core/shell/commanddispatcher.h"

#include "core/common/busystate.h"
#include "core/shell/commandtable.h"

CommandDispatcher::CommandDispatcher(CommandTable& table, BusyState& busy, QObject* parent)
    : QObject(parent), m_table(table), m_busy(busy) {
    connect(&m_busy, &BusyState::idle, this, &CommandDispatcher::scheduleQueue);
}

QString CommandDispatcher::unknownCommandMessage(const QString& name) {
    return QStringLiteral("Velmaro cannot carry out the command \"%1\" in this version.").arg(name);
}

bool CommandDispatcher::carriesOut(const QString& name) const {
    const CommandTable::Command* original = m_table.find(m_table.originalOf(name));
    return original && original->run;
}

bool CommandDispatcher::holdsOutsideRequests() const {
    // A request that arrives while a command runs came through an event loop inside that command.
    return m_busy.isBusy() || m_modalBoxOpen || m_running > 0;
}

void CommandDispatcher::setModalBoxOpen(bool open) {
    m_modalBoxOpen = open;
    if (!open) {
        scheduleQueue();
    }
}

QString CommandDispatcher::availability(const QString& name, CommandOrigin origin) const {
    const CommandTable::Command* command = m_table.find(name);
    if (!command) {
        return unknownCommandMessage(name);
    }
    if (origin == CommandOrigin::Outside && holdsOutsideRequests()) {
        // Decided when its turn comes; one this version never carries out is refused now.
        return carriesOut(name) ? QString() : unknownCommandMessage(name);
    }
    const CommandState state = m_table.state(name);
    if (state.enabled) {
        return {};
    }
    return state.refusal.isEmpty()
               ? QStringLiteral("The command \"%1\" is not available at the moment.").arg(QString(state.caption).remove(u'&'))
               : state.refusal;
}

QString CommandDispatcher::execute(const QString& name, CommandOrigin origin) {
    if (origin == CommandOrigin::Outside && carriesOut(name) &&
        (holdsOutsideRequests() || !m_queue.isEmpty())) {
        // Behind what already waits, so that a second start's requests keep their order.
        m_queue.append({name, {}});
        scheduleQueue();
        return {};
    }
    // The states a surface shows may be a turn old; the command decides on the current ones.
    m_table.refreshPending();
    const QString refusal = availability(name, origin);
    if (refusal.isEmpty()) {
        run(name);
    }
    return refusal;
}

void CommandDispatcher::runFromOutside(std::function<void()> work) {
    if (holdsOutsideRequests() || !m_queue.isEmpty()) {
        m_queue.append({QString(), std::move(work)});
        scheduleQueue();
        return;
    }
    runWork(work);
}

void CommandDispatcher::runFromWindow(std::function<void()> action) {
    if (m_busy.isBusy() || m_modalBoxOpen || !m_queue.isEmpty()) {
        m_queue.append({QString(), std::move(action)});
        scheduleQueue();
        return;
    }
    runWork(action);
}

void CommandDispatcher::run(const QString& name) {
    const CommandTable::Command* command = m_table.find(m_table.originalOf(name));
    if (command && command->run) {
        runWork(command->run);
    } else {
        m_table.refreshNow();
    }
}

void CommandDispatcher::runWork(const std::function<void()>& work) {
    ++m_running;
    Q_EMIT commandStarted();
    work();
    Q_EMIT commandFinished();
    --m_running;
    // One announcement for everything the command changed.
    m_table.refreshNow();
    scheduleQueue();
}

void CommandDispatcher::scheduleQueue() {
    // The queue runs on the next turn, outside the operation or the box that just ended.
    if (!m_queue.isEmpty() && !m_drainPending && !holdsOutsideRequests()) {
        m_drainPending = true;
        QMetaObject::invokeMethod(this, &CommandDispatcher::runQueued, Qt::QueuedConnection);
    }
}

void CommandDispatcher::runQueued() {
    m_drainPending = false;
    while (!m_queue.isEmpty() && !holdsOutsideRequests()) {
        Queued next = m_queue.takeFirst();
        if (next.command.isEmpty()) {
            runWork(next.work);
            continue;
        }
        m_table.refreshPending();
        const QString refusal = availability(next.command, CommandOrigin::Outside);
        if (refusal.isEmpty()) {
            run(next.command);
        } else {
            Q_EMIT refused(next.command, refusal);
        }
    }
}
