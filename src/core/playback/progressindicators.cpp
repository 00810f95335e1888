#include "core/playback/progressindicators.h"

#include "core/common/activelists.h"
#include "core/common/medialist.h"
#include "core/common/timetext.h"
#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"
#include "core/settings/preferences.h"

#include <cmath>

ProgressIndicators::ProgressIndicators(PlayList& playList, const ItemSet& played, const ActiveLists& lists,
                                       Preferences& preferences, LengthCalculator& lengths)
    : m_playList(playList), m_played(played), m_lists(lists), m_preferences(preferences), m_lengths(lengths) {
    reset();
}

ListTotals ProgressIndicators::playingTotals() const {
    return m_lists.playing() ? m_lists.playing()->totals() : ListTotals::None;
}

int& ProgressIndicators::modeOf(Indicator indicator) const {
    return m_preferences.indicatorModes[static_cast<size_t>(indicator)];
}

bool ProgressIndicators::IsTotals(Indicator indicator) const {
    const int mode = modeOf(indicator);
    return (playingTotals() == ListTotals::Disc ? mode % 10 : mode / 10 % 10) == 1;
}

bool ProgressIndicators::showsTotals(Indicator indicator) const {
    const bool fromList = playingTotals() != ListTotals::None;
    return fromList && IsTotals(indicator);
}

void ProgressIndicators::setTotals(Indicator indicator, bool totals) {
    int& mode = modeOf(indicator);
    const bool cd = playingTotals() == ListTotals::Disc;
    const int tens = mode / 10 % 10;
    const int units = mode % 10;
    mode = cd ? tens * 10 + (totals ? 1 : 0) : (totals ? 1 : 0) * 10 + units;
    if (totals && playingTotals() == ListTotals::PlayList) {
        m_lengths.PlayListLength(LengthCalculator::Kind::WholePlayList);
    }
    if (indicator == Length) {
        ShowLength(-2);
    }
}

void ProgressIndicators::toggle(Indicator indicator) {
    setTotals(indicator, !IsTotals(indicator));
}

void ProgressIndicators::leavePlayListTotals() {
    for (int& mode : m_preferences.indicatorModes) {
        mode %= 10;
    }
}

bool ProgressIndicators::discTotals(Indicator indicator) const {
    return playingTotals() == ListTotals::Disc && showsTotals(indicator);
}

bool ProgressIndicators::playingSelection() const {
    const int current = m_playList.CurrentItem();
    return m_playList.selectedCount() > 1 && current >= 0 && current < m_playList.lineCount() &&
           m_playList.isSelected(current);
}

qint64 ProgressIndicators::elapsedInPlayList() {
    using Kind = LengthCalculator::Kind;
    const bool selection = playingSelection();
    if (!m_preferences.randomPlay) {
        return m_lengths.PlayListLength(selection ? Kind::SelectedBeforeCurrent : Kind::BeforeCurrent) + m_itemPosition;
    }
    return m_lengths.PlayListLength(selection ? Kind::SelectedPlayed : Kind::Played) - m_itemLength + m_itemPosition;
}

qint64 ProgressIndicators::remainingInPlayList() {
    using Kind = LengthCalculator::Kind;
    const bool selection = playingSelection();
    const qint64 total = m_lengths.PlayListLength(selection ? Kind::Selected : Kind::WholePlayList);
    if (!m_preferences.randomPlay) {
        return total - elapsedInPlayList();
    }
    const qint64 played = m_lengths.PlayListLength(selection ? Kind::SelectedPlayed : Kind::Played);
    return total - played + (m_itemLength - m_itemPosition);
}

void ProgressIndicators::ShowLength(qint64 value) {
    if (value > 0) {
        m_itemLength = value;
    }
    if (value == -1) {
        m_texts.length = NotAvailable();
        return;
    }
    qint64 length = m_itemLength;
    if (showsTotals(Length) && playingTotals() == ListTotals::PlayList) {
        length = m_lengths.PlayListLength(m_playList.selectedCount() > 1 ? LengthCalculator::Kind::Selected
                                                                        : LengthCalculator::Kind::WholePlayList);
    }
    if (discTotals(Length)) {
        length = m_discTotal;
    }
    const QString text = FormatTime(length);
    m_texts.length = text == QStringLiteral("00:00:00") || m_lists.playing() == nullptr
                         ? NotAvailable()
                         : text;
}

void ProgressIndicators::ShowPosition(qint64 value) {
    if (value == -1) {
        m_texts.position = NotAvailable();
        return;
    }
    if (m_dragging) {
        m_texts.position = FormatTime(value);
        return;
    }
    m_itemPosition = value;
    if (showsTotals(Position) && playingTotals() == ListTotals::PlayList) {
        m_listElapsed = elapsedInPlayList();
        m_texts.position = FormatTime(m_listElapsed);
        return;
    }
    m_texts.position = FormatTime(discTotals(Position) ? m_discBefore + m_itemPosition : m_itemPosition);
}

void ProgressIndicators::ShowRemaining(qint64 value) {
    if (value == -1) {
        m_texts.remaining = NotAvailable();
        return;
    }
    if (!m_dragging && showsTotals(Remaining) && playingTotals() == ListTotals::PlayList) {
        m_texts.remaining = FormatTime(remainingInPlayList());
        return;
    }
    if (!m_dragging && discTotals(Remaining)) {
        m_texts.remaining = FormatTime(std::max<qint64>(m_discTotal - m_discBefore - m_itemPosition, 0));
        return;
    }
    m_texts.remaining = FormatTime(value);
}

qint64 ProgressIndicators::IndicatorLength(Indicator indicator) {
    if (showsTotals(indicator) && playingTotals() == ListTotals::PlayList) {
        const int current = m_playList.CurrentItem();
        if (current < 0 || current >= m_playList.count()) {
            m_playList.setCurrentItem(0);
        }
        return playingSelection() ? m_lengths.cached(LengthCalculator::Kind::Selected)
                                  : m_lengths.cached(LengthCalculator::Kind::WholePlayList);
    }
    if (discTotals(indicator)) {
        return m_discTotal;
    }
    return m_itemLength;
}

bool ProgressIndicators::ShowPercent(qint64 value) {
    if (value == -1) {
        m_texts.percent = NotAvailable();
        m_barEnabled = false;
        return true;
    }
    const qint64 total = IndicatorLength(Percent);
    if (total <= 0) {
        m_texts.percent = NotAvailable();
        return false;
    }
    qint64 percent = value;
    if (value == -2) {
        if (m_midiResetting) {
            return true;
        }
        const qint64 position = showsTotals(Percent) && playingTotals() == ListTotals::PlayList
                                    ? elapsedInPlayList()
                                : discTotals(Percent) ? m_discBefore + m_itemPosition
                                                      : m_itemPosition;
        percent = std::llround(position * 100.0 / static_cast<double>(total));
    }
    if (percent < 0 || percent > 100) {
        return true;  // a refresh beyond the end changes nothing
    }
    m_texts.percent = QString::number(percent) + QStringLiteral(" %");
    m_barValue = static_cast<int>(percent);
    m_barEnabled = true;
    return true;
}

void ProgressIndicators::reset() {
    m_texts = {NotAvailable(), NotAvailable(), NotAvailable(), NotAvailable()};
    m_barValue = 0;
}

void ProgressIndicators::resetPositions() {
    m_texts.position = m_texts.percent = m_texts.remaining = NotAvailable();
    m_barValue = 0;
}

ProgressIndicators::ModeMenu ProgressIndicators::modeMenu(Indicator indicator) const {
    const bool cd = playingTotals() == ListTotals::Disc;
    const bool several = m_playList.selectedCount() > 1;
    const QString noun = cd ? QStringLiteral("&Track") : QStringLiteral("&Item");
    // Position and remaining speak of the selection only while the current line is one of it.
    const bool selectionCaption = several && (indicator == Length || indicator == Percent || playingSelection());
    const QString whole = cd                 ? QStringLiteral("&Compact Disc")
                          : selectionCaption ? QStringLiteral("&Selection")
                                             : QStringLiteral("&Play List");
    const QString hintWhole = (cd ? QStringLiteral("&Compact Disc")
                                  : several ? QStringLiteral("&Selection") : QStringLiteral("&Play List"))
                                  .remove(u'&');
    const QString nounLower = QString(noun).remove(u'&').toLower();
    ModeMenu menu;
    switch (indicator) {
        case Length:
            menu = {QStringLiteral("Show Length of ") + noun,
                    QStringLiteral("Show the length of only the current ") + nounLower,
                    QStringLiteral("Show Length of ") + whole, QStringLiteral("Show the length of the whole ") + hintWhole};
            break;
        case Remaining:
            menu = {QStringLiteral("Show Remaining Time In ") + noun,
                    QStringLiteral("Show the remaining time in only the current ") + nounLower,
                    QStringLiteral("Show Remaining Time In ") + whole,
                    QStringLiteral("Show the remaining time in the whole ") + hintWhole};
            break;
        case Position:
        case Percent:
            menu = {QStringLiteral("Show Position In ") + noun,
                    QStringLiteral("Show the position in only the current ") + nounLower,
                    QStringLiteral("Show Position In ") + whole,
                    QStringLiteral("Show the position in the whole ") + hintWhole};
            break;
    }
    menu.enabled = playingTotals() != ListTotals::None;
    menu.totals = IsTotals(indicator);
    return menu;
}
