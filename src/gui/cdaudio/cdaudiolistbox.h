#pragma once

#include "gui/common/sourcelistbox.h"

class CDAudioList;

// The CD Audio List box: a multi-selection list view of the core CD Audio List, one line per track.
// Selection and the focused line live in core; this view mirrors them both ways. Its selected lines can
// be dragged onto the Play List. It scrolls a whole line at a time, so the track number and length
// columns beside it always show the same lines.
class CDAudioListBox : public SourceListBoxOf<CDAudioList> {
    Q_OBJECT

public:
    explicit CDAudioListBox(CDAudioList& tracks, QWidget* parent = nullptr);


    CDAudioList& tracks() const { return lines(); }
    // The first line the box shows (0 when empty) and the height of every line.
    qsizetype topLine() const;
    int lineHeight() const;

Q_SIGNALS:
    // Other lines came into view, or the lines changed: the columns beside the box follow.
    void viewChanged();

protected:
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;
};
