#include "gui/app/tvlpmain.h"

#include "core/common/fittext.h"
#include "core/shell/contextmenu.h"
#include "core/shell/externalcommands.h"
#include "core/shell/product.h"
#include "gui/app/contextmenus.h"
#include "gui/app/editcommands.h"
#include "gui/app/helpcommands.h"
#include "gui/app/settingcolour.h"
#include "gui/app/helpwindow.h"
#include "gui/app/hint.h"
#include "gui/app/mainarea.h"
#include "gui/app/qtclipboard.h"
#include "gui/app/mainbusyindicator.h"
#include "gui/app/mainmenu.h"
#include "gui/app/qtprompter.h"
#include "gui/app/widgettextmeasurer.h"
#include "gui/app/transportbar.h"
#include "gui/app/viewtogglebuttons.h"
#include "gui/playback/indicatorcontrols.h"
#include "gui/playback/panelinfo.h"
#include "gui/playlist/linesremovaltarget.h"
#include "gui/playlist/playlistbox.h"
#include "gui/playlist/playlistpanel.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QStatusTipEvent>
#include <QAbstractScrollArea>
#include <QUrl>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QScreen>
#include <QSet>
#include <QTimer>
#include <QStatusBar>

namespace {
constexpr int kInitialWidth = 473;
constexpr int kInitialHeight = 364;

// The View, Components items in the order of the component flags.
const char* const kComponentItems[] = {"ViewPlayListM",   "ViewFileListM", "ViewToolBarM",      "ViewScrollbarM",
                                       "ViewStatusBarM",  "ViewSpinButtonM", "ViewPathEditM",   "ViewLabelsM",
                                       "ViewModeSelectorM", "ViewFilterBoxM", "ViewFilterEditM"};
}  // namespace

TVLPMain::TVLPMain(Options options, QWidget* parent) : QMainWindow(parent), m_options(std::move(options)) {
    setObjectName(QStringLiteral("TVLPMain"));
    setWindowTitle(AppSession::title());
    resize(kInitialWidth, kInitialHeight);

    Prompter* prompter = m_options.prompter;
    if (!prompter) {
        m_ownPrompter = std::make_unique<QtPrompter>(this);
        prompter = m_ownPrompter.get();
    }
    m_prompter = prompter;
    m_measurer = std::make_unique<WidgetTextMeasurer>(this);
    m_busy = std::make_unique<MainBusyIndicator>(this);
    m_clipboard = std::make_unique<QtClipboard>();
    m_session = std::make_unique<AppSession>(
        m_options.folders,
        AppSession::Ports{*prompter, *m_options.device, *m_clipboard, *m_options.probe, m_busy.get(),
                          m_measurer.get()});

    m_busy->setEscapeHandler([this] { m_session->lengths().requestAbort(); });
    m_area = new MainArea(*m_session, this);
    m_panel = m_area->playListPanel();
    m_playListBox = m_panel->box();
    setCentralWidget(m_area);
    m_playListBox->installEventFilter(this);
    m_menu = new MainMenu(menuBar(), this);
    connectCommands();
    m_transport = new TransportBar(this, *m_menu, *m_session);
    m_indicators = new IndicatorControls(this, m_transport->toolBar(), *m_menu, *m_session);
    m_viewButtons = new ViewToggleButtons(m_transport->toolBar(), *m_menu, m_session->preferences());
    createStatusBar();
    m_edit = new EditCommands(*m_menu, *m_session, *m_clipboard, this);
    PlaybackController& controller = m_session->controller();
    connect(m_playListBox, &QAbstractItemView::doubleClicked, &controller, [&controller, this](const QModelIndex& index) {
        m_session->playList().setFocusedLine(index.row());
        controller.PlayPlaylistSBClick();
    });
    connect(&m_session->playList(), &PlayList::selectionChanged, &m_session->editor(), &PlayListEditor::PlayListClick);
    connect(&m_session->playList(), &PlayList::focusedLineChanged, &m_session->editor(), &PlayListEditor::PlayListClick);
    connect(&controller, &PlaybackController::helpRequested, this, &TVLPMain::showHelp);
    connect(m_session.get(), &AppSession::exitRequested, this, &QWidget::close);

    connect(&m_session->document(), &PlayListDocument::fileNameChanged, this, &TVLPMain::updateAlbumPanel);
    connect(m_session.get(), &AppSession::settingsLoaded, this, &TVLPMain::applySettings);
    connectExternalCommands();
    new HelpCommands(*m_menu, [this] { return helpWindow(); }, this);
    createContextMenus();
    acceptDroppedFiles();
    m_session->FormCreate();
    placeWindow();
    applyShortcuts();
    refreshHistoryMenu();
}

void TVLPMain::placeWindow() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    QRect desktop;
    for (const QScreen* each : QGuiApplication::screens()) {
        desktop |= each->availableGeometry();
    }
    // The window opens at least as wide as both sides need, so that the first layout keeps the share.
    LayoutInput both;
    both.components.fill(true);
    both.sizes = m_area->layoutSizes();
    const QSize minimum = minimumSizeHint().expandedTo(QSize(ComputeMainLayout(both).minimum.width(), 0));
    const QRect bounds = PlaceMainWindow(m_session->preferences().window, minimum, available, desktop);
    resize(bounds.size());
    move(bounds.topLeft());
}

WindowPlacement TVLPMain::currentPlacement() const {
    WindowPlacement placement = m_session->preferences().window;
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

void TVLPMain::applySettings() {
    const Preferences& preferences = m_session->preferences();
    applyShortcuts();
    refreshHistoryMenu();
    m_indicators->panelInfo()->setPanels(preferences.statusBarPanels);
    m_indicators->refresh();
    applyAppearance();
    ApplyComponents();
    refreshViewMenu();
    if (preferences.window.maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

// A picture that cannot be shown is said at once; its place then shows the colour.
QPixmap TVLPMain::loadPicture(const QString& path) {
    if (path.isEmpty()) {
        return {};
    }
    if (!QFileInfo::exists(path)) {
        m_prompter->showMessage(Prompter::Kind::Error, QStringLiteral("Unable to find ") + path);
        return {};
    }
    QPixmap picture(path);
    if (picture.isNull()) {
        m_prompter->showMessage(Prompter::Kind::Error,
                                QStringLiteral("Unable to show ") + path + QStringLiteral(": it is not a picture Velmaro can read."));
    }
    return picture;
}

void TVLPMain::applyAppearance() {
    const Preferences& preferences = m_session->preferences();
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
}

constexpr const char* kSetAsideBuddy = "setAsideBuddy";

// A button's underlined letter that is also a menu item's shortcut is left to the item, which runs
// the same command: two owners of one key would leave it to neither.
void TVLPMain::applyShortcuts() {
    m_menu->applyShortcuts(m_session->preferences().shortcuts);
    QSet<QKeySequence> taken;
    for (const QAction* item : menuBar()->findChildren<QAction*>()) {
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
            const bool free = !taken.contains(QKeySequence::mnemonic(label->text()));
            label->setBuddy(free ? buddy : nullptr);
            label->setProperty(kSetAsideBuddy, QVariant::fromValue(free ? nullptr : buddy));
        }
    }
}

TVLPMain::~TVLPMain() = default;

QAction* TVLPMain::action(const QString& name) const {
    return m_menu->action(name);
}

void TVLPMain::connectCommands() {
    PlayListDocument& document = m_session->document();
    FavoritesAndHistory& favorites = m_session->favoritesAndHistory();
    m_menu->connectCommand(QStringLiteral("NewM"), [&document] { document.NewPlayList(); });
    m_menu->connectCommand(QStringLiteral("OpenM"), [&document] { document.OpenPlayList(QString(), true, false); });
    m_menu->connectCommand(QStringLiteral("SaveM"), [&document] { document.SavePlayList(false); });
    m_menu->connectCommand(QStringLiteral("SaveAsM"), [&document] { document.SavePlayList(true); });
    m_menu->connectCommand(QStringLiteral("ExitM"), [this] { close(); });
    for (int n = 1; n <= Preferences::kHistorySize; ++n) {
        m_menu->connectCommand(QStringLiteral("History%1M").arg(n), [&favorites, n] { favorites.OpenHistoryEntry(n); });
    }
    m_menu->connectCommand(QStringLiteral("PathsM"), [this] {
        m_session->togglePaths();
        refreshViewMenu();
    });
    m_menu->connectCommand(QStringLiteral("ExtensionsM"), [this] {
        m_session->toggleExtensions();
        refreshViewMenu();
    });
    action(QStringLiteral("PathsM"))->setCheckable(true);
    action(QStringLiteral("ExtensionsM"))->setCheckable(true);

    connect(m_menu->menu(QStringLiteral("FileM")), &QMenu::aboutToShow, this, &TVLPMain::refreshHistoryMenu);
    connect(&favorites, &FavoritesAndHistory::historyChanged, this, &TVLPMain::refreshHistoryMenu);
    connect(m_menu->menu(QStringLiteral("ViewM")), &QMenu::aboutToShow, this, &TVLPMain::refreshViewMenu);
    for (int n = 0; n < Preferences::kComponents; ++n) {
        QAction* item = action(QString::fromLatin1(kComponentItems[n]));
        item->setCheckable(true);
        m_menu->connectCommand(item->objectName(), [this, n] { ViewComponents(n); });
    }
    connect(m_menu->menu(QStringLiteral("FavFoldersM")), &QMenu::aboutToShow, this,
            [this] { fillFavoritesMenu(QStringLiteral("FavFoldersM"), Favorites::Kind::Folders); });
    connect(m_menu->menu(QStringLiteral("FavPlayListsM")), &QMenu::aboutToShow, this,
            [this] { fillFavoritesMenu(QStringLiteral("FavPlayListsM"), Favorites::Kind::PlayLists); });
}

void TVLPMain::refreshViewMenu() {
    const Preferences& preferences = m_session->preferences();
    action(QStringLiteral("PathsM"))->setChecked(preferences.showPath);
    action(QStringLiteral("ExtensionsM"))->setChecked(preferences.showExtension);
    checkComponentItems();
    const bool cdMode = m_area->cdAudioMode();
    action(QStringLiteral("ViewFileListM"))->setText(cdMode ? QStringLiteral("&CD Audio List") : QStringLiteral("&File List"));
    const bool rightSide = isOn(preferences.components, Component::FileList);
    for (const auto& [name, checked] : {std::pair{"FileManModeM", rightSide && !cdMode}, std::pair{"CDAudioModeM", rightSide && cdMode}}) {
        QAction* item = action(QString::fromLatin1(name));
        item->setCheckable(true);
        item->setChecked(checked);
    }
    m_viewButtons->refresh();
    action(QStringLiteral("MixerM"))->setEnabled(ExternalCommands::mixerAvailable(preferences.mixerPath));
    action(QStringLiteral("VLPropM"))->setEnabled(m_external->soundSettingsAvailable());
}

void TVLPMain::connectExternalCommands() {
    m_external = std::make_unique<ExternalCommands>(ExternalCommands::Context{
        *m_options.shell, *m_prompter, m_options.soundSettings, Product::homePage(), Product::contactEmail()});
    m_menu->connectCommand(QStringLiteral("MixerM"), [this] { m_external->MixerMClick(m_session->preferences().mixerPath); });
    m_menu->connectCommand(QStringLiteral("VLPropM"), [this] { m_external->VLPropMClick(); });
    m_menu->connectCommand(QStringLiteral("HomePageM"), [this] { m_external->HomePageMClick(); });
    m_menu->connectCommand(QStringLiteral("MailusM"), [this] { m_external->MailusMClick(); });
    action(QStringLiteral("HomePageM"))->setEnabled(m_external->homePageAvailable());
    action(QStringLiteral("MailusM"))->setEnabled(m_external->mailAvailable());
    refreshViewMenu();
}

void TVLPMain::createContextMenus() {
    PlaybackController& controller = m_session->controller();
    ContextMenus::Hooks hooks;
    hooks.refreshStates = [this] {
        m_transport->refresh();
        m_edit->refresh();
        m_indicators->refresh();
        refreshViewMenu();
    };
    hooks.hideComponent = [this](Component component) { ViewComponents(static_cast<int>(component)); };
    hooks.ownEnabled = [this](const QString& command) {
        // The position bar's items go with Change Position; the Preferences dialog is not built yet.
        return command != ContextCommand::kStatusBarCustomize && action(QStringLiteral("ChangePosM"))->isEnabled();
    };
    hooks.runOwn = [this, &controller](const QString& command) {
        if (command == ContextCommand::kPercent0) {
            controller.RewindSBClick();
        } else if (command == ContextCommand::kPercent25) {
            controller.PercentJump(25);
        } else if (command == ContextCommand::kPercent75) {
            controller.PercentJump(75);
        } else if (command == ContextCommand::kAnyValue) {
            m_indicators->ChangePosMClick();
        }
    };
    m_contextMenus = new ContextMenus(this, *m_menu, std::move(hooks));
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

void TVLPMain::contextMenuEvent(QContextMenuEvent* event) {
    QWidget* origin = childAt(event->pos());
    m_contextMenus->popup(origin ? origin : this, event->globalPos());
    event->accept();
}

void TVLPMain::checkComponentItems() {
    for (int n = 0; n < Preferences::kComponents; ++n) {
        action(QString::fromLatin1(kComponentItems[n]))->setChecked(m_session->preferences().components[static_cast<size_t>(n)]);
    }
}

// A View menu item toggles its component; the window then keeps room for what is shown.
void TVLPMain::ViewComponents(int component) {
    auto& components = m_session->preferences().components;
    components[static_cast<size_t>(component)] = !components[static_cast<size_t>(component)];
    checkComponentItems();
    ApplyComponents();
    const bool bothSides = isOn(components, Component::PlayList) && isOn(components, Component::FileList);
    if (bothSides && width() < minimumWidth()) {
        resize(minimumWidth(), height());
    }
    if (height() < minimumHeight()) {
        resize(width(), minimumHeight());
    }
    refreshViewMenu();
}

void TVLPMain::ApplyComponents() {
    const auto& components = m_session->preferences().components;
    m_transport->toolBar()->setVisible(isOn(components, Component::Toolbar));
    statusBar()->setVisible(isOn(components, Component::StatusBar));
    m_indicators->setScrollBarVisible(isOn(components, Component::ScrollBar));
    m_area->setComponents(components);
    showMenusOfSides(isOn(components, Component::PlayList), isOn(components, Component::FileList));
    updateMinimumSize();
    // The count label shows or hides with the components: its state is decided again at once.
    m_session->editor().PlayListClick();
}

// The Organize menu goes with the Play List; the mode items, their separator and New Folder go with the
// right-hand lists.
void TVLPMain::showMenusOfSides(bool playList, bool rightSide) {
    QAction* organize = m_menu->menu(QStringLiteral("OrganizeM"))->menuAction();
    organize->setVisible(playList);
    organize->setEnabled(playList);
    for (const char* name : {"NewDirM", "FileManModeM", "CDAudioModeM"}) {
        action(QString::fromLatin1(name))->setVisible(rightSide);
    }
    const QList<QAction*> viewItems = m_menu->menu(QStringLiteral("ViewM"))->actions();
    const qsizetype modeItem = viewItems.indexOf(action(QStringLiteral("FileManModeM")));
    if (modeItem > 0 && viewItems[modeItem - 1]->isSeparator()) {
        viewItems[modeItem - 1]->setVisible(rightSide);
    }
}

void TVLPMain::updateMinimumSize() {
    LayoutInput input;
    input.components = m_session->preferences().components;
    input.toolbar = m_transport->toolBar()->sizeHint();
    input.statusBarHeight = statusBar()->sizeHint().height();
    input.startupFinished = m_started;
    input.sizes = m_area->layoutSizes();
    const QSize client = ComputeMainLayout(input).minimum;
    setMinimumSize(client.width(), client.height() + menuBar()->sizeHint().height());
}

void TVLPMain::refreshHistoryMenu() {
    const History::Menu menu = m_session->favoritesAndHistory().historyMenu();
    action(QStringLiteral("Line3"))->setVisible(menu.separatorVisible);
    for (int n = 0; n < Preferences::kHistorySize; ++n) {
        QAction* item = action(QStringLiteral("History%1M").arg(n + 1));
        const History::MenuItem& entry = menu.items[static_cast<size_t>(n)];
        item->setText(entry.caption);
        item->setVisible(entry.visible);
        item->setCheckable(entry.checked);
        item->setChecked(entry.checked);
    }
}

void TVLPMain::fillFavoritesMenu(const QString& menuName, Favorites::Kind kind) {
    QMenu* menu = m_menu->menu(menuName);
    menu->clear();
    FavoritesAndHistory& favorites = m_session->favoritesAndHistory();
    for (const Favorites::MenuItem& entry : favorites.favoritesMenu(kind)) {
        if (entry.caption == u"-") {
            menu->addSeparator();
            continue;
        }
        QAction* item = menu->addAction(entry.caption);
        item->setStatusTip(entry.hint);
        item->setEnabled(entry.enabled);
        item->setCheckable(entry.checked);
        item->setChecked(entry.checked);
        connect(item, &QAction::triggered, this,
                [&favorites, kind, entry] { favorites.runFavoritesItem(kind, entry); });
    }
}

void TVLPMain::createStatusBar() {
    PanelInfo* panels = m_indicators->panelInfo();
    m_albumPanel = panels->album();
    panels->playListButton()->setMenu(m_menu->menu(QStringLiteral("FavPlayListsM")));
    connect(panels, &PanelInfo::albumResized, this, &TVLPMain::updateAlbumPanel);
    updateAlbumPanel();
}

void TVLPMain::updateAlbumPanel() {
    const int width = m_indicators->panelInfo()->albumTextWidth();
    // Fitted in the panel's own font, a point smaller than the window's.
    const WidgetTextMeasurer measurer(m_albumPanel);
    m_albumPanel->setText(FitText(measurer, width, m_session->document().albumPanelCaption()));
    m_albumPanel->setToolTip(m_session->document().fileName());
}

void TVLPMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    const bool firstShow = !m_started;
    m_session->FormShow(m_options.parameters, m_options.baseFolder);
    m_started = true;
    if (firstShow && m_session->isFirstRun() && !isMaximized()) {
        widenForStatusPanels();
    }
    updateMinimumSize();
    m_playListBox->setFocus();
}

// The first window's size was chosen for an old, small system font: with the desktop's font it grows
// until the name panel shows its whole caption beside the time panels. Its size is kept from then on.
void TVLPMain::widenForStatusPanels() {
    const WidgetTextMeasurer measurer(m_albumPanel);
    const int wanted = measurer.textWidth(m_session->document().albumPanelCaption()) + 2;
    const QRect available = screen() ? screen()->availableGeometry() : QRect(0, 0, 1 << 15, 1 << 15);
    // The status bar shares out what the window gains; a few rounds settle it.
    for (int round = 0; round < 4; ++round) {
        const int missing = wanted - m_indicators->panelInfo()->albumTextWidth();
        const int width = std::min(this->width() + missing, available.width());
        if (missing <= 0 || width <= this->width()) {
            return;
        }
        // Centred as it was.
        const int left = std::max(available.left(), x() - (width - this->width()) / 2);
        resize(width, height());
        move(left, y());
        layout()->activate();
        statusBar()->layout()->activate();
    }
}

void TVLPMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The status bar lays its panels out after this event; fit the caption to the width it then has.
    QTimer::singleShot(0, this, &TVLPMain::updateAlbumPanel);
}

void TVLPMain::closeEvent(QCloseEvent* event) {
    if (!m_session->FormCloseQuery()) {
        event->ignore();
        return;
    }
    m_session->FormClose(currentPlacement());
    event->accept();
}

QString TVLPMain::commandAvailability(const QString& name) const {
    return m_session->commandAvailability(name);
}

void TVLPMain::runCommand(const QString& name) {
    m_session->runCommand(name);
}

HelpWindow* TVLPMain::helpWindow() {
    if (!m_help) {
        m_help = new HelpWindow(m_options.helpFolder, this);
    }
    return m_help;
}

void TVLPMain::showHelp(const QString& topic) {
    helpWindow()->showTopic(topic);
}

bool TVLPMain::eventFilter(QObject* watched, QEvent* event) {
    // Entering the Play List makes it the active list. The window coming back to the front gives the box
    // its focus again, which is no entering: Play must not come on while an item plays.
    if (watched == m_playListBox && event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        m_session->run().focusList = ActiveList::PlayList;
        m_session->editor().PlayListClick();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TVLPMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        m_transport->refresh();
        m_indicators->refresh();
    }
}

void TVLPMain::bringToFront() {
    if (isMinimized()) {
        showNormal();
    }
    show();
    raise();
    activateWindow();
}

// The whole window takes files from other programs, wherever they are dropped; the edits would only
// type the names in.
void TVLPMain::acceptDroppedFiles() {
    setAcceptDrops(true);
    for (const char* edit : {"FullPathEdit", "FilterEdit", "NameOfCDEdit"}) {
        for (QWidget* widget : findChildren<QWidget*>(QString::fromLatin1(edit))) {
            widget->setAcceptDrops(false);
            for (QWidget* inner : widget->findChildren<QWidget*>()) {
                inner->setAcceptDrops(false);
            }
        }
    }
    PlayListEditor& editor = m_session->editor();
    for (const char* list : {"FileListBox", "CDAudioListBox"}) {
        if (auto* box = findChild<QAbstractScrollArea*>(QString::fromLatin1(list))) {
            new LinesRemovalTarget(box, m_playListBox, [&editor] { editor.RemoveSelectedItems(); });
        }
    }
}

// Files of other programs; lines of the program's own lists are no files to add.
static QStringList droppedFiles(const QMimeData* data) {
    QStringList paths;
    if (data->hasFormat(PlayListBox::lineMimeType())) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            paths.append(url.toLocalFile());
        }
    }
    return paths;
}

void TVLPMain::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void TVLPMain::dragMoveEvent(QDragMoveEvent* event) {
    if (droppedFiles(event->mimeData()).isEmpty()) {
        event->ignore();
    } else {
        event->acceptProposedAction();
    }
}

void TVLPMain::dropEvent(QDropEvent* event) {
    const QStringList paths = droppedFiles(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    m_session->editor().dropFiles(paths);
}

// The long part of a hint replaces the status bar, fitted to its width.
bool TVLPMain::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        ShowFittedStatusMessage(statusBar(), static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}
