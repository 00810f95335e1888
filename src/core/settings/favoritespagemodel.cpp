#include "core/settings/favoritespagemodel.h"

#include "core/common/prompter.h"
#include "core/settings/preferences.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// The Folder List keeps its folder without a trailing "/", so the menus can find it among the favorites.
QString normalizedFolder(QString folder) {
    while (folder.size() > 1 && folder.endsWith(u'/')) {
        folder.chop(1);
    }
    return folder;
}

// A relative or "~" path names nothing by itself: it would depend on where the program was started.
bool existsAsFolder(const QString& path) {
    return QDir::isAbsolutePath(path) && QFileInfo(path).isDir();
}

bool existsAsFile(const QString& path) {
    return QDir::isAbsolutePath(path) && QFileInfo(path).isFile();
}

}  // namespace

void FavoritesPageModel::load(const QStringList& list) {
    m_lines = list;
    m_selected = -1;
    m_editText.clear();
}

QStringList FavoritesPageModel::entries() const {
    QStringList list;
    for (const QString& line : m_lines) {
        if (!line.isEmpty()) {
            list.append(line);
        }
    }
    return list;
}

bool FavoritesPageModel::canAdd() const {
    return m_kind == Favorites::Kind::PlayLists || m_lines.size() < Preferences::kMaxFavorites;
}

void FavoritesPageModel::selectLine(int line) {
    m_selected = line >= 0 && line < m_lines.size() ? line : -1;
    m_editText = m_selected >= 0 ? m_lines.at(m_selected) : QString();
}

void FavoritesPageModel::select(int line) {
    if (line >= 0 && line < m_lines.size()) {
        selectLine(line);
    }
}

void FavoritesPageModel::enterPage() {
    selectLine(m_selected >= 0 ? m_selected : 0);
}

bool FavoritesPageModel::addEntry() {
    if (m_lines.size() >= Preferences::kMaxFavorites) {
        return false;
    }
    m_lines.append(QString());
    selectLine(m_lines.size() - 1);
    return true;
}

void FavoritesPageModel::deleteEntry() {
    if (m_selected < 0) {
        return;
    }
    m_lines.removeAt(m_selected);
    selectLine(std::min(m_selected, static_cast<int>(m_lines.size()) - 1));
}

void FavoritesPageModel::swapWith(int other) {
    if (m_selected < 0 || other < 0 || other >= m_lines.size()) {
        return;
    }
    m_lines.swapItemsAt(m_selected, other);
    m_selected = other;
}

void FavoritesPageModel::moveUp() {
    swapWith(m_selected - 1);
}

void FavoritesPageModel::moveDown() {
    if (m_selected >= 0) {
        swapWith(m_selected + 1);
    }
}

QString FavoritesPageModel::refusal(const QString& text) const {
    const bool folders = m_kind == Favorites::Kind::Folders;
    // The selected line itself does not count: confirming an entry unchanged is no duplicate.
    const bool listed = !text.isEmpty() && m_lines.count(text) > (m_lines.at(m_selected) == text ? 1 : 0);
    // A folder that exists is taken even when another line holds it; only a Play List must be new.
    if (folders ? existsAsFolder(text) : (existsAsFile(text) && !listed)) {
        return {};
    }
    if (listed) {
        return folders
                   ? QStringLiteral(
                         "The specified folder is already present in the list of Favorite Folders.")
                   : QStringLiteral(
                         "The specified Play List is already present in the list of Favorite Play Lists.");
    }
    return folders ? QStringLiteral("The specified folder does not exist.")
                   : QStringLiteral("The specified Play List does not exist.");
}

bool FavoritesPageModel::changeEntry(Prompter& prompter) {
    if (m_selected < 0) {
        return false;
    }
    const QString text = m_kind == Favorites::Kind::Folders ? normalizedFolder(m_editText) : m_editText;
    const QString why = refusal(text);
    if (!why.isEmpty()) {
        prompter.showMessage(Prompter::Kind::Information, why);
    }
    if (!why.isEmpty() || !Favorites::isStorable(text, prompter)) {
        m_editText = m_lines.at(m_selected);
        return false;
    }
    m_lines[m_selected] = text;
    m_editText = text;
    return true;
}
