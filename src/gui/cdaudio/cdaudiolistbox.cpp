#include "gui/cdaudio/cdaudiolistbox.h"

#include "gui/common/listdrag.h"

#include "core/cdaudio/cdaudiolist.h"

#include <QScrollBar>

#include <algorithm>

CDAudioListBox::CDAudioListBox(CDAudioList& tracks, QWidget* parent)
    : SourceListBoxOf(tracks, ListDrag::cdAudioListLines(), parent) {
    setObjectName(QStringLiteral("CDAudioListBox"));
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // A disc has at most 99 names: each is measured, so the list scrolls as far as the widest.
    setUniformItemSizes(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setEnabled(tracks.isEnabled());
    connect(&tracks, &CDAudioList::enabledChanged, this, &QWidget::setEnabled);
    connect(&tracks, &CDAudioList::reset, this, &CDAudioListBox::viewChanged);
    connect(&tracks, &CDAudioList::namesChanged, this, &CDAudioListBox::viewChanged);
}

// Scrolling a line at a time, the scroll bar counts lines.
qsizetype CDAudioListBox::topLine() const {
    return verticalScrollBar()->value();
}

int CDAudioListBox::lineHeight() const {
    return tracks().isEmpty() ? fontMetrics().height() : std::max(1, sizeHintForRow(0));
}

void CDAudioListBox::scrollContentsBy(int dx, int dy) {
    SourceListBoxOf::scrollContentsBy(dx, dy);
    if (dy != 0) {
        Q_EMIT viewChanged();
    }
}

void CDAudioListBox::resizeEvent(QResizeEvent* event) {
    SourceListBoxOf::resizeEvent(event);
    Q_EMIT viewChanged();
}
