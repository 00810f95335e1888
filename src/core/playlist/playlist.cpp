#include "core/playlist/playlist.h"

#include "core/common/busyindicator.h"
#include "core/common/textmeasurer.h"
#include "core/playlist/itemref.h"
#include "core/playlist/itemset.h"

#include <algorithm>

namespace {
// Room for the glyph and the margins around a line's text.
constexpr int kGlyphAndMargins = 16 + 8;
}  // namespace

PlayList::PlayList(QObject* parent) : QObject(parent) {}

void PlayList::setEntries(std::vector<PlayListEntry> entries) {
    m_entries = std::move(entries);
    itemsChanged();
}

void PlayList::clearEntries() {
    m_entries.clear();
    itemsChanged();
}

qsizetype PlayList::indexOfItem(const QString& ref) const {
    if (m_firstLines.isEmpty() && !m_entries.empty()) {
        m_firstLines.reserve(static_cast<qsizetype>(m_entries.size()));
        for (size_t i = m_entries.size(); i-- > 0;) {
            m_firstLines.insert(ItemIdentity(m_entries[i].ref), static_cast<qsizetype>(i));
        }
    }
    return m_firstLines.value(ItemIdentity(ref), -1);
}

QString PlayList::displayLine(qsizetype index) const {
    return ItemDisplayName(item(index), m_options, m_cdDatabase);
}

ItemGlyph PlayList::lineGlyph(qsizetype i) const {
    if (i >= count()) {
        return ItemGlyph::None;
    }
    // A played item marks only its first line.
    const QString& ref = item(i);
    const bool played = m_played && m_played->contains(ref) && indexOfItem(ref) == i;
    return ItemGlyphFor(ref, played, m_options.showIcons);
}

void PlayList::refreshLines(qsizetype first, qsizetype last) {
    if (lineCount() > 0) {
        Q_EMIT linesChanged(std::max<qsizetype>(0, first), std::min(last, lineCount() - 1));
    }
}

void PlayList::AddItemLine(qsizetype index, qsizetype position) {
    const qsizetype at = position < 0 || position > m_lines.size() ? m_lines.size() : position;
    Q_EMIT linesAboutToBeInserted(at, at);
    const QString text = displayLine(index);
    m_lines.insert(at, text);
    m_selected.insert(m_selected.begin() + at, 0);
    if (m_focusedLine >= at) {
        ++m_focusedLine;
    }
    Q_EMIT linesInserted(at, at);
    const int width = lineWidth(text);
    if (width > m_horizontalExtent) {
        m_horizontalExtent = width;
        Q_EMIT horizontalExtentChanged(width);
    }
}

void PlayList::clearLines() {
    Q_EMIT linesAboutToBeReset();
    m_lines.clear();
    m_selected.clear();
    m_selectedCount = 0;
    m_focusedLine = -1;
    Q_EMIT linesReset();
    Q_EMIT selectionChanged();
    updateHorizontalExtent();
}

void PlayList::RedrawPlayList(bool keepSelection) {
    if (isEmpty()) {
        clearLines();
        return;
    }
    std::vector<char> kept;
    if (keepSelection) {
        kept = m_selected;
    }
    const bool longList = count() > kLongListLines;
    BusyScope busy(longList ? m_busy : nullptr,
                   QStringLiteral(" Please wait while Velmaro redraws the Play List..."));

    Q_EMIT linesAboutToBeReset();
    QStringList lines;
    lines.reserve(count());
    for (qsizetype i = 0; i < count(); ++i) {
        lines.append(displayLine(i));
    }
    m_lines = std::move(lines);
    m_selected.assign(static_cast<size_t>(m_lines.size()), 0);
    const size_t restored = std::min(kept.size(), m_selected.size());
    std::copy_n(kept.begin(), restored, m_selected.begin());
    m_selectedCount = std::count(m_selected.begin(), m_selected.end(), 1);
    if (m_focusedLine >= m_lines.size()) {
        m_focusedLine = m_lines.size() - 1;
    }
    Q_EMIT linesReset();
    Q_EMIT selectionChanged();
    updateHorizontalExtent();
    const qsizetype centre = m_playListPlaying ? m_currentItem : m_focusedLine;
    if (centre >= 0) {
        Q_EMIT centreLineRequested(centre);
    }
}

void PlayList::setSelected(qsizetype line, bool selected) {
    char& flag = m_selected[static_cast<size_t>(line)];
    if ((flag != 0) == selected) {
        return;
    }
    flag = selected ? 1 : 0;
    m_selectedCount += selected ? 1 : -1;
    Q_EMIT selectionChanged();
}

void PlayList::setSelectedRange(qsizetype first, qsizetype last, bool selected) {
    bool changed = false;
    for (qsizetype line = std::max<qsizetype>(0, first); line <= last && line < lineCount(); ++line) {
        char& flag = m_selected[static_cast<size_t>(line)];
        if ((flag != 0) != selected) {
            flag = selected ? 1 : 0;
            m_selectedCount += selected ? 1 : -1;
            changed = true;
        }
    }
    if (changed) {
        Q_EMIT selectionChanged();
    }
}

void PlayList::selectOnly(qsizetype line) {
    std::fill(m_selected.begin(), m_selected.end(), 0);
    m_selectedCount = 0;
    if (line >= 0 && line < m_lines.size()) {
        m_selected[static_cast<size_t>(line)] = 1;
        m_selectedCount = 1;
    }
    Q_EMIT selectionChanged();
}

void PlayList::clearSelection() {
    selectOnly(-1);
}

void PlayList::setFocusedLine(qsizetype line) {
    if (line == m_focusedLine) {
        return;
    }
    m_focusedLine = line;
    Q_EMIT focusedLineChanged(line);
}

void PlayList::centreLine(qsizetype line) {
    Q_EMIT centreLineRequested(line);
}

int PlayList::lineWidth(const QString& text) const {
    return m_measurer ? m_measurer->textWidth(text) + kGlyphAndMargins : 0;
}

void PlayList::updateHorizontalExtent() {
    int widest = 0;
    if (m_measurer) {
        for (const QString& text : std::as_const(m_lines)) {
            widest = std::max(widest, lineWidth(text));
        }
    }
    if (widest != m_horizontalExtent) {
        m_horizontalExtent = widest;
        Q_EMIT horizontalExtentChanged(widest);
    }
}

qsizetype CentredTopLine(qsizetype line, qsizetype wholeVisibleLines) {
    return std::max<qsizetype>(0, line - wholeVisibleLines / 2);
}
