#include "core/cdaudio/rearrangecdsmodel.h"

#include <algorithm>
#include <numeric>
#include <utility>

RearrangeCDsModel::RearrangeCDsModel(QStringList names, int selected) : m_names(std::move(names)) {
    m_order.resize(m_names.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    select(selected);
}

int RearrangeCDsModel::initialSelection(const QStringList& names, const QString& nameText) {
    const auto match = std::find_if(names.cbegin(), names.cend(), [&nameText](const QString& name) {
        return name.compare(nameText, Qt::CaseInsensitive) == 0;
    });
    if (match != names.cend()) {
        return static_cast<int>(match - names.cbegin());
    }
    return names.isEmpty() ? -1 : 0;
}

QStringList RearrangeCDsModel::names() const {
    QStringList shown;
    shown.reserve(m_order.size());
    for (const int index : m_order) {
        shown.append(m_names.at(index));
    }
    return shown;
}

void RearrangeCDsModel::select(int row) {
    m_selected = row >= 0 && row < count() ? row : -1;
}

bool RearrangeCDsModel::moveUp() {
    return moveTo(m_selected - 1);
}

bool RearrangeCDsModel::moveDown() {
    return moveTo(m_selected + 1);
}

QString RearrangeCDsModel::countLabel() const {
    if (isEmpty()) {
        return QStringLiteral("Total Number of CDs in the Database: 0 ");
    }
    return QStringLiteral("Number of CDs in the Database: %1").arg(count());
}

bool RearrangeCDsModel::moveTo(int row) {
    if (m_selected < 0 || row < 0 || row >= count()) {
        return false;
    }
    m_order.swapItemsAt(m_selected, row);
    m_selected = row;
    return true;
}
