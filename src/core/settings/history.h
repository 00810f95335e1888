#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The four most recently used Play Lists, newest first, free slots last.
namespace History {

// The path moves to the top; names are compared exactly.
void AddToHistory(QStringList& history, const QString& path);
// A list renamed from one path to another: the old entry goes and the new name, when given, is at the top.
void renameEntry(QStringList& history, const QString& from, const QString& to);
// Removes entry n (1-based); the entries after it move up.
void removeEntry(QStringList& history, int n);

struct MenuItem {
    QString caption;  // "&1 " + the list's title, "&" doubled
    bool visible = false;
    bool checked = false;  // the current Play List
};
struct Menu {
    std::array<MenuItem, 4> items;
    bool separatorVisible = false;
};
Menu RefreshHistoryMenu(const QStringList& history, const QString& currentPlayList);

}  // namespace History
