#include "core/palette/paletteplacement.h"

#include <algorithm>

namespace PalettePlacement {

namespace {

// How much of the palette must show on a screen to be grabbed and dragged back.
constexpr int kGrip = 16;

}  // namespace

QPoint defaultPlace(const QRect& screen, const QSize& palette) {
    return {screen.left() + screen.width() - palette.width() - 60, screen.top()};
}

QPoint place(Place where, const QRect& screen, const QSize& palette, const QPoint& current) {
    const int left = screen.left();
    const int right = screen.left() + screen.width() - palette.width();
    const int top = screen.top();
    const int bottom = screen.top() + screen.height() - palette.height();
    switch (where) {
        case Place::Default:
            return defaultPlace(screen, palette);
        case Place::UpperLeftCorner:
            return {left, top};
        case Place::UpperRightCorner:
            return {right, top};
        case Place::LowerLeftCorner:
            return {left, bottom};
        case Place::LowerRightCorner:
            return {right, bottom};
        case Place::LeftSide:
            return {left, current.y()};
        case Place::RightSide:
            return {right, current.y()};
        case Place::Top:
            return {current.x(), top};
        case Place::Bottom:
            return {current.x(), bottom};
    }
    return current;
}

QPoint restoredPlace(std::optional<int> top, std::optional<int> left, const QList<QRect>& screens,
                     const QRect& primary, const QSize& palette) {
    const QPoint fallback = defaultPlace(primary, palette);
    const QPoint stored(left.value_or(fallback.x()), top.value_or(fallback.y()));
    const QRect bounds(stored, palette);
    for (const QRect& screen : screens) {
        const QRect shown = screen.intersected(bounds);
        if (shown.width() >= std::min(kGrip, palette.width()) &&
            shown.height() >= std::min(kGrip, palette.height())) {
            return stored;
        }
    }
    return fallback;
}

}  // namespace PalettePlacement
