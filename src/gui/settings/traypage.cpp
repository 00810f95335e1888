#include "gui/settings/traypage.h"

#include "gui/settings/settingspage.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QSystemTrayIcon>
#include <QVBoxLayout>

void buildTrayPage(SettingsPage& page) {
    page.check(nullptr, "UseTrayCB", QStringLiteral("Use Tray"), &Preferences::useTray);
    auto* minimized = new QRadioButton(QStringLiteral("Only Display Tray Icon When Minimized"));
    minimized->setObjectName(QStringLiteral("TrayMinRB"));
    auto* always = new QRadioButton(QStringLiteral("Always Display Icon in Tray"));
    always->setObjectName(QStringLiteral("AlwaysDisplayTrayRB"));
    page.pageLayout()->addWidget(minimized);
    page.pageLayout()->addWidget(always);
    page.onRefresh(
        [&page, minimized, always] { (page.settings().trayAlways ? always : minimized)->setChecked(true); });
    QObject::connect(always, &QRadioButton::toggled, &page, [&page](bool on) {
        if (!page.refreshing()) {
            page.settings().trayAlways = on;
        }
    });
    // The settings are kept all the same, for a desktop that has one.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        page.text(
            QStringLiteral("This desktop has no notification area (system tray): Velmaro shows no tray icon, "
                           "and these options take effect only on a desktop that has one."));
    }
    page.pageLayout()->addStretch(1);
}
