#include "gui/shell/mainwindow.h"

#include "core/common/fittext.h"
#include "core/common/prompter.h"
#include "core/app/favoritescommands.h"
#include "gui/common/listdrag.h"
#include "gui/files/filemanagementpanel.h"
#include "gui/palette/floatingpalette.h"
#include "gui/cdaudio/cdaudiopanel.h"
#include "gui/cdaudio/qtcddialogs.h"
#include "gui/files/qtfiledialogs.h"
#include "gui/files/searchdialog.h"
#include "gui/help/helpcommands.h"
#include "gui/help/helpwindow.h"
#include "gui/playback/logviewer.h"
#include "gui/playback/indicatorcontrols.h"
#include "gui/playback/panelinfo.h"
#include "gui/playlist/linesremovaltarget.h"
#include "gui/playlist/playlistbox.h"
#include "gui/playlist/playlistpanel.h"
#include "gui/ports/mainbusyindicator.h"
#include "gui/common/widgettextmeasurer.h"
#include "gui/settings/preferencesdialog.h"
#include "gui/settings/settingcolour.h"
#include "gui/settings/settingfont.h"
#include "gui/common/actionregistry.h"
#include "gui/shell/contextmenus.h"
#include "gui/common/hint.h"
#include "gui/shell/mainarea.h"
#include "gui/shell/mainmenu.h"
#include "gui/shell/transportbar.h"
#include "gui/tray/trayicon.h"
#include "gui/shell/welcomestart.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSet>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QWindow>

namespace {
constexpr int kInitialWidth = 473;
constexpr int kInitialHeight = 364;
constexpr int kFirstPaintWaitMs = 1000;
}  // namespace

MainWindow::MainWindow(AppSession& session, Options options, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_options(std::move(options)) {
    setObjectName(QStringLiteral("TVLPMain"));
    setWindowTitle(AppSession::title());
    resize(kInitialWidth, kInitialHeight);

    m_measurer = std::make_unique<WidgetTextMeasurer>(this);
    m_busy = std::make_unique<MainBusyIndicator>(this);
    m_busy->setEscapeHandler([this] { m_session.lengths().requestAbort(); });
    m_session.attachWindow(m_busy.get(), m_measurer.get());
    m_fileDialogs = std::make_unique<QtFileDialogs>(this);
    m_session.fileCommands().setDialogs(m_fileDialogs.get());
    m_cdDialogs = std::make_unique<QtCDDialogs>(this);
    m_session.cdAudio().setDialogs(m_cdDialogs.get());

    m_area = new MainArea(m_session, this);
    m_panel = m_area->playListPanel();
    m_playListBox = m_panel->box();
    setCentralWidget(m_area);
    m_playListBox->installEventFilter(this);
    createCommandSurfaces();
    createStatusBar();
    connectSession();
    createContextMenus();
    acceptDroppedFiles();
    m_session.beginRun();
    placeWindow();
    applyShortcuts();
}

// Every surface takes the commands' shared actions by name; the window's own commands are bound here.
void MainWindow::createCommandSurfaces() {
    m_actions = new ActionRegistry(m_session.commands(), m_session.dispatcher(), this);
    m_menu = new MainMenu(menuBar(), *m_actions, this);
    m_transport = new TransportBar(this, *m_actions, m_session);
    m_indicators = new IndicatorControls(this, m_transport->toolBar(), m_menu->actions(), m_session);
    m_transport->setIndicators(m_indicators->positionBar(), m_indicators->progressLabel(),
                               m_indicators->modeButton(ProgressIndicators::Percent));
    m_panel->bindCommands(*m_actions);
    m_area->cdAudioPanel()->bindCommands(*m_actions);
    for (const char* name : {"RenBtn", "DelBtn", "NewDirBtn"}) {
        m_actions->bindButton(m_area->findChild<QAbstractButton*>(QString::fromLatin1(name)), QString::fromLatin1(name));
    }
    // The commands that open the window's own boxes.
    BindHelpCommands(m_session.commands(), [this] { return helpWindow(); });
    m_session.commands().bind(QStringLiteral("ChangePosM"), [this] { m_indicators->openChangePosition(); });
    m_session.commands().bind(QStringLiteral("FindM"), [this] { openSearch(QString()); });
    m_palette = std::make_unique<FloatingPalette>(this, *m_actions, m_session, *m_indicators);
    WelcomeStart::bindAbout(m_session.commands(), *this);
    connect(m_playListBox, &PlayListBox::folderDropped, this, &MainWindow::openSearch);
    m_tray = new TrayIcon(m_session, *m_actions, this, m_playListBox->model(), [this] {
        if (isMinimized()) {
            showNormal();
        }
        if (isVisible()) {
            raise();
            activateWindow();
        }
    });
    connect(m_menu->menu(QStringLiteral("EditM")), &QMenu::aboutToShow, this, [this] { m_session.editMenuOpened(); });
    connect(m_menu->menu(QStringLiteral("FavFoldersM")), &QMenu::aboutToShow, this,
            [this] { fillFavoritesMenu(QStringLiteral("FavFoldersM"), Favorites::Kind::Folders); });
    connect(m_menu->menu(QStringLiteral("FavPlayListsM")), &QMenu::aboutToShow, this,
            [this] { fillFavoritesMenu(QStringLiteral("FavPlayListsM"), Favorites::Kind::PlayLists); });
    m_session.commands().refreshNow();
    m_actions->refresh();
}

void MainWindow::connectSession() {
    connect(m_playListBox, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        m_session.dispatcher().runFromWindow([this, line = index.row()] { m_session.playLine(line); });
    });
    connect(&m_session.controller(), &PlaybackController::helpRequested, this, &MainWindow::showHelp);
    connect(&m_session.controller(), &PlaybackController::changed, this, &MainWindow::updateTitle);
    connect(&m_session, &AppSession::exitRequested, this, &QWidget::close);
    connect(&m_session, &AppSession::componentsChanged, this, &MainWindow::onComponentsChanged);
    connect(&m_session.document(), &PlayListDocument::fileNameChanged, this, &MainWindow::updateAlbumPanel);
    connect(&m_session, &AppSession::settingsLoaded, this, &MainWindow::applySettings);
    connect(&m_session, &AppSession::preferencesRequested, this, &MainWindow::openPreferences);
    connect(&m_session, &AppSession::logRequested, this, [this](bool errorLog) {
        const auto kind = errorLog ? PlayLogs::Kind::Error : PlayLogs::Kind::Play;
        LogViewer viewer(m_session.playLogs().path(kind), errorLog,
                         [this, errorLog] { return m_session.fileCommands().deletePlayListLog(errorLog); }, this);
        viewer.exec();
        m_session.commands().invalidate();
    });
    // Paste follows what the clipboard holds.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &m_session.commands(), &CommandTable::invalidate);
    updateTitle();
}

WindowPlacement MainWindow::currentPlacement() const {
    WindowPlacement placement = m_session.preferences().window;
    placement.maximized = isMaximized();
    placement.minimized = isMinimized();
    // The normal bounds, also while maximized, so that the next start restores them.
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    const QPoint frameOffset = geometry().topLeft() - frameGeometry().topLeft();
    placement.left = normal.left() - frameOffset.x();
    placement.top = normal.top() - frameOffset.y();
    placement.width = normal.width();
    placement.height = normal.height();
    return placement;
}

void MainWindow::applySettings() {
    const Preferences& preferences = m_session.preferences();
    applyShortcuts();
    m_indicators->panelInfo()->setPanels(preferences.statusBarPanels);
    m_indicators->refresh();
    applyAppearance();
    ApplyComponents();
    if (preferences.window.maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

// A picture that cannot be shown is said at once; its place then shows the colour.
QPixmap MainWindow::loadPicture(const QString& path) {
    if (path.isEmpty()) {
        return {};
    }
    if (!QFileInfo::exists(path)) {
        m_session.prompter().showMessage(Prompter::Kind::Error, QStringLiteral("Unable to find ") + path);
        return {};
    }
    QPixmap picture(path);
    if (picture.isNull()) {
        m_session.prompter().showMessage(Prompter::Kind::Error,
                                QStringLiteral("Unable to show ") + path + QStringLiteral(": it is not a picture Velmaro can read."));
    }
    return picture;
}

void MainWindow::applyAppearance() {
    const Preferences& preferences = m_session.preferences();
    const QPalette desktop = QApplication::palette();
    m_area->setBackground(loadPicture(preferences.bitmapPath));
    m_area->setColours(colourFromSetting(preferences.colourMainWindow, desktop),
                       colourFromSetting(preferences.textMainWindow, desktop));

    QToolBar* bar = m_transport->toolBar();
    QPalette barPalette = bar->palette();
    const QPixmap barPicture = loadPicture(preferences.toolbarBitmapPath);
    const QColor barColour = colourFromSetting(preferences.colourToolbar, desktop);
    barPalette.setBrush(QPalette::Window, barPicture.isNull() ? QBrush(barColour) : QBrush(barColour, barPicture));
    bar->setPalette(barPalette);
    bar->setAutoFillBackground(true);
    QLabel* progress = m_indicators->progressLabel();
    QPalette progressPalette = progress->palette();
    progressPalette.setColor(QPalette::WindowText, colourFromSetting(preferences.textToolbar, desktop));
    progress->setPalette(progressPalette);
    if (m_palette) {
        m_palette->applyAppearance();
    }
    applyListsAppearance();
}

void MainWindow::applyListsAppearance() {
    const Preferences& preferences = m_session.preferences();
    m_transport->setButtonStyle(preferences.borderlessButtons, preferences.grayedButtons);
    m_area->setListsFont(fontFromSetting(preferences.fontName, preferences.fontSize, preferences.fontBold,
                                         preferences.fontItalic));
    updateMinimumSize();
}

constexpr const char* kSetAsideBuddy = "setAsideBuddy";

// A button's underlined letter that is also a menu item's shortcut is left to the item, which runs
// the same command: two owners of one key would leave it to neither.
void MainWindow::applyShortcuts() {
    m_actions->applyShortcuts(m_session.preferences().shortcuts);
    QSet<QKeySequence> taken;
    for (const QAction* item : m_actions->actions()) {
        if (!item->shortcut().isEmpty()) {
            taken.insert(item->shortcut());
        }
    }
    for (QAbstractButton* button : m_area->findChildren<QAbstractButton*>()) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(button->text());
        button->setShortcut(taken.contains(mnemonic) ? QKeySequence() : mnemonic);
    }
    // A label's letter belongs to its buddy; the buddy is kept aside while a menu item has the key.
    for (QLabel* label : m_area->findChildren<QLabel*>()) {
        QWidget* buddy = label->buddy() ? label->buddy() : label->property(kSetAsideBuddy).value<QWidget*>();
        if (buddy) {
            // A label that drops its "&" while the key is taken names its key in "accelerator".
            const QVariant fixed = label->property("accelerator");
            const QKeySequence key = fixed.isValid() ? fixed.value<QKeySequence>() : QKeySequence::mnemonic(label->text());
            const bool free = !taken.contains(key);
            label->setBuddy(free ? buddy : nullptr);
            label->setProperty(kSetAsideBuddy, QVariant::fromValue(free ? nullptr : buddy));
        }
    }
    m_area->fileManagementPanel()->fitLabels();
}

PreferencesDialog* MainWindow::preferencesDialog() {
    if (!m_preferences) {
        m_preferences = new PreferencesDialog(m_session, this);
        connect(m_preferences, &PreferencesDialog::appearanceChanged, this, &MainWindow::applyAppearance);
        connect(m_preferences, &PreferencesDialog::shortcutsChanged, this, [this] {
            applyShortcuts();
            m_session.commands().invalidate();
        });
    }
    return m_preferences;
}

void MainWindow::openPreferences() {
    preferencesDialog()->run();
    // OK and Cancel alike: what the dialog left in the settings is what the window shows.
    applyShortcuts();
    m_indicators->panelInfo()->setPanels(m_session.preferences().statusBarPanels);
    m_indicators->refresh();
    applyAppearance();
    updateTitle();
    m_tray->applySettings();
}

MainWindow::~MainWindow() = default;

void MainWindow::openSearch(const QString& droppedFolder) {
    if (!m_search) {
        m_search = new SearchDialog(m_session.searchModel(),
                                    SearchDialog::Services{m_session.playList(), m_session.editor(), m_session.prompter(),
                                                           &m_session.busy(), m_session.fileSearch()},
                                    this);
    }
    m_search->open(m_session.searchOpening(droppedFolder));
    m_search->exec();
    m_session.commands().refreshNow();
}

QAction* MainWindow::action(const QString& name) const {
    return m_menu->action(name);
}

void MainWindow::createContextMenus() {
    m_contextMenus = new ContextMenus(this, *m_actions);
    // Edits keep no menu of their own: the window's menu serves them as any other control.
    for (const char* edit : {"FullPathEdit", "FilterEdit", "NameOfCDEdit"}) {
        for (QWidget* widget : findChildren<QWidget*>(QString::fromLatin1(edit))) {
            widget->setContextMenuPolicy(Qt::NoContextMenu);
            for (QWidget* inner : widget->findChildren<QWidget*>()) {
                inner->setContextMenuPolicy(Qt::NoContextMenu);
            }
        }
    }
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    QWidget* origin = childAt(event->pos());
    m_contextMenus->popup(origin ? origin : this, event->globalPos());
    event->accept();
}

// A component was shown or hidden: the window keeps room for what is shown.
void MainWindow::onComponentsChanged() {
    ApplyComponents();
    const auto& components = m_session.preferences().components;
    const bool bothSides = isOn(components, Component::PlayList) && isOn(components, Component::FileList);
    if (bothSides && width() < minimumWidth()) {
        resize(minimumWidth(), height());
    }
    if (height() < minimumHeight()) {
        resize(width(), minimumHeight());
    }
}

void MainWindow::ApplyComponents() {
    const auto& components = m_session.preferences().components;
    m_transport->toolBar()->setVisible(isOn(components, Component::Toolbar));
    statusBar()->setVisible(isOn(components, Component::StatusBar));
    m_indicators->setScrollBarVisible(isOn(components, Component::ScrollBar));
    m_area->setComponents(components);
    updateMinimumSize();
}

void MainWindow::updateMinimumSize() {
    LayoutInput input;
    input.components = m_session.preferences().components;
    input.toolbar = m_transport->toolBar()->sizeHint();
    input.statusBarHeight = statusBar()->sizeHint().height();
    input.startupFinished = m_started;
    input.sizes = m_area->layoutSizes();
    const QSize client = ComputeMainLayout(input).minimum;
    setMinimumSize(client.width(), client.height() + menuBar()->sizeHint().height());
}

void MainWindow::fillFavoritesMenu(const QString& menuName, Favorites::Kind kind) {
    const QStringList items =
        FavoritesCommands::menu(m_session.commands(), m_session.favoritesAndHistory(), kind);
    m_session.commands().refreshNow();  // a favourite's command may be new
    m_actions->fillMenu(m_menu->menu(menuName), items);
}

void MainWindow::createStatusBar() {
    PanelInfo* panels = m_indicators->panelInfo();
    m_albumPanel = panels->album();
    panels->playListButton()->setMenu(m_menu->menu(QStringLiteral("FavPlayListsM")));
    connect(panels, &PanelInfo::albumResized, this, &MainWindow::updateAlbumPanel);
    updateAlbumPanel();
}

// The taskbar shows the progress while the window is minimized; the caption is the plain title.
void MainWindow::updateTitle() {
    const PlaybackController& controller = m_session.controller();
    setWindowTitle(isMinimized() ? controller.applicationTitle() : controller.windowTitle());
    // An item that takes a while to open says so in the status bar until it plays or is given up.
    if (controller.statusText() != m_playbackStatus) {
        m_playbackStatus = controller.statusText();
        if (m_playbackStatus.isEmpty()) {
            statusBar()->clearMessage();
        } else {
            ShowFittedStatusMessage(statusBar(), m_playbackStatus);
        }
    }
}

void MainWindow::updateAlbumPanel() {
    const int width = m_indicators->panelInfo()->albumTextWidth();
    // Fitted in the panel's own font, a point smaller than the window's.
    const WidgetTextMeasurer measurer(m_albumPanel);
    m_albumPanel->setText(FitText(measurer, width, m_session.document().albumPanelCaption()));
    m_albumPanel->setToolTip(m_session.document().fileName());
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    const bool firstShow = !m_started;
    m_session.applyFirstShowSettings();
    if (firstShow) {
        if (m_session.startListsAreLong(m_options.parameters, m_options.baseFolder)) {
            openStartListsWhenPainted();
        } else {
            m_session.openStartLists(m_options.parameters, m_options.baseFolder);
        }
    }
    m_started = true;
    if (firstShow && !m_session.preferences().window.sizeStored && !isMaximized()) {
        widenForLists();
        widenForStatusPanels();
    }
    updateMinimumSize();
    m_playListBox->setFocus();
    if (firstShow && m_options.welcomeBox && m_session.preferences().showWelcomeScreen) {
        QTimer::singleShot(0, this, [this] { WelcomeStart::showWelcomeBox(*this); });
    }
}

// A long list is read once the window is on screen and painted; it fills in after.
void MainWindow::openStartListsWhenPainted() {
    const auto open = [this] {
        if (m_waitingForFirstPaint) {
            m_waitingForFirstPaint = false;
            windowHandle()->removeEventFilter(this);
            m_session.openStartLists(m_options.parameters, m_options.baseFolder);
        }
    };
    m_waitingForFirstPaint = true;
    m_openStartLists = open;
    windowHandle()->installEventFilter(this);
    // A window that is never exposed (started minimized) does not keep its lists waiting.
    QTimer::singleShot(kFirstPaintWaitMs, this, open);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The status bar lays its panels out after this event; fit the caption to the width it then has.
    QTimer::singleShot(0, this, &MainWindow::updateAlbumPanel);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closed before the lists were read: they are read first, so that none is forgotten.
    if (m_waitingForFirstPaint) {
        m_openStartLists();
    }
    if (!m_session.confirmClose()) {
        event->ignore();
        return;
    }
    m_session.endRun(currentPlacement());
    event->accept();
}

HelpWindow* MainWindow::helpWindow() {
    if (!m_help) {
        m_help = new HelpWindow(m_options.helpFolder, this);
    }
    return m_help;
}

void MainWindow::showHelp(const QString& topic) {
    helpWindow()->showTopic(topic);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The expose paints the window; the lists are read on the turn after it.
    if (m_waitingForFirstPaint && watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed()) {
        QTimer::singleShot(0, this, m_openStartLists);
    }
    // Entering the Play List makes it the active list. The window coming back to the front gives the box
    // its focus again, which is no entering: Play must not come on while an item plays.
    if (watched == m_playListBox && event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        m_session.dispatcher().runFromWindow([this] { m_session.playListEntered(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        updateTitle();
        m_indicators->refresh();
    }
}

void MainWindow::bringToFront() {
    // The Floating Palette stands in for the window while it shows: it is what comes forward.
    QWidget* front = m_palette && m_palette->isVisible() ? static_cast<QWidget*>(m_palette.get()) : this;
    if (front->isMinimized()) {
        front->showNormal();
    }
    front->show();
    front->raise();
    front->activateWindow();
    // A box the window waits for comes along, on top.
    if (QWidget* box = QApplication::activeModalWidget()) {
        box->raise();
        box->activateWindow();
    }
}

// The whole window takes files from other programs, wherever they are dropped; the edits would only
// type the names in.
void MainWindow::acceptDroppedFiles() {
    setAcceptDrops(true);
    for (const char* edit : {"FullPathEdit", "FilterEdit", "NameOfCDEdit"}) {
        for (QWidget* widget : findChildren<QWidget*>(QString::fromLatin1(edit))) {
            widget->setAcceptDrops(false);
            for (QWidget* inner : widget->findChildren<QWidget*>()) {
                inner->setAcceptDrops(false);
            }
        }
    }
    for (const char* list : {"FileListBox", "CDAudioListBox"}) {
        if (auto* box = findChild<QAbstractScrollArea*>(QString::fromLatin1(list))) {
            new LinesRemovalTarget(box, m_playListBox, [this] { m_session.runCommand(QStringLiteral("RemoveM")); });
        }
    }
}

// Files of other programs; lines of the program's own lists are no files to add.
static QStringList droppedFiles(const QMimeData* data) {
    QStringList paths;
    if (data->hasFormat(ListDrag::playListLines())) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            paths.append(url.toLocalFile());
        }
    }
    return paths;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (droppedFiles(event->mimeData()).isEmpty()) {
        event->ignore();
    } else {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QStringList paths = droppedFiles(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    m_session.dispatcher().runFromWindow([this, paths] { m_session.editor().dropFiles(paths); });
}

// The long part of a hint replaces the status bar, fitted to its width.
bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        ShowFittedStatusMessage(statusBar(), static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    // A second start's request waits for a modal box over the window: the box's code still runs.
    if (event->type() == QEvent::WindowBlocked || event->type() == QEvent::WindowUnblocked) {
        m_session.dispatcher().setModalBoxOpen(event->type() == QEvent::WindowBlocked);
    }
    return QMainWindow::event(event);
}
