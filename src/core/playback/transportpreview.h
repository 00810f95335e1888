#pragma once

#include "core/common/medialist.h"

#include <QString>

#include <functional>

class ItemSet;
class PlayList;
class PlayOrder;
class SourceLines;
struct Preferences;

// The preview with the Play List as the reference list and index as its reference line.
TransportPreview PreviewPlayList(const PlayList& playList, const PlayOrder& order, const ItemSet& played,
                                 const Preferences& preferences, qsizetype index);

// The preview of a list that neither loops nor plays at random, with index as its reference line; text
// gives a line's text for the hints.
TransportPreview PreviewLines(const SourceLines& lines, const std::function<QString(qsizetype)>& text,
                              qsizetype index);

// A transport button's hint: the menu caption without "&", its shortcut in brackets, ": " and the item.
QString TransportHint(const QString& caption, const QString& shortcutText, const QString& item);
