#include "gui/cdaudio/cdaudiolistbox.h"

#include "core/cdaudio/cdaudiolist.h"

CDAudioListBox::CDAudioListBox(CDAudioList& tracks, QWidget* parent)
    : SourceListBoxOf(tracks, lineMimeType(), parent) {
    setObjectName(QStringLiteral("CDAudioListBox"));
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);  // as wide as the widest name
    setEnabled(tracks.isEnabled());
    connect(&tracks, &CDAudioList::enabledChanged, this, &QWidget::setEnabled);
    connect(&tracks, &CDAudioList::reset, this, &CDAudioListBox::viewChanged);
    connect(&tracks, &CDAudioList::namesChanged, this, &CDAudioListBox::viewChanged);
}

qsizetype CDAudioListBox::topLine() const {
    const QModelIndex top = indexAt(QPoint(2, 2));
    return top.isValid() ? top.row() : 0;
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
