#pragma once

#include "core/common/textmeasurer.h"

class QWidget;

// Measures texts in a widget's current font.
class WidgetTextMeasurer : public TextMeasurer {
public:
    explicit WidgetTextMeasurer(const QWidget* widget) : m_widget(widget) {}
    int textWidth(const QString& text) const override;

private:
    const QWidget* m_widget;
};
