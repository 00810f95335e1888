#include "media/headerlength.h"
#include "media/gstlengthprobe.h"
#include "media/headerlengthprobe.h"
#include "mediafiles.h"
#include "support/tempfolder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A length from a header must be the one GStreamer finds when it plays the file.
constexpr double kAgreementMs = 10.0;

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? path : QString();
}

void appendBE(QByteArray& out, quint32 value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

QString midiOfTracks(const QString& path, const QList<QByteArray>& tracks) {
    QByteArray out("MThd");
    appendBE(out, 6, 4);
    appendBE(out, 1, 2);
    appendBE(out, static_cast<quint32>(tracks.size()), 2);
    appendBE(out, 480, 2);
    for (const QByteArray& track : tracks) {
        out.append("MTrk");
        appendBE(out, static_cast<quint32>(track.size()), 4);
        out.append(track);
    }
    return writeFile(path, out);
}

// At 100 BPM, 480 ticks a quarter: a conductor track that ends early, and a voice with a System
// Exclusive message and notes in running status that ends at tick 2400, 3000 ms in.
QString steadyMidi(const QString& path) {
    const QByteArray conductor(
        "\x00\xFF\x51\x03\x09\x27\xC0"
        "\x83\x60\xFF\x2F\x00",
        12);
    const QByteArray voice(
        "\x00\xC0\x00"
        "\x00\xF0\x05\x7E\x7F\x09\x01\xF7"
        "\x00\x90\x3C\x60"
        "\x87\x40\x3C\x00"
        "\x00\x40\x60"
        "\x87\x40\x40\x00"
        "\x83\x60\xFF\x2F\x00",
        31);
    return midiOfTracks(path, {conductor, voice});
}

// The same voice, but the conductor turns to 240 BPM at tick 960.
QString tempoChangingMidi(const QString& path) {
    const QByteArray conductor(
        "\x00\xFF\x51\x03\x09\x27\xC0"
        "\x87\x40\xFF\x51\x03\x03\xD0\x90"
        "\x83\x60\xFF\x2F\x00",
        20);
    const QByteArray voice(
        "\x00\x90\x3C\x60"
        "\x8F\x00\x3C\x00"
        "\x00\xFF\x2F\x00",
        12);
    return midiOfTracks(path, {conductor, voice});
}

struct Family {
    const char* name;
    std::function<QString(const QString& folder)> make;
};

void PrintTo(const Family& family, std::ostream* os) {
    *os << family.name;
}

Family encodedFamily(const char* name, const char* file, const char* encoder, double seconds) {
    return {name, [=](const QString& f) {
                return MediaFiles::encodedWith(f + u'/' + s(file), s(encoder), seconds);
            }};
}

const std::vector<Family>& families() {
    static const std::vector<Family> all = {
        {"WAV", [](const QString& f) { return MediaFiles::wav(f + s("/tone.wav"), 2.37); }},
        {"AU", [](const QString& f) { return MediaFiles::au(f + s("/tone.au"), 1.61); }},
        {"AIFF", [](const QString& f) { return MediaFiles::encoded(f + s("/tone.aiff"), s("aiff"), 1.5); }},
        {"MIDI", [](const QString& f) { return MediaFiles::midi(f + s("/tune.mid")); }},
        {"MIDIOfTwoTracks", [](const QString& f) { return steadyMidi(f + s("/steady.mid")); }},
        encodedFamily("MP3ConstantBitrate", "cbr.mp3", "lamemp3enc target=bitrate bitrate=128 cbr=true", 3.3),
        encodedFamily("MP3ConstantBitrateWithInfo", "info.mp3",
                      "lamemp3enc target=bitrate bitrate=192 cbr=true ! xingmux", 2.2),
        encodedFamily("MP3VariableBitrateWithXing", "vbr.mp3",
                      "lamemp3enc target=quality quality=2 ! xingmux", 4.1),
        encodedFamily("MP3WithTagsAndXing", "tagged.mp3",
                      "lamemp3enc ! xingmux ! taginject tags=\"title=Song,artist=Someone\" ! id3v2mux", 2.8),
        encodedFamily("OggVorbis", "tone.ogg", "vorbisenc ! oggmux", 2.9),
        encodedFamily("OggOpus", "tone.opus", "opusenc ! oggmux", 2.6),
        encodedFamily("FLAC", "tone.flac", "flacenc", 3.7),
    };
    return all;
}

class ReadsTheLengthFromTheHeader : public ::testing::TestWithParam<Family> {};

TEST_P(ReadsTheLengthFromTheHeader, AsGStreamerMeasuresIt) {
    TempFolder folder;
    const QString file = GetParam().make(folder.path());
    ASSERT_FALSE(file.isEmpty()) << "the file could not be generated";

    const std::optional<qint64> header = HeaderLength::read(file);
    GstLengthProbe gstreamer;
    QString error;
    const qint64 measured = gstreamer.measure(file, &error);
    ASSERT_GT(measured, 0) << error.toStdString();
    ASSERT_TRUE(header.has_value()) << "the header was not read";
    EXPECT_NEAR(static_cast<double>(*header), static_cast<double>(measured), kAgreementMs);
}

INSTANTIATE_TEST_SUITE_P(HeaderLength, ReadsTheLengthFromTheHeader, ::testing::ValuesIn(families()),
                         [](const ::testing::TestParamInfo<Family>& info) {
                             return std::string(info.param.name);
                         });

// A file cut short keeps a header that promises the whole sound.
QString cutToHalf(const QString& file) {
    QFile f(file);
    if (!f.resize(f.size() / 2)) {
        return {};
    }
    return file;
}

QString withByte(const QString& file, qint64 at, char value) {
    QFile f(file);
    if (!f.open(QIODevice::ReadWrite) || !f.seek(at) || !f.putChar(value)) {
        return {};
    }
    return file;
}

// Files whose header does not give the length exactly: GStreamer measures them, and the answer is its
// own, never the header's promise.
const std::vector<Family>& fallbacks() {
    static const std::vector<Family> all = {
        // Only the frames tell a variable bit rate without a Xing header.
        encodedFamily("MP3VariableBitrateWithoutXing", "vbr.mp3", "lamemp3enc target=quality quality=2", 3.0),
        // GStreamer times a whole tune by one tempo: only playing it tells how long it is.
        {"MIDIWithTempoChanges", [](const QString& f) { return tempoChangingMidi(f + s("/tempo.mid")); }},
        {"TrackerModule", [](const QString& f) { return MediaFiles::mod(f + s("/pattern.mod")); }},
        {"CutWAV", [](const QString& f) { return cutToHalf(MediaFiles::wav(f + s("/cut.wav"), 2.0)); }},
        {"CutAU", [](const QString& f) { return cutToHalf(MediaFiles::au(f + s("/cut.au"), 2.0)); }},
        {"CutAIFF",
         [](const QString& f) { return cutToHalf(MediaFiles::encoded(f + s("/cut.aiff"), s("aiff"), 2.0)); }},
        {"CutMP3WithXing",
         [](const QString& f) {
             return cutToHalf(MediaFiles::encodedWith(f + s("/cut.mp3"), s("lamemp3enc ! xingmux"), 3.0));
         }},
        // A track chunk that claims more bytes than the file holds.
        {"MIDIWithAChunkPastTheEnd",
         [](const QString& f) { return withByte(MediaFiles::midi(f + s("/long.mid")), 20, '\x7F'); }},
        // A recorder that never wrote the data chunk's size.
        {"WAVWithNoDataSize",
         [](const QString& f) {
             const QString file = MediaFiles::wav(f + s("/unsized.wav"), 1.0);
             for (int i = 40; i < 44; ++i) {
                 withByte(file, i, '\xFF');
             }
             return file;
         }},
        {"EmptyWAV", [](const QString& f) { return writeFile(f + s("/empty.wav"), QByteArray()); }},
        {"TextNamedWAV",
         [](const QString& f) { return writeFile(f + s("/notes.wav"), "RIFF and WAVE, but words.\n"); }},
    };
    return all;
}

class LeavesTheLengthToGStreamer : public ::testing::TestWithParam<Family> {};

TEST_P(LeavesTheLengthToGStreamer, WhenTheHeaderDoesNotSayItExactly) {
    TempFolder folder;
    const QString file = GetParam().make(folder.path());
    ASSERT_FALSE(file.isEmpty()) << "the file could not be generated";

    EXPECT_FALSE(HeaderLength::read(file).has_value()) << "the header's length was taken";
    GstLengthProbe gstreamer;
    GstLengthProbe behind;
    HeaderLengthProbe probe(behind);
    QString expectedError;
    QString error;
    const qint64 expected = gstreamer.measure(file, &expectedError);
    EXPECT_EQ(probe.measure(file, &error), expected);
    EXPECT_EQ(error, expectedError);
}

INSTANTIATE_TEST_SUITE_P(HeaderLength, LeavesTheLengthToGStreamer, ::testing::ValuesIn(fallbacks()),
                         [](const ::testing::TestParamInfo<Family>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
