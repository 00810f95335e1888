#include "gui/app/mainmenu.h"

#include "core/settings/shortcuts.h"
#include "core/settings/shortcutvalue.h"
#include "core/shell/menutable.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include <vector>

MainMenu::MainMenu(QMenuBar* bar, QObject* parent) : QObject(parent) {
    const std::vector<MenuEntry>& entries = MainMenuEntries();
    std::vector<QMenu*> open;  // the menu at each depth that takes the next items
    QActionGroup* radios = nullptr;
    for (size_t i = 0; i < entries.size(); ++i) {
        const MenuEntry& entry = entries[i];
        open.resize(static_cast<size_t>(entry.depth));
        QAction* item = nullptr;
        if (HasSubItems(static_cast<qsizetype>(i)) || entry.depth == 0 || entry.name == u"FavFoldersM" ||
            entry.name == u"FavPlayListsM") {
            QMenu* menu = entry.depth == 0 ? bar->addMenu(entry.caption) : open.back()->addMenu(entry.caption);
            menu->setObjectName(entry.name);
            menu->setToolTipsVisible(true);
            m_menus.insert(entry.name, menu);
            item = menu->menuAction();
            open.push_back(menu);
        } else if (entry.isSeparator()) {
            item = open.back()->addSeparator();
        } else {
            item = open.back()->addAction(entry.caption);
            item->setEnabled(false);
        }
        item->setObjectName(entry.name);
        item->setStatusTip(entry.hint);
        if (entry.radio) {
            if (!radios) {
                radios = new QActionGroup(this);
            }
            item->setCheckable(true);
            radios->addAction(item);
        } else if (!entry.isSeparator()) {
            radios = nullptr;
        }
        if (!entry.name.isEmpty()) {
            m_actions.insert(entry.name, item);
        }
    }
}

void MainMenu::applyShortcuts(const Shortcuts& shortcuts) {
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        if (m_menus.contains(it.key())) {
            continue;  // submenus open from the menu bar, not by shortcut
        }
        const QKeyCombination key = ShortcutValue::toKeyCombination(shortcuts.valueOf(it.key()));
        it.value()->setShortcut(key.key() == Qt::Key_unknown ? QKeySequence() : QKeySequence(key));
    }
}
