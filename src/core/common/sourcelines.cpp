#include "core/common/sourcelines.h"

void SourceLines::setSelected(qsizetype line, bool selected) {
    setSelectedRange(line, line, selected);
}

void SourceLines::setSelectedRange(qsizetype first, qsizetype last, bool selected) {
    if (m_selection.setRange(first, last, selected)) {
        Q_EMIT selectionChanged();
    }
}

void SourceLines::selectOnly(qsizetype line) {
    m_selection.selectOnly(line);
    Q_EMIT selectionChanged();
}

void SourceLines::clearSelection() {
    selectOnly(-1);
}

void SourceLines::selectAll() {
    m_selection.selectAll();
    Q_EMIT selectionChanged();
}

void SourceLines::invertSelection() {
    m_selection.invert();
    Q_EMIT selectionChanged();
}

void SourceLines::setFocusedLine(qsizetype line) {
    if (line != m_focusedLine && line >= -1 && line < lineCount()) {
        m_focusedLine = line;
        Q_EMIT focusedLineChanged(line);
    }
}

void SourceLines::selectAlone(qsizetype line) {
    setFocusedLine(line);
    selectOnly(line);
    centreLine(line);
}

QString SourceLines::browseLabel() const {
    return QStringLiteral("&BL: %1 of %2, %3 selected").arg(m_focusedLine + 1).arg(lineCount()).arg(m_selection.count);
}

qsizetype SourceLines::singleLine() const {
    for (qsizetype line = 0; line < lineCount() && m_selection.count > 0; ++line) {
        if (isSelected(line)) {
            return line;
        }
    }
    return m_focusedLine;
}
