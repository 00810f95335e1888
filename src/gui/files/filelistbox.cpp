#include "gui/files/filelistbox.h"

#include "core/files/filelist.h"
#include "core/playlist/playlist.h"

#include <QAbstractListModel>
#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>

// One row per name of the File List.
class FileListBoxModel : public QAbstractListModel {
public:
    FileListBoxModel(FileList& files, QObject* parent) : QAbstractListModel(parent), m_files(files) {
        connect(&files, &FileList::aboutToReset, this, [this] { beginResetModel(); });
        connect(&files, &FileList::reset, this, [this] { endResetModel(); });
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_files.count());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= m_files.count()) {
            return {};
        }
        if (role == Qt::DisplayRole) {
            return m_files.name(index.row());
        }
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return QAbstractListModel::flags(index) | Qt::ItemIsDragEnabled;
    }

private:
    FileList& m_files;
};

FileListBox::FileListBox(FileList& files, QWidget* parent)
    : QListView(parent), m_files(files), m_model(new FileListBoxModel(files, this)) {
    setObjectName(QStringLiteral("FileListBox"));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);  // 20,000 names lay out without measuring each one
    setModel(m_model);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);

    connect(&files, &FileList::selectionChanged, this, &FileListBox::showCoreSelection);
    connect(&files, &FileList::reset, this, &FileListBox::showCoreSelection);
    connect(&files, &FileList::focusedLineChanged, this, [this](qsizetype line) {
        const bool wasSyncing = std::exchange(m_syncing, true);
        selectionModel()->setCurrentIndex(m_model->index(static_cast<int>(line)), QItemSelectionModel::NoUpdate);
        m_syncing = wasSyncing;
    });
    connect(&files, &FileList::scrollRequested, this, &FileListBox::scrollToLine);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &FileListBox::takeViewSelection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (!m_syncing) {
            m_files.setFocusedLine(current.isValid() ? current.row() : -1);
        }
    });
    connect(this, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) {
            Q_EMIT playRequested();
        }
    });
}

void FileListBox::showCoreSelection() {
    if (m_syncing) {
        return;
    }
    m_syncing = true;
    QItemSelection selection;
    const qsizetype lines = m_files.count();
    for (qsizetype i = 0; i < lines; ++i) {
        if (!m_files.isSelected(i)) {
            continue;
        }
        qsizetype last = i;
        while (last + 1 < lines && m_files.isSelected(last + 1)) {
            ++last;
        }
        selection.select(m_model->index(static_cast<int>(i)), m_model->index(static_cast<int>(last)));
        i = last;
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    const qsizetype focused = m_files.focusedLine();
    if (focused >= 0 && focused < lines) {
        selectionModel()->setCurrentIndex(m_model->index(static_cast<int>(focused)), QItemSelectionModel::NoUpdate);
    }
    m_syncing = false;
}

void FileListBox::takeViewSelection(const QItemSelection& selected, const QItemSelection& deselected) {
    if (m_syncing) {
        return;
    }
    m_syncing = true;
    for (const QItemSelectionRange& range : deselected) {
        m_files.setSelectedRange(range.top(), range.bottom(), false);
    }
    for (const QItemSelectionRange& range : selected) {
        m_files.setSelectedRange(range.top(), range.bottom(), true);
    }
    m_syncing = false;
    Q_EMIT clicked();
}

void FileListBox::scrollToLine(qsizetype line, bool toTop) {
    if (line < 0 || line >= m_files.count()) {
        return;
    }
    if (toTop) {
        scrollTo(m_model->index(static_cast<int>(line)), QAbstractItemView::PositionAtTop);
        return;
    }
    const int rowHeight = std::max(1, sizeHintForRow(0));
    const qsizetype top = CentredTopLine(line, viewport()->height() / rowHeight);
    scrollTo(m_model->index(static_cast<int>(top)), QAbstractItemView::PositionAtTop);
}

void FileListBox::startDrag(Qt::DropActions) {
    if (m_files.selectedCount() == 0) {
        return;
    }
    auto* data = new QMimeData;
    data->setData(lineMimeType(), QByteArray());
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction | Qt::MoveAction);
}

void FileListBox::focusInEvent(QFocusEvent* event) {
    QListView::focusInEvent(event);
    Q_EMIT entered();
}

void FileListBox::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_files.selectedCount() > 0) {
        Q_EMIT playRequested();
        return;
    }
    QListView::keyPressEvent(event);
}
