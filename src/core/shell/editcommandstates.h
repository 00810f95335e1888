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
    bool cdAudio = false;       // the CD Audio submenu, only beside a CD Audio List on screen
};

// clipboardHasText: the clipboard holds text, which Paste then checks item by item.
// sourceVisible: a File List or CD Audio List is there to add items from.
// rightHandListsShown: the File List or, in CD Audio Mode, the CD Audio List is on screen.
EditCommandStates ComputeEditCommandStates(const PlayList& playList, const RunState& run, const UndoHistory& undo,
                                           const PlayListControls& controls, bool clipboardHasText,
                                           bool sourceVisible, bool rightHandListsShown);
