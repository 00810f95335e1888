#include "gui/common/sourcelistbox.h"

#include "core/cdaudio/cdaudiolist.h"
#include "core/files/filelist.h"
#include "core/playlist/playlist.h"
#include "gui/common/coreselection.h"

#include <QAbstractListModel>
#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>

#include <algorithm>
#include <utility>

namespace {

// One row per name of the core list.
template <typename Lines>
class NamesModel : public QAbstractListModel {
public:
    NamesModel(Lines& lines, QObject* parent) : QAbstractListModel(parent), m_lines(lines) {
        connect(&lines, &Lines::aboutToReset, this, [this] { beginResetModel(); });
        connect(&lines, &Lines::reset, this, [this] { endResetModel(); });
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_lines.count());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_lines.count()) {
            return {};
        }
        return m_lines.name(index.row());
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return QAbstractListModel::flags(index) | Qt::ItemIsDragEnabled;
    }

    void namesChanged() {
        if (rowCount() > 0) {
            Q_EMIT dataChanged(index(0), index(rowCount() - 1), {Qt::DisplayRole});
        }
    }

private:
    Lines& m_lines;
};

}  // namespace

template <typename Lines>
SourceListBoxOf<Lines>::SourceListBoxOf(Lines& lines, const QString& lineMimeType, QWidget* parent)
    : SourceListBox(parent),
      m_lines(lines),
      m_model(new NamesModel<Lines>(lines, this)),
      m_lineMimeType(lineMimeType) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);  // 20,000 names lay out without measuring each one
    setModel(m_model);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);

    if constexpr (requires { &Lines::namesChanged; }) {
        connect(&lines, &Lines::namesChanged, m_model,
                [model = static_cast<NamesModel<Lines>*>(m_model)] { model->namesChanged(); });
    }
    connect(&lines, &Lines::selectionChanged, this, &SourceListBoxOf::showCoreSelection);
    connect(&lines, &Lines::reset, this, &SourceListBoxOf::showCoreSelection);
    connect(&lines, &Lines::focusedLineChanged, this, &SourceListBoxOf::showFocusedLine);
    connect(&lines, &Lines::scrollRequested, this, &SourceListBoxOf::scrollToLine);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SourceListBoxOf::takeViewSelection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (!m_syncing) {
            m_lines.setFocusedLine(current.isValid() ? current.row() : -1);
        }
    });
    connect(this, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) {
            Q_EMIT playRequested();
        }
    });
}

template <typename Lines>
void SourceListBoxOf<Lines>::showCoreSelection() {
    if (m_syncing) {
        return;
    }
    m_syncing = true;
    selectionModel()->select(CoreSelectionRanges(m_lines, *m_model), QItemSelectionModel::ClearAndSelect);
    const qsizetype focused = m_lines.focusedLine();
    if (focused >= 0 && focused < m_lines.count()) {
        selectionModel()->setCurrentIndex(m_model->index(static_cast<int>(focused), 0),
                                          QItemSelectionModel::NoUpdate);
    }
    m_syncing = false;
}

template <typename Lines>
void SourceListBoxOf<Lines>::takeViewSelection(const QItemSelection& selected,
                                               const QItemSelection& deselected) {
    if (m_syncing) {
        return;
    }
    m_syncing = true;
    TakeViewSelection(m_lines, selected, deselected);
    m_syncing = false;
    Q_EMIT clicked();
}

template <typename Lines>
void SourceListBoxOf<Lines>::showFocusedLine(qsizetype line) {
    const bool wasSyncing = std::exchange(m_syncing, true);
    selectionModel()->setCurrentIndex(m_model->index(static_cast<int>(line), 0),
                                      QItemSelectionModel::NoUpdate);
    m_syncing = wasSyncing;
}

template <typename Lines>
void SourceListBoxOf<Lines>::scrollToLine(qsizetype line, bool toTop) {
    if (line < 0 || line >= m_lines.count()) {
        return;
    }
    const int rowHeight = std::max(1, sizeHintForRow(0));
    const qsizetype top = toTop ? line : CentredTopLine(line, viewport()->height() / rowHeight);
    scrollTo(m_model->index(static_cast<int>(top), 0), QAbstractItemView::PositionAtTop);
}

template <typename Lines>
void SourceListBoxOf<Lines>::startDrag(Qt::DropActions) {
    if (m_lines.selectedCount() == 0) {
        return;
    }
    auto* data = new QMimeData;
    data->setData(m_lineMimeType, QByteArray());
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction | Qt::MoveAction);
}

template <typename Lines>
void SourceListBoxOf<Lines>::focusInEvent(QFocusEvent* event) {
    QListView::focusInEvent(event);
    Q_EMIT entered();
}

template <typename Lines>
void SourceListBoxOf<Lines>::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_lines.selectedCount() > 0) {
        Q_EMIT playRequested();
        return;
    }
    QListView::keyPressEvent(event);
}

template class SourceListBoxOf<CDAudioList>;
template class SourceListBoxOf<FileList>;
