#include "gui/files/folderlistbox.h"

#include "core/files/folderlist.h"
#include "gui/common/listdrag.h"

#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QStyle>

FolderListBox::FolderListBox(const FolderList& folders, QWidget* parent)
    : QTreeWidget(parent), m_folders(folders) {
    setObjectName(QStringLiteral("DirectoryListBox"));
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(10);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Files dragged from the File List or the Play List onto a folder move there.
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(true);
    // An entry dropped on the Play List opens the search of that folder.
    setDragEnabled(true);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!m_filling && item) {
            Q_EMIT lineClicked(lineOf(item));
        }
    });
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { Q_EMIT lineOpened(lineOf(item)); });
}

void FolderListBox::showFolders() {
    m_filling = true;
    clear();
    m_items.clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QTreeWidgetItem* parent = nullptr;
    for (const FolderEntry& entry : m_folders.entries()) {
        auto* item = parent && entry.depth > 0 ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
        item->setText(0, entry.name);
        item->setIcon(0, entry.open ? open : closed);
        item->setToolTip(0, entry.path);
        m_items.append(item);
        if (entry.open) {
            parent = item;
        }
    }
    expandAll();
    const qsizetype selected = m_folders.selectedLine();
    if (selected >= 0 && selected < m_items.size()) {
        setCurrentItem(m_items[selected]);
        scrollToItem(m_items[selected]);
    }
    m_filling = false;
}

qsizetype FolderListBox::lineOf(const QTreeWidgetItem* item) const {
    return m_items.indexOf(const_cast<QTreeWidgetItem*>(item));
}

qsizetype FolderListBox::lineAt(const QPoint& point) const {
    return lineOf(itemAt(point));
}

void FolderListBox::focusInEvent(QFocusEvent* event) {
    QTreeWidget::focusInEvent(event);
    Q_EMIT entered();
}

void FolderListBox::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        Q_EMIT lineOpened(lineOf(currentItem()));
        return;
    }
    if (event->key() == Qt::Key_Backspace) {
        Q_EMIT upRequested();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

bool FolderListBox::carriesLines(const QDropEvent* event, bool* fromPlayList) {
    const bool playList = ListDrag::carries(event, ListDrag::playListLines());
    const bool files = ListDrag::carries(event, ListDrag::fileListLines());
    if (fromPlayList) {
        *fromPlayList = playList;
    }
    return playList || files;
}

void FolderListBox::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void FolderListBox::dragMoveEvent(QDragMoveEvent* event) {
    if (carriesLines(event) && lineAt(event->position().toPoint()) >= 0) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void FolderListBox::dropEvent(QDropEvent* event) {
    bool fromPlayList = false;
    const qsizetype line = lineAt(event->position().toPoint());
    if (!carriesLines(event, &fromPlayList) || line < 0) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    Q_EMIT linesDropped(line, fromPlayList);
}

void FolderListBox::startDrag(Qt::DropActions) {
    const qsizetype line = lineOf(currentItem());
    if (line < 0 || line >= static_cast<qsizetype>(m_folders.entries().size())) {
        return;
    }
    auto* data = new QMimeData;
    data->setData(ListDrag::folder(), m_folders.entries()[static_cast<size_t>(line)].path.toUtf8());
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::LinkAction);
}
