#include "core/playlist/itemset.h"

#include "core/common/itemref.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// The sorted order ignores letter case; items that differ only in case follow each other in a fixed order.
bool sortsBefore(const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded < 0 || (folded == 0 && a < b);
}

}  // namespace

qsizetype ItemSet::sortedPosition(const QString& identity) const {
    return std::lower_bound(m_identities.cbegin(), m_identities.cend(), identity, sortsBefore) -
           m_identities.cbegin();
}

bool ItemSet::add(const QString& ref) {
    const QString identity = ItemIdentity(ref);
    if (m_present.contains(identity)) {
        return false;
    }
    m_present.insert(identity);
    const qsizetype at = m_order == Order::Sorted ? sortedPosition(identity) : m_items.size();
    m_items.insert(at, ref);
    m_identities.insert(at, identity);
    return true;
}

void ItemSet::addAll(const QStringList& refs) {
    m_present.reserve(m_present.size() + refs.size());
    m_items.reserve(m_items.size() + refs.size());
    m_identities.reserve(m_identities.size() + refs.size());
    if (m_order == Order::Insertion) {
        for (const QString& ref : refs) {
            add(ref);
        }
        return;
    }
    // One sort instead of an insertion per item keeps large lists fast.
    for (const QString& ref : refs) {
        const QString identity = ItemIdentity(ref);
        if (!m_present.contains(identity)) {
            m_present.insert(identity);
            m_items.append(ref);
            m_identities.append(identity);
        }
    }
    std::vector<qsizetype> order(m_items.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](qsizetype a, qsizetype b) {
        return sortsBefore(m_identities.at(a), m_identities.at(b));
    });
    QStringList items;
    QStringList identities;
    items.reserve(m_items.size());
    identities.reserve(m_items.size());
    for (qsizetype i : order) {
        items.append(m_items.at(i));
        identities.append(m_identities.at(i));
    }
    m_items = std::move(items);
    m_identities = std::move(identities);
}

bool ItemSet::remove(const QString& ref) {
    const qsizetype i = indexOf(ref);
    if (i < 0) {
        return false;
    }
    m_present.remove(m_identities.at(i));
    m_items.removeAt(i);
    m_identities.removeAt(i);
    return true;
}

bool ItemSet::replace(const QString& old, const QString& ref) {
    const qsizetype i = indexOf(old);
    if (i < 0) {
        return false;
    }
    const QString identity = ItemIdentity(ref);
    if (identity != m_identities.at(i) && (m_order == Order::Sorted || m_present.contains(identity))) {
        remove(old);
        add(ref);
        return true;
    }
    m_present.remove(m_identities.at(i));
    m_present.insert(identity);
    m_items[i] = ref;
    m_identities[i] = identity;
    return true;
}

void ItemSet::removeAll(const QStringList& refs) {
    bool removed = false;
    for (const QString& ref : refs) {
        removed = m_present.remove(ItemIdentity(ref)) || removed;
    }
    if (!removed) {
        return;
    }
    // What is no longer present goes, in one pass.
    qsizetype kept = 0;
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (m_present.contains(m_identities.at(i))) {
            m_items[kept] = m_items.at(i);
            m_identities[kept] = m_identities.at(i);
            ++kept;
        }
    }
    m_items.resize(kept);
    m_identities.resize(kept);
}

void ItemSet::clear() {
    m_items.clear();
    m_identities.clear();
    m_present.clear();
}

bool ItemSet::contains(const QString& ref) const {
    return m_present.contains(ItemIdentity(ref));
}

qsizetype ItemSet::indexOf(const QString& ref) const {
    const QString identity = ItemIdentity(ref);
    if (!m_present.contains(identity)) {
        return -1;
    }
    if (m_order == Order::Sorted) {
        return sortedPosition(identity);
    }
    return m_identities.indexOf(identity);
}
