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

Q_SIGNALS:
    void lineClicked(qsizetype line);
    void lineOpened(qsizetype line);
    void entered();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    qsizetype lineOf(const QTreeWidgetItem* item) const;

    const FolderList& m_folders;
    QList<QTreeWidgetItem*> m_items;  // one per entry, in the Folder List's order
    bool m_filling = false;
};
