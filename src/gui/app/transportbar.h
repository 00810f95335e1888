#pragma once

#include <QHash>
#include <QObject>

class AppSession;
class MainMenu;
class QAction;
class QMainWindow;
class QToolBar;

// What the user sees of playback: the transport and play-option buttons of the toolbar with their
// hints, the Audio menu's states and the window title. It follows the controller and forwards the commands to it.
class TransportBar : public QObject {
    Q_OBJECT

public:
    TransportBar(QMainWindow* window, MainMenu& menu, AppSession& session);

    QAction* button(const QString& name) const { return m_buttons.value(name); }
    QToolBar* toolBar() const { return m_toolBar; }
    // Brings every state up to date (the Audio menu opening, a settings change...).
    void refresh();

private:
    void createToolBar();
    void connectMenu();
    void setHint(QAction* action, const QString& hint);

    QMainWindow* m_window;
    MainMenu& m_menu;
    AppSession& m_session;
    QToolBar* m_toolBar = nullptr;
    QHash<QString, QAction*> m_buttons;
};
