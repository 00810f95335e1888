#pragma once

#include <QString>

// Long operations tell the user they are busy: a line in the help panel, the hourglass, the window
// disabled, pending events processed so the window keeps painting, and an optional progress gauge.
class BusyIndicator {
public:
    virtual ~BusyIndicator() = default;
    virtual void beginBusy(const QString& helpText) = 0;
    virtual void showProgress(qint64 done, qint64 total) = 0;
    virtual void endBusy() = 0;
    // A step that waits on another thread: the window paints meanwhile, busy or not; what the user does
    // waits for the step's end unless a long operation takes Escape.
    virtual void keepResponsive() {}
};

// Ends the busy state however the operation leaves its scope. A null indicator is allowed.
class BusyScope {
public:
    BusyScope(BusyIndicator* indicator, const QString& helpText) : m_indicator(indicator) {
        if (m_indicator) {
            m_indicator->beginBusy(helpText);
        }
    }
    ~BusyScope() {
        if (m_indicator) {
            m_indicator->endBusy();
        }
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

    void progress(qint64 done, qint64 total) {
        if (m_indicator) {
            m_indicator->showProgress(done, total);
        }
    }

private:
    BusyIndicator* m_indicator;
};
