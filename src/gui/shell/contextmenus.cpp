#include "gui/shell/contextmenus.h"

#include "core/shell/commandtable.h"
#include "core/shell/contextmenu.h"
#include "gui/common/actionregistry.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>

#include <algorithm>

ContextMenus::ContextMenus(QWidget* window, ActionRegistry& actions)
    : QObject(window), m_window(window), m_actions(actions) {}

QString ContextMenus::controlOf(const QWidget* origin) const {
    const std::vector<QString>& controls = ContextMenuControls();
    for (const QWidget* widget = origin; widget && widget != m_window; widget = widget->parentWidget()) {
        if (std::find(controls.begin(), controls.end(), widget->objectName()) != controls.end()) {
            return widget->objectName();
        }
        if (qobject_cast<const QStatusBar*>(widget)) {
            return QStringLiteral("PanelInfo");  // the status bar around the panels
        }
    }
    return {};
}

std::unique_ptr<QMenu> ContextMenus::build(QWidget* origin) {
    // The menu shows the states as they are at this moment.
    m_actions.table().refreshNow();
    auto menu = std::make_unique<QMenu>(m_window);
    menu->setObjectName(QStringLiteral("GenericPM"));
    QMenu* general = menu->addMenu(QStringLiteral("&General"));
    general->setObjectName(QStringLiteral("General1"));
    const auto add = [this](QMenu* into, const ContextMenuItem& entry) {
        if (entry.isSeparator()) {
            into->addSeparator();
        } else {
            into->addAction(m_actions.action(entry.name));
        }
    };
    for (const ContextMenuItem& entry : GeneralContextItems()) {
        add(general, entry);
    }
    for (const ContextMenuItem& entry : ContextItemsFor(controlOf(origin))) {
        add(menu.get(), entry);
    }
    return menu;
}

void ContextMenus::popup(QWidget* origin, const QPoint& globalPosition) {
    const std::unique_ptr<QMenu> menu = build(origin);
    menu->exec(globalPosition);
}
