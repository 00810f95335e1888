#include "gui/tray/trayimages.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace {

// Drawn on a 16-unit grid and scaled, so every size shows the same picture.
QPixmap draw(TrayImage image, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    painter.setPen(QPen(QColor(20, 40, 90), 0.8));
    painter.setBrush(QColor(70, 110, 200));
    painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    switch (image) {
        case TrayImage::Normal:
            // A note: head and stem.
            painter.drawEllipse(QRectF(4, 9, 4.5, 3.5));
            painter.drawRect(QRectF(7.5, 3.5, 1.2, 7));
            painter.drawRect(QRectF(7.5, 3.5, 3.5, 1.4));
            break;
        case TrayImage::Playing:
            painter.setBrush(QColor(120, 230, 120));
            painter.drawPolygon(QPolygonF({QPointF(5.5, 4), QPointF(12, 8), QPointF(5.5, 12)}));
            break;
        case TrayImage::Paused:
            painter.setBrush(QColor(255, 210, 80));
            painter.drawRect(QRectF(4.5, 4, 2.5, 8));
            painter.drawRect(QRectF(9, 4, 2.5, 8));
            break;
    }
    painter.end();
    return pixmap;
}

}  // namespace

QIcon TrayIconImage(TrayImage image) {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48}) {
        icon.addPixmap(draw(image, size));
    }
    return icon;
}
