#pragma once

#include "core/playlist/playlist.h"

#include <QString>
#include <QStringList>

#include <optional>
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

// The file's lines brought up to date for a list left without saving: an item line changes only when
// the Play List knows a length for its item that the line does not hold, and the "LastPlayed=" line
// only when lastPlayed is given (and is added with the whole header when the file has none). Every
// other line stays as it stands.
QStringList update(const QStringList& fileLines, const std::vector<PlayListEntry>& knownLengths,
                   const std::optional<QString>& lastPlayed);

// The whole file for the Play List in memory: its references carry no L pair, and each gets the
// length of the first entry of its item (L=0 when none); a line that is no item reference goes as it
// stands.
QStringList composeEntries(const std::vector<PlayListEntry>& entries, const QString& lastPlayed);

// The reference "LastPlayed=" names for the Play List: the current item, unless there is none or it is
// the last one, so that a list played to its end opens at its beginning.
QString lastPlayedFor(const PlayList& playList);

// The first-run sample list: six MIDI files from the given Samples folder.
QStringList sampleList(const QString& samplesFolder);

}  // namespace PlayListFile
