#pragma once

#include <QProxyStyle>

// Draws a tool button's icon in grey until the pointer is over it, on top of the application's style.
// A flat button under the pointer, and a disabled one, keep their icon as the style draws it.
class GrayedButtonStyle : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
};
