#pragma once

#include "core/shell/mainlayout.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class MainMenu;
class QMenu;
class QPoint;
class QWidget;

// The main window's context menu: "&General" with the transport and clipboard commands, then the items
// of the control it was opened on. Every item is enabled like, and runs, the command it names.
class ContextMenus : public QObject {
    Q_OBJECT

public:
    struct Hooks {
        std::function<void()> refreshStates;               // bring the menu items' states up to date
        std::function<void(Component)> hideComponent;      // as unchecking it in View, Components
        std::function<bool(const QString&)> ownEnabled;    // the position bar's and status bar's own items
        std::function<void(const QString&)> runOwn;
    };

    ContextMenus(QWidget* window, MainMenu& menu, Hooks hooks);

    // The menu for a click on `origin` (any widget of the window).
    std::unique_ptr<QMenu> build(QWidget* origin);
    void popup(QWidget* origin, const QPoint& globalPosition);
    // The control whose items the menu shows for a click on `origin`, or empty.
    QString controlOf(const QWidget* origin) const;

private:
    bool enabledLike(const QString& command) const;
    void run(const QString& command);

    QWidget* m_window;
    MainMenu& m_menu;
    Hooks m_hooks;
};
