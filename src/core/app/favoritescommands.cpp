#include "core/app/favoritescommands.h"

#include "core/app/favoritesandhistory.h"
#include "core/shell/commandtable.h"

namespace FavoritesCommands {

namespace {

using Action = Favorites::MenuItem::Action;
using Kind = Favorites::Kind;

QString prefix(Kind kind) {
    return kind == Kind::Folders ? QStringLiteral("FavFolders") : QStringLiteral("FavPlayLists");
}

// The command of a fixed item of the menu.
QString itemCommand(Kind kind, Action action) {
    switch (action) {
        case Action::AddCurrent:
            return prefix(kind) + QStringLiteral("AddM");
        case Action::RemoveCurrent:
            return prefix(kind) + QStringLiteral("RemoveM");
        case Action::Configure:
            return prefix(kind) + QStringLiteral("ConfigureM");
        case Action::Clear:
            return prefix(kind) + QStringLiteral("ClearM");
        case Action::None:
        case Action::Open:
            break;
    }
    return prefix(kind) + QStringLiteral("NoneM");
}

// The command of the favourite at that index.
QString entryCommand(Kind kind, int index) {
    return prefix(kind) + QString::number(index + 1) + u'M';
}

constexpr Action kFixedItems[] = {Action::AddCurrent, Action::RemoveCurrent, Action::Configure,
                                  Action::Clear};

void showItems(CommandStates& states, Kind kind,
               const std::vector<Favorites::MenuItem>& items) {
    // What the menu does not hold now stays hidden: the other of Add and Remove, favourites removed since.
    const auto hide = [&states](const QString& name) {
        CommandState& state = states[name];
        state.visible = false;
        state.enabled = false;
    };
    for (Action action : kFixedItems) {
        hide(itemCommand(kind, action));
    }
    hide(itemCommand(kind, Action::None));
    for (int index = 0; states.contains(entryCommand(kind, index)); ++index) {
        hide(entryCommand(kind, index));
    }
    for (const Favorites::MenuItem& item : items) {
        if (item.caption == u"-") {
            continue;
        }
        const QString name =
            item.action == Action::Open ? entryCommand(kind, item.index) : itemCommand(kind, item.action);
        if (!states.contains(name)) {
            continue;  // a favourite added since the menu was last opened: declared when it opens
        }
        CommandState& state = states[name];
        state.visible = true;
        state.enabled = item.enabled;
        state.checked = item.checked;
        state.caption = item.caption;
        state.hint = item.hint;
    }
}

}  // namespace

void declare(CommandTable& table, FavoritesAndHistory& favorites) {
    for (Kind kind : {Kind::Folders, Kind::PlayLists}) {
        for (Action action : kFixedItems) {
            table.add(itemCommand(kind, action), [&favorites, kind, action] {
                Favorites::MenuItem item;
                item.action = action;
                favorites.runFavoritesItem(kind, item);
            });
        }
        table.add(itemCommand(kind, Action::None));  // says the list is empty; nothing to run
    }
    table.addStateRule([&favorites](CommandStates& states) {
        for (Kind kind : {Kind::Folders, Kind::PlayLists}) {
            showItems(states, kind, favorites.favoritesMenu(kind));
        }
    });
}

QStringList menu(CommandTable& table, FavoritesAndHistory& favorites, Kind kind) {
    QStringList names;
    for (const Favorites::MenuItem& item : favorites.favoritesMenu(kind)) {
        if (item.caption == u"-") {
            names.append(QStringLiteral("-"));
        } else if (item.action != Action::Open) {
            names.append(itemCommand(kind, item.action));
        } else {
            const QString name = entryCommand(kind, item.index);
            if (!table.contains(name)) {
                table.add(name, [&favorites, kind, index = item.index] {
                    Favorites::MenuItem entry;
                    entry.action = Action::Open;
                    entry.index = index;
                    favorites.runFavoritesItem(kind, entry);
                });
            }
            names.append(name);
        }
    }
    return names;
}

}  // namespace FavoritesCommands
