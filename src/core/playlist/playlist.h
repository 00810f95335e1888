#pragma once

#include "core/common/sourcelines.h"
#include "core/playlist/itemdisplay.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

class BusyIndicator;
class CDDatabase;
class ItemSet;
class TagTitles;
class TextMeasurer;

struct PlayListEntry {
    QString ref;
    qint64 length = 0;  // milliseconds; 0 or -1 when not known
};

// The items of a Play List as they were, with the lines that showed them: restoring it need not name
// and measure every line again. The lines are shared with the list until one of them changes.
struct PlayListSnapshot {
    std::vector<PlayListEntry> entries;
    QStringList lines;  // empty when they did not match the items
    int horizontalExtent = 0;
    ItemDisplayOptions options;
};

// The Play List in memory (PlayListItems, in play order, lengths beside the references) and the lines
// of the Play List box that show it, with their selection, the focused line (the base's, shared with
// the other lists) and CurrentItem. Views show lines(); every change is announced by the signals so a
// model/view list can follow it.
class PlayList : public SourceLines {
    Q_OBJECT

public:
    explicit PlayList(QObject* parent = nullptr);

    // PlayListItems
    qsizetype count() const { return static_cast<qsizetype>(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    const QString& item(qsizetype i) const { return m_entries[i].ref; }
    qint64 length(qsizetype i) const { return m_entries[i].length; }
    void setLength(qsizetype i, qint64 length) { m_entries[i].length = length; }
    const std::vector<PlayListEntry>& entries() const { return m_entries; }
    void setEntries(std::vector<PlayListEntry> entries);
    void clearEntries();
    // Edits that change items and lines together; selection and the focused line move with their lines.
    // Inserted lines start unselected.
    void insertEntries(qsizetype index, const std::vector<PlayListEntry>& entries);
    // Removes the items and lines whose flag is set; returns how many went. Up to this many runs of
    // lines are announced one by one; more make one reset.
    static constexpr size_t kRemovedRunsReported = 16;
    qsizetype removeFlagged(const std::vector<char>& flagged);
    // New line i is old line order[i].
    void permute(const std::vector<qsizetype>& order);
    void replaceItem(qsizetype index, const QString& ref);
    // Index of the first item that is the same item as ref (SameItem), or -1.
    qsizetype indexOfItem(const QString& ref) const;
    bool containsItem(const QString& ref) const { return indexOfItem(ref) >= 0; }
    // The same, by walking the list: cheaper than indexOfItem for a single lookup after the items changed.
    qsizetype scanForItem(const QString& ref) const;
    // Per item: 1 when it is the first line of its item.
    std::vector<char> firstOccurrences() const;

    int CurrentItem() const { return m_currentItem; }
    void setCurrentItem(int index) { m_currentItem = index; }

    // The box's lines
    qsizetype lineCount() const override { return m_lines.size(); }
    const QString& line(qsizetype i) const { return m_lines.at(i); }
    ItemGlyph lineGlyph(qsizetype i) const;
    void AddItemLine(qsizetype index, qsizetype position);
    void RedrawPlayList(bool keepSelection);
    PlayListSnapshot snapshot() const;
    // The snapshot's items, lines rebuilt without the selection, as setEntries and RedrawPlayList(false).
    void restore(PlayListSnapshot snapshot);
    // The items in a new order (new line i is old line order[i]), left as RedrawPlayList after the
    // same setEntries would leave them; each line's text goes with its item instead of being made and
    // measured again.
    void reorder(const std::vector<qsizetype>& order, bool keepSelection);
    void clearLines();
    int horizontalExtent() const { return m_horizontalExtent; }
    // The glyphs of these lines changed (played status, icons shown or not): views repaint them.
    void refreshLines(qsizetype first, qsizetype last);

    // The references of the selected lines, or of all lines, in list order.
    QStringList selectedItems() const;
    QStringList allItems() const;
    // While the Play List is the playback source a redraw centres CurrentItem, else the focused line.
    void setPlayListPlaying(bool playing) { m_playListPlaying = playing; }

    // What the lines are made from.
    void setDisplayOptions(const ItemDisplayOptions& options) { m_options = options; }
    const ItemDisplayOptions& displayOptions() const { return m_options; }
    void setCDDatabase(const CDDatabase* database) { m_cdDatabase = database; }
    void setPlayedItems(const ItemSet* played) { m_played = played; }
    void setTextMeasurer(const TextMeasurer* measurer) { m_measurer = measurer; }
    void setBusyIndicator(BusyIndicator* busy) { m_busy = busy; }
    void setTagTitles(const TagTitles* titles) { m_tagTitles = titles; }
    // The tags of these files were read: their lines show the titles now, if titles are shown.
    void retitleFiles(const QSet<QString>& paths);
    // The item is shown by the title from its tags rather than by its file name.
    bool showsTagTitle(qsizetype i) const;
    // Lists longer than this are redrawn with a "Please wait" line.
    static constexpr qsizetype kLongListLines = 100;
    // A line shows no more of its item's name than this, and "..." after it: no file name is that long,
    // and a damaged list's line of megabytes would cost the box seconds on every paint.
    static constexpr qsizetype kMaxLineCharacters = 1024;

Q_SIGNALS:
    void linesAboutToBeReset();
    void linesReset();
    void linesAboutToBeInserted(qsizetype first, qsizetype last);
    void linesInserted(qsizetype first, qsizetype last);
    void linesChanged(qsizetype first, qsizetype last);
    void linesAboutToBeRemoved(qsizetype first, qsizetype last);
    void linesRemoved(qsizetype first, qsizetype last);
    void horizontalExtentChanged(int pixels);

private:
    QString displayLine(qsizetype index) const;
    QString tagTitle(qsizetype index) const;
    void updateHorizontalExtent();
    void centreAfterRedraw();
    int lineWidth(const QString& text) const;

    void itemsChanged() {
        m_firstLines.clear();
        m_fileLines.clear();
    }
    void indexFirstLines() const;

    std::vector<PlayListEntry> m_entries;
    // Identity -> first index, built when first needed after a change of the items.
    mutable QHash<QString, qsizetype> m_firstLines;
    // File path -> its lines, built when titles from tags first arrive after a change of the items: a
    // batch of titles then costs its own size, not the list's.
    QHash<QString, std::vector<qsizetype>> m_fileLines;
    int m_currentItem = -1;
    bool m_playListPlaying = false;

    QStringList m_lines;
    int m_horizontalExtent = 0;

    ItemDisplayOptions m_options;
    const CDDatabase* m_cdDatabase = nullptr;
    const ItemSet* m_played = nullptr;
    const TextMeasurer* m_measurer = nullptr;
    BusyIndicator* m_busy = nullptr;
    const TagTitles* m_tagTitles = nullptr;
};

// The first line to show so that the given line stands in the middle of a box showing
// wholeVisibleLines lines.
qsizetype CentredTopLine(qsizetype line, qsizetype wholeVisibleLines);
