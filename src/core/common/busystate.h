#pragma once

#include "core/common/busyindicator.h"

#include <QObject>

// Knows whether a long operation runs, and passes the busy signs on to the indicator the window shows
// (none before the window exists, and in headless runs).
class BusyState : public QObject, public BusyIndicator {
    Q_OBJECT

public:
    explicit BusyState(BusyIndicator* shown = nullptr, QObject* parent = nullptr) : QObject(parent), m_shown(shown) {}

    void setShownIndicator(BusyIndicator* shown) { m_shown = shown; }
    bool isBusy() const { return m_depth > 0; }

    void beginBusy(const QString& helpText) override;
    void showProgress(qint64 done, qint64 total) override;
    void endBusy() override;
    void keepResponsive() override;

Q_SIGNALS:
    // The outermost long operation ended.
    void idle();

private:
    BusyIndicator* m_shown;
    int m_depth = 0;
};
