#include "gui/shell/grayedbuttonstyle.h"

#include <QPainter>
#include <QPixmapCache>
#include <QStyleOptionToolButton>

namespace {

// The icon's normal pixmap at this size in grey, with its transparency kept.
QPixmap greyPixmap(const QIcon& icon, const QSize& size, qreal ratio, QIcon::State state) {
    const QString key = QStringLiteral("velmaro-grey-%1-%2x%3-%4-%5")
                            .arg(icon.cacheKey())
                            .arg(size.width())
                            .arg(size.height())
                            .arg(ratio)
                            .arg(state == QIcon::On ? 1 : 0);
    QPixmap grey;
    if (QPixmapCache::find(key, &grey)) {
        return grey;
    }
    QImage image =
        icon.pixmap(size, ratio, QIcon::Normal, state).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int level = qGray(line[x]);
            line[x] = qRgba(level, level, level, qAlpha(line[x]));
        }
    }
    grey = QPixmap::fromImage(image);
    QPixmapCache::insert(key, grey);
    return grey;
}

}  // namespace

void GrayedButtonStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                           QPainter* painter, const QWidget* widget) const {
    const auto* button = qstyleoption_cast<const QStyleOptionToolButton*>(option);
    const bool pointedAt = option->state & State_MouseOver;
    const bool enabled = option->state & State_Enabled;
    if (control != CC_ToolButton || !button || button->icon.isNull() || pointedAt || !enabled) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QIcon::State state = button->state & State_On ? QIcon::On : QIcon::Off;
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    QStyleOptionToolButton grey(*button);
    grey.icon = QIcon();
    grey.icon.addPixmap(greyPixmap(button->icon, button->iconSize, ratio, state), QIcon::Normal, state);
    QProxyStyle::drawComplexControl(control, &grey, painter, widget);
}
