#include "core/shell/toolbarindicators.h"

#include <algorithm>

namespace {

constexpr int kBarGap = 8;  // between the last button and the position bar
constexpr int kScrollThickness = 16;
constexpr int kLabelGap = 4;         // between the position bar and the percent
constexpr int kRoomForPercent = 63;  // along a horizontal bar, after the position bar
constexpr int kRoomUnderBar = 28;    // along a vertical bar, under the position bar

// Where the first row (or column) of buttons ends along the bar; the grid offset when it holds none.
int firstLineEnd(const ToolbarLayout& layout) {
    const bool vertical = isVertical(layout.edge);
    int end = ToolbarLayout::kGridOffset;
    for (const ToolbarLayout::Button& button : layout.buttons) {
        const int across = vertical ? button.left : button.top;
        const int along = vertical ? button.top : button.left;
        if (across == ToolbarLayout::kGridOffset) {
            end = std::max(end, along + ToolbarLayout::kButtonSize);
        }
    }
    return end;
}

}  // namespace

ToolbarIndicatorPlaces PlaceToolbarIndicators(const ToolbarLayout& layout, int barLength, QSize labelSize,
                                              QSize percentButtonSize) {
    ToolbarIndicatorPlaces places;
    places.vertical = isVertical(layout.edge);
    const int lineEnd = firstLineEnd(layout);
    if (!places.vertical) {
        // A percent wider than the usual room widens it, so that it never runs past the bar's end.
        const int room =
            std::max(kRoomForPercent, kBarGap + kLabelGap + labelSize.width() - 4 +
                                          percentButtonSize.width() + ToolbarLayout::kGridOffset);
        const int width = std::max(0, barLength - lineEnd - room);
        places.scrollBar = QRect(lineEnd + kBarGap, 6, width, kScrollThickness);
        places.progressLabel = QPoint(places.scrollBar.left() + width + kLabelGap, 7);
        places.percentButton = QPoint(places.progressLabel.x() + labelSize.width() - 4,
                                      std::max(0, (layout.thickness - percentButtonSize.height()) / 2));
        return places;
    }
    const bool left = layout.edge == ToolbarEdge::Left;
    const int height = std::max(0, barLength - lineEnd - kRoomUnderBar);
    places.scrollBar = QRect(left ? 5 : 7, lineEnd + kBarGap, kScrollThickness, height);
    places.progressLabel = QPoint(left ? -6 : -3, places.scrollBar.top() + height + kLabelGap);
    places.percentButton = QPoint(places.scrollBar.center().x() - percentButtonSize.width() / 2,
                                  places.progressLabel.y() + labelSize.height());
    return places;
}

QString ToolbarPercentText(const QString& percent, bool vertical) {
    const QString unit = QStringLiteral(" %");
    return vertical && percent.endsWith(unit) ? percent.chopped(unit.size()) : percent;
}
