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
    // The lines' font. Every line is then as tall as a line of text in it plus 3 pixels, and never
    // lower than the glyphs beside the lines.
    void setListFont(const QFont& font);


Q_SIGNALS:
    // Lines of this box were dropped on line target (belowLast: under the last line).
    void linesDropped(qsizetype target, bool belowLast);
    // Lines of the File List or of the CD Audio List (the list items come from) were dropped on line
    // target (belowLast: under the last line).
    void sourceLinesDropped(qsizetype target, bool belowLast);
    // A folder of the Folder List was dropped anywhere on the box.
    void folderDropped(const QString& folder);
    // While dragging, the insertion point (1-based line, or the line count below the last line); -1 when
    // the drag left the box.
    void dragPositionChanged(qsizetype position);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool accepts(const QDropEvent* event) const;
    bool fromSourceList(const QDropEvent* event) const;
    bool fromFolderList(const QDropEvent* event) const;
    void setMarker(int row);
    void showCoreSelection();
    void takeViewSelection(const QItemSelection& selected, const QItemSelection& deselected);
    void centreLine(qsizetype line);

    PlayList& m_playList;
    PlayListBoxModel* m_model;
    bool m_syncing = false;
    int m_markerRow = -1;  // the row the insertion arrow points at, -1 when there is none
};
