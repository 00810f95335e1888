#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Short media files of every family, made for the tests: tones, a tune, a tracker pattern, a picture.
namespace MediaFiles {

QString wav(const QString& path, double seconds);
QString au(const QString& path, double seconds);
QString midi(const QString& path);  // about 1.5 seconds
QString mod(const QString& path);   // about 2 seconds
// Encoded through GStreamer itself: "aiff", "mp3" and "avi" (picture and sound).
QString encoded(const QString& path, const QString& kind, double seconds);
// A test tone through any GStreamer encoder chain ("flacenc", "vorbisenc ! oggmux"...), 44.1 kHz.
QString encodedWith(const QString& path, const QString& encoder, double seconds);

// A CUE/BIN image, "disc.cue" and "disc.bin" in the folder, of three audio tracks of 1 s, 1.5067 s and 2 s (starts 0, 1000 and 2506 ms, disc
// 4506 ms), with a 2 s data track before or after them. Titles, as bytes of the CUE sheet: the album's,
// then one per track; an empty one writes no TITLE line.
enum class DataTrack { None, First, Last };
QString makeImage(const QString& folder, DataTrack data, const QList<QByteArray>& titles = {});

}  // namespace MediaFiles

class MediaDevice;

// Opens the device's file the way the program does, through beginOpen, and lets the event loop run
// until the device answers: whether it opened.
bool OpenAndWait(MediaDevice& device, int limitMs = 40000);

namespace MediaFiles {
// A well-formed MIDI file of empty tracks (at most 65,535): GStreamer takes about a second to prepare
// one of 32,768 tracks, and several for one of 65,535.
QString manyTracksMidi(const QString& path, int tracks);
}  // namespace MediaFiles
