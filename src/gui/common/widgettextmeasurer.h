#pragma once

#include "core/common/textmeasurer.h"

#include <QFont>

#include <vector>

class QWidget;

// Measures texts in a widget's current font. List lines add up the advances of their characters,
// each measured once per font.
class WidgetTextMeasurer : public TextMeasurer {
public:
    explicit WidgetTextMeasurer(const QWidget* widget) : m_widget(widget) {}
    int textWidth(const QString& text) const override;
    int listLineWidth(const QString& text) const override;

private:
    const QWidget* m_widget;
    mutable QFont m_cachedFont;
    mutable std::vector<int> m_advances;  // by UTF-16 unit; -1 until measured
};
