#include "gui/playlist/playlistbox.h"

#include "core/playlist/playlist.h"
#include "gui/common/coreselection.h"
#include "gui/common/listdrag.h"
#include "gui/playlist/playlistboxmodel.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>

PlayListBox::PlayListBox(PlayList& playList, QWidget* parent)
    : QListView(parent), m_playList(playList), m_model(new PlayListBoxModel(playList, this)) {
    setObjectName(QStringLiteral("PlayListBox"));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);  // 100,000 lines lay out without measuring each one
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setIconSize(QSize(16, 16));
    setModel(m_model);
    setListFont(font());
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);  // the arrow marks the insertion point instead
    setDragDropMode(QAbstractItemView::DragDrop);

    connect(&playList, &PlayList::selectionChanged, this, &PlayListBox::showCoreSelection);
    connect(&playList, &PlayList::linesReset, this, &PlayListBox::showCoreSelection);
    connect(&playList, &PlayList::focusedLineChanged, this, [this](qsizetype line) {
        const bool wasSyncing = m_syncing;
        m_syncing = true;
        selectionModel()->setCurrentIndex(m_model->index(static_cast<int>(line)),
                                          QItemSelectionModel::NoUpdate);
        m_syncing = wasSyncing;
    });
    connect(&playList, &PlayList::scrollRequested, this, [this](qsizetype line) { centreLine(line); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &PlayListBox::takeViewSelection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (!m_syncing) {
            m_playList.setFocusedLine(current.isValid() ? current.row() : -1);
        }
    });
}

int PlayListBox::wholeVisibleLines() const {
    const int row = std::max(1, sizeHintForRow(0));
    return viewport()->height() / row;
}

void PlayListBox::setListFont(const QFont& font) {
    // Before the font: its change lays the rows out again.
    m_model->setRowHeight(std::max(QFontMetrics(font).height() + 3, iconSize().height()));
    setFont(font);
}

void PlayListBox::showCoreSelection() {
    if (m_syncing) {
        return;
    }
    m_syncing = true;
    selectionModel()->select(CoreSelectionRanges(m_playList, *m_model), QItemSelectionModel::ClearAndSelect);
    const qsizetype focused = m_playList.focusedLine();
    if (focused >= 0 && focused < m_playList.lineCount()) {
        selectionModel()->setCurrentIndex(m_model->index(static_cast<int>(focused)),
                                          QItemSelectionModel::NoUpdate);
    }
    m_syncing = false;
}

void PlayListBox::takeViewSelection(const QItemSelection& selected, const QItemSelection& deselected) {
    if (m_syncing) {
        return;
    }
    m_syncing = true;
    TakeViewSelection(m_playList, selected, deselected);
    m_syncing = false;
}

void PlayListBox::centreLine(qsizetype line) {
    if (line < 0 || line >= m_playList.lineCount()) {
        return;
    }
    const qsizetype top = CentredTopLine(line, wholeVisibleLines());
    scrollTo(m_model->index(static_cast<int>(top)), QAbstractItemView::PositionAtTop);
}

bool PlayListBox::accepts(const QDropEvent* event) const {
    // Files from other programs are left to the window, which appends them wherever they are dropped.
    return (event->mimeData()->hasFormat(ListDrag::playListLines()) && event->source() == this) ||
           fromSourceList(event) || fromFolderList(event);
}

bool PlayListBox::fromFolderList(const QDropEvent* event) const {
    return ListDrag::carries(event, ListDrag::folder());
}

bool PlayListBox::fromSourceList(const QDropEvent* event) const {
    return ListDrag::carries(event, ListDrag::fileListLines()) ||
           ListDrag::carries(event, ListDrag::cdAudioListLines());
}

void PlayListBox::startDrag(Qt::DropActions) {
    if (m_playList.selectedCount() == 0) {
        return;
    }
    auto* data = new QMimeData;
    data->setData(ListDrag::playListLines(), QByteArray());
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction);
    setMarker(-1);
}

void PlayListBox::dragEnterEvent(QDragEnterEvent* event) {
    if (accepts(event)) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void PlayListBox::dragMoveEvent(QDragMoveEvent* event) {
    if (!accepts(event)) {
        event->ignore();
        return;
    }
    if (fromFolderList(event)) {
        event->acceptProposedAction();  // a folder goes to no line: it opens the search
        return;
    }
    // Near the top or bottom edge the list scrolls a line at a time.
    const QPoint point = event->position().toPoint();
    const int lineHeight = std::max(1, sizeHintForRow(0));
    if (point.y() < lineHeight) {
        verticalScrollBar()->setValue(verticalScrollBar()->value() - 1);
    } else if (point.y() > viewport()->height() - lineHeight) {
        verticalScrollBar()->setValue(verticalScrollBar()->value() + 1);
    }
    const QModelIndex under = indexAt(point);
    const int lines = static_cast<int>(m_playList.lineCount());
    setMarker(under.isValid() ? under.row() : lines - 1);
    Q_EMIT dragPositionChanged(under.isValid() ? under.row() + 1 : lines);
    event->acceptProposedAction();
}

void PlayListBox::dragLeaveEvent(QDragLeaveEvent* event) {
    setMarker(-1);
    Q_EMIT dragPositionChanged(-1);
    QListView::dragLeaveEvent(event);
}

void PlayListBox::dropEvent(QDropEvent* event) {
    setMarker(-1);
    Q_EMIT dragPositionChanged(-1);
    if (!accepts(event)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    if (fromFolderList(event)) {
        Q_EMIT folderDropped(QString::fromUtf8(event->mimeData()->data(ListDrag::folder())));
        return;
    }
    const QModelIndex under = indexAt(event->position().toPoint());
    if (fromSourceList(event)) {
        Q_EMIT sourceLinesDropped(under.isValid() ? under.row() : -1, !under.isValid());
        return;
    }
    Q_EMIT linesDropped(under.isValid() ? under.row() : -1, !under.isValid());
}

void PlayListBox::setMarker(int row) {
    if (row != m_markerRow) {
        m_markerRow = row;
        viewport()->update();
    }
}

void PlayListBox::paintEvent(QPaintEvent* event) {
    QListView::paintEvent(event);
    if (m_markerRow < 0) {
        return;
    }
    const QRect row = visualRect(m_model->index(m_markerRow));
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 0, 0));
    const int top = row.top();
    painter.drawPolygon(QPolygon({QPoint(2, top - 4), QPoint(9, top), QPoint(2, top + 4)}));
    painter.fillRect(QRect(9, top - 1, viewport()->width() - 11, 2), QColor(200, 0, 0));
}
