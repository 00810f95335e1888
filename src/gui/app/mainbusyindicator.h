#pragma once

#include "core/common/busyindicator.h"

class QMainWindow;
class QProgressBar;

// Long operations in the main window: the help line in the status bar, the hourglass, the window
// disabled and a gauge for counted work. Nested operations keep the outermost state.
class MainBusyIndicator : public BusyIndicator {
public:
    explicit MainBusyIndicator(QMainWindow* window);

    void beginBusy(const QString& helpText) override;
    void showProgress(qint64 done, qint64 total) override;
    void endBusy() override;

private:
    QMainWindow* m_window;
    QProgressBar* m_gauge;
    int m_depth = 0;
};
