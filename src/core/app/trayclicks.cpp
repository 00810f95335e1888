#include "core/app/trayclicks.h"

TrayClicks::TrayClicks(Actions actions, int doubleClickMs) : m_actions(std::move(actions)) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(doubleClickMs);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { timerFired(); });
}

void TrayClicks::clicked() {
    m_timer.start();
}

void TrayClicks::doubleClicked() {
    // Only a click still waiting is to be cancelled; a flag left set would eat the next single click.
    m_doubleClicked = m_timer.isActive();
    m_actions.restore();
}

void TrayClicks::timerFired() {
    m_timer.stop();
    if (m_actions.shuttingDown()) {
        return;
    }
    if (!m_doubleClicked && m_actions.pauseEnabled()) {
        m_actions.pause();
    }
    m_doubleClicked = false;
}
