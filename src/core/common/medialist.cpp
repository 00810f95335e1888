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

PlayItem MediaList::itemAgain(const PlayItem& item) const {
    const PlayItem now = itemAt(item.line);
    if (now.kind != item.kind || now.path != item.path || now.cdid != item.cdid || now.track != item.track) {
        return {};
    }
    return now;
}
