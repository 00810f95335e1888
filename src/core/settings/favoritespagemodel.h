#pragma once

#include "core/settings/favorites.h"

#include <QString>
#include <QStringList>

class Prompter;

// One Preferences page that edits a favorites list: the lines of its list box, the selected line and
// the edit box's text. The lines become the list again only through entries(), on OK.
class FavoritesPageModel {
public:
    explicit FavoritesPageModel(Favorites::Kind kind) : m_kind(kind) {}

    Favorites::Kind kind() const { return m_kind; }

    // Fills the list box; nothing is selected and the edit box is empty.
    void load(const QStringList& list);
    // The list to keep: the lines without the empty ones left by "Add Entry".
    QStringList entries() const;

    const QStringList& lines() const { return m_lines; }
    int selected() const { return m_selected; }  // -1 when no line is selected
    const QString& editText() const { return m_editText; }
    void setEditText(const QString& text) { m_editText = text; }

    // The edit box, browse, "Change Entry" and "Delete Entry" work only on a list with entries.
    bool canEdit() const { return !m_lines.isEmpty(); }
    // The folders page stops offering "Add Entry" at the limit; on the Play Lists page it just does nothing.
    bool canAdd() const;

    // A click on a line: selects it and copies it into the edit box.
    void select(int line);
    // Entering the page: the first line when nothing is selected, and the edit box shows the selection.
    void enterPage();
    // Appends an empty line, selects it and clears the edit box; false at the limit, when nothing changes.
    bool addEntry();
    // Removes the selected line; the line now at its place, else the last, becomes selected.
    void deleteEntry();
    void moveUp();
    void moveDown();
    // Replaces the selected line with the edit box's text when that names an existing folder, or an
    // existing Play List not yet in the list; otherwise says why and puts the selected line back into
    // the edit box. True when the line was replaced.
    bool changeEntry(Prompter& prompter);

private:
    void selectLine(int line);
    void swapWith(int other);
    // Why the text cannot replace the selected line, or an empty string when it can.
    QString refusal(const QString& text) const;

    Favorites::Kind m_kind;
    QStringList m_lines;
    int m_selected = -1;
    QString m_editText;
};
