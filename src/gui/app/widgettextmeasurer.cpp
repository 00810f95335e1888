#include "gui/app/widgettextmeasurer.h"

#include <QFontMetrics>
#include <QWidget>

int WidgetTextMeasurer::textWidth(const QString& text) const {
    return m_widget->fontMetrics().horizontalAdvance(text);
}
