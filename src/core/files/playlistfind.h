#pragma once

#include <QString>

class BusyIndicator;
class PlayList;
class PlayListEditor;
class Prompter;

// Finds the first line of the Play List box from start on whose text contains text (ignoring letter
// case unless matchCase), selects only it, centres it and runs the Play List click; says so when no
// line matches. The lines are what the box shows, so folders are searched only while paths are shown.
// Returns whether a line was found; an empty text does nothing.
bool FindInPlayList(PlayList& list, PlayListEditor& editor, Prompter& prompter, BusyIndicator* busy,
                    qsizetype start, const QString& text, bool matchCase);

inline QString notFoundInPlayListMessage() {
    return QStringLiteral("Velmaro was unable to find any\ritems matching the search expression.");
}
