#pragma once

#include "core/app/trayclicks.h"
#include "core/app/traylist.h"
#include "core/app/traymenu.h"

#include <QObject>
#include <QSystemTrayIcon>

#include <functional>
#include <map>
#include <memory>

class ActionRegistry;
class AppSession;
class QAbstractItemModel;
class QMenu;
class TrayListBox;

// The icon in the desktop's notification area and its menu, and the tray list box its menu (or a second
// start) opens. A click pauses or resumes, a double-click restores the window. Where the desktop has no
// notification area there is no icon; the window and the tray list work as before.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    // restore brings the main window back from the minimized state and to the front.
    TrayIcon(AppSession& session, ActionRegistry& actions, QWidget* window,
             const QAbstractItemModel* playListView, std::function<void()> restore);
    ~TrayIcon() override;

    // "Use Tray" and "Display Always" as the settings stand.
    void applySettings();
    // The icon stays away while the Welcome box greets the user, and comes back as the settings say.
    void setSuspended(bool suspended);
    static bool trayAvailable() { return QSystemTrayIcon::isSystemTrayAvailable(); }

    QSystemTrayIcon& icon() { return m_icon; }
    QMenu* menu() const { return m_menu; }
    TrayListBox* listBox() const { return m_listBox.get(); }
    TrayClicks& clicks() { return *m_clicks; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu(ActionRegistry& actions);
    void activated(QSystemTrayIcon::ActivationReason reason);
    void updateImage();

    AppSession& m_session;
    QWidget* m_window;
    QSystemTrayIcon m_icon;
    QMenu* m_menu;
    TrayList m_list;
    // A window of its own: it stays reachable while the main window is minimized.
    std::unique_ptr<TrayListBox> m_listBox;
    std::unique_ptr<TrayClicks> m_clicks;
    TrayImage m_image = TrayImage::Normal;
    bool m_shuttingDown = false;
    bool m_suspended = false;
};
