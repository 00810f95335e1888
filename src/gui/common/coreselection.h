#pragma once

#include <QAbstractItemModel>
#include <QItemSelection>

// A list box mirrors the selection of its core list, whose lines are the box's rows. Lines is any core
// list with lineCount(), isSelected(line) and setSelectedRange(first, last, selected).

// The core list's selected lines as ranges of rows: a run of selected lines is one range, so selecting
// every line of a long list is one range, not one per line.
template <typename Lines>
QItemSelection CoreSelectionRanges(const Lines& lines, const QAbstractItemModel& model) {
    QItemSelection selection;
    const qsizetype count = lines.lineCount();
    for (qsizetype i = 0; i < count; ++i) {
        if (!lines.isSelected(i)) {
            continue;
        }
        qsizetype last = i;
        while (last + 1 < count && lines.isSelected(last + 1)) {
            ++last;
        }
        selection.select(model.index(static_cast<int>(i), 0), model.index(static_cast<int>(last), 0));
        i = last;
    }
    return selection;
}

// What the user changed in the box, told to the core list.
template <typename Lines>
void TakeViewSelection(Lines& lines, const QItemSelection& selected, const QItemSelection& deselected) {
    for (const QItemSelectionRange& range : deselected) {
        lines.setSelectedRange(range.top(), range.bottom(), false);
    }
    for (const QItemSelectionRange& range : selected) {
        lines.setSelectedRange(range.top(), range.bottom(), true);
    }
}
