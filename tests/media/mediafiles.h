#pragma once

#include <QString>

// Short media files of every family, made for the tests: tones, a tune, a tracker pattern, a picture.
namespace MediaFiles {

QString wav(const QString& path, double seconds);
QString au(const QString& path, double seconds);
QString midi(const QString& path);  // about 1.5 seconds
QString mod(const QString& path);   // about 2 seconds
// Encoded through GStreamer itself: "aiff", "mp3" and "avi" (picture and sound).
QString encoded(const QString& path, const QString& kind, double seconds);

}  // namespace MediaFiles
