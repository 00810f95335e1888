#include "gui/playback/indicatorglyphs.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QToolButton>

namespace {

constexpr int kSize = 9;

QIcon arrow(const QPolygonF& shape) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 30, 30));
    painter.drawPolygon(shape);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace

QIcon SmallArrowRight() {
    return arrow(QPolygonF({QPointF(2.5, 1), QPointF(7, 4.5), QPointF(2.5, 8)}));
}

QIcon SmallArrowDown() {
    return arrow(QPolygonF({QPointF(1, 2.5), QPointF(8, 2.5), QPointF(4.5, 7)}));
}

QToolButton* CreateModeButton(QWidget* parent, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setIcon(SmallArrowDown());
    button->setIconSize(QSize(kSize, kSize));
    button->setPopupMode(QToolButton::InstantPopup);
    // The arrow glyph is the button: the style's own menu arrow would draw a second one.
    button->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
    button->setFixedSize(15, 15);
    return button;
}
