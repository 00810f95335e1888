#include "core/shell/toolbarlayout.h"

#include "core/shell/toolbartable.h"

#include <QHash>

#include <algorithm>

namespace {

// Each button's place in the categories, the order the stored layout numbers them in.
int catalogIndex(const QString& name) {
    static const QHash<QString, int> indexes = [] {
        QHash<QString, int> found;
        for (const ToolbarCategory& category : ToolbarCategories()) {
            for (const ToolbarButton& button : category.buttons) {
                found.insert(button.name, static_cast<int>(found.size()));
            }
        }
        return found;
    }();
    return indexes.value(name, static_cast<int>(indexes.size()));
}

}  // namespace

void SortByCategories(std::vector<ToolbarLayout::Button>& buttons) {
    std::stable_sort(buttons.begin(), buttons.end(), [](const auto& a, const auto& b) {
        return catalogIndex(a.name) < catalogIndex(b.name);
    });
}

ToolbarLayout DefaultToolbarLayout() {
    ToolbarLayout layout;
    for (const ToolbarCategory& category : ToolbarCategories()) {
        for (const ToolbarButton& button : category.buttons) {
            if (button.defaultLeft >= 0) {
                layout.buttons.push_back({button.name, button.defaultLeft, ToolbarLayout::kGridOffset});
            }
        }
    }
    return layout;
}

std::vector<ToolbarLineItem> ToolbarLine(const ToolbarLayout& layout) {
    const bool vertical = isVertical(layout.edge);
    const auto along = [vertical](const ToolbarLayout::Button& b) { return vertical ? b.top : b.left; };
    const auto across = [vertical](const ToolbarLayout::Button& b) { return vertical ? b.left : b.top; };
    std::vector<ToolbarLayout::Button> ordered = layout.buttons;
    std::stable_sort(ordered.begin(), ordered.end(), [&](const auto& a, const auto& b) {
        return std::pair(across(a), along(a)) < std::pair(across(b), along(b));
    });
    std::vector<ToolbarLineItem> line;
    for (size_t i = 0; i < ordered.size(); ++i) {
        int gap = 0;
        if (i == 0) {
            gap = along(ordered[i]) - ToolbarLayout::kGridOffset;
        } else if (across(ordered[i]) == across(ordered[i - 1])) {
            gap = along(ordered[i]) - along(ordered[i - 1]) - ToolbarLayout::kButtonSize;
        }
        line.push_back({ordered[i].name, std::max(0, gap)});
    }
    return line;
}

ToolbarLayout LayoutOfLine(ToolbarEdge edge, int thickness, const std::vector<ToolbarLineItem>& line) {
    ToolbarLayout layout;
    layout.edge = edge;
    layout.thickness = thickness;
    int along = ToolbarLayout::kGridOffset;
    for (const ToolbarLineItem& item : line) {
        along += item.gapBefore;
        layout.buttons.push_back(isVertical(edge)
                                     ? ToolbarLayout::Button{item.name, ToolbarLayout::kGridOffset, along}
                                     : ToolbarLayout::Button{item.name, along, ToolbarLayout::kGridOffset});
        along += ToolbarLayout::kButtonSize;
    }
    SortByCategories(layout.buttons);
    return layout;
}

QString RestoreDefaultToolbarQuestion() {
    return QStringLiteral("Are you sure you want to restore the default toolbar layout?");
}
