#include "core/shell/commanddispatcher.h"

#include "core/common/busystate.h"
#include "core/shell/commandtable.h"

CommandDispatcher::CommandDispatcher(CommandTable& table, BusyState& busy, QObject* parent)
    : QObject(parent), m_table(table), m_busy(busy) {
    // The queue runs on the next turn, outside the operation that just ended.
    connect(&m_busy, &BusyState::idle, this, [this] {
        if (!m_queue.isEmpty() && !m_drainPending) {
            m_drainPending = true;
            QMetaObject::invokeMethod(this, &CommandDispatcher::runQueued, Qt::QueuedConnection);
        }
    });
}

QString CommandDispatcher::unknownCommandMessage(const QString& name) {
    return QStringLiteral("Velmaro cannot carry out the command \"%1\" in this version.").arg(name);
}

QString CommandDispatcher::availability(const QString& name, CommandOrigin origin) const {
    const CommandTable::Command* command = m_table.find(name);
    if (!command) {
        return unknownCommandMessage(name);
    }
    if (origin == CommandOrigin::Outside && m_busy.isBusy()) {
        return {};  // decided when its turn comes
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
    if (origin == CommandOrigin::Outside && m_busy.isBusy() && m_table.contains(name)) {
        m_queue.append(name);
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

void CommandDispatcher::run(const QString& name) {
    const CommandTable::Command* command = m_table.find(m_table.originalOf(name));
    if (command && command->run) {
        Q_EMIT commandStarted();
        command->run();
        Q_EMIT commandFinished();
    }
    // One announcement for everything the command changed.
    m_table.refreshNow();
}

void CommandDispatcher::runQueued() {
    m_drainPending = false;
    while (!m_queue.isEmpty() && !m_busy.isBusy()) {
        const QString name = m_queue.takeFirst();
        const QString refusal = execute(name, CommandOrigin::Outside);
        if (!refusal.isEmpty()) {
            Q_EMIT refused(name, refusal);
        }
    }
}
