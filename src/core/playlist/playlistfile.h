#pragma once

#include "core/playlist/playlist.h"

#include <QString>
#include <QStringList>

#include <vector>

// The text of a Play List file (".vlp"):
//   [General]
//   LastPlayed=<reference of the last played item, or nothing>
//   <empty line>
//   [Items]
//   <one reference per line, each ending in ", L=<length in ms>">
// Files without "[Items]" are bare lists of items; bare paths and "T#" track keys are converted.
namespace PlayListFile {

struct Contents {
    std::vector<PlayListEntry> entries;  // references without their L pair, lengths beside them
    QString lastPlayed;                  // the remembered reference, or empty
};

Contents parse(const QStringList& lines);

// The item lines of a file as it stands on disk: the lines after the first "[Items]", or all of them.
QStringList itemLines(const QStringList& fileLines);

// The whole file for the given item lines: each line gets the length the Play List knows for it
// (L=0 when none), under a header naming lastPlayed.
QStringList compose(const QStringList& itemLines, const std::vector<PlayListEntry>& knownLengths,
                    const QString& lastPlayed);

// The same for the Play List in memory: its references carry no L pair, and each gets the length of
// the first entry of its item.
QStringList composeEntries(const std::vector<PlayListEntry>& entries, const QString& lastPlayed);

// The reference "LastPlayed=" names for the Play List: the current item, unless there is none or it is
// the last one, so that a list played to its end opens at its beginning.
QString lastPlayedFor(const PlayList& playList);

// The first-run sample list: six MIDI files from the given Samples folder.
QStringList sampleList(const QString& samplesFolder);

}  // namespace PlayListFile
