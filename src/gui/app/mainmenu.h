#pragma once

#include <QAction>
#include <QHash>
#include <QObject>
#include <QString>

class QMenu;
class QMenuBar;
class Shortcuts;

// The main menu bar built from the menu table: every item is a QAction named after its component,
// with its caption, hint and shortcut; items with sub-items are submenus. Items no command is
// connected to stay disabled.
class MainMenu : public QObject {
    Q_OBJECT

public:
    MainMenu(QMenuBar* bar, QObject* parent = nullptr);

    QAction* action(const QString& name) const { return m_actions.value(name); }
    QMenu* menu(const QString& name) const { return m_menus.value(name); }

    // Connects a command and enables its item.
    template <typename Functor>
    void connectCommand(const QString& name, Functor&& command) {
        QAction* item = action(name);
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, std::forward<Functor>(command));
    }

    // Every item takes its current shortcut.
    void applyShortcuts(const Shortcuts& shortcuts);

private:
    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
};
