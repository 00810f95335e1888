#pragma once

#include "core/playback/progressindicators.h"

#include <QObject>

#include <array>
#include <vector>

class AppSession;
class ActionRegistry;
class QAction;
class PanelInfo;
class QLabel;
class QMainWindow;
class QMenu;
class QSlider;
class QToolBar;
class QToolButton;
class QWidget;

// The progress indicators as the user sees them: the status bar panels with their mode buttons, the
// position bar, percent label and its button in the toolbar, the mode menus (on the buttons and in the
// View menu) and the Change Position box. Clicking a value toggles its mode; dragging the bar previews
// a position and letting it go moves playback there.
class IndicatorControls : public QObject {
    Q_OBJECT

public:
    IndicatorControls(QMainWindow* window, QToolBar* toolBar, ActionRegistry& actions, AppSession& session);

    PanelInfo* panelInfo() const { return m_panelInfo; }
    QSlider* positionBar() const { return m_positionBar; }
    QLabel* progressLabel() const { return m_progressLabel; }
    QToolButton* modeButton(ProgressIndicators::Indicator indicator) const {
        return m_modeButtons[indicator];
    }
    QLabel* valueLabel(ProgressIndicators::Indicator indicator) const { return m_labels[indicator]; }

    // The position bar, the percent and its button: the "Scrollbar" component.
    void setScrollBarVisible(bool visible);
    // Texts, bar, glyphs and the Change Position command follow the controller.
    void refresh();
    // The menu of a mode button or of View, Progress Indicators, laid out with its commands as it opens.
    void fillModeMenu(QMenu* menu, ProgressIndicators::Indicator indicator);
    // "Change Position...": the box, when the command is enabled.
    void openChangePosition();
    // A position bar (the toolbar's, the Floating Palette's): dragging previews, letting go, a click
    // beside the handle or a key moves playback.
    void connectPositionBar(QSlider* bar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createToolBarWidgets(QToolBar* toolBar);
    void attachModeMenu(ProgressIndicators::Indicator indicator, QToolButton* button);
    void groupModes();
    void connectViewMenu();
    void toggle(ProgressIndicators::Indicator indicator);
    void refreshGlyphs();

    QMainWindow* m_window;
    ActionRegistry& m_actions;
    AppSession& m_session;
    PanelInfo* m_panelInfo = nullptr;
    QSlider* m_positionBar = nullptr;
    QLabel* m_progressLabel = nullptr;
    std::array<QToolButton*, 4> m_modeButtons{};
    std::array<QLabel*, 4> m_labels{};
    std::vector<QWidget*> m_toolBarItems;
};
