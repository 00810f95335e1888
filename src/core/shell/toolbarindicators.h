#pragma once

#include "core/shell/toolbarlayout.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// Where the position bar, the percent label and its mode button go on the toolbar, in the bar's own
// pixels on its button grid.
struct ToolbarIndicatorPlaces {
    bool vertical = false;
    QRect scrollBar;
    QPoint progressLabel;
    QPoint percentButton;
};

// The position bar follows the last button of the first row (or column) and fills the bar's length
// up to room for the percent; an empty first row starts it from the grid offset. Lengths never go
// below zero, so a short bar never puts the position bar over buttons.
ToolbarIndicatorPlaces PlaceToolbarIndicators(const ToolbarLayout& layout, int barLength, QSize labelSize,
                                              QSize percentButtonSize);

// The percent as the toolbar shows it: the number alone on a vertical bar, where "42 %" is too wide.
QString ToolbarPercentText(const QString& percent, bool vertical);
