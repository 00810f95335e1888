#pragma once

#include "core/shell/mainlayout.h"

#include <QString>

#include <optional>
#include <vector>

// The main window's context menu: the fixed "&General" submenu, then the items of the control the menu
// was opened on. Each item acts like, and is enabled like, a menu item or button of the window: it is a
// command of its own under its own caption, a twin of that one, without its hint, shortcut or check mark.
struct ContextMenuItem {
    QString name;     // the item's command ("PlayPM"...); the same as `command` for an item that is one
    QString caption;  // "-" for a separator
    QString command;  // the command it runs: a menu item's ("PlayM"), a button's ("RemBtn") or one below
    std::optional<Component> hides;  // "&Hide Component": the component it hides (its View item's command)

    bool isSeparator() const { return caption == u"-"; }
};

// Commands of the position bar's items that have no menu item of their own.
namespace ContextCommand {
inline const QString kPercent0 = QStringLiteral("Percent0PM");
inline const QString kPercent25 = QStringLiteral("Percent25PM");
inline const QString kPercent75 = QStringLiteral("Percent75PM");
inline const QString kAnyValue = QStringLiteral("AnyValuePM");
inline const QString kStatusBarCustomize = QStringLiteral("StatusBarCustomize");
}  // namespace ContextCommand

const std::vector<ContextMenuItem>& GeneralContextItems();
// The items for the control of that name (its separator first), or none for other controls.
std::vector<ContextMenuItem> ContextItemsFor(const QString& controlName);
// The controls that have items of their own, by name.
const std::vector<QString>& ContextMenuControls();
