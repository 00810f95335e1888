#include "core/shell/editcommandstates.h"

#include "core/app/runstate.h"
#include "core/playlist/playlist.h"
#include "core/playlist/playlisteditor.h"
#include "core/playlist/undohistory.h"

EditCommandStates ComputeEditCommandStates(const PlayList& playList, const RunState& run, const UndoHistory& undo,
                                           const PlayListControls& controls, bool clipboardHasText,
                                           bool sourceVisible, bool rightHandListsShown) {
    const bool playListActive = run.focusList == ActiveList::PlayList;
    EditCommandStates states;
    states.undo = undo.canUndo();
    states.redo = undo.canRedo();
    states.cut = playListActive && playList.selectedCount() > 0;
    states.copy = playListActive && playList.selectedCount() > 0;
    states.paste = playListActive && clipboardHasText;
    states.add = sourceVisible;
    states.addAll = sourceVisible;
    states.remove = controls.remove;
    states.removeAll = controls.removeAll;
    states.selectAll = playListActive && playList.lineCount() > 0;
    states.selectPlayingItem = playListActive && run.playbackSource == PlaybackSource::PlayList &&
                               playList.CurrentItem() >= 0 && playList.CurrentItem() < playList.lineCount();
    states.playedStatus = playList.lineCount() > 0;
    states.moveUpDown = controls.move && playList.selectedCount() > 0;
    states.sortAndClean = playList.count() > 1;
    states.cdAudio = rightHandListsShown && run.cdAudioModeShown;
    return states;
}
