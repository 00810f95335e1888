#pragma once

#include <QTimer>

#include <functional>

// A click on the tray icon pauses or resumes, a double-click restores the window. A double-click begins
// with a click, so the click acts only when no second click followed within the double-click time.
class TrayClicks {
public:
    struct Actions {
        std::function<bool()> pauseEnabled;
        std::function<void()> pause;  // pause or resume
        std::function<void()> restore;
        std::function<bool()> shuttingDown;
    };

    TrayClicks(Actions actions, int doubleClickMs);

    void clicked();
    void doubleClicked();
    // The double-click time is over (public for tests that do not wait for it).
    void timerFired();
    bool isWaiting() const { return m_timer.isActive(); }

private:
    Actions m_actions;
    QTimer m_timer;
    bool m_doubleClicked = false;
};
