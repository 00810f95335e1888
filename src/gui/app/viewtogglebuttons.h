#pragma once

#include <QObject>
#include <QString>

#include <vector>

class MainMenu;
class QAction;
class QToolBar;
struct Preferences;

// The toolbar's toggle buttons of the View menu: the eleven components, Paths and Extensions. Each
// runs its menu item and stays pressed while what it shows is on. The default toolbar does not show
// them; they are there for the user to place on it.
class ViewToggleButtons : public QObject {
    Q_OBJECT

public:
    ViewToggleButtons(QToolBar* toolBar, MainMenu& menu, const Preferences& preferences);

    QAction* button(const QString& name) const;
    // Pressed states and hints from the settings and the current shortcuts.
    void refresh();

private:
    struct Button {
        QAction* action;
        QString menuItem;
    };

    MainMenu& m_menu;
    const Preferences& m_preferences;
    std::vector<Button> m_buttons;
};
