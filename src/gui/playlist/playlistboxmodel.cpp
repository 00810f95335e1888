#include "gui/playlist/playlistboxmodel.h"

#include "core/common/itemref.h"
#include "core/playlist/playlist.h"

#include <QSize>

PlayListBoxModel::PlayListBoxModel(PlayList& playList, QObject* parent)
    : QAbstractListModel(parent), m_playList(playList) {
    connect(&playList, &PlayList::linesAboutToBeReset, this, [this] { beginResetModel(); });
    connect(&playList, &PlayList::linesReset, this, [this] { endResetModel(); });
    connect(&playList, &PlayList::linesAboutToBeInserted, this, [this](qsizetype first, qsizetype last) {
        beginInsertRows(QModelIndex(), static_cast<int>(first), static_cast<int>(last));
    });
    connect(&playList, &PlayList::linesInserted, this, [this] { endInsertRows(); });
    connect(&playList, &PlayList::linesAboutToBeRemoved, this, [this](qsizetype first, qsizetype last) {
        beginRemoveRows(QModelIndex(), static_cast<int>(first), static_cast<int>(last));
    });
    connect(&playList, &PlayList::linesRemoved, this, [this] { endRemoveRows(); });
    connect(&playList, &PlayList::linesChanged, this, [this](qsizetype first, qsizetype last) {
        Q_EMIT dataChanged(index(static_cast<int>(first)), index(static_cast<int>(last)), {Qt::DisplayRole, Qt::DecorationRole, Qt::ToolTipRole});
    });
    // Every row takes the widest line's width, so the view's horizontal scroll range covers it.
    connect(&playList, &PlayList::horizontalExtentChanged, this, [this] {
        if (rowCount() > 0) {
            Q_EMIT dataChanged(index(0), index(rowCount() - 1), {Qt::SizeHintRole});
        }
    });
}

int PlayListBoxModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_playList.lineCount());
}

QVariant PlayListBoxModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_playList.lineCount()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return m_playList.line(index.row());
        case Qt::DecorationRole: {
            const ItemGlyph glyph = m_playList.lineGlyph(index.row());
            return glyph == ItemGlyph::None ? QVariant() : QVariant(m_glyphs.pixmap(glyph));
        }
        case Qt::ToolTipRole:
            // A line that shows a title from tags still tells where its file is.
            return m_playList.showsTagTitle(index.row())
                       ? QVariant(GetItemValue(m_playList.item(index.row()), QStringLiteral("FILE")))
                       : QVariant();
        case Qt::SizeHintRole:
            return QSize(m_playList.horizontalExtent(), m_rowHeight);
        default:
            return {};
    }
}

Qt::ItemFlags PlayListBoxModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractListModel::flags(index);
    return index.isValid() ? flags | Qt::ItemIsDragEnabled : flags | Qt::ItemIsDropEnabled;
}

void PlayListBoxModel::setRowHeight(int height) {
    m_rowHeight = height;
}
