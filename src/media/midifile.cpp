#include "media/midifile.h"

#include <QFile>

#include <cstring>

namespace MidiFile {
namespace {

quint32 bigEndian32(const uchar* p) {
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3];
}

quint32 littleEndian32(const uchar* p) {
    return quint32(p[3]) << 24 | quint32(p[2]) << 16 | quint32(p[1]) << 8 | p[0];
}

const QString kDamaged = QStringLiteral("The MIDI file is damaged: %1");

// The Standard MIDI File in bytes [begin, end).
QString smfProblem(const uchar* data, qint64 begin, qint64 end) {
    if (end - begin < 14 || memcmp(data + begin, "MThd", 4) != 0) {
        return kDamaged.arg(QStringLiteral("its header is missing or cut short."));
    }
    const qint64 headerLength = bigEndian32(data + begin + 4);
    if (headerLength < 6 || headerLength > end - begin - 8) {
        return kDamaged.arg(QStringLiteral("its header has a wrong length."));
    }
    const int tracks = data[begin + 10] << 8 | data[begin + 11];
    if (tracks == 0) {
        return kDamaged.arg(QStringLiteral("its header names no track."));
    }
    int found = 0;
    qint64 at = begin + 8 + headerLength;
    while (found < tracks && end - at >= 8) {
        const qint64 length = bigEndian32(data + at + 4);
        if (length > end - at - 8) {
            return kDamaged.arg(
                QStringLiteral("a chunk of %1 bytes runs past the end of the file.").arg(length));
        }
        if (memcmp(data + at, "MTrk", 4) == 0) {
            ++found;
        }
        at += 8 + length;
    }
    if (found < tracks) {
        return kDamaged.arg(
            QStringLiteral("its header names %1 tracks, but it holds %2.").arg(tracks).arg(found));
    }
    return {};
}

// The "data" chunk of a RIFF MIDI file holds the Standard MIDI File.
QString riffProblem(const uchar* data, qint64 size) {
    qint64 at = 12;
    while (size - at >= 8) {
        const qint64 length = littleEndian32(data + at + 4);
        if (length > size - at - 8) {
            break;
        }
        if (memcmp(data + at, "data", 4) == 0) {
            return smfProblem(data, at + 8, at + 8 + length);
        }
        at += 8 + length + (length & 1);
    }
    return kDamaged.arg(QStringLiteral("it holds no whole MIDI data chunk."));
}

}  // namespace

bool isMidi(const QByteArray& head) {
    return head.startsWith("MThd") || (head.startsWith("RIFF") && head.mid(8, 4) == "RMID");
}

QString structureProblem(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return file.errorString();
    }
    const qint64 size = file.size();
    const uchar* data = size >= 4 ? file.map(0, size) : nullptr;
    if (!data) {
        return kDamaged.arg(QStringLiteral("its header is missing or cut short."));
    }
    return memcmp(data, "RIFF", 4) == 0 ? riffProblem(data, size) : smfProblem(data, 0, size);
}

}  // namespace MidiFile
