#pragma once

#include <QString>

#include <vector>

// The edge the toolbar is docked at, numbered as the settings file stores it.
enum class ToolbarEdge { Top = 1, Bottom = 2, Left = 3, Right = 4 };

inline bool isVertical(ToolbarEdge edge) {
    return edge == ToolbarEdge::Left || edge == ToolbarEdge::Right;
}

// Where the toolbar is and which buttons it shows. Buttons sit on a grid of 22 x 22 pixel cells that
// starts 3 pixels in from the bar's edges; a button's place is its top left corner on that grid.
struct ToolbarLayout {
    static constexpr int kButtonSize = 22;
    static constexpr int kGridOffset = 3;
    static constexpr int kDefaultThickness = 29;

    struct Button {
        QString name;
        int left = kGridOffset;
        int top = kGridOffset;
        bool operator==(const Button&) const = default;
    };

    ToolbarEdge edge = ToolbarEdge::Top;
    int thickness = kDefaultThickness;  // height when docked at the top or bottom, else width
    std::vector<Button> buttons;        // the shown buttons

    bool operator==(const ToolbarLayout&) const = default;
};

// The sixteen buttons in one row at the top, 29 pixels high.
ToolbarLayout DefaultToolbarLayout();

// The bar shows its buttons in one line. Each entry is a button with the empty room before it, in
// pixels along the bar: buttons on one row (or column) keep the gaps between them, and the rows follow
// each other in order.
struct ToolbarLineItem {
    QString name;
    int gapBefore = 0;
    bool operator==(const ToolbarLineItem&) const = default;
};
std::vector<ToolbarLineItem> ToolbarLine(const ToolbarLayout& layout);
// The layout that a bar at that edge showing this line has; the buttons in the order of the categories.
ToolbarLayout LayoutOfLine(ToolbarEdge edge, int thickness, const std::vector<ToolbarLineItem>& line);

// The buttons in the order of the categories, the order the stored layout numbers them in.
void SortByCategories(std::vector<ToolbarLayout::Button>& buttons);

// The question of Restore Default Toolbar.
QString RestoreDefaultToolbarQuestion();
