#pragma once

#include <QtGlobal>

#include <functional>

class ItemSet;
class PlayList;
class PlayOrder;

// Where a position in the whole Play List (or the selection being played) falls: the line of the item
// and the offset into it. In order, the first item whose running total reaches the target; at random,
// the played items replayed in their order, or new random items drawn after them, so that the played
// status matches the position.
struct FoundPosition {
    qsizetype line = -1;
    qint64 offset = 0;
};

FoundPosition FindPositionInPlayList(PlayList& playList, PlayOrder& order, const ItemSet& played, bool randomPlay,
                                     bool playingSelection, qint64 target,
                                     const std::function<qsizetype(qsizetype)>& random);
