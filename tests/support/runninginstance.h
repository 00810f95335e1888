#pragma once

#include "platform/singleinstance.h"

#include <QElapsedTimer>
#include <QLocalSocket>
#include <QString>
#include <QThread>

// Whether a Velmaro started with this user data folder answers a second start within half a minute.
// For the tests that link the platform code.
inline bool WaitForInstance(const QString& home) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000) {
        QLocalSocket probe;
        probe.connectToServer(SingleInstance::serverName(home));
        if (probe.waitForConnected(500)) {
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}
