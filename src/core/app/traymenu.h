#pragma once

#include <QString>
#include <QStringList>

#include <vector>

struct TransportState;

// The tray icon's menu. Each item is a view of a command of the table: most are twins of the Audio and
// View menus' commands under the tray's own captions; the tray list, Restore and "50 %" are commands of
// their own.
struct TrayMenuItem {
    QString name;
    QString original;  // the command it shows; empty for an original of its own
    QString caption;   // empty: the original's
};

const std::vector<TrayMenuItem>& TrayMenuItems();
// The menu's layout, "-" for a separator; a submenu's holder appears once, its items in TraySubmenu().
QStringList TrayMenuLayout();
// The items of the submenu a holder opens; empty for an item that opens none.
QStringList TraySubmenu(const QString& holder);
// The item drawn bold, which a click on the icon runs.
inline QString TrayDefaultItem() {
    return QStringLiteral("PauseTPM");
}

// The three pictures of the icon.
enum class TrayImage { Normal, Playing, Paused };
TrayImage TrayImageFor(const TransportState& transport);

// Whether the icon is in the notification area now. Without a notification area there is no icon,
// whatever the settings say.
bool TrayIconShown(bool trayAvailable, bool useTray, bool displayAlways, bool windowMinimized);
