#pragma once

#include <QObject>
#include <QString>

#include <memory>

class ActionRegistry;
class QMenu;
class QPoint;
class QWidget;

// The main window's context menu: "&General" with the transport and clipboard commands, then the items
// of the control it was opened on. Every item is its command's shared action.
class ContextMenus : public QObject {
    Q_OBJECT

public:
    ContextMenus(QWidget* window, ActionRegistry& actions);

    // The menu for a click on `origin` (any widget of the window).
    std::unique_ptr<QMenu> build(QWidget* origin);
    void popup(QWidget* origin, const QPoint& globalPosition);
    // The control whose items the menu shows for a click on `origin`, or empty.
    QString controlOf(const QWidget* origin) const;

private:
    QWidget* m_window;
    ActionRegistry& m_actions;
};
