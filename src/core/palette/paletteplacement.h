#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Where the Floating Palette stands: its default corner, the nine places of its Position menu and the
// place a start restores. All in screen coordinates of the screen it is on.
namespace PalettePlacement {

enum class Place {
    Default,
    UpperLeftCorner,
    UpperRightCorner,
    LowerLeftCorner,
    LowerRightCorner,
    LeftSide,
    RightSide,
    Top,
    Bottom,
};

// Near the right edge, at the top, clear of the usual spot of a window's own buttons.
QPoint defaultPlace(const QRect& screen, const QSize& palette);
// The place a menu item moves the palette to; the sides and edges keep the other coordinate.
QPoint place(Place where, const QRect& screen, const QSize& palette, const QPoint& current);
// The stored place when it shows at least a grip of the palette on one of the screens; else (a monitor
// that was unplugged, a value edited by hand, none stored) the default corner of the primary screen, so
// the palette can always be reached.
QPoint restoredPlace(std::optional<int> top, std::optional<int> left, const QList<QRect>& screens,
                     const QRect& primary, const QSize& palette);

}  // namespace PalettePlacement
