#pragma once

#include <QTreeWidget>

class FolderList;

// The Folder List box: the folders from the root down to the current one, open, and the current one's
// subfolders below it. A click selects an entry, a double-click or Enter opens it.
class FolderListBox : public QTreeWidget {
    Q_OBJECT

public:
    explicit FolderListBox(const FolderList& folders, QWidget* parent = nullptr);

    // Rebuilds the entries from the Folder List.
    void showFolders();
    qsizetype lineCount() const { return m_items.size(); }
    // The line of the entry at a point of the viewport, or -1.
    qsizetype lineAt(const QPoint& point) const;

    // A dragged entry carries its folder's path, UTF-8, under this type.

Q_SIGNALS:
    void lineClicked(qsizetype line);
    void lineOpened(qsizetype line);
    void entered();
    // Backspace: the folder above the current one.
    void upRequested();
    // Lines of the File List or the Play List were dropped on this line.
    void linesDropped(qsizetype line, bool fromPlayList);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    qsizetype lineOf(const QTreeWidgetItem* item) const;
    // Whether the drag carries lines of the program's File List or Play List; fromPlayList tells which.
    static bool carriesLines(const QDropEvent* event, bool* fromPlayList = nullptr);

    const FolderList& m_folders;
    QList<QTreeWidgetItem*> m_items;  // one per entry, in the Folder List's order
    bool m_filling = false;
};
