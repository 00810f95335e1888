#pragma once

#include <QString>
#include <QStringList>

// The rename-track box's working names: a copy of the disc's track names that the box edits one track
// at a time, and hands back only on OK. Every step that changes the track shown first keeps what was
// typed for the track that was shown.
class RenameCDTracksModel {
public:
    static constexpr int kCollapsedHeight = 128;
    static constexpr int kExpandedHeight = 337;

    // track is 1-based; a number outside the disc (no line of the list selected) shows the nearest
    // track, so typing is never stored for a track that does not exist.
    RenameCDTracksModel(QStringList names, int track, bool expanded);

    const QStringList& names() const { return m_names; }
    // The track whose name is in the edit field: 1-based, 0 only when the disc has no tracks.
    int track() const { return m_track; }
    // The working name of the track shown: what the edit field shows after every step and after Escape.
    QString currentName() const;

    // F2 or the spin button's down arrow: the track before, if any.
    void down(const QString& editText);
    // F3 or the spin button's up arrow: the track after, if any.
    void up(const QString& editText);
    // A click on line (0-based) of the list of names.
    void choose(int line, const QString& editText);
    // OK: the working names with editText as the shown track's name.
    QStringList accept(const QString& editText);

    bool expanded() const { return m_expanded; }
    void toggleExpanded() { m_expanded = !m_expanded; }
    int clientHeight() const { return m_expanded ? kExpandedHeight : kCollapsedHeight; }
    QString expandCaption() const;

private:
    void keep(const QString& editText);
    void show(int track);

    QStringList m_names;
    int m_track = 0;
    bool m_expanded = false;
};
