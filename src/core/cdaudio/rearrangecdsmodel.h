#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The rearrange box's list of discs. Entries are the database's sections in file order, named by
// their discs; two discs of the same name stay two entries, so the new order is kept as indexes into
// the original list and never looked up by name.
class RearrangeCDsModel {
public:
    // selected: the entry selected on showing (-1: none).
    RearrangeCDsModel(QStringList names, int selected);

    // The entry to select on showing: the first whose name equals nameText ignoring letter case, else
    // the first entry; -1 when there is none.
    static int initialSelection(const QStringList& names, const QString& nameText);

    bool isEmpty() const { return m_order.isEmpty(); }
    int count() const { return static_cast<int>(m_order.size()); }
    // The names in their present order.
    QStringList names() const;
    // The present order as indexes into the names the box was given.
    const QList<int>& order() const { return m_order; }
    int selected() const { return m_selected; }
    void select(int row);

    // Move the selected entry one place; the moved entry stays selected. False when nothing moved.
    bool moveUp();
    bool moveDown();

    // "Number of CDs in the Database: N", or the box's first text while there are no discs.
    QString countLabel() const;

private:
    bool moveTo(int row);

    QStringList m_names;
    QList<int> m_order;
    int m_selected = -1;
};
