#pragma once

#include <QListView>

class FileList;
class FileListBoxModel;

// The File List box: a multi-selection list view of the core File List. Selection and the focused line
// live in core; this view mirrors them both ways. Its selected lines can be dragged onto the Play List.
class FileListBox : public QListView {
    Q_OBJECT

public:
    explicit FileListBox(FileList& files, QWidget* parent = nullptr);

    static QString lineMimeType() { return QStringLiteral("application/x-velmaro-file-list-lines"); }

Q_SIGNALS:
    // The user changed the selection (a click, keys).
    void clicked();
    // A double-click or Enter on a line: it plays.
    void playRequested();
    void entered();

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showCoreSelection();
    void takeViewSelection(const QItemSelection& selected, const QItemSelection& deselected);
    void scrollToLine(qsizetype line, bool toTop);

    FileList& m_files;
    FileListBoxModel* m_model;
    bool m_syncing = false;
};
