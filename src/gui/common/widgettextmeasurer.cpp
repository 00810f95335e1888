#include "gui/common/widgettextmeasurer.h"

#include <QFontMetrics>
#include <QWidget>

int WidgetTextMeasurer::textWidth(const QString& text) const {
    return m_widget->fontMetrics().horizontalAdvance(text);
}

int WidgetTextMeasurer::listLineWidth(const QString& text) const {
    const QFont font = m_widget->font();
    if (m_advances.empty() || font != m_cachedFont) {
        m_cachedFont = font;
        m_advances.assign(0x10000, -1);
    }
    const QFontMetrics metrics(m_cachedFont);
    int width = 0;
    for (const QChar c : text) {
        int& advance = m_advances[c.unicode()];
        if (advance < 0) {
            advance = metrics.horizontalAdvance(c);
        }
        width += advance;
    }
    return width;
}
