#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class SourceLines;

// What Next, Previous and Play would play, for their enabled state and hints.
struct TransportPreview {
    bool nextEnabled = false;
    QString nextItem;  // the text the hint names, or empty
    bool previousEnabled = false;
    QString previousItem;
    QString playItem;
};

// The item a line of a list stands for, ready for the device.
struct PlayItem {
    enum class Kind {
        None,   // nothing to play
        File,   // a media file
        Track,  // one track of a disc, which must be in the drive
        Disc,   // the disc in the drive, from a track on to its end
    };
    Kind kind = Kind::None;
    qsizetype line = -1;         // the line it stands for
    QString path;                // a File
    std::optional<qint32> cdid;  // a Track: the disc it is on (none when its reference names no number)
    int track = 0;               // a Track or Disc: 1 for the first
    QString title;               // what the window title shows while it plays

    bool isCD() const { return kind == Kind::Track || kind == Kind::Disc; }
};

// How playback goes on from a list: after its item ended by itself, or on Next and Previous.
enum class ListStep {
    Start,         // the list chose a line: its item starts
    Stay,          // nothing changes; what plays plays on
    Idle,          // nothing follows: the transport rests, the list stays the source
    End,           // the end of the list: playback stops, the played marks stay
    EndAndForget,  // the end of a random pass: the device closes and the played marks go
    OnDevice,      // the device plays on into the list's next line by itself (a disc)
};

// The measure the progress indicators' totals take while the list plays.
enum class ListTotals {
    None,      // the item alone
    PlayList,  // the Play List or its selection
    Disc,      // the whole disc
};

// A list of the main window as the transport and the commands see it: the Play List, the File List, the
// Folder List, the CD Audio List (and any list to come). It answers what plays from a line and what
// follows it, and what the commands that act on the list with the focus may do there. A list that
// cannot play (the Folder List) answers false to playsItems() and is never the playback source.
class MediaList {
public:
    virtual ~MediaList() = default;

    // The lines with their selection and focus; null for a list that has none of its own.
    virtual SourceLines* lines() = 0;
    const SourceLines* lines() const { return const_cast<MediaList*>(this)->lines(); }
    // On screen now.
    virtual bool isShown() const = 0;
    qsizetype lineCount() const;
    qsizetype selectedCount() const;

    // --- Playing

    virtual bool playsItems() const { return true; }
    // Whether Play would start something from this list now.
    virtual bool canPlay() const = 0;
    // The item a line stands for.
    virtual PlayItem itemAt(qsizetype line) const = 0;
    // Chooses the line that starts and marks it; user is a Play or a double-click (else an advance that
    // keeps the list's current line). Kind::None: nothing starts.
    virtual PlayItem itemToStart(bool user) = 0;
    // The device plays item; length in ms (0 when not known).
    virtual void itemStarted(const PlayItem& item, qint64 length) = 0;
    // An item chosen to start and kept waiting (behind a MIDI reset), as the list stands now: the same
    // item at the line that holds it now, or Kind::None when the list no longer has it there.
    virtual PlayItem itemAgain(const PlayItem& item) const;
    // The item could not be opened or played, for reason.
    virtual void itemFailed(const PlayItem& item, const QString& reason) {
        Q_UNUSED(item);
        Q_UNUSED(reason);
    }
    // Next (+1) or Previous (-1) was asked, while the list plays or has the focus.
    virtual ListStep step(int direction) = 0;
    // The item ended by itself.
    virtual ListStep afterItem() = 0;
    // The item afterItem() will start, when that is known before the playing item ends (no random draw
    // to come); Kind::None otherwise. It chooses nothing.
    virtual PlayItem itemToQueue() const { return {}; }
    // Stop, or the end of the list: the list rests.
    virtual void playingStopped() {}
    // Playback left the list without a Stop (another list started, the list was replaced).
    virtual void playingLeft() {}
    // The device moved on to this line by itself (a disc playing on into its next track).
    virtual void playingMovedTo(qsizetype line) { Q_UNUSED(line); }
    // The line that plays, or -1.
    virtual qsizetype playingLine() const = 0;
    // What Next, Previous and Play would play, from the playing line while the list plays, else from
    // the focused line.
    virtual TransportPreview preview(bool playing) const = 0;
    // Put before the title of what plays ("3. ").
    virtual QString titlePrefix() const { return {}; }
    // Whether a pause is kept between two items that follow each other by themselves.
    virtual bool pausesBetweenItems() const { return false; }
    virtual ListTotals totals() const { return ListTotals::None; }
    // Where a position of the list's totals falls: that line becomes the current one, to start at
    // offset into its item. False when no line holds it.
    virtual bool jumpToTotal(qint64 position, qint64& offset) {
        Q_UNUSED(position);
        Q_UNUSED(offset);
        return false;
    }
    // The list shows the disc in the drive: a disc that plays on its own plays from it.
    virtual bool followsDisc() const { return false; }
    // What a menu of the list's items (the Floating Palette's drop-downs) shows for a line.
    virtual QString menuText(qsizetype line) const {
        Q_UNUSED(line);
        return {};
    }
    // The line's item was played in the current pass.
    virtual bool linePlayed(qsizetype line) const {
        Q_UNUSED(line);
        return false;
    }

    // --- The commands that act on the list with the focus

    // Copy.
    virtual bool canCopy() const { return selectedCount() > 0; }
    virtual void copy() {}
    // Rename and Delete, with their captions and hints while this list has the focus.
    virtual bool canRename() const { return false; }
    virtual void rename() {}
    virtual bool canDelete() const { return false; }
    virtual void remove() {}
    // Select All, Unselect All, Invert Selection.
    virtual bool canSelectLines() const { return isShown() && lineCount() > 0; }
    virtual void selectAll();
    virtual void unselectAll();
    virtual void invertSelection();
    // The lines (in list order) become the selection and the first one the focused line, as a click
    // on them leaves it; the list reacts as to that click.
    void chooseLines(const std::vector<qsizetype>& chosen);
    // Select Playing Item.
    virtual bool canSelectPlayingLine() const { return false; }
    virtual void selectPlayingLine() {}
    // Edit Item.
    virtual void editItem() {}
    // Captions and hints Rename and Delete take while the list has the focus; empty: their own.
    struct CommandTexts {
        QString menuCaption;
        QString menuHint;
        QString buttonCaption;
        QString buttonHint;
    };
    virtual CommandTexts renameTexts() const { return {}; }
    virtual CommandTexts deleteTexts() const { return {}; }
    // The file Properties shows, or empty.
    virtual QString propertiesFile() const { return {}; }

    // --- Adding to the Play List (the right-hand list's lines)

    // The Add and Add All buttons, as the list's clicks left them.
    virtual bool canAdd() const { return false; }
    virtual bool canAddAll() const { return false; }
    // Their hints while the list is the one they take from; empty: their own.
    virtual QString addHint(bool all) const {
        Q_UNUSED(all);
        return {};
    }
    // The item references of the selected lines, or of all lines, in list order.
    virtual QStringList selectedItems() const { return {}; }
    virtual QStringList allItems() const { return {}; }

protected:
    // The selection changed by a command: the list's own reaction to a click follows.
    virtual void linesClicked() {}
};
