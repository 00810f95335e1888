#include "media/mpegaudioframes.h"

#include <QByteArray>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kBitrates[2][16] = {{0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
                                  {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}};
constexpr int kRates[3] = {44100, 48000, 32000};
// An ID3v1 tag ends the stream; so may an APE tag or a few stray bytes, which this much room covers.
constexpr qint64 kTrailingRoom = 128 + 10;

}  // namespace

qint64 MpegAudioFrames::audioStart(const uchar* data, qint64 size) {
    if (size >= 10 && memcmp(data, "ID3", 3) == 0) {
        return 10 +
               (qint64(data[6] & 0x7F) << 21 | (data[7] & 0x7F) << 14 | (data[8] & 0x7F) << 7 |
                (data[9] & 0x7F)) +
               ((data[5] & 0x10) ? 10 : 0);  // a footer follows the tag
    }
    return 0;
}

MpegAudioFrames MpegAudioFrames::walk(const uchar* data, qint64 size) {
    MpegAudioFrames result;
    qint64 pos = audioStart(data, size);
    int firstBitrate = -1;
    while (pos + 4 <= size) {
        const uchar* h = data + pos;
        const int version = (h[1] >> 3) & 3;
        const int bitrateIndex = h[2] >> 4;
        const int rateIndex = (h[2] >> 2) & 3;
        if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0 || version == 1 || ((h[1] >> 1) & 3) != 1 ||
            bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3) {
            break;  // a trailing tag, or something that is not Layer III
        }
        const bool mpeg1 = version == 3;
        const int rate = kRates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
        const int frameSamples = mpeg1 ? 1152 : 576;
        const int bitrate = kBitrates[mpeg1 ? 0 : 1][bitrateIndex];
        const qint64 frameSize = frameSamples / 8 * bitrate * 1000 / rate + ((h[2] >> 1) & 1);
        if (result.frames == 0) {
            const QByteArray first(reinterpret_cast<const char*>(h),
                                   static_cast<int>(std::min<qint64>(frameSize, size - pos)));
            result.describesItself =
                first.contains("Xing") || first.contains("Info") || first.contains("VBRI");
            firstBitrate = bitrate;
        }
        result.constantBitrate = result.constantBitrate && bitrate == firstBitrate;
        result.ms += frameSamples * 1000.0 / rate;
        ++result.frames;
        pos += frameSize;
    }
    result.reachedEnd = pos >= size - kTrailingRoom;
    return result;
}
