#pragma once

#include "core/common/medialist.h"

#include <QString>

// Some synthesizers drift from their defaults after many MIDI files: before each MIDI item a short
// reset file of the user's choice plays first. This decides when, and keeps what the transport needs
// while the reset plays: the item it is for.
class MidiReset {
public:
    static QString title() { return QStringLiteral("Resetting MIDI..."); }
    // A file item whose extension, in any letter case, is ".mid" or ".rmi".
    static bool isMidiItem(const PlayItem& item);
    // The reset file that plays before item: resetFile when the item is a MIDI item and the file is
    // there; else empty (no reset).
    static QString fileBefore(const PlayItem& item, const QString& resetFile);

    // A reset for item of list begins.
    void begin(MediaList& list, const PlayItem& item) {
        m_list = &list;
        m_item = item;
    }
    // The reset ends (or is abandoned); nothing waits for it any more.
    void clear() { m_list = nullptr; }
    bool active() const { return m_list != nullptr; }
    MediaList* list() const { return m_list; }
    // The item the reset was for, as the list stands now; Kind::None when the list lost it (its line
    // was removed meanwhile).
    PlayItem itemNow() const { return m_list ? m_list->itemAgain(m_item) : PlayItem(); }

    // A reset file that cannot be played is said once, not before every MIDI item.
    bool firstFailureOf(const QString& resetFile);

private:
    MediaList* m_list = nullptr;
    PlayItem m_item;
    QString m_reportedFailure;
};
