#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// A duplicate-ignoring list of item references, compared as items are (ItemIdentity): the played items in the
// order of play, or the unplayed items kept sorted.
class ItemSet {
public:
    enum class Order { Insertion, Sorted };

    explicit ItemSet(Order order) : m_order(order) {}

    // Returns false when the item was there already.
    bool add(const QString& ref);
    void addAll(const QStringList& refs);
    bool remove(const QString& ref);
    // Removes many in one pass over the set.
    void removeAll(const QStringList& refs);
    // Puts ref where old stood (in a sorted set, where ref sorts), so the order of play is kept. When
    // ref is there already, old just goes. False when old was not there.
    bool replace(const QString& old, const QString& ref);
    void clear();

    bool contains(const QString& ref) const;
    qsizetype indexOf(const QString& ref) const;
    qsizetype size() const { return m_items.size(); }
    bool isEmpty() const { return m_items.isEmpty(); }
    const QString& at(qsizetype i) const { return m_items.at(i); }
    const QStringList& items() const { return m_items; }

private:
    qsizetype sortedPosition(const QString& identity) const;

    Order m_order;
    QStringList m_items;
    QStringList m_identities;  // parallel to m_items, for binary search in sorted order
    QSet<QString> m_present;
};
