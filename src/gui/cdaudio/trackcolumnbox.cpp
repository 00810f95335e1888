#include "gui/cdaudio/trackcolumnbox.h"

#include "core/cdaudio/cdaudiolist.h"
#include "gui/cdaudio/cdaudiolistbox.h"

#include <QPainter>

namespace {
constexpr int kRightMargin = 2;
}

TrackColumnBox::TrackColumnBox(Column column, CDAudioListBox& list, QWidget* parent)
    : QFrame(parent), m_column(column), m_list(list) {
    setObjectName(column == Column::Numbers ? QStringLiteral("TrackNumberListBox")
                                            : QStringLiteral("TrackLengthListBox"));
    setFrameStyle(list.frameStyle());
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setEnabled(false);
    setFocusPolicy(Qt::NoFocus);
    connect(&list, &CDAudioListBox::viewChanged, this, &TrackColumnBox::followList);
}

qsizetype TrackColumnBox::lineCount() const {
    return m_list.tracks().count();
}

QString TrackColumnBox::lineText(qsizetype line) const {
    const CDAudioList& tracks = m_list.tracks();
    return m_column == Column::Numbers ? CDAudioList::numberText(line) : tracks.lengthText(line);
}

void TrackColumnBox::followList() {
    m_topLine = m_list.topLine();
    update();
}

void TrackColumnBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.setClipRect(area);
    // Disabled only so that it takes no input: the texts read as the list's do.
    painter.setPen(palette().color(QPalette::Active, QPalette::Text));
    const Qt::Alignment alignment =
        (m_column == Column::Numbers ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter;
    const int height = m_list.lineHeight();
    const qsizetype count = lineCount();
    int top = area.top();
    for (qsizetype line = m_topLine; line < count && top < area.bottom(); ++line, top += height) {
        const QRect cell(area.left(), top, area.width() - kRightMargin, height);
        painter.drawText(cell, alignment | Qt::TextSingleLine, lineText(line));
    }
}
