#pragma once

#include <QtGlobal>

// A walk over the frame headers of an MPEG audio stream (Layer III), from the first frame after any
// ID3v2 tag to the first bytes that are not a frame.
struct MpegAudioFrames {
    qint64 frames = 0;
    double ms = 0;  // the frames' samples at their rates
    bool constantBitrate = true;
    bool reachedEnd = false;       // ended at the file's end, or at a trailing tag close to it
    bool describesItself = false;  // the first frame is a Xing, Info or VBRI header

    static MpegAudioFrames walk(const uchar* data, qint64 size);
    // Where the audio starts: after an ID3v2 tag when there is one.
    static qint64 audioStart(const uchar* data, qint64 size);
};
