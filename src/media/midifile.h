#pragma once

#include <QByteArray>
#include <QString>

// GStreamer's MIDI parser trusts a file's chunk structure: a header that names more tracks than the
// file holds, or a chunk longer than the file, crashes it or sets it spinning. Every MIDI file is
// checked here before a pipeline sees it.
namespace MidiFile {

// Whether the first bytes are those of a Standard MIDI File, bare ("MThd") or in a RIFF "RMID" wrapper.
bool isMidi(const QByteArray& head);

// Why the file cannot be handed to the parser, or an empty string when its chunks hold together: the
// header is whole, it names at least one track, the file holds that many track chunks and every chunk
// up to the last of them ends within the file.
QString structureProblem(const QString& path);

// The playing time in milliseconds to the end of the longest track at the file's one tempo; -1 when the
// file is damaged, or its time is known only by playing it (a tempo that changes, SMPTE time code,
// independent sequences).
qint64 lengthMs(const QString& path);

}  // namespace MidiFile
