#pragma once

#include "core/shell/toolbarlayout.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <vector>

class ActionRegistry;
class AppSession;
class CustomizeToolbarDialog;
class GrayedButtonStyle;
class QAction;
class QLabel;
class QMainWindow;
class QSlider;
class QToolBar;
class QToolButton;
class QWidgetAction;

// The dockable toolbar ("SpeedBar"): a line of command buttons, each the shared action of a command of
// the table with a picture of ours, and the position bar with the percent, which the bar places after
// its first row or column. Its layout is read from the settings at the first show and written at the
// end; the customize window and Restore Default change it.
class TransportBar : public QObject {
    Q_OBJECT

public:
    TransportBar(QMainWindow* window, ActionRegistry& actions, AppSession& session);

    QAction* button(const QString& name) const;
    QToolBar* toolBar() const { return m_toolBar; }
    // Flat buttons (borderless), or raised ones with a frame. Grayed draws each flat button's icon in
    // grey until the pointer is over it; raised buttons are never grayed. Buttons added later follow.
    void setButtonStyle(bool borderless, bool grayed);
    // The position bar, the percent label and its mode button, which the bar places itself.
    void setIndicators(QSlider* positionBar, QLabel* progressLabel, QToolButton* percentButton);

    // The layout as the bar shows it now.
    ToolbarLayout layout() const;
    // Docks the bar at the layout's edge and shows its buttons.
    void applyLayout(const ToolbarLayout& layout);
    // While the customize window is open, buttons are dragged rather than pressed.
    bool isCustomizing() const { return !m_customize.isNull(); }
    // A button dropped on the bar at a point of the bar's own: it goes there, from the list or from
    // elsewhere on the bar.
    void dropButton(const QString& name, QPoint at);
    void removeButton(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpButtons();
    void showLine();
    void addSpacer(int length);
    void attachDropDownMenus();
    void styleButton(QToolButton* button) const;
    void applyThickness();
    void placeIndicators();
    void placeIndicatorsLater();
    void setIndicatorsShown(bool shown);
    void onOrientationChanged();
    void openCustomize();
    void customizeClosed();
    void restoreDefault();
    void loadLayout();
    void saveLayout();
    bool filterBarEvent(QEvent* event);
    bool filterButtonEvent(QToolButton* button, QEvent* event);
    ToolbarEdge edge() const;
    QPoint gridOrigin() const;

    QMainWindow* m_window;
    ActionRegistry& m_actions;
    AppSession& m_session;
    QToolBar* m_toolBar = nullptr;
    GrayedButtonStyle* m_grayedStyle = nullptr;
    bool m_borderless = true;
    bool m_grayed = false;
    std::vector<ToolbarLineItem> m_line;
    int m_thickness = ToolbarLayout::kDefaultThickness;
    std::vector<QWidgetAction*> m_spacers;
    QSlider* m_positionBar = nullptr;
    QLabel* m_progressLabel = nullptr;
    QToolButton* m_percentButton = nullptr;
    bool m_placingPending = false;
    QPointer<CustomizeToolbarDialog> m_customize;
    QPoint m_pressedAt;  // where a drag from the bar may start, while customizing
    bool m_draggingFromBar = false;
    QPoint m_droppedAt;  // where the last button was dropped on the bar
};
