#pragma once

#include "gui/playlist/itemglyphs.h"

#include <QAbstractListModel>

class PlayList;

// Shows the lines of the core Play List in a Qt list view: one row per line, its glyph as decoration.
class PlayListBoxModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit PlayListBoxModel(PlayList& playList, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Lines can be dragged, so a press and a move on a selected line starts a drag rather than
    // stretching the selection.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction | Qt::CopyAction; }

    void setRowHeight(int height);

private:
    PlayList& m_playList;
    ItemGlyphs m_glyphs;
    int m_rowHeight = 16;
};
