#include "gui/app/contextmenus.h"

#include "core/shell/contextmenu.h"
#include "core/shell/menutable.h"
#include "gui/app/mainmenu.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QStatusBar>

#include <algorithm>

ContextMenus::ContextMenus(QWidget* window, MainMenu& menu, Hooks hooks)
    : QObject(window), m_window(window), m_menu(menu), m_hooks(std::move(hooks)) {}

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

bool ContextMenus::enabledLike(const QString& command) const {
    if (FindMenuEntry(command)) {
        const QAction* item = m_menu.action(command);
        return item && item->isEnabled();
    }
    if (const auto* button = m_window->findChild<QAbstractButton*>(command)) {
        return button->isEnabled();
    }
    return m_hooks.ownEnabled && m_hooks.ownEnabled(command);
}

void ContextMenus::run(const QString& command) {
    if (FindMenuEntry(command)) {
        m_menu.action(command)->trigger();
    } else if (auto* button = m_window->findChild<QAbstractButton*>(command)) {
        button->click();
    } else if (m_hooks.runOwn) {
        m_hooks.runOwn(command);
    }
}

std::unique_ptr<QMenu> ContextMenus::build(QWidget* origin) {
    if (m_hooks.refreshStates) {
        m_hooks.refreshStates();
    }
    auto menu = std::make_unique<QMenu>(m_window);
    menu->setObjectName(QStringLiteral("GenericPM"));
    QMenu* general = menu->addMenu(QStringLiteral("&General"));
    general->setObjectName(QStringLiteral("General1"));
    const auto add = [this](QMenu* into, const ContextMenuItem& entry) {
        if (entry.isSeparator()) {
            into->addSeparator();
            return;
        }
        QAction* item = into->addAction(entry.caption);
        item->setObjectName(entry.name);
        if (entry.hides) {
            const Component component = *entry.hides;
            connect(item, &QAction::triggered, this, [this, component] { m_hooks.hideComponent(component); });
            return;
        }
        item->setEnabled(enabledLike(entry.command));
        connect(item, &QAction::triggered, this, [this, command = entry.command] { run(command); });
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
