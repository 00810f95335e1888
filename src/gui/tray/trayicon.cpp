#include "gui/tray/trayicon.h"

#include "core/app/appsession.h"
#include "gui/common/actionregistry.h"
#include "gui/tray/trayimages.h"
#include "gui/tray/traylistbox.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QStyleHints>

TrayIcon::TrayIcon(AppSession& session, ActionRegistry& actions, QWidget* window,
                   const QAbstractItemModel* playListView, std::function<void()> restore)
    : QObject(window),
      m_session(session),
      m_window(window),
      m_menu(new QMenu(window)),
      m_list({session.playListMedia(), session.fileListMedia(), session.cdListMedia(), session.playList(),
              session.fileManagement().files(), session.cdAudio().list(),
              [&session](MediaList& list) { session.controller().playFrom(list); }}),
      m_listBox(std::make_unique<TrayListBox>(m_list, session.dispatcher(), playListView)) {
    m_menu->setObjectName(QStringLiteral("TrayPM"));
    buildMenu(actions);
    m_icon.setContextMenu(m_menu);
    m_icon.setToolTip(AppSession::title());
    updateImage();

    CommandTable& commands = session.commands();
    commands.bind(QStringLiteral("RestoreTPM"), restore);
    commands.bind(QStringLiteral("SelectPLTPM"), [this] { m_listBox->openIn(TrayList::Mode::PlayList); });
    commands.bind(QStringLiteral("SelectFLTPM"), [this] { m_listBox->openIn(TrayList::Mode::RightHand); });
    m_listBox->followLines(&session.playList());
    m_listBox->followLines(&session.fileManagement().files());
    m_listBox->followLines(&session.cdAudio().list());

    m_clicks = std::make_unique<TrayClicks>(
        TrayClicks::Actions{[this] { return m_session.controller().transport().pause; },
                            [this] { m_session.runCommand(QStringLiteral("PauseTPM")); },
                            [this] { m_session.runCommand(QStringLiteral("RestoreTPM")); },
                            [this] { return m_shuttingDown; }},
        QApplication::styleHints()->mouseDoubleClickInterval());
    connect(&m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::activated);
    connect(&session.controller(), &PlaybackController::changed, this, &TrayIcon::updateImage);
    connect(&session, &AppSession::settingsLoaded, this, &TrayIcon::applySettings);
    connect(&session, &AppSession::closing, this, [this] {
        m_shuttingDown = true;
        m_icon.hide();
        m_listBox->hide();
    });
    window->installEventFilter(this);
    applySettings();
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::buildMenu(ActionRegistry& actions) {
    // Enabled as the commands stand when it opens.
    connect(m_menu, &QMenu::aboutToShow, this, [this] { m_session.commands().refreshNow(); });
    for (const QString& name : TrayMenuLayout()) {
        if (name == u"-") {
            m_menu->addSeparator();
            continue;
        }
        const QStringList items = TraySubmenu(name);
        if (items.isEmpty()) {
            m_menu->addAction(actions.action(name));
            continue;
        }
        QMenu* submenu = m_menu->addMenu(QString());
        submenu->setObjectName(name);
        actions.adopt(name, submenu->menuAction());
        actions.fillMenu(submenu, items);
    }
    m_menu->setDefaultAction(actions.action(TrayDefaultItem()));
}

void TrayIcon::applySettings() {
    const Preferences& settings = m_session.preferences();
    m_icon.setVisible(!m_suspended && TrayIconShown(trayAvailable(), settings.useTray, settings.trayAlways,
                                                    m_window->isMinimized()));
}

void TrayIcon::setSuspended(bool suspended) {
    m_suspended = suspended;
    applySettings();
}

void TrayIcon::activated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger) {
        m_clicks->clicked();
    } else if (reason == QSystemTrayIcon::DoubleClick) {
        m_clicks->doubleClicked();
    }
}

void TrayIcon::updateImage() {
    // The controller announces every tick; the picture changes far less often.
    const TrayImage image = TrayImageFor(m_session.controller().transport());
    if (image != m_image || m_icon.icon().isNull()) {
        m_image = image;
        m_icon.setIcon(TrayIconImage(image));
    }
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window && event->type() == QEvent::WindowStateChange && !m_shuttingDown) {
        applySettings();
    }
    return QObject::eventFilter(watched, event);
}
