#include "core/settings/history.h"

#include "core/common/filetitle.h"

namespace History {

void AddToHistory(QStringList& history, const QString& path) {
    while (history.size() < 4) {
        history.append(QString());
    }
    const qsizetype at = history.indexOf(path);
    if (at == 0) {
        return;
    }
    // An entry in the last slot, or none at all, drops the oldest.
    history.removeAt(at > 0 && at < 3 ? at : 3);
    history.prepend(path);
}

void renameEntry(QStringList& history, const QString& from, const QString& to) {
    for (qsizetype at = history.indexOf(from); at >= 0; at = history.indexOf(from)) {
        removeEntry(history, static_cast<int>(at + 1));
    }
    if (!to.isEmpty()) {
        AddToHistory(history, to);
    }
}

void removeEntry(QStringList& history, int n) {
    if (n < 1 || n > history.size()) {
        return;
    }
    history.removeAt(n - 1);
    history.append(QString());
}

Menu RefreshHistoryMenu(const QStringList& history, const QString& currentPlayList) {
    Menu menu;
    for (int n = 0; n < 4; ++n) {
        const QString entry = history.value(n);
        MenuItem& item = menu.items[static_cast<size_t>(n)];
        item.visible = !entry.isEmpty();
        if (item.visible) {
            item.caption = QStringLiteral("&%1 ").arg(n + 1) + PlayListFileTitle(entry).replace(u'&', QStringLiteral("&&"));
            item.checked = entry == currentPlayList;
        }
    }
    menu.separatorVisible = !history.value(0).isEmpty();
    return menu;
}

}  // namespace History
