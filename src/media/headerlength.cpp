#include "media/headerlength.h"

#include "media/midifile.h"
#include "media/mpegaudioframes.h"

#include <QFile>
#include <QFileInfo>

#include <taglib/aifffile.h>
#include <taglib/flacfile.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>
#include <taglib/xingheader.h>

#include <cstring>

namespace HeaderLength {
namespace {

// A file mapped whole for reading; empty when it cannot be.
class MappedFile {
public:
    explicit MappedFile(const QString& path) : m_file(path) {
        if (m_file.open(QIODevice::ReadOnly) && m_file.size() > 0) {
            m_data = m_file.map(0, m_file.size());
        }
    }
    const uchar* data() const { return m_data; }
    qint64 size() const { return m_data ? m_file.size() : 0; }
    bool startsWith(qint64 at, const char* text) const {
        const auto length = static_cast<qint64>(strlen(text));
        return at + length <= size() && memcmp(m_data + at, text, static_cast<size_t>(length)) == 0;
    }
    quint32 bigEndian(qint64 at) const {
        return at + 4 <= size() ? quint32(m_data[at]) << 24 | quint32(m_data[at + 1]) << 16 |
                                      quint32(m_data[at + 2]) << 8 | m_data[at + 3]
                                : 0;
    }
    quint32 littleEndian(qint64 at) const {
        return at + 4 <= size() ? quint32(m_data[at + 3]) << 24 | quint32(m_data[at + 2]) << 16 |
                                      quint32(m_data[at + 1]) << 8 | m_data[at]
                                : 0;
    }
    quint16 littleEndian16(qint64 at) const {
        return at + 2 <= size() ? quint16(m_data[at + 1] << 8 | m_data[at]) : 0;
    }

private:
    QFile m_file;
    const uchar* m_data = nullptr;
};

std::optional<qint64> lengthOf(const TagLib::AudioProperties* properties) {
    if (!properties || properties->lengthInMilliseconds() <= 0) {
        return std::nullopt;
    }
    return properties->lengthInMilliseconds();
}

// A chunk of a RIFF or IFF file: where its data starts and how long it says it is.
struct Chunk {
    qint64 data = -1;
    qint64 size = 0;
};

Chunk findChunk(const MappedFile& file, qint64 at, const char* id, bool bigEndian) {
    while (at + 8 <= file.size()) {
        const qint64 size = bigEndian ? file.bigEndian(at + 4) : file.littleEndian(at + 4);
        if (file.startsWith(at, id)) {
            return {at + 8, size};
        }
        at += 8 + size + (size & 1);
    }
    return {};
}

// The sound must be whole: a recorder stopped short, or a copy cut off, leaves a header that promises
// more than the file holds, and its length would be wrong.
bool holdsWholeChunk(const MappedFile& file, const Chunk& chunk) {
    return chunk.data >= 0 && chunk.size > 0 && chunk.size <= file.size() - chunk.data;
}

std::optional<qint64> wavLength(const QByteArray& name, const MappedFile& file) {
    const Chunk format = findChunk(file, 12, "fmt ", false);
    if (format.data < 0 || format.size < 16) {
        return std::nullopt;
    }
    // PCM, floating point, A-law, mu-law and their extensible form: one block a frame, so the size counts
    // the samples. Compressed data has no such count.
    switch (file.littleEndian16(format.data)) {
        case 1:
        case 3:
        case 6:
        case 7:
        case 0xFFFE:
            break;
        default:
            return std::nullopt;
    }
    if (!holdsWholeChunk(file, findChunk(file, 12, "data", false))) {
        return std::nullopt;
    }
    TagLib::RIFF::WAV::File wav(name.constData(), true, TagLib::AudioProperties::Average);
    return wav.isValid() ? lengthOf(wav.audioProperties()) : std::nullopt;
}

std::optional<qint64> aiffLength(const QByteArray& name, const MappedFile& file) {
    const Chunk common = findChunk(file, 12, "COMM", true);
    const Chunk sound = findChunk(file, 12, "SSND", true);
    if (common.data < 0 || common.size < 18 || common.data + 18 > file.size() ||
        !holdsWholeChunk(file, sound)) {
        return std::nullopt;
    }
    const qint64 channels = file.data()[common.data] << 8 | file.data()[common.data + 1];
    const qint64 frames = file.bigEndian(common.data + 2);
    const qint64 bits = file.data()[common.data + 6] << 8 | file.data()[common.data + 7];
    if (file.startsWith(8, "AIFC")) {
        // Only uncompressed samples are counted by the size of the sound.
        if (common.size < 22 ||
            !(file.startsWith(common.data + 18, "NONE") || file.startsWith(common.data + 18, "sowt"))) {
            return std::nullopt;
        }
    }
    // The sound chunk begins with an offset and a block size; the frames the header counts must be there.
    if (frames * channels * ((bits + 7) / 8) > sound.size - 8) {
        return std::nullopt;
    }
    TagLib::RIFF::AIFF::File aiff(name.constData(), true, TagLib::AudioProperties::Average);
    return aiff.isValid() ? lengthOf(aiff.audioProperties()) : std::nullopt;
}

// Sun/NeXT audio: a header of six big-endian words. TagLib does not read it.
std::optional<qint64> auLength(const MappedFile& file) {
    const qint64 offset = file.bigEndian(4);
    const quint32 size = file.bigEndian(8);
    const quint32 encoding = file.bigEndian(12);
    const qint64 rate = file.bigEndian(16);
    const qint64 channels = file.bigEndian(20);
    int bytes = 0;
    // Bytes a sample: mu-law, 8-bit, A-law; 16, 24 and 32-bit; float; double. Others are compressed.
    switch (encoding) {
        case 1:
        case 2:
        case 27:
            bytes = 1;
            break;
        case 3:
            bytes = 2;
            break;
        case 4:
            bytes = 3;
            break;
        case 5:
        case 6:
            bytes = 4;
            break;
        case 7:
            bytes = 8;
            break;
        default:
            return std::nullopt;
    }
    if (offset < 24 || offset > file.size() || rate <= 0 || channels <= 0) {
        return std::nullopt;
    }
    // All ones: the writer did not know the size, and the sound runs to the end of the file.
    const qint64 available = file.size() - offset;
    const qint64 data = size == 0xFFFFFFFF ? available : size;
    if (data <= 0 || data > available) {
        return std::nullopt;
    }
    return data / (bytes * channels) * 1000 / rate;
}

// A Xing or VBRI header counts the frames; its byte count shows whether the file still holds them all.
// Without one, only a bit rate that stays the same in every frame gives the length exactly.
std::optional<qint64> mpegLength(const QByteArray& name, const MappedFile& file) {
    TagLib::MPEG::File mpeg(name.constData(), true, TagLib::AudioProperties::Average);
    const TagLib::MPEG::Properties* properties = mpeg.isValid() ? mpeg.audioProperties() : nullptr;
    if (!properties) {
        return std::nullopt;
    }
    if (const TagLib::MPEG::XingHeader* xing = properties->xingHeader()) {
        const qint64 start = mpeg.firstFrameOffset();
        if (!xing->isValid() || xing->totalSize() == 0 || start < 0 ||
            file.size() - start < qint64(xing->totalSize())) {
            return std::nullopt;
        }
        return lengthOf(properties);
    }
    const MpegAudioFrames frames = MpegAudioFrames::walk(file.data(), file.size());
    if (frames.frames == 0 || frames.describesItself || !frames.constantBitrate || !frames.reachedEnd) {
        return std::nullopt;
    }
    return lengthOf(properties);
}

// The codec of an Ogg stream, from the first packet on its first page.
bool oggCarries(const MappedFile& file, const char* codec) {
    if (file.size() < 27) {
        return false;
    }
    const qint64 payload = 27 + file.data()[26];
    return file.startsWith(payload, codec);
}

}  // namespace

std::optional<qint64> read(const QString& path) {
    // A pipe or a device would hold the reading thread until someone writes to it.
    if (!QFileInfo(path).isFile()) {
        return std::nullopt;
    }
    const MappedFile file(path);
    if (file.size() < 12) {
        return std::nullopt;
    }
    const QByteArray name = QFile::encodeName(path);
    if (file.startsWith(0, "RIFF") && file.startsWith(8, "WAVE")) {
        return wavLength(name, file);
    }
    if (file.startsWith(0, "FORM") && (file.startsWith(8, "AIFF") || file.startsWith(8, "AIFC"))) {
        return aiffLength(name, file);
    }
    if (file.startsWith(0, ".snd")) {
        return auLength(file);
    }
    if (MidiFile::isMidi(QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()), 12))) {
        const qint64 ms = MidiFile::lengthMs(path);
        return ms > 0 ? std::optional<qint64>(ms) : std::nullopt;
    }
    if (file.startsWith(0, "OggS")) {
        if (oggCarries(file, "\x01vorbis")) {
            TagLib::Ogg::Vorbis::File vorbis(name.constData(), true, TagLib::AudioProperties::Average);
            return vorbis.isValid() ? lengthOf(vorbis.audioProperties()) : std::nullopt;
        }
        if (oggCarries(file, "OpusHead")) {
            TagLib::Ogg::Opus::File opus(name.constData(), true, TagLib::AudioProperties::Average);
            return opus.isValid() ? lengthOf(opus.audioProperties()) : std::nullopt;
        }
        return std::nullopt;
    }
    const qint64 audio = MpegAudioFrames::audioStart(file.data(), file.size());
    if (file.startsWith(audio, "fLaC")) {
        TagLib::FLAC::File flac(name.constData(), true, TagLib::AudioProperties::Average);
        return flac.isValid() ? lengthOf(flac.audioProperties()) : std::nullopt;
    }
    if (audio + 2 <= file.size() && file.data()[audio] == 0xFF && (file.data()[audio + 1] & 0xE0) == 0xE0) {
        return mpegLength(name, file);
    }
    return std::nullopt;
}

}  // namespace HeaderLength
