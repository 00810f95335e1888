#include "gui/shell/mainmenu.h"

#include "core/shell/commandtable.h"
#include "core/shell/menutable.h"
#include "gui/common/actionregistry.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include <vector>

MainMenu::MainMenu(QMenuBar* bar, ActionRegistry& actions, QObject* parent) : QObject(parent), m_actions(actions) {
    const std::vector<MenuEntry>& entries = MainMenuEntries();
    std::vector<QMenu*> open;  // the menu at each depth that takes the next items
    QActionGroup* radios = nullptr;
    QAction* lastSeparator = nullptr;
    for (size_t i = 0; i < entries.size(); ++i) {
        const MenuEntry& entry = entries[i];
        open.resize(static_cast<size_t>(entry.depth));
        if (entry.depth == 0 || HasSubItems(static_cast<qsizetype>(i)) || entry.name == u"FavFoldersM" ||
            entry.name == u"FavPlayListsM") {
            QMenu* menu = entry.depth == 0 ? bar->addMenu(entry.caption) : open.back()->addMenu(entry.caption);
            menu->setObjectName(entry.name);
            menu->setToolTipsVisible(true);
            menu->menuAction()->setObjectName(entry.name);
            menu->menuAction()->setStatusTip(entry.hint);
            // Opening a menu shows the states as they are at that moment.
            connect(menu, &QMenu::aboutToShow, &m_actions.table(), &CommandTable::refreshNow);
            m_menus.insert(entry.name, menu);
            m_actions.adopt(entry.name, menu->menuAction());
            open.push_back(menu);
            radios = nullptr;
            continue;
        }
        if (entry.isSeparator()) {
            lastSeparator = open.back()->addSeparator();
            lastSeparator->setObjectName(entry.name);
            lastSeparator->setStatusTip(entry.hint);
            if (!entry.name.isEmpty()) {
                m_separators.insert(entry.name, lastSeparator);
                m_actions.adopt(entry.name, lastSeparator);
            }
            continue;
        }
        QAction* item = m_actions.action(entry.name);
        open.back()->addAction(item);
        if (entry.name == u"FileManModeM") {
            m_modeSeparator = lastSeparator;
        }
        if (entry.radio) {
            if (!radios) {
                radios = new QActionGroup(this);
            }
            radios->addAction(item);
        } else {
            radios = nullptr;
        }
    }
    connect(&m_actions.table(), &CommandTable::statesChanged, this, &MainMenu::showModeSeparator);
    showModeSeparator();
}

QAction* MainMenu::action(const QString& name) const {
    if (QMenu* menu = m_menus.value(name)) {
        return menu->menuAction();
    }
    if (QAction* separator = m_separators.value(name)) {
        return separator;
    }
    return m_actions.action(name);
}

// The separator above the mode items goes with them.
void MainMenu::showModeSeparator() {
    if (m_modeSeparator) {
        m_modeSeparator->setVisible(m_actions.table().state(QStringLiteral("FileManModeM")).visible);
    }
}
