#include "core/common/busystate.h"

void BusyState::beginBusy(const QString& helpText) {
    ++m_depth;
    if (m_shown) {
        m_shown->beginBusy(helpText);
    }
}

void BusyState::showProgress(qint64 done, qint64 total) {
    if (m_shown) {
        m_shown->showProgress(done, total);
    }
}

void BusyState::keepResponsive() {
    if (m_shown) {
        m_shown->keepResponsive();
    }
}

void BusyState::endBusy() {
    if (m_shown) {
        m_shown->endBusy();
    }
    if (m_depth > 0 && --m_depth == 0) {
        Q_EMIT idle();
    }
}
