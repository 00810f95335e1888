#pragma once

#include <QString>

#include <optional>

// A file's playing length read from its own header, without GStreamer: WAV, AIFF, AU, MPEG audio with a
// Xing or VBRI header or a constant bit rate, Ogg Vorbis and Opus, FLAC, and MIDI. Safe to call from
// any thread.
namespace HeaderLength {

// The length in milliseconds; nothing when the header does not state it exactly (a variable bit rate
// without a frame count, a tracker module), when it claims more than the file holds, or when the file is
// of another kind. Nothing means "ask GStreamer", never "cannot be played".
std::optional<qint64> read(const QString& path);

}  // namespace HeaderLength
