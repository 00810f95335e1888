#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class BusyIndicator;
class CDAudioMode;
class ItemSet;
class LengthProbe;
class MediaDevice;
class PlayList;
class Prompter;
class TimerPort;

// Totals of the Play List in milliseconds, cached until an edit, a change of the played set or of the
// current item makes them stale. Lengths that are not known yet are measured (once) with the length
// probe, and kept beside their items so that they reach the file with the next save.
class LengthCalculator : public QObject {
    Q_OBJECT

public:
    enum class Kind { WholePlayList, Played, BeforeCurrent, CDBeforeCurrent, Selected, SelectedPlayed,
                      SelectedBeforeCurrent };

    struct Context {
        PlayList& playList;
        const ItemSet& played;
        MediaDevice& player;  // the main player: its length is taken when it holds the item
        LengthProbe& probe;
        Prompter& prompter;
        TimerPort& timer;  // the playback tick, held still while measuring
        BusyIndicator* busy = nullptr;
        CDAudioMode* cd = nullptr;  // measures CD tracks with the disc in the drive
    };

    // A length the device reports when it does not know one.
    static constexpr qint64 kUnknownFromDevice = 2147483647;
    static constexpr qsizetype kBusyFromEntries = 10;
    static bool isKnown(qint64 length) { return length > 0 && length != kUnknownFromDevice; }

    explicit LengthCalculator(Context context, QObject* parent = nullptr);

    qint64 PlayListLength(Kind kind);
    // The cached value as last computed, without computing.
    qint64 cached(Kind kind) const { return m_cache[static_cast<size_t>(kind)]; }

    // Staleness marks: what changed since a total was computed makes it stale.
    void markPlayListChanged() { ++m_generation[kList]; }
    void markPlayedChanged() { ++m_generation[kPlayed]; }
    void markCurrentChanged() { ++m_generation[kCurrent]; }
    void markCDTrackChanged() { ++m_generation[kCDTrack]; }
    // A click in the Play List while it plays makes the selected total stale.
    void clearSelectedTotal() { m_cache[static_cast<size_t>(Kind::Selected)] = 0; }

    // Escape during a long calculation.
    void requestAbort() { m_abort = true; }

Q_SIGNALS:
    // The calculation was aborted: the indicators leave their Play List totals.
    void aborted();
    // A line was selected alone because its item could not be opened.
    void failedLineSelected();

private:
    struct Entry {
        QString ref;
        qsizetype line;  // its line in the Play List, or -1
    };
    // What each total depends on.
    enum Mark { kList, kPlayed, kCurrent, kCDTrack, kSelection, kMarks };
    using Generations = std::array<quint64, kMarks>;

    bool valid(Kind kind) const;
    std::vector<Entry> gather(Kind kind) const;
    QStringList unknownFiles(const std::vector<Entry>& entries) const;
    qint64 measureEntry(const Entry& entry, bool measureUnknown);
    qint64 measureFile(const Entry& entry);
    qint64 measureCDTrack(const Entry& entry);

    Context m_c;
    std::array<qint64, 7> m_cache{};
    std::array<Generations, 7> m_computedAt{};  // the generations a cached total was computed at
    std::array<bool, 7> m_computed{};
    Generations m_generation{1, 1, 1, 1, 1};
    bool m_abort = false;
};
