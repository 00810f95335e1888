#pragma once

#include "core/common/lineselection.h"

#include <QObject>
#include <QString>

// A list box's lines (the Play List, the File List, the CD Audio List): which lines are selected, the
// focused line, whether the box is on screen, and the requests its view follows.
class SourceLines : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual qsizetype lineCount() const = 0;

    bool isSelected(qsizetype line) const { return m_selection.isSelected(line); }
    qsizetype selectedCount() const { return m_selection.count; }
    void setSelected(qsizetype line, bool selected);
    void setSelectedRange(qsizetype first, qsizetype last, bool selected);
    void selectOnly(qsizetype line);
    void clearSelection();
    void selectAll();
    void invertSelection();
    std::vector<qsizetype> selectedLines() const { return m_selection.selectedLines(); }
    // The line a one-entry command acts on: the first selected one, or the focused one when none is.
    qsizetype singleLine() const;
    qsizetype focusedLine() const { return m_focusedLine; }
    // A line outside the list is refused.
    void setFocusedLine(qsizetype line);
    // Asks the view to scroll the line to the middle (or, with top, to the top) of the box.
    void centreLine(qsizetype line) { Q_EMIT scrollRequested(line, false); }
    void scrollToTop(qsizetype line) { Q_EMIT scrollRequested(line, true); }
    // The line becomes the focused and only selected one, in the middle of the box.
    void selectAlone(qsizetype line);

    // "&BL: 3 of 12, 1 selected"
    QString browseLabel() const;

    void setVisible(bool visible) { m_visible = visible; }
    bool isVisible() const { return m_visible; }

Q_SIGNALS:
    void aboutToReset();
    void reset();
    void selectionChanged();
    void focusedLineChanged(qsizetype line);
    void scrollRequested(qsizetype line, bool toTop);

protected:
    LineSelection m_selection;
    qsizetype m_focusedLine = -1;
    bool m_visible = true;
};
