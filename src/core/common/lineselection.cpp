#include "core/common/lineselection.h"

#include <algorithm>

bool LineSelection::setRange(qsizetype first, qsizetype last, bool selected) {
    bool changed = false;
    const auto lines = static_cast<qsizetype>(flags.size());
    for (qsizetype line = std::max<qsizetype>(0, first); line <= last && line < lines; ++line) {
        char& flag = flags[static_cast<size_t>(line)];
        if ((flag != 0) != selected) {
            flag = selected ? 1 : 0;
            count += selected ? 1 : -1;
            changed = true;
        }
    }
    return changed;
}

void LineSelection::selectOnly(qsizetype line) {
    std::fill(flags.begin(), flags.end(), 0);
    count = 0;
    if (line >= 0 && line < static_cast<qsizetype>(flags.size())) {
        flags[static_cast<size_t>(line)] = 1;
        count = 1;
    }
}

void LineSelection::selectAll() {
    std::fill(flags.begin(), flags.end(), 1);
    count = static_cast<qsizetype>(flags.size());
}

void LineSelection::invert() {
    for (char& flag : flags) {
        flag = flag ? 0 : 1;
    }
    count = static_cast<qsizetype>(flags.size()) - count;
}

void LineSelection::reset(qsizetype lines) {
    flags.assign(static_cast<size_t>(lines), 0);
    count = 0;
}

void LineSelection::recount() {
    count = std::count(flags.begin(), flags.end(), 1);
}

std::vector<qsizetype> LineSelection::selectedLines() const {
    std::vector<qsizetype> lines;
    lines.reserve(static_cast<size_t>(count));
    for (size_t i = 0; i < flags.size(); ++i) {
        if (flags[i]) {
            lines.push_back(static_cast<qsizetype>(i));
        }
    }
    return lines;
}
