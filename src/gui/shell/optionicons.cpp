#include "gui/shell/optionicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 16;
const QColor kInk(40, 60, 120);

// A circle of arrows, open at the top right, with its arrow head.
void drawCycle(QPainter& p, const QRectF& box) {
    p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(box, 60 * 16, 300 * 16);
    const QPointF tip(box.center().x() + box.width() / 2 * 0.5, box.top() + box.height() * 0.07);
    p.setBrush(kInk);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({tip + QPointF(-3.5, -2.5), tip + QPointF(1.5, 0.5), tip + QPointF(-2.5, 3)}));
}

void drawDigit(QPainter& p, const QString& text) {
    QFont font(QStringLiteral("Sans"));
    font.setPixelSize(8);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(200, 0, 0));
    p.drawText(QRectF(3, 3, 10, 10), Qt::AlignCenter, text);
}

void drawRandom(QPainter& p) {
    p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap));
    QPainterPath down(QPointF(1, 4));
    down.cubicTo(QPointF(7, 4), QPointF(7, 12), QPointF(13, 12));
    QPainterPath up(QPointF(1, 12));
    up.cubicTo(QPointF(7, 12), QPointF(7, 4), QPointF(13, 4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(down);
    p.drawPath(up);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({{12, 1.5}, {15.5, 4}, {12, 6.5}}));
    p.drawPolygon(QPolygonF({{12, 9.5}, {15.5, 12}, {12, 14.5}}));
}

void drawAuto(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({{2, 3}, {8, 8}, {2, 13}}));
    p.drawPolygon(QPolygonF({{8, 3}, {14, 8}, {8, 13}}));
}

void drawList(QPainter& p) {
    p.setPen(QPen(kInk, 1.2));
    for (int y = 5; y <= 11; y += 3) {
        p.drawLine(QPointF(5, y), QPointF(11, y));
    }
}

}  // namespace

QIcon PlayOptionIcon(const QString& buttonName) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF ring(1.5, 1.5, 13, 13);
    if (buttonName == u"LoopSongOnceSI") {
        drawCycle(p, ring);
        drawDigit(p, QStringLiteral("1"));
    } else if (buttonName == u"LoopSongForeverSI") {
        drawCycle(p, ring);
        drawDigit(p, QStringLiteral("\u221E"));
    } else if (buttonName == u"LoopPlayListSI") {
        drawCycle(p, ring);
        drawList(p);
    } else if (buttonName == u"RandomPlaySI") {
        drawRandom(p);
    } else {
        drawAuto(p);
    }
    return QIcon(pixmap);
}
