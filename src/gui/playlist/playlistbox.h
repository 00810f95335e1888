#pragma once

#include <QListView>

class PlayList;
class PlayListBoxModel;

// The Play List box: a multi-selection list view of the core Play List's lines. Selection and the
// focused line live in core; this view mirrors them both ways.
class PlayListBox : public QListView {
    Q_OBJECT

public:
    explicit PlayListBox(PlayList& playList, QWidget* parent = nullptr);

    int wholeVisibleLines() const;

private:
    void showCoreSelection();
    void takeViewSelection(const QItemSelection& selected, const QItemSelection& deselected);
    void centreLine(qsizetype line);

    PlayList& m_playList;
    PlayListBoxModel* m_model;
    bool m_syncing = false;
};
