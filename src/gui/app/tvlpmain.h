#pragma once

#include "core/app/appsession.h"

#include <QMainWindow>
#include <QPixmap>
#include <QStringList>

#include <memory>

class EditCommands;
class HelpWindow;
class PlayListPanel;
class QtClipboard;
class MainBusyIndicator;
class MainArea;
class MainMenu;
class ContextMenus;
class ExternalCommands;
class LengthProbe;
class Shell;
class MediaDevice;
class TransportBar;
class ViewToggleButtons;
class IndicatorControls;
class PlayListBox;
class QAction;
class QLabel;
class WidgetTextMeasurer;

// The main window. It shows the run's state (AppSession) and forwards the user's commands to it.
class TVLPMain : public QMainWindow {
    Q_OBJECT

public:
    struct Options {
        AppSession::Folders folders;
        QStringList parameters;  // this start's command line
        QString baseFolder;      // the folder relative parameters are taken from
        Prompter* prompter = nullptr;  // the window's own boxes when null
        MediaDevice* device = nullptr;  // the device that plays; required
        LengthProbe* probe = nullptr;   // the device that measures lengths; required
        Shell* shell = nullptr;         // other programs and addresses; required
        QStringList soundSettings;      // the desktop's sound settings program and its arguments
        QString helpFolder;             // the HTML help
    };

    explicit TVLPMain(Options options, QWidget* parent = nullptr);
    ~TVLPMain() override;

    AppSession& session() { return *m_session; }
    PlayListBox* playListBox() const { return m_playListBox; }
    PlayListPanel* playListPanel() const { return m_panel; }
    QAction* action(const QString& name) const;
    MainMenu& mainMenu() const { return *m_menu; }
    TransportBar& transportBar() const { return *m_transport; }
    IndicatorControls& indicatorControls() const { return *m_indicators; }
    // Opens the help window on a topic ("Contents", "File_Types"...).
    void showHelp(const QString& topic);
    // Made when first asked for.
    HelpWindow* helpWindow();

    // Commands a second start can send: an empty result means the command will run, anything else is
    // why it cannot.
    QString commandAvailability(const QString& name) const;
    void runCommand(const QString& name);
    // Shows and hides the components as the Preferences say, and lays the window out again.
    void ApplyComponents();
    // The View, Components item of a component was chosen.
    void ViewComponents(int component);
    MainArea& mainArea() const { return *m_area; }
    // A second start's request arrived: the window comes to the front and handles it.
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
    void connectCommands();
    void acceptDroppedFiles();
    void widenForStatusPanels();
    void createStatusBar();
    void updateAlbumPanel();
    void placeWindow();
    WindowPlacement currentPlacement() const;
    void applySettings();
    void refreshHistoryMenu();
    void fillFavoritesMenu(const QString& menuName, Favorites::Kind kind);
    void checkComponentItems();
    void createContextMenus();
    void connectExternalCommands();
    void refreshViewMenu();
    void updateMinimumSize();
    void applyAppearance();
    void applyShortcuts();
    void showMenusOfSides(bool playList, bool rightSide);
    QPixmap loadPicture(const QString& path);

    Options m_options;
    std::unique_ptr<Prompter> m_ownPrompter;
    Prompter* m_prompter = nullptr;
    std::unique_ptr<WidgetTextMeasurer> m_measurer;
    std::unique_ptr<MainBusyIndicator> m_busy;
    std::unique_ptr<QtClipboard> m_clipboard;
    std::unique_ptr<AppSession> m_session;
    MainArea* m_area = nullptr;
    PlayListPanel* m_panel = nullptr;
    bool m_started = false;
    std::unique_ptr<ExternalCommands> m_external;
    ContextMenus* m_contextMenus = nullptr;
    PlayListBox* m_playListBox = nullptr;
    EditCommands* m_edit = nullptr;
    QLabel* m_albumPanel = nullptr;
    MainMenu* m_menu = nullptr;
    TransportBar* m_transport = nullptr;
    ViewToggleButtons* m_viewButtons = nullptr;
    IndicatorControls* m_indicators = nullptr;
    HelpWindow* m_help = nullptr;
};
