#include "core/cdaudio/cdidentifier.h"

#include "core/ports/mediadevice.h"

#include <algorithm>

qint32 ComputeCDID(qint64 discLengthMs, int trackCount, qint64 firstTrackLengthMs) {
    // Unsigned arithmetic wraps by definition; only the low 32 bits of each value take part.
    const auto length = static_cast<quint32>(discLengthMs);
    const auto tracks = static_cast<quint32>(trackCount);
    const auto first = static_cast<quint32>(firstTrackLengthMs);
    return static_cast<qint32>(length * tracks - first);
}

qint32 ComputeCDID(MediaDevice& device) {
    device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
    const int tracks = std::max(device.trackCount(), 0);
    if (tracks == 0) {
        return 0;
    }
    return ComputeCDID(std::max<qint64>(device.length(), 0), tracks, std::max<qint64>(device.trackLength(1), 0));
}
