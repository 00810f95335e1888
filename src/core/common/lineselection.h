#pragma once

#include <QtGlobal>

#include <vector>

// Which lines of a list box are selected: one flag per line and how many are set. The lists keep it
// in step with their lines and announce the changes themselves.
struct LineSelection {
    std::vector<char> flags;
    qsizetype count = 0;

    bool isSelected(qsizetype line) const { return flags[static_cast<size_t>(line)] != 0; }
    // Each returns whether any flag changed; lines outside the list are left out.
    bool setRange(qsizetype first, qsizetype last, bool selected);
    void selectOnly(qsizetype line);
    void selectAll();
    void invert();
    // lines flags, none set.
    void reset(qsizetype lines);
    // The count again, after the flags were moved about.
    void recount();
    std::vector<qsizetype> selectedLines() const;
};
