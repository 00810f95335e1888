#include "gui/shell/transportbar.h"

#include "core/app/appsession.h"
#include "core/common/prompter.h"
#include "core/settings/inifile.h"
#include "core/settings/toolbarsettings.h"
#include "core/shell/toolbarindicators.h"
#include "core/shell/toolbartable.h"
#include "gui/common/actionregistry.h"
#include "gui/shell/grayedbuttonstyle.h"
#include "gui/toolbar/customizetoolbardialog.h"
#include "gui/toolbar/toolbaricons.h"

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QSlider>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

#include <algorithm>

namespace {

// Buttons sit on a grid of their own size: the bar puts no room between them and keeps a margin of
// the grid offset, so the places the layout stores are the places the buttons show at.
class GridToolBarStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        switch (metric) {
            case PM_ToolBarItemSpacing:
                return 0;
            case PM_ToolBarItemMargin:
                return ToolbarLayout::kGridOffset - 1;
            case PM_ToolBarFrameWidth:
                return 1;
            default:
                return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }
};

Qt::ToolBarArea areaOf(ToolbarEdge edge) {
    switch (edge) {
        case ToolbarEdge::Bottom:
            return Qt::BottomToolBarArea;
        case ToolbarEdge::Left:
            return Qt::LeftToolBarArea;
        case ToolbarEdge::Right:
            return Qt::RightToolBarArea;
        case ToolbarEdge::Top:
            break;
    }
    return Qt::TopToolBarArea;
}

QStringList catalogNames() {
    QStringList names;
    for (const ToolbarCategory& category : ToolbarCategories()) {
        for (const ToolbarButton& button : category.buttons) {
            names.append(button.name);
        }
    }
    return names;
}

}  // namespace

TransportBar::TransportBar(QMainWindow* window, ActionRegistry& actions, AppSession& session)
    : QObject(window), m_window(window), m_actions(actions), m_session(session) {
    m_toolBar = new QToolBar(QStringLiteral("Toolbar"), window);
    m_toolBar->setObjectName(QStringLiteral("SpeedBar"));
    auto* gridStyle = new GridToolBarStyle;
    gridStyle->setParent(this);
    m_toolBar->setStyle(gridStyle);
    // The pictures are drawn on the whole 22 x 22 button, so they show pixel for pixel.
    m_toolBar->setIconSize(QSize(ToolbarLayout::kButtonSize, ToolbarLayout::kButtonSize));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->setFloatable(true);
    window->addToolBar(Qt::TopToolBarArea, m_toolBar);
    // A widget holds its style by a guarded pointer: the buttons may outlive this style when the window
    // closes.
    m_grayedStyle = new GrayedButtonStyle;
    m_grayedStyle->setParent(this);
    // A button the bar makes for a new action is polished before it is first drawn.
    m_toolBar->installEventFilter(this);
    setUpButtons();
    connect(m_toolBar, &QToolBar::orientationChanged, this, &TransportBar::onOrientationChanged);
    connect(m_toolBar, &QToolBar::topLevelChanged, this, &TransportBar::placeIndicatorsLater);
    session.commands().bind(QStringLiteral("CustomizeToolbarM"), [this] { openCustomize(); });
    session.commands().bind(QStringLiteral("DefaultToolbarM"), [this] { restoreDefault(); });
    connect(&session, &AppSession::settingsLoaded, this, &TransportBar::loadLayout);
    connect(&session, &AppSession::closing, this, &TransportBar::saveLayout);
    applyLayout(DefaultToolbarLayout());
}

QAction* TransportBar::button(const QString& name) const {
    return m_actions.action(name);
}

void TransportBar::setUpButtons() {
    for (const QString& name : catalogNames()) {
        m_actions.action(name)->setIcon(ToolbarIcon(name));
    }
}

void TransportBar::setIndicators(QSlider* positionBar, QLabel* progressLabel, QToolButton* percentButton) {
    m_positionBar = positionBar;
    m_progressLabel = progressLabel;
    m_percentButton = percentButton;
    placeIndicatorsLater();
}

ToolbarEdge TransportBar::edge() const {
    switch (m_window->toolBarArea(m_toolBar)) {
        case Qt::BottomToolBarArea:
            return ToolbarEdge::Bottom;
        case Qt::LeftToolBarArea:
            return ToolbarEdge::Left;
        case Qt::RightToolBarArea:
            return ToolbarEdge::Right;
        default:
            return ToolbarEdge::Top;
    }
}

// The thickness is the one the bar keeps at least; one line of buttons never needs more.
ToolbarLayout TransportBar::layout() const {
    return LayoutOfLine(edge(), m_thickness, m_line);
}

void TransportBar::applyLayout(const ToolbarLayout& layout) {
    if (m_toolBar->isFloating() || edge() != layout.edge) {
        m_window->addToolBar(areaOf(layout.edge), m_toolBar);
    }
    m_thickness = layout.thickness;
    m_line = ToolbarLine(layout);
    showLine();
}

// The placed buttons in their line with the room between them; the others stay on the bar hidden, so
// each keeps its one button for the whole run.
void TransportBar::showLine() {
    m_toolBar->clear();
    for (QWidgetAction* spacer : m_spacers) {
        delete spacer;
    }
    m_spacers.clear();
    QStringList placed;
    for (const ToolbarLineItem& item : m_line) {
        addSpacer(item.gapBefore);
        QAction* action = button(item.name);
        action->setVisible(true);
        m_toolBar->addAction(action);
        placed.append(item.name);
    }
    for (const QString& name : catalogNames()) {
        if (!placed.contains(name)) {
            QAction* action = button(name);
            action->setVisible(false);
            m_toolBar->addAction(action);
        }
    }
    attachDropDownMenus();
    applyThickness();
    placeIndicatorsLater();
}

void TransportBar::addSpacer(int length) {
    if (length <= 0) {
        return;
    }
    auto* room = new QWidget;
    if (m_toolBar->orientation() == Qt::Vertical) {
        room->setFixedSize(1, length);
    } else {
        room->setFixedSize(length, 1);
    }
    auto* spacer = new QWidgetAction(m_toolBar);
    spacer->setDefaultWidget(room);
    m_toolBar->addAction(spacer);
    m_spacers.push_back(spacer);
}

// The favourites' buttons drop their menus down, as the View menu's items open them.
void TransportBar::attachDropDownMenus() {
    for (const char* name : {"FavFolders", "FavPlayLists"}) {
        const QString stem = QString::fromLatin1(name);
        auto* dropDown =
            qobject_cast<QToolButton*>(m_toolBar->widgetForAction(button(stem + QStringLiteral("SI"))));
        if (auto* menu = m_window->findChild<QMenu*>(stem + u'M'); dropDown && menu) {
            dropDown->setMenu(menu);
            dropDown->setPopupMode(QToolButton::InstantPopup);
        }
    }
}

void TransportBar::applyThickness() {
    if (m_toolBar->orientation() == Qt::Vertical) {
        m_toolBar->setMinimumSize(m_thickness, 0);
    } else {
        m_toolBar->setMinimumSize(0, m_thickness);
    }
}

void TransportBar::onOrientationChanged() {
    showLine();
    const bool vertical = m_toolBar->orientation() == Qt::Vertical;
    if (m_positionBar) {
        m_positionBar->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
        // The start of the item is at the top, as on a horizontal bar it is at the left.
        m_positionBar->setInvertedAppearance(vertical);
        m_positionBar->setInvertedControls(vertical);
    }
}

void TransportBar::setButtonStyle(bool borderless, bool grayed) {
    m_borderless = borderless;
    m_grayed = borderless && grayed;
    for (QToolButton* button : m_toolBar->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
        styleButton(button);
    }
}

void TransportBar::styleButton(QToolButton* button) const {
    // Only the command buttons the bar made for its actions: the indicators' own controls and the
    // bar's overflow arrow keep their looks.
    if (!button->defaultAction()) {
        return;
    }
    button->setFixedSize(ToolbarLayout::kButtonSize, ToolbarLayout::kButtonSize);
    button->setAutoRaise(m_borderless);
    if ((button->style() == m_grayedStyle) != m_grayed) {
        button->setStyle(m_grayed ? m_grayedStyle : nullptr);
    }
}

// Where the bar's grid starts in its own pixels: the first shown button, else the margins and handle.
QPoint TransportBar::gridOrigin() const {
    const ToolbarLayout shown = LayoutOfLine(edge(), m_thickness, m_line);
    for (const ToolbarLayout::Button& placed : shown.buttons) {
        if (QWidget* widget = m_toolBar->widgetForAction(button(placed.name));
            widget && widget->isVisible()) {
            return widget->pos() - QPoint(placed.left, placed.top);
        }
    }
    const QStyle* style = m_toolBar->style();
    const int margin = style->pixelMetric(QStyle::PM_ToolBarItemMargin, nullptr, m_toolBar) +
                       style->pixelMetric(QStyle::PM_ToolBarFrameWidth, nullptr, m_toolBar) -
                       ToolbarLayout::kGridOffset;
    const int handle =
        m_toolBar->isMovable() ? style->pixelMetric(QStyle::PM_ToolBarHandleExtent, nullptr, m_toolBar) : 0;
    return m_toolBar->orientation() == Qt::Vertical ? QPoint(margin, margin + handle)
                                                    : QPoint(margin + handle, margin);
}

void TransportBar::placeIndicatorsLater() {
    if (!m_placingPending) {
        m_placingPending = true;
        QTimer::singleShot(0, this, &TransportBar::placeIndicators);
    }
}

void TransportBar::placeIndicators() {
    m_placingPending = false;
    if (!m_positionBar || !m_progressLabel || !m_percentButton) {
        return;
    }
    const bool vertical = m_toolBar->orientation() == Qt::Vertical;
    const QPoint origin = gridOrigin();
    ToolbarLayout shown = LayoutOfLine(edge(), vertical ? m_toolBar->width() : m_toolBar->height(), m_line);
    if (vertical != isVertical(shown.edge)) {
        // Floating: the bar stands as its own window's shape says.
        shown = LayoutOfLine(vertical ? ToolbarEdge::Left : ToolbarEdge::Top, shown.thickness, m_line);
    }
    const int length = vertical ? m_toolBar->height() - origin.y() : m_toolBar->width() - origin.x();
    // A vertical bar shows the number alone, in a label a little wider than the bar.
    const QSize label = vertical ? QSize(shown.thickness + 12, m_progressLabel->sizeHint().height())
                                 : m_progressLabel->sizeHint().expandedTo(m_progressLabel->minimumSize());
    const QSize percent = m_percentButton->sizeHint();
    const ToolbarIndicatorPlaces places = PlaceToolbarIndicators(shown, length, label, percent);
    m_positionBar->setGeometry(places.scrollBar.translated(origin));
    m_progressLabel->setGeometry(QRect(places.progressLabel + origin, label));
    m_percentButton->setGeometry(QRect(places.percentButton + origin, percent));
    m_progressLabel->raise();
    m_percentButton->raise();
}

void TransportBar::setIndicatorsShown(bool shown) {
    for (QWidget* widget : {static_cast<QWidget*>(m_positionBar), static_cast<QWidget*>(m_progressLabel),
                            static_cast<QWidget*>(m_percentButton)}) {
        if (widget) {
            widget->setVisible(shown);
        }
    }
}

void TransportBar::dropButton(const QString& name, QPoint at) {
    const bool vertical = m_toolBar->orientation() == Qt::Vertical;
    std::vector<ToolbarLineItem> line;
    size_t insertAt = 0;
    for (const ToolbarLineItem& item : m_line) {
        if (item.name == name) {
            continue;
        }
        const QWidget* widget = m_toolBar->widgetForAction(button(item.name));
        const QPoint centre = widget ? widget->geometry().center() : QPoint();
        if (vertical ? centre.y() < at.y() : centre.x() < at.x()) {
            insertAt = line.size() + 1;
        }
        line.push_back(item);
    }
    line.insert(line.begin() + static_cast<std::ptrdiff_t>(insertAt), ToolbarLineItem{name, 0});
    m_line = std::move(line);
    showLine();
}

void TransportBar::removeButton(const QString& name) {
    std::erase_if(m_line, [&name](const ToolbarLineItem& item) { return item.name == name; });
    showLine();
}

void TransportBar::openCustomize() {
    if (m_customize) {
        m_customize->raise();
        m_customize->activateWindow();
        return;
    }
    // The indicators stand where buttons may be dropped; they come back when the window closes.
    setIndicatorsShown(false);
    m_customize = new CustomizeToolbarDialog(m_actions.table(), m_window);
    m_toolBar->setAcceptDrops(true);
    connect(m_customize, &QDialog::finished, this, &TransportBar::customizeClosed);
    m_customize->show();
}

void TransportBar::customizeClosed() {
    m_toolBar->setAcceptDrops(false);
    if (m_customize) {
        m_customize->deleteLater();
    }
    m_customize.clear();
    setIndicatorsShown(isOn(m_session.preferences().components, Component::ScrollBar));
    placeIndicatorsLater();
}

void TransportBar::restoreDefault() {
    if (m_session.prompter().showMessage(Prompter::Kind::Confirmation, RestoreDefaultToolbarQuestion(),
                                         Prompter::Buttons::YesNo) == Prompter::Answer::Yes) {
        applyLayout(DefaultToolbarLayout());
    }
}

void TransportBar::loadLayout() {
    IniFile file;
    // An unreadable settings file keeps the built-in layout; the settings say so themselves.
    if (!file.load(m_session.settings().path()).isEmpty()) {
        return;
    }
    if (const auto stored = ReadToolbarLayout(file, m_window->logicalDpiY(), layout())) {
        applyLayout(*stored);
    }
}

void TransportBar::saveLayout() {
    IniFile file;
    if (!file.load(m_session.settings().path()).isEmpty()) {
        return;
    }
    WriteToolbarLayout(file, layout(), m_window->logicalDpiY());
    // A file that cannot be written is reported once, by the settings written right after.
    file.save(m_session.settings().path());
}

bool TransportBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_toolBar) {
        if (event->type() == QEvent::ChildPolished) {
            if (auto* button = qobject_cast<QToolButton*>(static_cast<QChildEvent*>(event)->child())) {
                styleButton(button);
                button->installEventFilter(this);
            }
        }
        if (filterBarEvent(event)) {
            return true;
        }
    } else if (auto* button = qobject_cast<QToolButton*>(watched); button && isCustomizing()) {
        if (filterButtonEvent(button, event)) {
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool TransportBar::filterBarEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::Resize:
        case QEvent::LayoutRequest:
            placeIndicatorsLater();
            return false;
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (!isCustomizing() || !drag->mimeData()->hasFormat(CustomizeToolbarDialog::buttonMimeType())) {
                return false;
            }
            drag->setDropAction(drag->possibleActions() & Qt::CopyAction ? Qt::CopyAction : Qt::MoveAction);
            drag->accept();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString name = CustomizeToolbarDialog::droppedButton(drop->mimeData());
            if (!isCustomizing() || name.isEmpty()) {
                return false;
            }
            // The list keeps its buttons: what comes from it is a copy.
            drop->setDropAction(drop->possibleActions() & Qt::CopyAction ? Qt::CopyAction : Qt::MoveAction);
            drop->accept();
            // A button of the bar that is being dragged goes with the line it leaves: only once its drag is
            // over.
            m_droppedAt = drop->position().toPoint();
            if (!m_draggingFromBar) {
                QTimer::singleShot(0, this, [this, name, at = m_droppedAt] { dropButton(name, at); });
            }
            return true;
        }
        default:
            return false;
    }
}

// While customizing, a button is picked up rather than pressed; one dropped off the bar leaves it.
bool TransportBar::filterButtonEvent(QToolButton* button, QEvent* event) {
    const QAction* action = button->defaultAction();
    if (!action) {
        return false;
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            m_pressedAt = static_cast<QMouseEvent*>(event)->position().toPoint();
            return true;
        case QEvent::MouseButtonRelease:
            return true;
        case QEvent::MouseMove: {
            const auto* move = static_cast<QMouseEvent*>(event);
            if (!(move->buttons() & Qt::LeftButton) ||
                (move->position().toPoint() - m_pressedAt).manhattanLength() <
                    QApplication::startDragDistance()) {
                return true;
            }
            const QString name = action->objectName();
            auto* drag = new QDrag(m_toolBar);
            drag->setMimeData(CustomizeToolbarDialog::buttonMimeData(name));
            drag->setPixmap(button->grab());
            m_draggingFromBar = true;
            const bool dropped = drag->exec(Qt::MoveAction) != Qt::IgnoreAction;
            m_draggingFromBar = false;
            // Dropped off the bar, it leaves it. This button goes with the line: once its own event is over.
            QTimer::singleShot(0, this, [this, name, dropped, at = m_droppedAt] {
                if (dropped) {
                    dropButton(name, at);
                } else {
                    removeButton(name);
                }
            });
            return true;
        }
        default:
            return false;
    }
}
