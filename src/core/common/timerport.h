#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// A timer the program's logic starts and stops; tests drive the timeouts themselves.
class TimerPort {
public:
    virtual ~TimerPort() = default;
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual int interval() const = 0;
};

// The real one: a QTimer that calls back on the thread it lives on.
class QtTimerPort : public TimerPort {
public:
    explicit QtTimerPort(std::function<void()> timeout) {
        QObject::connect(&m_timer, &QTimer::timeout, std::move(timeout));
    }
    void start(int intervalMs) override { m_timer.start(intervalMs); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }
    int interval() const override { return m_timer.interval(); }

private:
    QTimer m_timer;
};
