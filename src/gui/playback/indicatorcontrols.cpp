#include "gui/playback/indicatorcontrols.h"

#include "core/app/appsession.h"
#include "core/playback/indicatorcommands.h"
#include "core/shell/toolbarindicators.h"
#include "gui/common/actionregistry.h"
#include "gui/playback/changepositiondialog.h"
#include "gui/playback/indicatorglyphs.h"
#include "gui/playback/panelinfo.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

using Indicator = ProgressIndicators::Indicator;
constexpr std::array<Indicator, 4> kIndicators{ProgressIndicators::Length, ProgressIndicators::Position,
                                               ProgressIndicators::Remaining, ProgressIndicators::Percent};

// The View menu's submenu of each indicator.
const char* const kViewMenus[] = {"LengthM", "PosM", "RemM", "PercentM"};

}  // namespace

IndicatorControls::IndicatorControls(QMainWindow* window, QToolBar* toolBar, ActionRegistry& actions,
                                     AppSession& session)
    : QObject(window), m_window(window), m_actions(actions), m_session(session) {
    m_panelInfo = new PanelInfo;
    window->statusBar()->addWidget(m_panelInfo, 1);
    for (int panel = PanelInfo::Length; panel <= PanelInfo::Remaining; ++panel) {
        m_labels[static_cast<size_t>(panel)] = m_panelInfo->value(static_cast<PanelInfo::Panel>(panel));
        m_modeButtons[static_cast<size_t>(panel)] =
            m_panelInfo->modeButton(static_cast<PanelInfo::Panel>(panel));
    }
    createToolBarWidgets(toolBar);
    for (Indicator indicator : kIndicators) {
        attachModeMenu(indicator, m_modeButtons[indicator]);
        m_labels[indicator]->installEventFilter(this);
        m_labels[indicator]->setCursor(Qt::PointingHandCursor);
    }
    connectPositionBar(m_positionBar);
    groupModes();
    connectViewMenu();
    connect(&session.controller(), &PlaybackController::changed, this, &IndicatorControls::refresh);
    refresh();
}

void IndicatorControls::createToolBarWidgets(QToolBar* toolBar) {
    // The toolbar places these itself, after its buttons.
    m_positionBar = new QSlider(Qt::Horizontal, toolBar);
    m_positionBar->setObjectName(QStringLiteral("ScrollBar"));
    m_positionBar->setRange(0, 100);
    m_positionBar->setPageStep(10);
    m_positionBar->setToolTip(QStringLiteral("Position"));
    m_positionBar->setStatusTip(QStringLiteral("Drag to change the position; it moves when you let go"));
    m_progressLabel = new QLabel(QStringLiteral("N / A"), toolBar);
    m_progressLabel->setObjectName(QStringLiteral("ProgressLabel"));
    m_progressLabel->setAlignment(Qt::AlignCenter);
    m_progressLabel->setMinimumWidth(
        m_progressLabel->fontMetrics().horizontalAdvance(QStringLiteral(" 100 % ")));
    m_labels[ProgressIndicators::Percent] = m_progressLabel;
    QToolButton* button = CreateModeButton(toolBar, QStringLiteral("PercentSB"));
    m_modeButtons[ProgressIndicators::Percent] = button;
    m_toolBarItems = {m_positionBar, m_progressLabel, button};
    connect(toolBar, &QToolBar::orientationChanged, this, &IndicatorControls::refresh);
}

void IndicatorControls::setScrollBarVisible(bool visible) {
    for (QWidget* item : m_toolBarItems) {
        item->setVisible(visible);
    }
}

void IndicatorControls::attachModeMenu(Indicator indicator, QToolButton* button) {
    auto* menu = new QMenu(button);
    menu->setObjectName(button->objectName() + QStringLiteral("PM"));
    connect(menu, &QMenu::aboutToShow, this, [this, menu, indicator] { fillModeMenu(menu, indicator); });
    button->setMenu(menu);
}

void IndicatorControls::connectViewMenu() {
    for (Indicator indicator : kIndicators) {
        QAction* item = m_actions.action(QString::fromLatin1(kViewMenus[indicator]));
        auto* submenu = new QMenu(m_window);
        connect(submenu, &QMenu::aboutToShow, this,
                [this, submenu, indicator] { fillModeMenu(submenu, indicator); });
        item->setMenu(submenu);
    }
}

// Choosing the checked mode again leaves it checked.
void IndicatorControls::groupModes() {
    for (Indicator indicator : kIndicators) {
        auto* group = new QActionGroup(this);
        for (bool totals : {false, true}) {
            group->addAction(m_actions.action(IndicatorCommands::modeCommand(indicator, totals)));
        }
    }
}

void IndicatorControls::fillModeMenu(QMenu* menu, Indicator indicator) {
    m_session.commands().refreshNow();
    m_actions.fillMenu(menu, IndicatorCommands::menu(indicator));
}

// A click on a value shows the other mode, whether or not the menu could choose one now.
void IndicatorControls::toggle(Indicator indicator) {
    m_session.dispatcher().runFromWindow([this, indicator] {
        ProgressIndicators& indicators = m_session.indicators();
        indicators.setTotals(indicator, !indicators.IsTotals(indicator));
        m_session.controller().indicatorModeChanged();
    });
}

void IndicatorControls::openChangePosition() {
    m_session.commands().refreshPending();
    if (!m_session.commands().state(QStringLiteral("ChangePosM")).enabled) {
        return;
    }
    ProgressIndicators& indicators = m_session.indicators();
    indicators.ShowPercent(-2);
    PlaybackController& controller = m_session.controller();
    ChangePositionDialog box(
        indicators.IndicatorLength(ProgressIndicators::Percent), indicators.barValue(),
        [&controller](int percent) { controller.ChangePosition(percent); }, m_window);
    box.exec();
}

void IndicatorControls::connectPositionBar(QSlider* bar) {
    PlaybackController& controller = m_session.controller();
    connect(bar, &QSlider::sliderMoved, &controller, &PlaybackController::previewBarPosition);
    CommandDispatcher& dispatcher = m_session.dispatcher();
    connect(bar, &QSlider::sliderReleased, &controller, [bar, &dispatcher, &controller] {
        dispatcher.runFromWindow([&controller, percent = bar->value()] { controller.applyBarPosition(percent); });
    });
    // A click beside the handle or a key moves the bar a step at once, like letting go of it there.
    connect(bar, &QAbstractSlider::actionTriggered, &controller, [bar, &dispatcher, &controller](int action) {
        if (action == QAbstractSlider::SliderNoAction || action == QAbstractSlider::SliderMove) {
            return;
        }
        dispatcher.runFromWindow([&controller, percent = bar->sliderPosition()] {
            controller.previewBarPosition(percent);
            controller.applyBarPosition(percent);
        });
    });
}

bool IndicatorControls::eventFilter(QObject* watched, QEvent* event) {
    const auto found = std::find(m_labels.cbegin(), m_labels.cend(), watched);
    if (found == m_labels.cend()) {
        return QObject::eventFilter(watched, event);
    }
    const auto indicator = static_cast<Indicator>(found - m_labels.cbegin());
    const auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (!mouse || mouse->button() != Qt::LeftButton) {
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonPress) {
        toggle(indicator);
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        // Both presses of the double click toggled the mode, which so is back where it was.
        if (indicator == ProgressIndicators::Percent) {
            m_session.runCommand(QStringLiteral("ChangePosM"));
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void IndicatorControls::refreshGlyphs() {
    const ProgressIndicators& indicators = m_session.indicators();
    for (Indicator indicator : kIndicators) {
        m_modeButtons[indicator]->setIcon(indicators.IsTotals(indicator) ? SmallArrowRight()
                                                                         : SmallArrowDown());
        const ProgressIndicators::ModeMenu entries = indicators.modeMenu(indicator);
        m_modeButtons[indicator]->setToolTip(entries.totals ? entries.totalsHint : entries.itemHint);
    }
}

void IndicatorControls::refresh() {
    const PlaybackController& controller = m_session.controller();
    const IndicatorTexts& texts = controller.indicators();
    m_labels[ProgressIndicators::Length]->setText(texts.length);
    m_labels[ProgressIndicators::Position]->setText(texts.position);
    m_labels[ProgressIndicators::Remaining]->setText(texts.remaining);
    const auto* bar = qobject_cast<const QToolBar*>(m_progressLabel->parentWidget());
    m_progressLabel->setText(ToolbarPercentText(texts.percent, bar && bar->orientation() == Qt::Vertical));
    const TransportState state = controller.transport();
    m_positionBar->setEnabled(state.positionBar);
    if (!m_positionBar->isSliderDown()) {
        m_positionBar->setValue(state.positionBarValue);
    }
    refreshGlyphs();
}
