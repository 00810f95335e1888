#include "core/app/favoritesandhistory.h"

#include "core/common/prompter.h"
#include "core/playlist/playlistdocument.h"
#include "core/settings/inifile.h"
#include "core/settings/preferences.h"

#include <QFileInfo>

FavoritesAndHistory::FavoritesAndHistory(Preferences& preferences, std::function<QString()> currentFolder,
                                         PlayListDocument& document, Prompter& prompter, QObject* parent)
    : QObject(parent),
      m_preferences(preferences),
      m_currentFolder(std::move(currentFolder)),
      m_document(document),
      m_prompter(prompter) {
    connect(&document, &PlayListDocument::historyEntry, this, &FavoritesAndHistory::AddToHistory);
    connect(&document, &PlayListDocument::fileRenamed, this, &FavoritesAndHistory::followRename);
}

void FavoritesAndHistory::followRename(const QString& from, const QString& to) {
    if (!m_preferences.history.contains(from)) {
        return;
    }
    // A name the settings cannot hold is not remembered (opening it tells why); the old one goes anyway.
    History::renameEntry(m_preferences.history, from, IsStorableIniValue(to) ? to : QString());
    Q_EMIT historyChanged();
}

void FavoritesAndHistory::AddToHistory(const QString& path) {
    if (!Favorites::isStorable(path, m_prompter)) {
        return;
    }
    History::AddToHistory(m_preferences.history, path);
    Q_EMIT historyChanged();
}

void FavoritesAndHistory::OpenHistoryEntry(int n) {
    const QString path = m_preferences.history.value(n - 1);
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo::exists(path)) {
        m_document.OpenPlayList(path, true, false);
    } else {
        m_prompter.showMessage(Prompter::Kind::Error,
                               QStringLiteral("Unable to open the specified Play List. You\r"
                                              "have probably renamed the file or deleted it."));
        History::removeEntry(m_preferences.history, n);
    }
    Q_EMIT historyChanged();
}

History::Menu FavoritesAndHistory::historyMenu() const {
    return History::RefreshHistoryMenu(m_preferences.history, m_document.fileName());
}

QStringList& FavoritesAndHistory::listOf(Favorites::Kind kind) {
    return kind == Favorites::Kind::Folders ? m_preferences.favoriteFolders : m_preferences.favoritePlayLists;
}

QString FavoritesAndHistory::currentOf(Favorites::Kind kind) const {
    return kind == Favorites::Kind::Folders ? m_currentFolder() : m_document.fileName();
}

std::vector<Favorites::MenuItem> FavoritesAndHistory::favoritesMenu(Favorites::Kind kind) const {
    const QStringList& list =
        kind == Favorites::Kind::Folders ? m_preferences.favoriteFolders : m_preferences.favoritePlayLists;
    return Favorites::BuildFavoritesMenu(kind, list, currentOf(kind), m_preferences.favFoldersShowPath,
                                         m_canConfigure);
}

void FavoritesAndHistory::runFavoritesItem(Favorites::Kind kind, const Favorites::MenuItem& item) {
    QStringList& list = listOf(kind);
    const QString current = currentOf(kind);
    switch (item.action) {
        case Favorites::MenuItem::Action::AddCurrent:
            if (!current.isEmpty() && !list.contains(current) && list.size() < Preferences::kMaxFavorites &&
                Favorites::isStorable(current, m_prompter)) {
                list.append(current);
            }
            break;
        case Favorites::MenuItem::Action::RemoveCurrent:
            list.removeOne(current);
            break;
        case Favorites::MenuItem::Action::Configure:
            Q_EMIT configureRequested(kind);
            break;
        case Favorites::MenuItem::Action::Clear: {
            const QString question = kind == Favorites::Kind::Folders
                                         ? QStringLiteral("Are you sure you want to clear the list of Favorite Folders?")
                                         : QStringLiteral("Are you sure you want to clear the list of Favorite Play Lists?");
            if (m_prompter.showMessage(Prompter::Kind::Confirmation, question, Prompter::Buttons::YesNo) ==
                Prompter::Answer::Yes) {
                list.clear();
            }
            break;
        }
        case Favorites::MenuItem::Action::Open:
            if (item.index < 0 || item.index >= list.size()) {
                break;
            }
            if (kind == Favorites::Kind::Folders) {
                openFolder(item.index);
            } else {
                m_document.OpenPlayList(list.at(item.index), true, false);
            }
            break;
        case Favorites::MenuItem::Action::None:
            break;
    }
}

void FavoritesAndHistory::openFolder(int index) {
    QStringList& list = m_preferences.favoriteFolders;
    const QString folder = list.at(index);
    if (!QFileInfo(folder).isDir()) {
        list.removeAt(index);
        m_prompter.showMessage(Prompter::Kind::Error,
                               QStringLiteral("The folder \"%1\" no longer exists.\r\n"
                                              "It has been removed from your list of Favorite Folders.")
                                   .arg(folder));
        return;
    }
    Q_EMIT currentFolderChanged(folder);
}
