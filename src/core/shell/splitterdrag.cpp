#include "core/shell/splitterdrag.h"

#include <cmath>

namespace {
constexpr int kNarrowestPlayList = 100;
}  // namespace

std::optional<int> SplitterDrag::move(int x, bool leftButton, int playListWidth, int workWidth) {
    if (!leftButton) {
        m_anchor = -1;
        return std::nullopt;
    }
    if (m_anchor < 0) {
        m_anchor = x;
        return std::nullopt;
    }
    if (workWidth <= 0 || (x <= m_anchor && playListWidth <= kNarrowestPlayList)) {
        return std::nullopt;
    }
    const int width = playListWidth + (x - m_anchor);
    return static_cast<int>(std::nearbyint(static_cast<double>(width) * 10000 / workWidth));
}
