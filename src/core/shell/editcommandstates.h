#pragma once

class PlayList;
class UndoHistory;
struct PlayListControls;
struct RunState;

// Which Edit and Organize commands are enabled, decided from the program's state.
struct EditCommandStates {
    bool undo = false;
    bool redo = false;
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool add = false;
    bool addAll = false;
    bool remove = false;
    bool removeAll = false;
    bool selectAll = false;  // also Unselect All and Invert Selection
    bool selectPlayingItem = false;
    bool playedStatus = false;  // the two played-status commands
    bool moveUpDown = false;
    bool sortAndClean = false;  // the two sorts and the two removals of Organize
};

// clipboardHasText: the clipboard holds text, which Paste then checks item by item.
// sourceVisible: a File List or CD Audio List is there to add items from.
EditCommandStates ComputeEditCommandStates(const PlayList& playList, const RunState& run, const UndoHistory& undo,
                                           const PlayListControls& controls, bool clipboardHasText,
                                           bool sourceVisible);
