#include "gui/palette/floatingpalette.h"

#include "core/app/appsession.h"
#include "core/app/palettecommands.h"
#include "core/shell/controltable.h"
#include "gui/common/actionregistry.h"
#include "gui/common/hint.h"
#include "gui/palette/palettedropdowns.h"
#include "gui/playback/indicatorcontrols.h"
#include "gui/settings/settingcolour.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

namespace {

// The Part of the strip as it is drawn at 96 dots per inch.
constexpr int kWidth = 350;
constexpr int kHeight = 18;
constexpr int kCaptionWidth = 16;
constexpr int kPanelLeft = 17;
constexpr int kButtonWidth = 20;

// A small list glyph for the two drop-down buttons.
QIcon listGlyph(const QColor& colour, bool folder) {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(colour);
    for (int row = 0; row < 3; ++row) {
        painter.drawRect(folder ? 5 : 2, 3 + row * 4, 1, 1);
        painter.drawLine(folder ? 8 : 5, 3 + row * 4, 13, 3 + row * 4);
    }
    if (folder) {
        painter.drawRect(1, 2, 2, 10);
    }
    return QIcon(picture);
}

ProgressIndicators::Indicator indicatorOf(PaletteProgress::Mode mode) {
    switch (mode) {
        case PaletteProgress::Position:
            return ProgressIndicators::Position;
        case PaletteProgress::Remaining:
            return ProgressIndicators::Remaining;
        case PaletteProgress::Percent:
            break;
    }
    return ProgressIndicators::Percent;
}

}  // namespace

FloatingPalette::FloatingPalette(QWidget* mainWindow, ActionRegistry& actions, AppSession& session,
                                 IndicatorControls& indicators)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_mainWindow(mainWindow),
      m_actions(actions),
      m_session(session),
      m_indicators(indicators) {
    setObjectName(QStringLiteral("ToolBarBox"));
    setWindowTitle(AppSession::title());
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_scale = std::max(1.0, logicalDpiY() / 96.0);
    setFixedSize(scaled(kWidth), scaled(kHeight));
    createCaptionBlock();
    createPanel();
    m_dropDowns = new PaletteDropDowns(actions, session, this);
    createContextMenu();
    bindCommands();
    connect(&session.controller(), &PlaybackController::changed, this, &FloatingPalette::refresh);
    connect(&session, &AppSession::closing, this, &QWidget::hide);
}

int FloatingPalette::scaled(int pixels) const {
    return qRound(pixels * m_scale);
}

void FloatingPalette::createCaptionBlock() {
    auto* caption = new QFrame(this);
    caption->setObjectName(QStringLiteral("CaptionBarImage"));
    caption->setGeometry(0, 0, scaled(kCaptionWidth), scaled(kHeight));
    caption->setAutoFillBackground(true);
    QPalette colours = caption->palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Active, QPalette::Highlight));
    caption->setPalette(colours);
    auto* close = new QToolButton(caption);
    close->setObjectName(QStringLiteral("CloseSB"));
    close->setAutoRaise(true);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarNormalButton));
    close->setGeometry(caption->rect());
    m_actions.bindButton(close, QStringLiteral("CloseSB"));
}

void FloatingPalette::createPanel() {
    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("Panel"));
    m_panel->setGeometry(scaled(kPanelLeft), 0, width() - scaled(kPanelLeft), height());
    m_panel->setAutoFillBackground(true);

    const QColor text = palette().color(QPalette::WindowText);
    QToolButton* playList = addButton(QStringLiteral("PlayPListSI"), 19);
    playList->setIcon(listGlyph(text, false));
    connect(playList, &QToolButton::clicked, this, [this, playList] {
        m_dropDowns->fillPlayListMenu();
        m_dropDowns->playListMenu()->popup(playList->mapToGlobal(QPoint(0, playList->height())));
    });
    QToolButton* list = addButton(QStringLiteral("PlayListSI"), 39);
    list->setIcon(listGlyph(text, true));
    connect(list, &QToolButton::clicked, this, [this, list] {
        m_dropDowns->fillListMenu();
        m_dropDowns->listMenu()->popup(list->mapToGlobal(QPoint(0, list->height())));
    });
    for (const QString& name : {QStringLiteral("PlayPListSI"), QStringLiteral("PlayListSI")}) {
        SetHint(toolButton(name), FindControlEntry(name)->hint);
    }
    // The transport buttons are the main toolbar's actions: one enabling, one pressed Pause.
    const std::pair<const char*, int> transport[] = {{"PlaySI", -1},    {"PauseSI", 63}, {"StopSI", 83},
                                                     {"RewindSI", 103}, {"PrevSI", 127}, {"NextSI", 147}};
    for (const auto& [name, left] : transport) {
        addButton(QString::fromLatin1(name), left)
            ->setDefaultAction(m_actions.action(QString::fromLatin1(name)));
    }
    QToolButton* top = addButton(QStringLiteral("MoveToTopSI"), 171);
    top->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    m_actions.bindButton(top, QStringLiteral("MoveToTopSI"));
    for (int left : {60, 124, 168}) {
        addBevel(left);
    }

    m_positionBar = new QSlider(Qt::Horizontal, m_panel);
    m_positionBar->setObjectName(QStringLiteral("ScrollBar"));
    m_positionBar->setRange(0, 100);
    m_positionBar->setPageStep(10);
    m_positionBar->setGeometry(scaled(195), 0, scaled(70), height());
    m_indicators.connectPositionBar(m_positionBar);

    m_progressLabel = new QLabel(QStringLiteral("N / A"), m_panel);
    m_progressLabel->setObjectName(QStringLiteral("ProgressLabel"));
    m_progressLabel->setAlignment(Qt::AlignCenter);
    m_progressLabel->setGeometry(scaled(264), 0, scaled(53), height());
    m_progressLabel->setCursor(Qt::PointingHandCursor);
    m_progressLabel->installEventFilter(this);

    m_modeButton = addButton(QStringLiteral("ToolbarSB"), 314);
    m_modeButton->setPopupMode(QToolButton::InstantPopup);
    auto* modes = new QMenu(m_modeButton);
    modes->setObjectName(QStringLiteral("IndicatorPM"));
    connect(modes, &QMenu::aboutToShow, this,
            [this, modes] { m_indicators.fillModeMenu(modes, indicatorOf(m_mode)); });
    m_modeButton->setMenu(modes);
}

QToolButton* FloatingPalette::addButton(const QString& name, int left) {
    auto* button = new QToolButton(m_panel);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setIconSize(QSize(scaled(14), scaled(14)));
    button->setGeometry(scaled(left), 0, scaled(kButtonWidth), height());
    return button;
}

void FloatingPalette::addBevel(int left) {
    auto* bevel = new QFrame(m_panel);
    bevel->setFrameShape(QFrame::VLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(scaled(left), 0, 2, height());
}

QToolButton* FloatingPalette::toolButton(const QString& name) const {
    return findChild<QToolButton*>(name);
}

void FloatingPalette::createContextMenu() {
    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName(QStringLiteral("ToolBarBoxPopupMenu"));
    const std::vector<PaletteCommands::MenuEntry>& entries = PaletteCommands::contextMenu();
    QMenu* current = m_contextMenu;
    for (size_t i = 0; i < entries.size(); ++i) {
        const PaletteCommands::MenuEntry& entry = entries[i];
        QMenu* into = entry.depth == 0 ? m_contextMenu : current;
        if (entry.command == u"-") {
            into->addSeparator();
            continue;
        }
        QAction* item = m_actions.action(entry.command);
        const bool opensSubmenu = i + 1 < entries.size() && entries[i + 1].depth > entry.depth;
        if (opensSubmenu && !item->menu()) {
            item->setMenu(new QMenu(this));
        }
        into->addAction(item);
        if (opensSubmenu) {
            current = item->menu();
        }
    }
    m_contextMenu->setDefaultAction(m_actions.action(QStringLiteral("DefaultM")));
    // Keys of the palette's own: the shared actions take the shortcuts the settings store.
    const std::pair<QKeySequence, const char*> keys[] = {{QKeySequence(Qt::Key_Escape), "ReturnPM"},
                                                         {QKeySequence(Qt::ALT | Qt::Key_F4), "ExitPM"}};
    for (const auto& [key, command] : keys) {
        connect(new QShortcut(key, this), &QShortcut::activated, this,
                [this, name = QString::fromLatin1(command)] { m_actions.run(name); });
    }
}

void FloatingPalette::bindCommands() {
    CommandTable& table = m_session.commands();
    table.bind(QStringLiteral("FloatingPalM"), [this] { showInsteadOfMainWindow(); });
    table.bind(QStringLiteral("CloseSB"), [this] { returnToMainWindow(); });
    table.bind(QStringLiteral("ReturnPM"), [this] { returnToMainWindow(); });
    table.bind(QStringLiteral("MinimizePM"), [this] { showMinimized(); });
    table.bind(QStringLiteral("MoveToTopSI"), [this] { moveTo(PalettePlacement::Place::Top); });
    for (const PaletteCommands::PlaceCommand& command : PaletteCommands::placeCommands()) {
        table.bind(command.command, [this, place = command.place] { moveTo(place); });
    }
}

void FloatingPalette::showInsteadOfMainWindow() {
    if (isVisible()) {
        return;
    }
    if (m_session.cdAudioModeShown()) {
        m_session.runCommand(QStringLiteral("PanelCurrentCD"));
    }
    const Preferences& preferences = m_session.preferences();
    m_mode = PaletteProgress::fromStored(preferences.floatingPaletteMode);
    applyAppearance();
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.append(screen->geometry());
    }
    const QRect primary = QGuiApplication::primaryScreen()->geometry();
    const QPoint place = PalettePlacement::restoredPlace(preferences.paletteTop, preferences.paletteLeft,
                                                         screens, primary, size());
    m_mainWindow->hide();
    move(place);
    showNormal();
    raise();
    // A place that fell back is the one kept from now on.
    Preferences& stored = m_session.preferences();
    stored.paletteTop = place.y();
    stored.paletteLeft = place.x();
    refresh();
}

void FloatingPalette::returnToMainWindow() {
    m_session.commands().refreshNow();
    hide();
    m_mainWindow->showNormal();
    m_mainWindow->raise();
    m_mainWindow->activateWindow();
}

QRect FloatingPalette::screenRect() const {
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return shown->geometry();
}

void FloatingPalette::moveTo(PalettePlacement::Place place) {
    move(PalettePlacement::place(place, screenRect(), size(), pos()));
}

// A picture that cannot be shown leaves the colour; the main window says why when it loads the same.
void FloatingPalette::applyAppearance() {
    const Preferences& preferences = m_session.preferences();
    const QPalette desktop = QApplication::palette();
    const QColor background = colourFromSetting(preferences.colourPalette, desktop);
    const QColor text = colourFromSetting(preferences.textPalette, desktop);
    const QPixmap picture(preferences.floatingPaletteBitmapPath);
    QPalette colours = m_panel->palette();
    colours.setBrush(QPalette::Window, picture.isNull() ? QBrush(background) : QBrush(background, picture));
    colours.setColor(QPalette::WindowText, text);
    colours.setColor(QPalette::ButtonText, text);
    m_panel->setPalette(colours);
}

void FloatingPalette::setMode(PaletteProgress::Mode mode) {
    m_mode = mode;
    m_session.preferences().floatingPaletteMode = mode;
    refresh();
}

void FloatingPalette::refresh() {
    const PlaybackController& controller = m_session.controller();
    m_progressLabel->setText(PaletteProgress::text(m_mode, controller.indicators()));
    const TransportState state = controller.transport();
    m_positionBar->setEnabled(state.positionBar);
    m_positionBar->setToolTip(controller.playingHint());
    if (!m_positionBar->isSliderDown()) {
        m_positionBar->setValue(state.positionBarValue);
    }
    m_modeButton->setIcon(m_indicators.modeButton(indicatorOf(m_mode))->icon());
}

bool FloatingPalette::eventFilter(QObject* watched, QEvent* event) {
    const auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (watched != m_progressLabel || !mouse || mouse->button() != Qt::LeftButton) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonPress) {
        setMode(PaletteProgress::next(m_mode));
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        // The double click's first press moved the mode on; it goes back, and the position box opens.
        setMode(PaletteProgress::previous(m_mode));
        m_session.runCommand(QStringLiteral("ChangePosM"));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FloatingPalette::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - pos();
    }
    QWidget::mousePressEvent(event);
}

void FloatingPalette::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - m_dragOffset);
    }
    QWidget::mouseMoveEvent(event);
}

void FloatingPalette::mouseReleaseEvent(QMouseEvent* event) {
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void FloatingPalette::contextMenuEvent(QContextMenuEvent* event) {
    m_session.commands().refreshNow();
    m_contextMenu->popup(event->globalPos());
}

// Kept at once, so that every write of the settings stores where the palette stands.
void FloatingPalette::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (isVisible() && !isMinimized()) {
        Preferences& preferences = m_session.preferences();
        preferences.paletteTop = y();
        preferences.paletteLeft = x();
    }
}

// A drag of the bar that the hiding cut short still moves playback and ends.
void FloatingPalette::hideEvent(QHideEvent* event) {
    if (m_positionBar->isSliderDown()) {
        m_positionBar->setSliderDown(false);
    }
    m_dragging = false;
    QWidget::hideEvent(event);
}

// Closed by the desktop (Alt+F4): the program ends, as Exit does; the save prompt may keep it open.
void FloatingPalette::closeEvent(QCloseEvent* event) {
    event->ignore();
    m_session.runCommand(QStringLiteral("ExitPM"));
}
