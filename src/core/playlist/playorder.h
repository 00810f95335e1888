#pragma once

#include <QString>

#include <functional>

class ItemSet;
class PlayList;
struct Preferences;

// Which Play List item plays next: in order or at random, looping the list, only the selected lines
// while more than one is selected; and the played status (the red check marks) random order rests on.
class PlayOrder {
public:
    enum class Choice {
        Chosen,         // CurrentItem names the item to play
        SequentialEnd,  // the end of the list: playback stops, the played status stays
        RandomEnd,      // every eligible item was played: the device closes and the status resets
        Dropped,        // a Previous at random with nothing played before: the current item plays on
    };

    PlayOrder(PlayList& playList, ItemSet& played, ItemSet& unplayed, const Preferences& preferences)
        : m_playList(playList), m_played(played), m_unplayed(unplayed), m_preferences(preferences) {}

    // Draws a number in [0, bound); the default uses a generator seeded from the clock.
    void setRandom(std::function<qsizetype(qsizetype bound)> random) { m_random = std::move(random); }
    qsizetype draw(qsizetype bound) const;

    void MarkPlayed(const QString& ref, bool redraw);
    void MarkUnplayed(const QString& ref, bool redraw);
    void ResetPlayed();
    bool isPlayed(const QString& ref) const;
    // Called whenever the played status changes, for totals that depend on it.
    void setPlayedStatusChanged(std::function<void()> changed) { m_statusChanged = std::move(changed); }

    Choice nextInOrder();
    // The line nextInOrder() would choose, without choosing it; -1 at the end of the list.
    qsizetype lineAfterCurrent() const;
    Choice previousInOrder();
    Choice nextAtRandom();
    Choice previousAtRandom();

    bool selectionMode() const;
    // The number shown before the title while the Play List plays.
    int playNumber() const;

    // Played entries whose first line in the Play List is selected.
    qsizetype playedSelectedCount() const;

    // Item loop marks: menu check marks, never both on, not stored.
    bool loopOnce() const { return m_loopOnce; }
    bool loopForever() const { return m_loopForever; }
    void toggleLoopOnce();
    void toggleLoopForever();
    void clearLoopOnce() { m_loopOnce = false; }

private:
    void noteStatusChanged() const;
    void repaintFirstLine(const QString& ref, bool redraw);

    PlayList& m_playList;
    ItemSet& m_played;
    ItemSet& m_unplayed;
    const Preferences& m_preferences;
    std::function<qsizetype(qsizetype)> m_random;
    std::function<void()> m_statusChanged;
    bool m_loopOnce = false;
    bool m_loopForever = false;
};
