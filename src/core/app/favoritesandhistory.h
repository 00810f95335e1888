#pragma once

#include "core/settings/favorites.h"
#include "core/settings/history.h"

#include <QObject>

#include <functional>

class PlayListDocument;
class Prompter;
struct Preferences;

// The commands behind the history items of the File menu and the favorites menus.
class FavoritesAndHistory : public QObject {
    Q_OBJECT

public:
    // currentFolder tells the folder the File List shows, which "Add" puts among the favorite folders.
    FavoritesAndHistory(Preferences& preferences, std::function<QString()> currentFolder, PlayListDocument& document,
                        Prompter& prompter, QObject* parent = nullptr);

    void AddToHistory(const QString& path);
    // The history entry of a Play List file that was renamed names it by its new name.
    void followRename(const QString& from, const QString& to);
    void OpenHistoryEntry(int n);
    History::Menu historyMenu() const;

    std::vector<Favorites::MenuItem> favoritesMenu(Favorites::Kind kind) const;
    void runFavoritesItem(Favorites::Kind kind, const Favorites::MenuItem& item);

    // Whether "Configure..." can open the Preferences pages.
    void setCanConfigure(bool can) { m_canConfigure = can; }

Q_SIGNALS:
    void historyChanged();
    // A favorite folder was chosen: the File List is to show it.
    void currentFolderChanged(const QString& folder);
    // The Preferences dialog should open on the page of that favorites list.
    void configureRequested(Favorites::Kind kind);

private:
    QStringList& listOf(Favorites::Kind kind);
    QString currentOf(Favorites::Kind kind) const;
    void openFolder(int index);

    Preferences& m_preferences;
    std::function<QString()> m_currentFolder;
    PlayListDocument& m_document;
    Prompter& m_prompter;
    bool m_canConfigure = false;
};
