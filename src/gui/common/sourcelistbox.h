#pragma once

#include <QListView>

class QAbstractListModel;

// A list box whose lines go into the Play List (the File List, the CD Audio List): a multi-selection
// list view of a core list's names. Selection and the focused line live in core; the box mirrors them
// both ways. Its selected lines can be dragged onto the Play List.
class SourceListBox : public QListView {
    Q_OBJECT

Q_SIGNALS:
    // The user changed the selection (a click, keys).
    void clicked();
    // A double-click or Enter on a line: it plays.
    void playRequested();
    void entered();

protected:
    using QListView::QListView;
};

// The box of one kind of core list. Lines has the names, the selection and the focused line of
// FileList and CDAudioList, with their signals.
template <typename Lines>
class SourceListBoxOf : public SourceListBox {
public:
    Lines& lines() const { return m_lines; }

protected:
    SourceListBoxOf(Lines& lines, const QString& lineMimeType, QWidget* parent);

    void startDrag(Qt::DropActions supportedActions) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showCoreSelection();
    void takeViewSelection(const QItemSelection& selected, const QItemSelection& deselected);
    void showFocusedLine(qsizetype line);
    void scrollToLine(qsizetype line, bool toTop);

    Lines& m_lines;
    QAbstractListModel* m_model;
    QString m_lineMimeType;
    bool m_syncing = false;
};

class CDAudioList;
class FileList;
extern template class SourceListBoxOf<CDAudioList>;
extern template class SourceListBoxOf<FileList>;
