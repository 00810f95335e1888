#include "gui/app/viewtogglebuttons.h"

#include "core/settings/preferences.h"
#include "core/settings/shortcuts.h"
#include "gui/app/mainmenu.h"

#include <QAction>
#include <QToolBar>

namespace {

struct Toggle {
    const char* name;
    const char* caption;
    const char* menuItem;
};

// The eleven components in the order the settings keep them, then the two display options.
const Toggle kToggles[] = {
    {"ViewPlayListSI", "Play List", "ViewPlayListM"},
    {"ViewFileListSI", "File List / CD Audio List", "ViewFileListM"},
    {"ViewToolBarSI", "Tool Bar", "ViewToolBarM"},
    {"ViewScrollBarSI", "Scroll Bar", "ViewScrollbarM"},
    {"ViewStatusBarSI", "Status Bar", "ViewStatusBarM"},
    {"ViewSpinButtonSI", "Spin Button", "ViewSpinButtonM"},
    {"ViewPathEditSI", "Path Edit", "ViewPathEditM"},
    {"ViewLabelsSI", "Labels", "ViewLabelsM"},
    {"ViewModeSelectorSI", "Mode Selector", "ViewModeSelectorM"},
    {"ViewFilterBoxSI", "Filter Box", "ViewFilterBoxM"},
    {"ViewFilterEditSI", "Filter Edit", "ViewFilterEditM"},
    {"PathsSI", "Paths", "PathsM"},
    {"ExtensionsSI", "Extensions", "ExtensionsM"},
};

}  // namespace

ViewToggleButtons::ViewToggleButtons(QToolBar* toolBar, MainMenu& menu, const Preferences& preferences)
    : QObject(toolBar), m_menu(menu), m_preferences(preferences) {
    for (const Toggle& toggle : kToggles) {
        QAction* action = toolBar->addAction(QString::fromLatin1(toggle.caption));
        action->setObjectName(QString::fromLatin1(toggle.name));
        action->setCheckable(true);
        action->setVisible(false);
        const QString menuItem = QString::fromLatin1(toggle.menuItem);
        connect(action, &QAction::triggered, this, [this, menuItem] {
            m_menu.action(menuItem)->trigger();
            refresh();
        });
        m_buttons.push_back({action, menuItem});
    }
    refresh();
}

QAction* ViewToggleButtons::button(const QString& name) const {
    for (const Button& button : m_buttons) {
        if (button.action->objectName() == name) {
            return button.action;
        }
    }
    return nullptr;
}

void ViewToggleButtons::refresh() {
    for (size_t n = 0; n < m_buttons.size(); ++n) {
        const bool on = n < m_preferences.components.size() ? m_preferences.components[n]
                        : n == m_preferences.components.size() ? m_preferences.showPath
                                                               : m_preferences.showExtension;
        QAction* action = m_buttons[n].action;
        action->setChecked(on);
        const QString hint = ToolbarHint(action->objectName(), m_preferences.shortcuts);
        action->setToolTip(hint.section(u'|', 0, 0));
        action->setStatusTip(hint.section(u'|', 1));
    }
}
