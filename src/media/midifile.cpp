#include "media/midifile.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace MidiFile {
namespace {

quint32 bigEndian32(const uchar* p) {
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3];
}

quint32 littleEndian32(const uchar* p) {
    return quint32(p[3]) << 24 | quint32(p[2]) << 16 | quint32(p[1]) << 8 | p[0];
}

const QString kDamaged = QStringLiteral("The MIDI file is damaged: %1");

// Where the Standard MIDI File lies in the file: all of it, or the "data" chunk of a RIFF wrapper.
std::optional<std::pair<qint64, qint64>> smfBounds(const uchar* data, qint64 size) {
    if (memcmp(data, "RIFF", 4) != 0) {
        return std::pair<qint64, qint64>{0, size};
    }
    qint64 at = 12;
    while (size - at >= 8) {
        const qint64 length = littleEndian32(data + at + 4);
        if (length > size - at - 8) {
            break;
        }
        if (memcmp(data + at, "data", 4) == 0) {
            return std::pair<qint64, qint64>{at + 8, at + 8 + length};
        }
        at += 8 + length + (length & 1);
    }
    return std::nullopt;
}

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

// One track's events in [at, end): its last tick, and the tempos it sets (microseconds a quarter) with
// the ticks they are set at. Nothing when an event runs past the chunk.
class TrackReader {
public:
    TrackReader(const uchar* at, const uchar* end) : m_at(at), m_end(end) {}

    std::optional<qint64> read(std::vector<std::pair<qint64, quint32>>& tempos) {
        qint64 tick = 0;
        uchar status = 0;
        while (m_at < m_end) {
            const std::optional<quint32> delta = variableLength();
            if (!delta || m_at >= m_end) {
                return std::nullopt;
            }
            tick += *delta;
            if (*m_at & 0x80) {
                status = *m_at++;
            } else if (status == 0 || status >= 0xF0) {
                return std::nullopt;  // running status with nothing to run on
            }
            if (status == 0xFF) {
                if (m_at >= m_end) {
                    return std::nullopt;
                }
                const uchar type = *m_at++;
                const std::optional<quint32> length = variableLength();
                if (!length || *length > quint64(m_end - m_at)) {
                    return std::nullopt;
                }
                if (type == 0x51 && *length == 3) {
                    tempos.emplace_back(tick, quint32(m_at[0]) << 16 | quint32(m_at[1]) << 8 | m_at[2]);
                }
                m_at += *length;
                if (type == 0x2F) {
                    return tick;  // End of Track
                }
            } else if (status == 0xF0 || status == 0xF7) {
                const std::optional<quint32> length = variableLength();
                if (!length || *length > quint64(m_end - m_at)) {
                    return std::nullopt;
                }
                m_at += *length;
            } else {
                const int dataBytes = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
                if (m_end - m_at < dataBytes) {
                    return std::nullopt;
                }
                m_at += dataBytes;
            }
        }
        return tick;
    }

private:
    std::optional<quint32> variableLength() {
        quint32 value = 0;
        for (int i = 0; i < 4 && m_at < m_end; ++i) {
            const uchar byte = *m_at++;
            value = value << 7 | (byte & 0x7F);
            if (!(byte & 0x80)) {
                return value;
            }
        }
        return std::nullopt;
    }

    const uchar* m_at;
    const uchar* m_end;
};

// The one tempo of the whole tune in microseconds a quarter, or nothing when it changes. GStreamer's MIDI
// parser times every event by the last tempo it has read, so a tune whose tempo changes plays here for a
// time that only the parser knows; a quarter lasts half a second until a tempo is set.
std::optional<quint32> steadyTempo(const std::vector<std::pair<qint64, quint32>>& tempos) {
    const auto atStart =
        std::find_if(tempos.begin(), tempos.end(), [](const auto& t) { return t.first == 0; });
    const quint32 tempo = atStart != tempos.end() ? atStart->second : 500000;
    const bool changes =
        std::any_of(tempos.begin(), tempos.end(), [&](const auto& t) { return t.second != tempo; });
    return changes ? std::nullopt : std::optional<quint32>(tempo);
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
    const auto bounds = smfBounds(data, size);
    return bounds ? smfProblem(data, bounds->first, bounds->second)
                  : kDamaged.arg(QStringLiteral("it holds no whole MIDI data chunk."));
}

qint64 lengthMs(const QString& path) {
    if (!structureProblem(path).isEmpty()) {
        return -1;
    }
    QFile file(path);
    const uchar* data = file.open(QIODevice::ReadOnly) ? file.map(0, file.size()) : nullptr;
    const auto bounds = data ? smfBounds(data, file.size()) : std::nullopt;
    if (!bounds) {
        return -1;
    }
    const uchar* header = data + bounds->first;
    const int format = header[8] << 8 | header[9];
    const int tracks = header[10] << 8 | header[11];
    const int division = header[12] << 8 | header[13];
    if (format > 1 || division == 0 || (division & 0x8000)) {
        return -1;
    }
    std::vector<std::pair<qint64, quint32>> tempos;
    qint64 lastTick = 0;
    qint64 at = bounds->first + 8 + bigEndian32(header + 4);
    for (int found = 0; found < tracks && bounds->second - at >= 8; at += 8 + bigEndian32(data + at + 4)) {
        if (memcmp(data + at, "MTrk", 4) != 0) {
            continue;
        }
        ++found;
        const uchar* begin = data + at + 8;
        const std::optional<qint64> end = TrackReader(begin, begin + bigEndian32(data + at + 4)).read(tempos);
        if (!end) {
            return -1;
        }
        lastTick = std::max(lastTick, *end);
    }
    const std::optional<quint32> tempo = steadyTempo(tempos);
    return tempo ? static_cast<qint64>(static_cast<double>(lastTick) * *tempo / division / 1000) : -1;
}

}  // namespace MidiFile
