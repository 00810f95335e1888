#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class ActionRegistry;
class QAction;
class QMenu;
class QMenuBar;

// The main menu bar laid out from the menu table: every item is the command's shared action, and items
// with sub-items are submenus whose own action shows the submenu's state.
class MainMenu : public QObject {
    Q_OBJECT

public:
    MainMenu(QMenuBar* bar, ActionRegistry& actions, QObject* parent = nullptr);

    QAction* action(const QString& name) const;
    QMenu* menu(const QString& name) const { return m_menus.value(name); }
    ActionRegistry& actions() const { return m_actions; }

private:
    void showModeSeparator();

    ActionRegistry& m_actions;
    QHash<QString, QMenu*> m_menus;
    QHash<QString, QAction*> m_separators;
    QAction* m_modeSeparator = nullptr;
};
