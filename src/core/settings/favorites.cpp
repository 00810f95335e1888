#include "core/settings/favorites.h"

#include "core/common/prompter.h"
#include "core/common/filetitle.h"
#include "core/settings/inifile.h"
#include "core/settings/preferences.h"

namespace Favorites {
namespace {

QString numbered(int i, const QString& text) {
    if (i < 9) {
        return QStringLiteral("&%1. ").arg(i + 1) + text;
    }
    if (i == 9) {
        return QStringLiteral("1&0. ") + text;
    }
    return QStringLiteral("%1. ").arg(i + 1) + text;
}

}  // namespace

QString entryText(Kind kind, const QString& entry, bool showPath) {
    if (showPath) {
        return entry;
    }
    QString path = entry;
    while (path.size() > 1 && path.endsWith(u'/')) {
        path.chop(1);
    }
    QString text = kind == Kind::Folders ? path.mid(path.lastIndexOf(u'/') + 1) : PlayListFileTitle(path);
    if (text.isEmpty()) {
        text = QStringLiteral("/");  // the root folder has no name of its own
    }
    return text;
}

bool isStorable(const QString& path, Prompter& prompter) {
    if (IsStorableIniValue(path)) {
        return true;
    }
    prompter.showMessage(Prompter::Kind::Error,
                         QStringLiteral("The name \"%1\" contains a line break, so Velmaro cannot store it in its "
                                        "settings and will not remember it.")
                             .arg(path));
    return false;
}

std::vector<MenuItem> BuildFavoritesMenu(Kind kind, const QStringList& list, const QString& current, bool showPath,
                                         bool canConfigure) {
    const bool folders = kind == Kind::Folders;
    std::vector<MenuItem> menu;
    const bool listed = !current.isEmpty() && list.contains(current);
    if (listed) {
        menu.push_back({folders ? QStringLiteral("&Remove This Folder From Favorites")
                                : QStringLiteral("&Remove This Play List From Favorites"),
                        folders ? QStringLiteral("Remove this folder from your list of Favorite Folders")
                                : QStringLiteral("Remove this Play List from your list of Favorite Play Lists"),
                        MenuItem::Action::RemoveCurrent});
    } else {
        MenuItem add{folders ? QStringLiteral("&Add This Folder To Favorites")
                             : QStringLiteral("&Add This Play List To Favorites"),
                     folders ? QStringLiteral("Add this folder to your list of Favorite Folders")
                             : QStringLiteral("Add this Play List to your list of Favorite Play Lists"),
                     MenuItem::Action::AddCurrent};
        add.enabled = list.size() < Preferences::kMaxFavorites && (folders || !current.isEmpty());
        menu.push_back(add);
    }
    MenuItem configure{folders ? QStringLiteral("&Configure Favorite Folders...")
                               : QStringLiteral("&Configure Favorite Play Lists..."),
                       folders ? QStringLiteral("Open the Preferences dialog box allowing you to configure your "
                                                "Favorite Folders")
                               : QStringLiteral("Open the Preferences dialog box allowing you to configure your "
                                                "Favorite Play Lists"),
                       MenuItem::Action::Configure};
    configure.enabled = canConfigure;
    menu.push_back(configure);
    menu.push_back({folders ? QStringLiteral("C&lear List of Favorite Folders...")
                            : QStringLiteral("C&lear List of Favorite Play Lists..."),
                    folders ? QStringLiteral("Clear your list of Favorite Folders")
                            : QStringLiteral("Clear your list of Favorite Play Lists"),
                    MenuItem::Action::Clear});
    menu.push_back({QStringLiteral("-"), QStringLiteral(" ")});
    if (list.isEmpty()) {
        MenuItem none{folders ? QStringLiteral("No Favorite Folders available")
                              : QStringLiteral("No Favorite Play Lists available"),
                      folders ? QStringLiteral("No Favorite Folders have been added yet")
                              : QStringLiteral("No Favorite Play Lists have been added yet")};
        none.enabled = false;
        menu.push_back(none);
        return menu;
    }
    for (int i = 0; i < list.size(); ++i) {
        MenuItem item{numbered(i, entryText(kind, list.at(i), showPath).replace(u'&', QStringLiteral("&&"))),
                      folders ? QStringLiteral("Display this folder in the Folder List")
                              : QStringLiteral("Open this Play List"),
                      MenuItem::Action::Open, i};
        item.checked = list.at(i) == current;
        menu.push_back(item);
    }
    return menu;
}

}  // namespace Favorites
