#pragma once

#include <QObject>
#include <QString>

class ActionRegistry;
class QAction;
class QMainWindow;
class QToolBar;

// The toolbar with the transport and play-option buttons, each the shared action of its command with
// an icon, and the View toggles, which the default toolbar does not show.
class TransportBar : public QObject {
    Q_OBJECT

public:
    TransportBar(QMainWindow* window, ActionRegistry& actions);

    QAction* button(const QString& name) const;
    QToolBar* toolBar() const { return m_toolBar; }
    // After the toolbar's other controls.
    void addViewToggles();

private:
    void addTransportButtons();

    QMainWindow* m_window;
    ActionRegistry& m_actions;
    QToolBar* m_toolBar = nullptr;
};
