#include "core/app/appsession.h"
#include "core/common/prompter.h"

void AppSession::declarePreferencesCommands() {
    m_commands.bind(QStringLiteral("PrefM"), [this] { Q_EMIT preferencesRequested(); });
    m_commands.add(QStringLiteral("StatusBarCustomize"),
                   [this] { openPreferencesAt(PreferencesPage::StatusBar); });
    m_favoritesAndHistory.setCanConfigure(true);
    connect(&m_favoritesAndHistory, &FavoritesAndHistory::configureRequested, this,
            [this](Favorites::Kind kind) {
                openPreferencesAt(kind == Favorites::Kind::Folders ? PreferencesPage::FavoriteFolders
                                                                   : PreferencesPage::FavoritePlayLists);
            });
}

void AppSession::openPreferencesAt(PreferencesPage page) {
    m_preferencesDialog.requestPage(page);
    Q_EMIT preferencesRequested();
}

void AppSession::preferencesAccepted(const QStringList& favoriteFolders,
                                     const QStringList& favoritePlayLists) {
    m_preferences.favoriteFolders = favoriteFolders;
    m_preferences.favoritePlayLists = favoritePlayLists;
    applyDisplayOptions();
    m_playList.RedrawPlayList(true);
    updateFileListVisibility();
    Q_EMIT componentsChanged();
    m_editor.updateControls();
    reportSettingsError(m_settings.SaveSettings(m_preferences, false));
    m_commands.invalidate();
}

void AppSession::preferencesCancelled() {
    m_preferencesDialog.restore();
    m_commands.invalidate();
}

void AppSession::reportSettingsError(const QString& error) {
    if (error.isEmpty()) {
        return;
    }
    m_ports.prompter.showMessage(Prompter::Kind::Error,
                                 QStringLiteral("Unable to save the settings to \"%1\".\r\n\r\n"
                                                "The error message returned was: %2")
                                     .arg(m_settings.path(), error));
}
