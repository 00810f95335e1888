#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class Prompter;

// The favorites menus: what a menu of favorite folders or favorite Play Lists holds, built afresh
// each time it opens.
namespace Favorites {

enum class Kind { Folders, PlayLists };

struct MenuItem {
    enum class Action { None, AddCurrent, RemoveCurrent, Configure, Clear, Open };

    QString caption;  // "-" for the separator
    QString hint;
    Action action = Action::None;
    int index = -1;  // the entry an Open item stands for
    bool enabled = true;
    bool checked = false;  // radio check of the current folder or Play List
};

// current: the current folder, or the current Play List path (empty when there is none).
std::vector<MenuItem> BuildFavoritesMenu(Kind kind, const QStringList& list, const QString& current, bool showPath,
                                         bool canConfigure);

// The menu text of an entry, before numbering: full path, or the last folder name / the Play List's title.
QString entryText(Kind kind, const QString& entry, bool showPath);

// Whether a path can be kept in the settings file; when it cannot, the prompter says why.
bool isStorable(const QString& path, Prompter& prompter);

}  // namespace Favorites
