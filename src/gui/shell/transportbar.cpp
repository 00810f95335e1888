#include "gui/shell/transportbar.h"

#include "gui/shell/actionregistry.h"
#include "gui/shell/optionicons.h"

#include <QAction>
#include <QMainWindow>
#include <QStyle>
#include <QToolBar>

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
