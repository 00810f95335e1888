#pragma once

#include "core/playback/lengthcalculator.h"

#include <QString>

#include <array>
#include <functional>

class ItemSet;
class PlayList;
struct Preferences;
class ActiveLists;
enum class ListTotals;

// The item-mode or totals texts: "hh:mm:ss", "nn %" or "N / A".
struct IndicatorTexts {
    QString length;
    QString position;
    QString remaining;
    QString percent;
};

// The four progress indicators: length, position and remaining time in the status bar, percent beside
// the position bar. Each shows the current item, or (totals mode) the whole Play List, selection or disc.
class ProgressIndicators {
public:
    enum Indicator { Length = 0, Position = 1, Remaining = 2, Percent = 3 };

    struct ModeMenu {
        QString itemCaption;
        QString itemHint;
        QString totalsCaption;
        QString totalsHint;
        bool enabled = false;
        bool totals = false;
    };

    ProgressIndicators(PlayList& playList, const ItemSet& played, const ActiveLists& lists, Preferences& preferences,
                       LengthCalculator& lengths);

    // The mode digit that applies now: units while the CD Audio List plays, tens otherwise.
    bool IsTotals(Indicator indicator) const;
    // Totals are used only while the Play List or the CD Audio List plays.
    bool showsTotals(Indicator indicator) const;
    void toggle(Indicator indicator);
    void setTotals(Indicator indicator, bool totals);
    // An aborted calculation: every indicator leaves its Play List totals.
    void leavePlayListTotals();
    ModeMenu modeMenu(Indicator indicator) const;

    void ShowLength(qint64 value);
    void ShowPosition(qint64 value);
    void ShowRemaining(qint64 value);
    // Returns false when there is no length to divide by (IndicatorLength is 0).
    bool ShowPercent(qint64 value);
    qint64 IndicatorLength(Indicator indicator);

    void reset();
    void resetPositions();  // position, remaining, percent to "N / A", the bar to 0

    const IndicatorTexts& texts() const { return m_texts; }
    int barValue() const { return m_barValue; }
    bool barEnabled() const { return m_barEnabled; }
    void setBarEnabled(bool enabled) { m_barEnabled = enabled; }
    qint64 itemLength() const { return m_itemLength; }
    void setItemLength(qint64 length) { m_itemLength = length; }
    qint64 itemPosition() const { return m_itemPosition; }
    // The disc in the drive while the CD Audio List plays: its length and the length of the tracks before
    // the current one, for the totals.
    void setDisc(qint64 total, qint64 beforeCurrent) {
        m_discTotal = total;
        m_discBefore = beforeCurrent;
    }

    // While the bar is dragged, positions show the dragged value and the values are not moved.
    bool dragging() const { return m_dragging; }
    void setDragging(bool dragging) { m_dragging = dragging; }

    // Set while the MIDI reset file plays: percent refreshes leave the bar alone.
    void setMidiResetting(bool resetting) { m_midiResetting = resetting; }

    qint64 elapsedInPlayList();
    qint64 remainingInPlayList();
    // More than one line selected and the current line among them.
    bool playingSelection() const;
    bool discTotals(Indicator indicator) const;

private:
    int& modeOf(Indicator indicator) const;
    // What the totals of the list that plays measure.
    ListTotals playingTotals() const;

    PlayList& m_playList;
    const ItemSet& m_played;
    const ActiveLists& m_lists;
    Preferences& m_preferences;
    LengthCalculator& m_lengths;
    IndicatorTexts m_texts;
    qint64 m_itemLength = 0;    // CurrentTrackLength
    qint64 m_itemPosition = 0;  // ItemPosition
    qint64 m_listElapsed = 0;
    qint64 m_discTotal = 0;
    qint64 m_discBefore = 0;
    int m_barValue = 0;
    bool m_barEnabled = false;
    bool m_dragging = false;
    bool m_midiResetting = false;
};
