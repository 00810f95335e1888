#pragma once

#include <QObject>
#include <QString>

class ActionRegistry;
class GrayedButtonStyle;
class QAction;
class QMainWindow;
class QToolBar;
class QToolButton;

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
    // Flat buttons (borderless), or raised ones with a frame. Grayed draws each flat button's icon in
    // grey until the pointer is over it; raised buttons are never grayed. Buttons added later follow.
    void setButtonStyle(bool borderless, bool grayed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addTransportButtons();
    void styleButton(QToolButton* button) const;

    QMainWindow* m_window;
    ActionRegistry& m_actions;
    QToolBar* m_toolBar = nullptr;
    GrayedButtonStyle* m_grayedStyle = nullptr;
    bool m_borderless = true;
    bool m_grayed = false;
};
