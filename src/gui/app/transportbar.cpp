#include "gui/app/transportbar.h"

#include "core/app/appsession.h"
#include "core/settings/shortcuts.h"
#include "core/shell/menutable.h"
#include "gui/app/mainmenu.h"
#include "gui/app/optionicons.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QStyle>
#include <QToolBar>

namespace {

struct Button {
    const char* name;
    QStyle::StandardPixmap icon;
    void (*run)(AppSession&);
    bool checkable;
};

const Button kButtons[] = {
    {"PlaySI", QStyle::SP_MediaPlay, [](AppSession& s) { s.controller().Play(); }, false},
    {"PauseSI", QStyle::SP_MediaPause, [](AppSession& s) { s.controller().PauseSBClick(); }, true},
    {"StopSI", QStyle::SP_MediaStop, [](AppSession& s) { s.controller().StopSBClick(); }, false},
    {"RewindSI", QStyle::SP_MediaSeekBackward, [](AppSession& s) { s.controller().RewindSBClick(); }, false},
    {"PrevSI", QStyle::SP_MediaSkipBackward, [](AppSession& s) { s.controller().PrevSBClick(); }, false},
    {"NextSI", QStyle::SP_MediaSkipForward, [](AppSession& s) { s.controller().NextSBClick(); }, false},
    {"LoopSongOnceSI", QStyle::SP_CustomBase, [](AppSession& s) { s.controller().LoopSongOnceMClick(); }, true},
    {"LoopSongForeverSI", QStyle::SP_CustomBase, [](AppSession& s) { s.controller().LoopSongForeverMClick(); }, true},
    {"LoopPlayListSI", QStyle::SP_CustomBase, [](AppSession& s) { s.controller().LoopPlayListMClick(); }, true},
    {"RandomPlaySI", QStyle::SP_CustomBase, [](AppSession& s) { s.controller().RandomPlayMClick(); }, true},
    {"AutoPlaySI", QStyle::SP_CustomBase, [](AppSession& s) { s.controller().AutoPlayMClick(); }, true},
};

// The short part of a hint shows as the tooltip, the long part (after "|") in the status bar.
QString shortPart(const QString& hint) {
    return hint.section(u'|', 0, 0);
}

QString longPart(const QString& hint) {
    return hint.section(u'|', 1);
}

}  // namespace

TransportBar::TransportBar(QMainWindow* window, MainMenu& menu, AppSession& session)
    : QObject(window), m_window(window), m_menu(menu), m_session(session) {
    createToolBar();
    connectMenu();
    connect(&session.controller(), &PlaybackController::changed, this, &TransportBar::refresh);
    refresh();
}

void TransportBar::createToolBar() {
    m_toolBar = m_window->addToolBar(QStringLiteral("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("SpeedBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(16, 16));
    for (const Button& entry : kButtons) {
        const QString name = QString::fromLatin1(entry.name);
        const QIcon icon = entry.icon == QStyle::SP_CustomBase ? PlayOptionIcon(name)
                                                              : m_window->style()->standardIcon(entry.icon);
        auto* action = m_toolBar->addAction(icon, QString());
        action->setObjectName(name);
        action->setCheckable(entry.checkable);
        auto run = entry.run;
        connect(action, &QAction::triggered, this, [this, run] { run(m_session); });
        m_buttons.insert(name, action);
        if (name == u"NextSI" || name == u"RewindSI") {
            m_toolBar->addSeparator();
        }
    }
    m_toolBar->addSeparator();
}

void TransportBar::connectMenu() {
    const std::pair<const char*, void (*)(AppSession&)> commands[] = {
        {"PlayM", [](AppSession& s) { s.controller().Play(); }},
        {"PauseM", [](AppSession& s) { s.controller().PauseSBClick(); }},
        {"StopM", [](AppSession& s) { s.controller().StopSBClick(); }},
        {"RewindM", [](AppSession& s) { s.controller().RewindSBClick(); }},
        {"PrevM", [](AppSession& s) { s.controller().PrevSBClick(); }},
        {"NextM", [](AppSession& s) { s.controller().NextSBClick(); }},
        {"LoopSongOnceM", [](AppSession& s) { s.controller().LoopSongOnceMClick(); }},
        {"LoopSongForeverM", [](AppSession& s) { s.controller().LoopSongForeverMClick(); }},
        {"LoopPlayListM", [](AppSession& s) { s.controller().LoopPlayListMClick(); }},
        {"RandomPlayM", [](AppSession& s) { s.controller().RandomPlayMClick(); }},
        {"AutoPlayM", [](AppSession& s) { s.controller().AutoPlayMClick(); }},
    };
    for (const auto& [name, run] : commands) {
        m_menu.connectCommand(QString::fromLatin1(name), [this, run = run] { run(m_session); });
    }
    for (const char* name : {"PauseM", "LoopSongOnceM", "LoopSongForeverM", "LoopPlayListM", "RandomPlayM", "AutoPlayM"}) {
        m_menu.action(QString::fromLatin1(name))->setCheckable(true);
    }
    connect(m_menu.menu(QStringLiteral("AudioM")), &QMenu::aboutToShow, this, &TransportBar::refresh);
}

void TransportBar::setHint(QAction* action, const QString& hint) {
    action->setToolTip(shortPart(hint));
    action->setStatusTip(longPart(hint));
}

void TransportBar::refresh() {
    const TransportState state = m_session.controller().transport();
    const Preferences& preferences = m_session.preferences();
    const Shortcuts& shortcuts = preferences.shortcuts;
    const struct {
        const char* stem;
        bool enabled;
    } transport[] = {{"Play", state.play},     {"Pause", state.pause}, {"Stop", state.stop},
                     {"Rewind", state.rewind}, {"Prev", state.previous}, {"Next", state.next}};
    for (const auto& command : transport) {
        const QString stem = QString::fromLatin1(command.stem);
        m_buttons.value(stem + QStringLiteral("SI"))->setEnabled(command.enabled);
        m_menu.action(stem + u'M')->setEnabled(command.enabled);
    }
    m_buttons.value(QStringLiteral("PauseSI"))->setChecked(state.pauseDown);
    m_menu.action(QStringLiteral("PauseM"))->setChecked(state.pauseDown);

    const bool checks[] = {m_session.controller().loopOnce(), m_session.controller().loopForever(),
                           preferences.loopPlayList, preferences.randomPlay, preferences.autoPlay};
    const char* options[] = {"LoopSongOnce", "LoopSongForever", "LoopPlayList", "RandomPlay", "AutoPlay"};
    for (int i = 0; i < 5; ++i) {
        const QString stem = QString::fromLatin1(options[i]);
        m_buttons.value(stem + QStringLiteral("SI"))->setChecked(checks[i]);
        m_menu.action(stem + u'M')->setChecked(checks[i]);
    }

    // Hints: the menu twin's caption and shortcut; Play, Previous and Next also name their item.
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it) {
        setHint(it.value(), ToolbarHint(it.key(), shortcuts));
    }
    const auto itemHint = [&](const char* menuName, const QString& item) {
        const QString name = QString::fromLatin1(menuName);
        return TransportHint(FindMenuEntry(name)->caption, ShortcutText(shortcuts.valueOf(name)), item);
    };
    setHint(m_buttons.value(QStringLiteral("PlaySI")), itemHint("PlayM", state.playItem));
    setHint(m_buttons.value(QStringLiteral("PrevSI")), itemHint("PrevM", state.previousItem));
    setHint(m_buttons.value(QStringLiteral("NextSI")), itemHint("NextM", state.nextItem));

    // The taskbar shows the progress while the window is minimized; the caption is the plain title.
    const PlaybackController& controller = m_session.controller();
    m_window->setWindowTitle(m_window->isMinimized() ? controller.applicationTitle() : controller.windowTitle());
}
