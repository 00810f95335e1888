#include "core/common/medialist.h"

#include "core/common/sourcelines.h"

qsizetype MediaList::lineCount() const {
    return lines() ? lines()->lineCount() : 0;
}

qsizetype MediaList::selectedCount() const {
    return lines() ? lines()->selectedCount() : 0;
}

void MediaList::selectAll() {
    if (lines()) {
        lines()->selectAll();
        linesClicked();
    }
}

void MediaList::unselectAll() {
    if (lines()) {
        lines()->clearSelection();
        linesClicked();
    }
}

void MediaList::invertSelection() {
    if (lines()) {
        lines()->invertSelection();
        linesClicked();
    }
}

void MediaList::chooseLines(const std::vector<qsizetype>& chosen) {
    SourceLines* own = lines();
    if (!own || chosen.empty()) {
        return;
    }
    own->clearSelection();
    for (const qsizetype line : chosen) {
        own->setSelected(line, true);
    }
    own->setFocusedLine(chosen.front());
    own->centreLine(chosen.front());
    linesClicked();
}

PlayItem MediaList::itemAgain(const PlayItem& item) const {
    const PlayItem now = itemAt(item.line);
    if (now.kind != item.kind || now.path != item.path || now.cdid != item.cdid || now.track != item.track) {
        return {};
    }
    return now;
}
