#include "gui/shell/contextmenus.h"

#include "core/shell/commandtable.h"
#include "core/shell/contextmenu.h"
#include "gui/shell/actionregistry.h"

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
    CommandTable& table = m_actions.table();
    table.refreshNow();
    auto menu = std::make_unique<QMenu>(m_window);
    menu->setObjectName(QStringLiteral("GenericPM"));
    QMenu* general = menu->addMenu(QStringLiteral("&General"));
    general->setObjectName(QStringLiteral("General1"));
    const auto add = [this, &table](QMenu* into, const ContextMenuItem& entry) {
        if (entry.isSeparator()) {
            into->addSeparator();
            return;
        }
        QAction* item = into->addAction(entry.caption);
        item->setObjectName(entry.name);
        if (!table.contains(entry.command)) {
            table.noteUnknown(entry.command);
        }
        item->setEnabled(table.state(entry.command).enabled);
        connect(item, &QAction::triggered, this, [this, command = entry.command] { m_actions.run(command); });
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
