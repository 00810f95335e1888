#include "gui/playlist/playlistbox.h"

#include "core/playlist/playlist.h"
#include "gui/playlist/playlistboxmodel.h"

#include <QScrollBar>

PlayListBox::PlayListBox(PlayList& playList, QWidget* parent)
    : QListView(parent), m_playList(playList), m_model(new PlayListBoxModel(playList, this)) {
    setObjectName(QStringLiteral("PlayListBox"));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);  // 100,000 lines lay out without measuring each one
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setIconSize(QSize(16, 16));
    m_model->setRowHeight(std::max(fontMetrics().height(), 16) + 2);
    setModel(m_model);

    connect(&playList, &PlayList::selectionChanged, this, &PlayListBox::showCoreSelection);
    connect(&playList, &PlayList::linesReset, this, &PlayListBox::showCoreSelection);
    connect(&playList, &PlayList::focusedLineChanged, this, [this](qsizetype line) {
        const bool wasSyncing = m_syncing;
        m_syncing = true;
        selectionModel()->setCurrentIndex(m_model->index(static_cast<int>(line)), QItemSelectionModel::NoUpdate);
        m_syncing = wasSyncing;
    });
    connect(&playList, &PlayList::centreLineRequested, this, &PlayListBox::centreLine);
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

void PlayListBox::showCoreSelection() {
    if (m_syncing) {
        return;
    }
    m_syncing = true;
    // Runs of selected lines become ranges, so selecting 100,000 lines is one range, not 100,000.
    QItemSelection selection;
    const qsizetype lines = m_playList.lineCount();
    for (qsizetype i = 0; i < lines; ++i) {
        if (!m_playList.isSelected(i)) {
            continue;
        }
        qsizetype last = i;
        while (last + 1 < lines && m_playList.isSelected(last + 1)) {
            ++last;
        }
        selection.select(m_model->index(static_cast<int>(i)), m_model->index(static_cast<int>(last)));
        i = last;
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    const qsizetype focused = m_playList.focusedLine();
    if (focused >= 0 && focused < lines) {
        selectionModel()->setCurrentIndex(m_model->index(static_cast<int>(focused)), QItemSelectionModel::NoUpdate);
    }
    m_syncing = false;
}

void PlayListBox::takeViewSelection(const QItemSelection& selected, const QItemSelection& deselected) {
    if (m_syncing) {
        return;
    }
    m_syncing = true;
    for (const QItemSelectionRange& range : deselected) {
        m_playList.setSelectedRange(range.top(), range.bottom(), false);
    }
    for (const QItemSelectionRange& range : selected) {
        m_playList.setSelectedRange(range.top(), range.bottom(), true);
    }
    m_syncing = false;
}

void PlayListBox::centreLine(qsizetype line) {
    if (line < 0 || line >= m_playList.lineCount()) {
        return;
    }
    const qsizetype top = CentredTopLine(line, wholeVisibleLines());
    scrollTo(m_model->index(static_cast<int>(top)), QAbstractItemView::PositionAtTop);
}
