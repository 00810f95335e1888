#pragma once

#include <QObject>

class MediaList;

// Which list plays (the playback source) and which list the user acts on (the one that took the focus
// last), and the list the right-hand side shows. The only place that changes them; every change is
// announced. The Play List is always there; the right-hand list changes with the window's mode.
class ActiveLists : public QObject {
    Q_OBJECT

public:
    explicit ActiveLists(MediaList& playList, QObject* parent = nullptr);

    MediaList& playList() const { return m_playList; }

    // The list that plays, or null while nothing does. It stays the source while the transport rests
    // after its item (an item that ended with nothing to follow it).
    MediaList* playing() const { return m_playing; }
    void setPlaying(MediaList* list);
    bool isPlaying(const MediaList& list) const { return m_playing == &list; }
    bool playListPlays() const { return m_playing == &m_playList; }
    // Another list than the Play List is the source.
    bool otherListPlays() const { return m_playing != nullptr && m_playing != &m_playList; }

    // The list the commands act on; the Play List until another one takes the focus.
    MediaList& focused() const { return *m_focused; }
    void setFocused(MediaList& list);
    bool isFocused(const MediaList& list) const { return m_focused == &list; }
    bool playListFocused() const { return m_focused == &m_playList; }

    // The list on the right-hand side (the File List or the CD Audio List): Add and Add All take its
    // lines. Null before the window chose one.
    MediaList* rightHand() const { return m_rightHand; }
    void setRightHand(MediaList* list);

    // Where Play starts: the focused list when it is on screen and has lines, else the Play List when
    // it has lines, else the right-hand list when it is on screen with lines; null when none has any.
    MediaList* listToPlay() const;
    // The list Next, Previous and Play preview: the one that plays, else the focused one when it plays
    // items; null when there is none (the previews then stay as they were).
    MediaList* referenceList() const;

Q_SIGNALS:
    // The playing, focused or right-hand list changed.
    void changed();

private:
    MediaList& m_playList;
    MediaList* m_playing = nullptr;
    MediaList* m_focused;
    MediaList* m_rightHand = nullptr;
};
