#include "gui/playlist/itemglyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace {

void drawUnknown(QPainter& p) {
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(245, 245, 245));
    p.drawPolygon(QPolygonF({{3.5, 1.5}, {10.5, 1.5}, {13.5, 4.5}, {13.5, 14.5}, {3.5, 14.5}}));
    p.setFont(QFont(QStringLiteral("Sans"), 7, QFont::Bold));
    p.drawText(QRectF(3, 3, 11, 11), Qt::AlignCenter, QStringLiteral("?"));
}

void drawNote(QPainter& p) {
    const QColor blue(30, 70, 170);
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawEllipse(QRectF(2, 10, 5, 4));
    p.drawEllipse(QRectF(9, 8, 5, 4));
    p.setPen(QPen(blue, 1.5));
    p.drawLine(QPointF(6.5, 12), QPointF(6.5, 3));
    p.drawLine(QPointF(13.5, 10), QPointF(13.5, 1.5));
    p.setPen(QPen(blue, 2.5));
    p.drawLine(QPointF(6.5, 3.5), QPointF(13.5, 2));
}

void drawFilm(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(QRectF(1, 2, 14, 12));
    p.setBrush(Qt::white);
    for (int x = 2; x < 15; x += 3) {
        p.drawRect(QRectF(x, 3, 1.5, 1.5));
        p.drawRect(QRectF(x, 11.5, 1.5, 1.5));
    }
    p.setBrush(QColor(120, 180, 230));
    p.drawRect(QRectF(3, 5.5, 10, 5));
}

void drawWave(QPainter& p) {
    p.setPen(QPen(QColor(0, 130, 60), 1.5));
    QPainterPath path(QPointF(1, 8));
    const double heights[] = {3, -5, 6, -4, 2, -6, 5, -2};
    for (int i = 0; i < 8; ++i) {
        path.lineTo(QPointF(2.5 + i * 1.7, 8 - heights[i]));
    }
    path.lineTo(QPointF(15, 8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void drawDisc(QPainter& p) {
    QRadialGradient shine(QPointF(6, 6), 9);
    shine.setColorAt(0, QColor(235, 235, 250));
    shine.setColorAt(1, QColor(150, 160, 190));
    p.setPen(QPen(QColor(90, 90, 110), 1));
    p.setBrush(shine);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(6, 6, 4, 4));
}

void drawCheck(QPainter& p) {
    p.setPen(QPen(QColor(210, 0, 0), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{7.5, 11}, {10, 14}, {15, 7}}));
}

QPixmap paint(void (*drawKind)(QPainter&), bool played) {
    QPixmap pixmap(ItemGlyphs::kSize, ItemGlyphs::kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawKind(p);
    if (played) {
        drawCheck(p);
    }
    return pixmap;
}

}  // namespace

ItemGlyphs::ItemGlyphs() {
    auto set = [this](ItemGlyph glyph, QPixmap pixmap) { m_pixmaps[static_cast<int>(glyph)] = std::move(pixmap); };
    set(ItemGlyph::Unknown, paint(drawUnknown, false));
    set(ItemGlyph::UnknownPlayed, paint(drawUnknown, true));
    set(ItemGlyph::MIDI, paint(drawNote, false));
    set(ItemGlyph::MIDIPlayed, paint(drawNote, true));
    set(ItemGlyph::Movie, paint(drawFilm, false));
    set(ItemGlyph::MoviePlayed, paint(drawFilm, true));
    set(ItemGlyph::Wave, paint(drawWave, false));
    set(ItemGlyph::WavePlayed, paint(drawWave, true));
    set(ItemGlyph::CD, paint(drawDisc, false));
    set(ItemGlyph::CDPlayed, paint(drawDisc, true));
}

const QPixmap& ItemGlyphs::pixmap(ItemGlyph glyph) const {
    return m_pixmaps[static_cast<int>(glyph)];
}
