#include "core/playlist/playorder.h"

#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"
#include "core/settings/preferences.h"

#include <QRandomGenerator>

#include <vector>

qsizetype PlayOrder::draw(qsizetype bound) const {
    if (m_random) {
        return m_random(bound);
    }
    return static_cast<qsizetype>(QRandomGenerator::global()->bounded(static_cast<quint64>(bound)));
}

void PlayOrder::noteStatusChanged() const {
    if (m_statusChanged) {
        m_statusChanged();
    }
}

void PlayOrder::repaintFirstLine(const QString& ref, bool redraw) {
    const qsizetype line = m_playList.indexOfItem(ref);
    if (redraw && line >= 0) {
        m_playList.refreshLines(line, line);
    }
}

void PlayOrder::MarkPlayed(const QString& ref, bool redraw) {
    noteStatusChanged();
    if (!m_played.add(ref)) {
        return;
    }
    repaintFirstLine(ref, redraw);
    m_unplayed.remove(ref);
}

void PlayOrder::MarkUnplayed(const QString& ref, bool redraw) {
    noteStatusChanged();
    m_played.remove(ref);
    m_unplayed.add(ref);
    repaintFirstLine(ref, redraw);
}

void PlayOrder::ResetPlayed() {
    const bool hadPlayed = !m_played.isEmpty();
    m_played.clear();
    m_unplayed.clear();
    QStringList refs;
    refs.reserve(m_playList.count());
    for (const PlayListEntry& entry : m_playList.entries()) {
        refs.append(entry.ref);
    }
    m_unplayed.addAll(refs);
    if (hadPlayed) {
        m_playList.refreshLines(0, m_playList.lineCount() - 1);
    }
    noteStatusChanged();
}

bool PlayOrder::isPlayed(const QString& ref) const {
    return m_played.contains(ref);
}

bool PlayOrder::selectionMode() const {
    return m_playList.selectedCount() > 1;
}

qsizetype PlayOrder::playedSelectedCount() const {
    qsizetype count = 0;
    for (const QString& ref : m_played.items()) {
        const qsizetype line = m_playList.indexOfItem(ref);
        if (line >= 0 && line < m_playList.lineCount() && m_playList.isSelected(line)) {
            ++count;
        }
    }
    return count;
}

qsizetype PlayOrder::lineAfterCurrent() const {
    const qsizetype lines = m_playList.lineCount();
    const qsizetype current = m_playList.CurrentItem();
    if (lines == 0) {
        return -1;
    }
    if (!selectionMode()) {
        if (current >= lines - 1) {
            return m_preferences.loopPlayList ? 0 : -1;
        }
        return current + 1;
    }
    // The selected lines repeat until stopped, looping or not.
    qsizetype line = current;
    do {
        line = line + 1 >= lines ? 0 : line + 1;
    } while (!m_playList.isSelected(line));
    return line;
}

PlayOrder::Choice PlayOrder::nextInOrder() {
    const qsizetype line = lineAfterCurrent();
    if (line < 0) {
        return Choice::SequentialEnd;
    }
    m_playList.setCurrentItem(static_cast<int>(line));
    return Choice::Chosen;
}

PlayOrder::Choice PlayOrder::previousInOrder() {
    const qsizetype lines = m_playList.lineCount();
    const qsizetype current = m_playList.CurrentItem();
    if (!selectionMode()) {
        if (current <= 0) {
            m_playList.setCurrentItem(m_preferences.loopPlayList ? static_cast<int>(lines - 1) : 0);
        } else {
            m_playList.setCurrentItem(static_cast<int>(current - 1));
        }
        return Choice::Chosen;
    }
    qsizetype line = current;
    do {
        line = line <= 0 ? lines - 1 : line - 1;
    } while (!m_playList.isSelected(line));
    m_playList.setCurrentItem(static_cast<int>(line));
    return Choice::Chosen;
}

PlayOrder::Choice PlayOrder::nextAtRandom() {
    const qsizetype lines = m_playList.lineCount();
    if (lines == 1) {
        if (!m_preferences.loopPlayList) {
            return Choice::RandomEnd;
        }
        m_playList.setCurrentItem(0);
        return Choice::Chosen;
    }
    if (!selectionMode()) {
        if (m_unplayed.isEmpty()) {
            if (!m_preferences.loopPlayList) {
                return Choice::RandomEnd;
            }
            ResetPlayed();
        }
        // References that left the Play List are dropped from the pool as they are met; a pool that runs
        // dry is the end of the pass.
        while (!m_unplayed.isEmpty()) {
            const QString ref = m_unplayed.at(draw(m_unplayed.size()));
            const qsizetype line = m_playList.indexOfItem(ref);
            if (line >= 0) {
                m_playList.setCurrentItem(static_cast<int>(line));
                return Choice::Chosen;
            }
            m_unplayed.remove(ref);
        }
        return Choice::RandomEnd;
    }
    // Selection mode: a uniformly drawn selected line whose item has not been played.
    auto eligibleLines = [this, lines] {
        std::vector<qsizetype> eligible;
        for (qsizetype line = 0; line < lines; ++line) {
            if (m_playList.isSelected(line) && !m_played.contains(m_playList.item(line))) {
                eligible.push_back(line);
            }
        }
        return eligible;
    };
    std::vector<qsizetype> eligible = eligibleLines();
    if (eligible.empty()) {
        if (!m_preferences.loopPlayList) {
            return Choice::RandomEnd;
        }
        ResetPlayed();
        eligible = eligibleLines();
    }
    m_playList.setCurrentItem(static_cast<int>(eligible[static_cast<size_t>(draw(static_cast<qsizetype>(eligible.size())))]));
    return Choice::Chosen;
}

PlayOrder::Choice PlayOrder::previousAtRandom() {
    const qsizetype count = m_played.size();
    const qsizetype line = count >= 2 ? m_playList.indexOfItem(m_played.at(count - 2)) : -1;
    if (line < 0) {
        m_playList.setCurrentItem(0);
        return Choice::Dropped;
    }
    m_playList.setCurrentItem(static_cast<int>(line));
    // Both go: the one played before comes back when it starts again.
    m_played.remove(m_played.at(count - 1));
    m_played.remove(m_played.at(count - 2));
    return Choice::Chosen;
}

int PlayOrder::playNumber() const {
    const int current = m_playList.CurrentItem();
    if (!m_preferences.randomPlay) {
        return current + 1;
    }
    if (selectionMode() && current >= 0 && current < m_playList.lineCount() && m_playList.isSelected(current)) {
        return static_cast<int>(playedSelectedCount());
    }
    return static_cast<int>(m_played.size());
}

void PlayOrder::toggleLoopOnce() {
    m_loopOnce = !m_loopOnce;
    if (m_loopOnce) {
        m_loopForever = false;
    }
}

void PlayOrder::toggleLoopForever() {
    m_loopForever = !m_loopForever;
    if (m_loopForever) {
        m_loopOnce = false;
    }
}
