#pragma once

#include "core/playlist/undohistory.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class ActiveLists;
class BusyIndicator;
class CDDatabase;
class Clipboard;
class ItemSet;
class PlayList;
class PlayListDocument;
class PlayOrder;
class Prompter;
struct Preferences;

// What a click in the Play List decides for the controls around it.
struct PlayListControls {
    bool removeAll = false;  // RemAllBtn
    bool remove = false;     // RemBtn (and the file commands that need a selection)
    bool move = false;       // the spin button
    bool play = false;
    QString path;            // FullPathEdit: the focused item's file, or its CD track
    bool pathReadOnly = true;
    bool browse = false;     // BrowseSB
    QString info;            // "&PL: 3 of 10, 2 selected"
    bool infoVisible = false;
};

// Every command that edits the Play List, with its undo snapshot, its messages and its effect on the
// changed state; CurrentItem keeps designating its item through all of them. Also the clipboard and
// the drops on the Play List.
class PlayListEditor : public QObject {
    Q_OBJECT

public:
    struct Context {
        PlayList& playList;
        ItemSet& unplayed;
        PlayOrder& order;
        PlayListDocument& document;
        ActiveLists& lists;
        Preferences& preferences;
        Prompter& prompter;
        Clipboard& clipboard;
        const CDDatabase& cdDatabase;
        BusyIndicator* busy = nullptr;
    };

    explicit PlayListEditor(Context context, QObject* parent = nullptr);

    // Whether a file exists, for Paste and Remove Non-Existent Items (tests replace it).
    void setFileExists(std::function<bool(const QString&)> exists) { m_exists = std::move(exists); }
    // The shuffle's generator: a number in [0, bound).
    void setRandom(std::function<qsizetype(qsizetype)> random) { m_random = std::move(random); }

    // Add and Add All: the right-hand list's selected lines, or all of them, go to the end.
    void AddSelectedItems(bool all);
    void RemoveSelectedItems();
    void RemoveAll();
    void MoveUp();
    void MoveDown();
    void SortAlphabetically();
    void SortRandomly();
    void RemoveDuplicateItems();
    void RemoveNonExistentItems();
    void SelectAll();
    void UnselectAll();
    void InvertSelection();
    void SelectPlayingItem();
    void EditItem();
    void ResetPlayedStatusAll();
    void TogglePlayedStatusSelected();
    // Enter in the path edit: false when the file does not exist (the edit shows the old path again).
    bool ReplaceFocusedItem(const QString& path);
    // BrowseSB: a file chosen in the dialog replaces the focused item. The dialog starts in the folder
    // of the focused item's file when that folder exists.
    void browseForItem();
    QString browseFolder() const;

    void Undo();
    void Redo();
    UndoHistory& undoHistory() { return m_undo; }
    const UndoHistory& undoHistory() const { return m_undo; }

    // The Play List's selected items, with their lengths, to the clipboard.
    void Copy();
    // Items of another list to the clipboard.
    void copyReferences(const QStringList& refs);
    void Cut();
    void Paste();
    // Files dropped from the desktop: media files are appended; a Play List among them is opened.
    void dropFiles(const QStringList& paths);
    // Lines of the Play List dragged onto line target (or below the last line).
    void moveDroppedLines(qsizetype target, bool belowLast);
    // Lines of the right-hand list dropped on line target (or below the last line).
    void insertDroppedItems(qsizetype target, bool belowLast);

    // Puts items into the Play List at index, and into the unplayed pool, as one change recorded for
    // Undo under undoCaption (none: the caller recorded it); CurrentItem stays on its item. Items a Play
    // List file cannot hold (a line break, or a file name with a quotation mark) stay out: their names
    // go to leftOut, or without it are told in one message. Returns how many went in.
    qsizetype insertItems(qsizetype index, std::vector<PlayListEntry> entries, const QString& undoCaption,
                          QStringList* leftOut = nullptr);
    // The message that names the files left out.
    static QString leftOutMessage(QStringList names);

    void updateControls();
    PlayListControls controls() const { return m_controls; }
    // The info label's text; position -1 for the focused line, else the insertion point of a drag.
    QString UpdatePlayListInfo(qsizetype position) const;

    // The command texts and messages of this part of the program.
    static QString noDuplicatesMessage() { return QStringLiteral("No duplicate items were found in the Play List."); }

Q_SIGNALS:
    // The controls around the box changed (updateControls ran).
    void clicked();
    // Items changed: the cached totals are stale.
    void totalsDirty();
    // Edit Item on a file: its external editor is to be started.
    void editRequested(const QString& path);

private:
    bool playing() const;
    void markChanged();
    void restore(PlayListSnapshot snapshot);
    void keepCurrentOnItem(const std::vector<qsizetype>& order);
    void filterItems(const std::function<bool(const PlayListEntry&, qsizetype)>& keep, const QString& busyText,
                     const QString& caption, const QString& nothingMessage, bool redrawAlways);
    bool fileExists(const QString& path) const;

    Context m_c;
    UndoHistory m_undo;
    std::function<bool(const QString&)> m_exists;
    std::function<qsizetype(qsizetype)> m_random;
    PlayListControls m_controls;
};
