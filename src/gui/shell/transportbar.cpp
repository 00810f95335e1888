#include "gui/shell/transportbar.h"

#include "gui/shell/actionregistry.h"
#include "gui/shell/grayedbuttonstyle.h"
#include "gui/shell/optionicons.h"

#include <QAction>
#include <QEvent>
#include <QMainWindow>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace {

struct Button {
    const char* name;
    QStyle::StandardPixmap icon;  // SP_CustomBase: a play option's own icon
};

const Button kButtons[] = {
    {"PlaySI", QStyle::SP_MediaPlay},
    {"PauseSI", QStyle::SP_MediaPause},
    {"StopSI", QStyle::SP_MediaStop},
    {"RewindSI", QStyle::SP_MediaSeekBackward},
    {"PrevSI", QStyle::SP_MediaSkipBackward},
    {"NextSI", QStyle::SP_MediaSkipForward},
    {"LoopSongOnceSI", QStyle::SP_CustomBase},
    {"LoopSongForeverSI", QStyle::SP_CustomBase},
    {"LoopPlayListSI", QStyle::SP_CustomBase},
    {"RandomPlaySI", QStyle::SP_CustomBase},
    {"AutoPlaySI", QStyle::SP_CustomBase},
};

// The eleven components in the order the settings keep them, then the two display options.
const char* const kViewToggles[] = {
    "ViewPlayListSI",     "ViewFileListSI",  "ViewToolBarSI",   "ViewScrollBarSI", "ViewStatusBarSI",
    "ViewSpinButtonSI",   "ViewPathEditSI",  "ViewLabelsSI",    "ViewModeSelectorSI",
    "ViewFilterBoxSI",    "ViewFilterEditSI", "PathsSI",         "ExtensionsSI",
};

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
    for (const Button& entry : kButtons) {
        const QString name = QString::fromLatin1(entry.name);
        QAction* action = m_actions.action(name);
        action->setIcon(entry.icon == QStyle::SP_CustomBase ? PlayOptionIcon(name)
                                                           : m_window->style()->standardIcon(entry.icon));
        m_toolBar->addAction(action);
        if (name == u"NextSI" || name == u"RewindSI") {
            m_toolBar->addSeparator();
        }
    }
    m_toolBar->addSeparator();
}

// Each toggle shows its caption; it stays pressed while what it shows is on.
void TransportBar::addViewToggles() {
    for (const char* name : kViewToggles) {
        QAction* action = m_actions.action(QString::fromLatin1(name));
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
