#include "gui/shell/transportbar.h"

#include "core/shell/toolbartable.h"
#include "gui/common/actionregistry.h"
#include "gui/shell/grayedbuttonstyle.h"
#include "gui/shell/optionicons.h"

#include <QAction>
#include <QEvent>
#include <QHash>
#include <QMainWindow>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace {

// The style's picture of a transport button; the play options draw their own.
QIcon buttonIcon(const QString& name, const QStyle* style) {
    static const QHash<QString, QStyle::StandardPixmap> pictures = {
        {QStringLiteral("PlaySI"), QStyle::SP_MediaPlay},
        {QStringLiteral("PauseSI"), QStyle::SP_MediaPause},
        {QStringLiteral("StopSI"), QStyle::SP_MediaStop},
        {QStringLiteral("RewindSI"), QStyle::SP_MediaSeekBackward},
        {QStringLiteral("PrevSI"), QStyle::SP_MediaSkipBackward},
        {QStringLiteral("NextSI"), QStyle::SP_MediaSkipForward},
    };
    const auto picture = pictures.constFind(name);
    return picture == pictures.constEnd() ? PlayOptionIcon(name) : style->standardIcon(*picture);
}

}  // namespace

TransportBar::TransportBar(QMainWindow* window, ActionRegistry& actions)
    : QObject(window), m_window(window), m_actions(actions) {
    m_toolBar = m_window->addToolBar(QStringLiteral("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("SpeedBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(16, 16));
    // A widget holds its style by a guarded pointer: the buttons may outlive this style when the window
    // closes.
    m_grayedStyle = new GrayedButtonStyle;
    m_grayedStyle->setParent(this);
    // A button the bar makes for a new action is polished before it is first drawn.
    m_toolBar->installEventFilter(this);
    addTransportButtons();
}

QAction* TransportBar::button(const QString& name) const {
    return m_actions.action(name);
}

void TransportBar::addTransportButtons() {
    for (const ToolbarButton& button : ToolbarTransportButtons()) {
        QAction* action = m_actions.action(button.name);
        action->setIcon(buttonIcon(button.name, m_window->style()));
        m_toolBar->addAction(action);
        if (button.separatorAfter) {
            m_toolBar->addSeparator();
        }
    }
}

// Each toggle shows its caption; it stays pressed while what it shows is on.
void TransportBar::addViewToggles() {
    for (const ToolbarButton& toggle : ToolbarViewToggles()) {
        QAction* action = m_actions.action(toggle.name);
        action->setVisible(false);
        m_toolBar->addAction(action);
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
    button->setAutoRaise(m_borderless);
    if ((button->style() == m_grayedStyle) != m_grayed) {
        button->setStyle(m_grayed ? m_grayedStyle : nullptr);
    }
}

bool TransportBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_toolBar && event->type() == QEvent::ChildPolished) {
        if (auto* button = qobject_cast<QToolButton*>(static_cast<QChildEvent*>(event)->child())) {
            styleButton(button);
        }
    }
    return QObject::eventFilter(watched, event);
}
