#pragma once

#include <optional>

// The strip between the Play List and the buttons: dragged with the left button it gives the Play
// List a new share of the width. The first move of a drag records where the strip was taken; each later
// move widens or narrows the Play List by the distance from that point (the strip follows the Play
// List's edge, so the point stays under the pointer).
class SplitterDrag {
public:
    // A move over the strip at x (in the strip's own coordinates). Returns the new share, in
    // ten-thousandths of workWidth, when the Play List changes.
    std::optional<int> move(int x, bool leftButton, int playListWidth, int workWidth);
    bool dragging() const { return m_anchor >= 0; }
    void release() { m_anchor = -1; }

private:
    int m_anchor = -1;
};
