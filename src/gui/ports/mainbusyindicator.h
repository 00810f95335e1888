#pragma once

#include "core/common/busyindicator.h"

#include <QElapsedTimer>
#include <QObject>

#include <functional>

class QMainWindow;
class QProgressBar;

// Long operations in the main window: the help line in the status bar, the hourglass, the window
// disabled and a gauge for counted work. Nested operations keep the outermost state. While busy the
// window still paints, input is held back, and Escape asks the running operation to stop.
class MainBusyIndicator : public QObject, public BusyIndicator {
    Q_OBJECT

public:
    explicit MainBusyIndicator(QMainWindow* window);

    void beginBusy(const QString& helpText) override;
    void showProgress(qint64 done, qint64 total) override;
    void endBusy() override;
    void keepResponsive() override;

    void setEscapeHandler(std::function<void()> handler) { m_onEscape = std::move(handler); }
    bool isBusy() const { return m_depth > 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void processPendingEvents();
    bool belongsToWindow(const QObject* object) const;

    QMainWindow* m_window;
    QProgressBar* m_gauge;
    QString m_helpText;  // the outermost operation's line
    int m_depth = 0;
    std::function<void()> m_onEscape;
    QElapsedTimer m_sinceEvents;
};
