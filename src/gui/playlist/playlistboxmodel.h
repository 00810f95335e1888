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

    void setRowHeight(int height);

private:
    PlayList& m_playList;
    ItemGlyphs m_glyphs;
    int m_rowHeight = 16;
};
