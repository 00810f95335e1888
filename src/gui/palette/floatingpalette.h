#pragma once

#include "core/palette/paletteplacement.h"
#include "core/palette/paletteprogress.h"

#include <QPoint>
#include <QWidget>

class ActionRegistry;
class AppSession;
class IndicatorControls;
class PaletteDropDowns;
class QLabel;
class QMenu;
class QSlider;
class QToolButton;

// The Floating Palette: a small strip without a frame that stays above other windows and stands in for
// the main window. Its buttons and menus are the window's commands; a press on a free point drags it.
// It keeps a taskbar entry of its own, so that a minimized palette can always be brought back.
class FloatingPalette : public QWidget {
    Q_OBJECT

public:
    FloatingPalette(QWidget* mainWindow, ActionRegistry& actions, AppSession& session,
                    IndicatorControls& indicators);

    // Floating Palette: the main window hides and the palette shows where it stood last.
    void showInsteadOfMainWindow();
    // The palette goes and the main window comes back.
    void returnToMainWindow();
    void moveTo(PalettePlacement::Place place);
    // The picture and colours the Preferences give.
    void applyAppearance();

    PaletteProgress::Mode progressMode() const { return m_mode; }
    QLabel* progressLabel() const { return m_progressLabel; }
    QSlider* positionBar() const { return m_positionBar; }
    QToolButton* toolButton(const QString& name) const;
    QMenu* contextMenu() const { return m_contextMenu; }
    PaletteDropDowns& dropDowns() const { return *m_dropDowns; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    int scaled(int pixels) const;
    void createCaptionBlock();
    void createPanel();
    QToolButton* addButton(const QString& name, int left);
    void addBevel(int left);
    void createContextMenu();
    void bindCommands();
    void refresh();
    void setMode(PaletteProgress::Mode mode);
    QRect screenRect() const;

    QWidget* m_mainWindow;
    ActionRegistry& m_actions;
    AppSession& m_session;
    IndicatorControls& m_indicators;
    double m_scale = 1.0;
    QWidget* m_panel = nullptr;
    QLabel* m_progressLabel = nullptr;
    QSlider* m_positionBar = nullptr;
    QToolButton* m_modeButton = nullptr;
    QMenu* m_contextMenu = nullptr;
    PaletteDropDowns* m_dropDowns = nullptr;
    PaletteProgress::Mode m_mode = PaletteProgress::Percent;
    bool m_dragging = false;
    QPoint m_dragOffset;
};
