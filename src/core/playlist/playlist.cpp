#include "core/playlist/playlist.h"

#include "core/common/busyindicator.h"
#include "core/common/textmeasurer.h"
#include "core/common/itemref.h"
#include "core/playlist/itemset.h"
#include "core/playlist/tagtitles.h"

#include <algorithm>

namespace {
// Room for the glyph and the margins around a line's text.
constexpr int kGlyphAndMargins = 16 + 8;
}  // namespace

PlayList::PlayList(QObject* parent) : SourceLines(parent) {}

void PlayList::setEntries(std::vector<PlayListEntry> entries) {
    m_entries = std::move(entries);
    itemsChanged();
}

void PlayList::clearEntries() {
    m_entries.clear();
    itemsChanged();
}

void PlayList::insertEntries(qsizetype index, const std::vector<PlayListEntry>& entries) {
    if (entries.empty()) {
        return;
    }
    const qsizetype at = std::clamp<qsizetype>(index, 0, count());
    const auto added = static_cast<qsizetype>(entries.size());
    Q_EMIT linesAboutToBeInserted(at, at + added - 1);
    m_entries.insert(m_entries.begin() + at, entries.begin(), entries.end());
    itemsChanged();
    QStringList lines;
    lines.reserve(added);
    for (qsizetype i = 0; i < added; ++i) {
        lines.append(displayLine(at + i));
    }
    m_lines.insert(at, added, QString());
    std::copy(lines.begin(), lines.end(), m_lines.begin() + at);
    m_selection.flags.insert(m_selection.flags.begin() + at, static_cast<size_t>(added), 0);
    if (m_focusedLine >= at) {
        m_focusedLine += added;
    }
    Q_EMIT linesInserted(at, at + added - 1);
    updateHorizontalExtent();
}

qsizetype PlayList::removeFlagged(const std::vector<char>& flagged) {
    // Runs of removed lines, last first, so that each run's line numbers still hold when it goes.
    std::vector<std::pair<qsizetype, qsizetype>> runs;
    for (qsizetype i = std::min<qsizetype>(static_cast<qsizetype>(flagged.size()), count()) - 1; i >= 0; --i) {
        if (!flagged[static_cast<size_t>(i)]) {
            continue;
        }
        qsizetype first = i;
        while (first > 0 && flagged[static_cast<size_t>(first - 1)]) {
            --first;
        }
        runs.emplace_back(first, i);
        i = first;
    }
    // A few runs are reported as removed rows, so views keep the rest as it is; many make one reset.
    const bool fewRuns = runs.size() <= kRemovedRunsReported && lineCount() == count();
    if (!fewRuns) {
        Q_EMIT linesAboutToBeReset();
    }
    qsizetype removed = 0;
    for (const auto& [first, last] : runs) {
        if (fewRuns) {
            Q_EMIT linesAboutToBeRemoved(first, last);
        }
        const auto begin = static_cast<size_t>(first);
        const auto end = static_cast<size_t>(last + 1);
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(begin), m_entries.begin() + static_cast<std::ptrdiff_t>(end));
        if (end <= m_selection.flags.size()) {
            m_lines.remove(first, last - first + 1);
            m_selection.flags.erase(m_selection.flags.begin() + static_cast<std::ptrdiff_t>(begin), m_selection.flags.begin() + static_cast<std::ptrdiff_t>(end));
        }
        if (m_focusedLine > last) {
            m_focusedLine -= last - first + 1;
        } else if (m_focusedLine >= first) {
            m_focusedLine = -1;
        }
        removed += last - first + 1;
        if (fewRuns) {
            Q_EMIT linesRemoved(first, last);
        }
    }
    m_selection.recount();
    itemsChanged();
    if (!fewRuns) {
        Q_EMIT linesReset();
    }
    Q_EMIT selectionChanged();
    updateHorizontalExtent();
    return removed;
}

void PlayList::permute(const std::vector<qsizetype>& order) {
    Q_EMIT linesAboutToBeReset();
    std::vector<PlayListEntry> entries;
    QStringList lines;
    std::vector<char> selected;
    entries.reserve(order.size());
    lines.reserve(static_cast<qsizetype>(order.size()));
    selected.reserve(order.size());
    qsizetype focused = -1;
    for (size_t i = 0; i < order.size(); ++i) {
        const auto from = static_cast<size_t>(order[i]);
        entries.push_back(std::move(m_entries[from]));
        lines.append(std::move(m_lines[static_cast<qsizetype>(from)]));
        selected.push_back(m_selection.flags[from]);
        if (order[i] == m_focusedLine) {
            focused = static_cast<qsizetype>(i);
        }
    }
    m_entries = std::move(entries);
    m_lines = std::move(lines);
    m_selection.flags = std::move(selected);
    m_focusedLine = focused;
    itemsChanged();
    Q_EMIT linesReset();
    Q_EMIT selectionChanged();
}

void PlayList::replaceItem(qsizetype index, const QString& ref) {
    m_entries[static_cast<size_t>(index)].ref = ref;
    itemsChanged();
    if (index < lineCount()) {
        m_lines[index] = displayLine(index);
        Q_EMIT linesChanged(index, index);
    }
}

void PlayList::indexFirstLines() const {
    if (!m_firstLines.isEmpty() || m_entries.empty()) {
        return;
    }
    m_firstLines.reserve(static_cast<qsizetype>(m_entries.size()));
    for (size_t i = m_entries.size(); i-- > 0;) {
        m_firstLines.insert(ItemIdentity(m_entries[i].ref), static_cast<qsizetype>(i));
    }
}

qsizetype PlayList::indexOfItem(const QString& ref) const {
    indexFirstLines();
    return m_firstLines.value(ItemIdentity(ref), -1);
}

qsizetype PlayList::scanForItem(const QString& ref) const {
    if (!m_firstLines.isEmpty()) {
        return indexOfItem(ref);
    }
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&ref](const PlayListEntry& entry) { return SameItem(entry.ref, ref); });
    return found == m_entries.end() ? -1 : static_cast<qsizetype>(found - m_entries.begin());
}

std::vector<char> PlayList::firstOccurrences() const {
    indexFirstLines();
    std::vector<char> firsts(m_entries.size(), 0);
    for (const qsizetype line : std::as_const(m_firstLines)) {
        firsts[static_cast<size_t>(line)] = 1;
    }
    return firsts;
}

QString PlayList::tagTitle(qsizetype index) const {
    if (!m_options.showTagTitles || !m_tagTitles || IsCDItem(item(index))) {
        return {};
    }
    return m_tagTitles->titleOf(GetItemValue(item(index), QStringLiteral("FILE")));
}

bool PlayList::showsTagTitle(qsizetype i) const {
    return i >= 0 && i < count() && !tagTitle(i).isEmpty();
}

QString PlayList::displayLine(qsizetype index) const {
    QString text = tagTitle(index);
    if (text.isEmpty()) {
        text = ItemDisplayName(item(index), m_options, m_cdDatabase);
    }
    if (text.size() > kMaxLineCharacters) {
        text.truncate(kMaxLineCharacters);
        text += QStringLiteral("...");
    }
    return text;
}

void PlayList::retitleFiles(const QSet<QString>& paths) {
    if (!m_options.showTagTitles || paths.isEmpty() || lineCount() != count()) {
        return;
    }
    if (m_fileLines.isEmpty()) {
        for (qsizetype i = 0; i < count(); ++i) {
            if (!IsCDItem(item(i))) {
                m_fileLines[GetItemValue(item(i), QStringLiteral("FILE"))].push_back(i);
            }
        }
    }
    qsizetype first = -1;
    qsizetype last = -1;
    int widest = m_horizontalExtent;
    for (const QString& path : paths) {
        const auto found = m_fileLines.constFind(path);
        if (found == m_fileLines.constEnd()) {
            continue;
        }
        for (const qsizetype i : *found) {
            m_lines[i] = displayLine(i);
            widest = std::max(widest, lineWidth(m_lines.at(i)));
            first = first < 0 ? i : std::min(first, i);
            last = std::max(last, i);
        }
    }
    if (first < 0) {
        return;
    }
    Q_EMIT linesChanged(first, last);
    // Only grown while titles arrive: measuring every line again for each batch would cost a long list
    // more than a scroll bar a little too wide.
    if (widest != m_horizontalExtent) {
        m_horizontalExtent = widest;
        Q_EMIT horizontalExtentChanged(widest);
    }
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
    m_selection.flags.insert(m_selection.flags.begin() + at, 0);
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
    m_selection.reset(0);
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
        kept = m_selection.flags;
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
    m_selection.flags.assign(static_cast<size_t>(m_lines.size()), 0);
    const size_t restored = std::min(kept.size(), m_selection.flags.size());
    std::copy_n(kept.begin(), restored, m_selection.flags.begin());
    m_selection.recount();
    if (m_focusedLine >= m_lines.size()) {
        m_focusedLine = m_lines.size() - 1;
    }
    Q_EMIT linesReset();
    Q_EMIT selectionChanged();
    updateHorizontalExtent();
    centreAfterRedraw();
}

PlayListSnapshot PlayList::snapshot() const {
    const bool linesMatch = lineCount() == count();
    return {m_entries, linesMatch ? m_lines : QStringList(), linesMatch ? m_horizontalExtent : 0, m_options};
}

void PlayList::restore(PlayListSnapshot snapshot) {
    const bool reusable = !snapshot.entries.empty() && snapshot.lines.size() == static_cast<qsizetype>(snapshot.entries.size()) &&
                          snapshot.options.showPath == m_options.showPath &&
                          snapshot.options.showExtension == m_options.showExtension &&
                          snapshot.options.showTagTitles == m_options.showTagTitles;
    setEntries(std::move(snapshot.entries));
    if (!reusable) {
        RedrawPlayList(false);
        return;
    }
    BusyScope busy(count() > kLongListLines ? m_busy : nullptr,
                   QStringLiteral(" Please wait while Velmaro redraws the Play List..."));
    Q_EMIT linesAboutToBeReset();
    m_lines = std::move(snapshot.lines);
    // CD tracks are named from the database, which may have changed since.
    bool renamed = false;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        // Titles from tags may have arrived since as well.
        if (IsCDItem(m_entries[static_cast<size_t>(i)].ref) || m_options.showTagTitles) {
            m_lines[i] = displayLine(i);
            renamed = true;
        }
    }
    m_selection.reset(m_lines.size());
    if (m_focusedLine >= m_lines.size()) {
        m_focusedLine = m_lines.size() - 1;
    }
    Q_EMIT linesReset();
    Q_EMIT selectionChanged();
    if (renamed) {
        updateHorizontalExtent();
    } else if (m_horizontalExtent != snapshot.horizontalExtent) {
        m_horizontalExtent = snapshot.horizontalExtent;
        Q_EMIT horizontalExtentChanged(m_horizontalExtent);
    }
    centreAfterRedraw();
}

void PlayList::reorder(const std::vector<qsizetype>& order, bool keepSelection) {
    if (lineCount() != count() || order.size() != m_entries.size()) {
        std::vector<PlayListEntry> entries;
        entries.reserve(order.size());
        for (qsizetype from : order) {
            entries.push_back(m_entries[static_cast<size_t>(from)]);
        }
        setEntries(std::move(entries));
        RedrawPlayList(keepSelection);
        return;
    }
    BusyScope busy(count() > kLongListLines ? m_busy : nullptr,
                   QStringLiteral(" Please wait while Velmaro redraws the Play List..."));
    Q_EMIT linesAboutToBeReset();
    std::vector<PlayListEntry> entries;
    QStringList lines;
    entries.reserve(order.size());
    lines.reserve(static_cast<qsizetype>(order.size()));
    for (qsizetype from : order) {
        entries.push_back(std::move(m_entries[static_cast<size_t>(from)]));
        lines.append(std::move(m_lines[from]));
    }
    m_entries = std::move(entries);
    m_lines = std::move(lines);
    itemsChanged();
    // As a redraw: the selection stays on its line numbers, or goes.
    if (!keepSelection) {
        m_selection.reset(static_cast<qsizetype>(m_selection.flags.size()));
    }
    Q_EMIT linesReset();
    Q_EMIT selectionChanged();
    centreAfterRedraw();
}

// A redraw shows the playing item while the Play List plays, else the focused line.
void PlayList::centreAfterRedraw() {
    const qsizetype centre = m_playListPlaying ? m_currentItem : m_focusedLine;
    if (centre >= 0) {
        centreLine(centre);
    }
}

QStringList PlayList::selectedItems() const {
    QStringList refs;
    for (const qsizetype line : selectedLines()) {
        refs.append(item(line));
    }
    return refs;
}

QStringList PlayList::allItems() const {
    QStringList refs;
    refs.reserve(count());
    for (const PlayListEntry& entry : m_entries) {
        refs.append(entry.ref);
    }
    return refs;
}

int PlayList::lineWidth(const QString& text) const {
    return m_measurer ? m_measurer->listLineWidth(text) + kGlyphAndMargins : 0;
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
