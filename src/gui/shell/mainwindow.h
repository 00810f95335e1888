#pragma once

#include "core/app/appsession.h"

#include <QMainWindow>
#include <QPixmap>
#include <QStringList>

#include <functional>
#include <memory>

class ActionRegistry;
class ContextMenus;
class FloatingPalette;
class HelpWindow;
class IndicatorControls;
class MainArea;
class MainBusyIndicator;
class MainMenu;
class PlayListBox;
class PlayListPanel;
class PreferencesDialog;
class QtCDDialogs;
class QtFileDialogs;
class SearchDialog;
class QAction;
class QLabel;
class TransportBar;
class TrayIcon;
class WidgetTextMeasurer;

// The main window: a view of the session. It shows the session's state and hands the user's input to
// its commands.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    struct Options {
        QStringList parameters;  // this start's command line
        QString baseFolder;      // the folder relative parameters are taken from
        QString helpFolder;      // the HTML help
        bool welcomeBox = false;  // the start shows the Welcome box when the settings ask for it
    };

    MainWindow(AppSession& session, Options options, QWidget* parent = nullptr);
    ~MainWindow() override;

    AppSession& session() { return m_session; }
    PlayListBox* playListBox() const { return m_playListBox; }
    PlayListPanel* playListPanel() const { return m_panel; }
    ActionRegistry& actions() const { return *m_actions; }
    QAction* action(const QString& name) const;
    MainMenu& mainMenu() const { return *m_menu; }
    TransportBar& transportBar() const { return *m_transport; }
    IndicatorControls& indicatorControls() const { return *m_indicators; }
    MainArea& mainArea() const { return *m_area; }
    TrayIcon& trayIcon() const { return *m_tray; }
    FloatingPalette& floatingPalette() const { return *m_palette; }
    // Opens the help window on a topic ("Contents", "File_Types"...).
    void showHelp(const QString& topic);
    // Made when first asked for.
    HelpWindow* helpWindow();
    PreferencesDialog* preferencesDialog();
    // Shows and hides the components as the Preferences say, and lays the window out again.
    void ApplyComponents();
    // The toolbar's flat and grayed button styles and the lists' font, as the Preferences say: at start,
    // after the Preferences' OK and when their button options are toggled.
    void applyListsAppearance();
    // A second start's request arrived: the window comes to the front.
    void bringToFront();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createCommandSurfaces();
    // The Search box, made once; droppedFolder is a folder dropped on the Play List, else empty.
    void openSearch(const QString& droppedFolder);
    // The Preferences dialog, on the page the session asked for; the window shows its outcome.
    void openPreferences();
    void connectSession();
    void acceptDroppedFiles();
    // A first window without a stored size widens until its lists and status panels show their texts.
    void widenForLists();
    void widenForStatusPanels();
    void widenBy(int wider);
    void openStartListsWhenPainted();
    void createStatusBar();
    void updateAlbumPanel();
    void updateTitle();
    void placeWindow();
    WindowPlacement currentPlacement() const;
    void applySettings();
    void fillFavoritesMenu(const QString& menuName, Favorites::Kind kind);
    void createContextMenus();
    void onComponentsChanged();
    void updateMinimumSize();
    void applyAppearance();
    void applyShortcuts();
    QPixmap loadPicture(const QString& path);

    AppSession& m_session;
    Options m_options;
    std::unique_ptr<WidgetTextMeasurer> m_measurer;
    std::unique_ptr<MainBusyIndicator> m_busy;
    std::unique_ptr<QtFileDialogs> m_fileDialogs;
    std::unique_ptr<QtCDDialogs> m_cdDialogs;
    SearchDialog* m_search = nullptr;
    PreferencesDialog* m_preferences = nullptr;
    ActionRegistry* m_actions = nullptr;
    MainArea* m_area = nullptr;
    PlayListPanel* m_panel = nullptr;
    bool m_started = false;
    QString m_playbackStatus;  // what the status bar says about an item being opened
    bool m_waitingForFirstPaint = false;
    std::function<void()> m_openStartLists;
    ContextMenus* m_contextMenus = nullptr;
    PlayListBox* m_playListBox = nullptr;
    QLabel* m_albumPanel = nullptr;
    MainMenu* m_menu = nullptr;
    TransportBar* m_transport = nullptr;
    IndicatorControls* m_indicators = nullptr;
    HelpWindow* m_help = nullptr;
    TrayIcon* m_tray = nullptr;
    std::unique_ptr<FloatingPalette> m_palette;  // a window of its own, with its own taskbar entry
};
