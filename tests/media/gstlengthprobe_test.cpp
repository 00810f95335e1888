#include "media/gstlengthprobe.h"
#include "mediafiles.h"
#include "support/tempfolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The probe has to be this close to what a file really holds.
constexpr double kToleranceMs = 50.0;

// The true lengths, worked out from what the generators write rather than from what GStreamer says.

// PCM tones: whole samples at 22.05 kHz.
double pcmMs(double seconds) {
    return static_cast<int>(seconds * 22050) * 1000.0 / 22050;
}

// audiotestsrc makes whole buffers of 1024 samples at 44.1 kHz.
double testSourceMs(double seconds) {
    return static_cast<int>(seconds * 44100 / 1024) * 1024 * 1000.0 / 44100;
}

// Three notes of 480 ticks at 480 ticks a quarter and 500000 microseconds a quarter; End of Track
// follows the last note-off at once.
constexpr double kMidiMs = 3 * 480 / 480.0 * 500.0;

// 16 rows (then the pattern break ends the only order) of 6 ticks at 125 BPM: 2.5 / 125 s a tick.
constexpr double kModuleMs = 16 * 6 * 2500.0 / 125;

// The encoder adds its delay and pads the last frame, so the generator's seconds say only roughly how
// long the file is; what it holds is its frame count times the samples in a frame. Counts the frames.
double mpegAudioMs(const QString& path) {
    const QByteArray bytes = readFileBytes(path);
    static constexpr int kBitrates[2][16] = {
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},  // MPEG-1 Layer III
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}};     // MPEG-2 and 2.5
    static constexpr int kRates[3] = {44100, 48000, 32000};
    qsizetype pos = 0;
    if (bytes.startsWith("ID3") && bytes.size() >= 10) {
        pos = 10 + ((bytes[6] & 0x7F) << 21 | (bytes[7] & 0x7F) << 14 | (bytes[8] & 0x7F) << 7 |
                    (bytes[9] & 0x7F));
    }
    double ms = 0;
    bool first = true;
    while (pos + 4 <= bytes.size() && !bytes.mid(pos, 3).startsWith("TAG")) {
        const auto* h = reinterpret_cast<const uchar*>(bytes.constData() + pos);
        const int version = (h[1] >> 3) & 3;  // 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5
        const int bitrateIndex = h[2] >> 4;
        const int rateIndex = (h[2] >> 2) & 3;
        if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0 || version == 1 || ((h[1] >> 1) & 3) != 1 ||
            bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3) {
            return -1;  // not a plain run of Layer III frames: the count would mean nothing
        }
        const bool mpeg1 = version == 3;
        const int rate = kRates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
        const int samples = mpeg1 ? 1152 : 576;
        const int size =
            samples / 8 * kBitrates[mpeg1 ? 0 : 1][bitrateIndex] * 1000 / rate + ((h[2] >> 1) & 1);
        // A Xing or Info frame describes the stream and holds no sound.
        const QByteArray head = bytes.mid(pos, 64);
        if (!(first && (head.contains("Xing") || head.contains("Info")))) {
            ms += samples * 1000.0 / rate;
        }
        first = false;
        pos += size;
    }
    return ms;
}

struct Family {
    const char* name;
    std::function<QString(const QString& folder)> make;
    std::function<double(const QString& file)> trueMs;
};

void PrintTo(const Family& family, std::ostream* os) {
    *os << family.name;
}

Family wavFamily(const char* name, double seconds) {
    return {name,
            [=](const QString& f) {
                return MediaFiles::wav(f + QStringLiteral("/%1.wav").arg(QString::fromLatin1(name)), seconds);
            },
            [=](const QString&) { return pcmMs(seconds); }};
}

Family encodedFamily(const char* name, const char* kind, double seconds) {
    const QString type = QString::fromLatin1(kind);
    return {name,
            [=](const QString& f) {
                return MediaFiles::encoded(f + QStringLiteral("/sound.") + type, type, seconds);
            },
            [=](const QString&) { return testSourceMs(seconds); }};
}

const std::vector<Family>& families() {
    static const std::vector<Family> all = {
        wavFamily("WAV", 1.0),
        wavFamily("LongWAV", 7.25),
        {"AU", [](const QString& f) { return MediaFiles::au(f + QStringLiteral("/tone.au"), 2.5); },
         [](const QString&) { return pcmMs(2.5); }},
        {"MIDI", [](const QString& f) { return MediaFiles::midi(f + QStringLiteral("/tune.mid")); },
         [](const QString&) { return kMidiMs; }},
        {"Module", [](const QString& f) { return MediaFiles::mod(f + QStringLiteral("/pattern.mod")); },
         [](const QString&) { return kModuleMs; }},
        encodedFamily("AIFF", "aiff", 1.5),
        // Variable bit rate and no Xing header: an average of the first frames' bit rates is not the length.
        {"MP3",
         [](const QString& f) {
             return MediaFiles::encoded(f + QStringLiteral("/tone.mp3"), QStringLiteral("mp3"), 3.0);
         },
         mpegAudioMs},
        // Ten pictures at ten a second outlast the sound by a little: the longer stream is the length.
        {"AVI",
         [](const QString& f) {
             return MediaFiles::encoded(f + QStringLiteral("/picture.avi"), QStringLiteral("avi"), 1.0);
         },
         [](const QString&) { return std::max(1000.0, testSourceMs(1.0)); }},
    };
    return all;
}

class MeasuresTheTrueLength : public ::testing::TestWithParam<Family> {};

TEST_P(MeasuresTheTrueLength, OfAGeneratedFile) {
    TempFolder folder;
    const QString file = GetParam().make(folder.path());
    ASSERT_FALSE(file.isEmpty());
    const double trueMs = GetParam().trueMs(file);
    ASSERT_GT(trueMs, 0) << "the generated file is not what the test expects";

    GstLengthProbe probe;
    QString error;
    const qint64 length = probe.measure(file, &error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_NEAR(static_cast<double>(length), trueMs, kToleranceMs);
}

INSTANTIATE_TEST_SUITE_P(GstLengthProbe, MeasuresTheTrueLength, ::testing::ValuesIn(families()),
                         [](const ::testing::TestParamInfo<Family>& info) {
                             return std::string(info.param.name);
                         });

struct Unreadable {
    const char* name;
    std::function<QString(const TempFolder& folder)> make;
};

void PrintTo(const Unreadable& file, std::ostream* os) {
    *os << file.name;
}

class FailsWithAReason : public ::testing::TestWithParam<Unreadable> {};

// Whatever the cause, the caller gets -1 and words to show, never a length of 0 that looks measured.
TEST_P(FailsWithAReason, OnAFileItCannotRead) {
    TempFolder folder;
    const QString file = GetParam().make(folder);
    GstLengthProbe probe;
    QString error;
    EXPECT_EQ(probe.measure(file, &error), -1);
    EXPECT_FALSE(error.trimmed().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    GstLengthProbe, FailsWithAReason,
    ::testing::Values(
        Unreadable{"MissingFile", [](const TempFolder& f) { return f.file(QStringLiteral("gone.wav")); }},
        Unreadable{"Folder", [](const TempFolder& f) { return f.path(); }},
        Unreadable{"TextNamedMIDI",
                   [](const TempFolder& f) {
                       return f.write(QStringLiteral("notes.mid"), "These are not notes.\nJust text.\n");
                   }},
        Unreadable{"TextNamedMP3",
                   [](const TempFolder& f) {
                       return f.write(QStringLiteral("song.mp3"), "Lyrics, not sound.\nLa la la.\n");
                   }},
        Unreadable{"EmptyWAV",
                   [](const TempFolder& f) { return f.write(QStringLiteral("empty.wav"), QByteArray()); }}),
    [](const ::testing::TestParamInfo<Unreadable>& info) { return std::string(info.param.name); });

TEST(GstLengthProbe, AMissingFileIsNamedInTheReason) {
    TempFolder folder;
    GstLengthProbe probe;
    QString error;
    EXPECT_EQ(probe.measure(folder.file(QStringLiteral("vanished.au")), &error), -1);
    EXPECT_TRUE(error.contains(QStringLiteral("vanished.au"))) << error.toStdString();
}

// Characters that mean something in a URI reach the file, not a neighbour or nothing.
TEST(GstLengthProbe, FileNamesThatNeedEscaping) {
    TempFolder folder;
    QDir().mkpath(folder.file(s("Jazz & Blues #2")));
    const QString file = MediaFiles::wav(folder.file(s("Jazz & Blues #2/Ünïcode 100% ?take=1.wav")), 1.5);
    // A decoy where the name would end if '#' or '?' were taken for URI syntax.
    MediaFiles::wav(folder.file(s("Jazz & Blues ")), 0.5);
    GstLengthProbe probe;
    QString error;
    EXPECT_NEAR(static_cast<double>(probe.measure(file, &error)), pcmMs(1.5), kToleranceMs)
        << error.toStdString();
}

// One discoverer serves the whole run: every answer belongs to its own file, failures included, and a
// failure leaves the probe able to measure the next one.
TEST(GstLengthProbe, MeasuresManyFilesInARowWithOneProbe) {
    TempFolder folder;
    struct Expected {
        QString file;
        double ms;
        bool fails = false;
    };
    std::vector<Expected> expected;
    for (int round = 0; round < 3; ++round) {
        const QString dir = folder.file(QStringLiteral("round%1").arg(round));
        QDir().mkpath(dir);
        for (const Family& family : families()) {
            const QString file = family.make(dir);
            expected.push_back({file, family.trueMs(file)});
        }
        // Lengths that differ from one file to the next, so a stale answer shows.
        const double seconds = 0.5 + round * 1.25;
        expected.push_back({MediaFiles::au(dir + QStringLiteral("/short.au"), seconds), pcmMs(seconds)});
        expected.push_back(
            {folder.write(QStringLiteral("round%1/bad.mp3").arg(round), "not sound"), 0, true});
        expected.push_back({dir + QStringLiteral("/missing.mid"), 0, true});
    }

    GstLengthProbe probe;
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.file.toStdString());
        QString error;
        const qint64 length = probe.measure(e.file, &error);
        if (e.fails) {
            EXPECT_EQ(length, -1);
            EXPECT_FALSE(error.isEmpty());
        } else {
            ASSERT_GT(e.ms, 0) << "the generated file is not what the test expects";
            EXPECT_NEAR(static_cast<double>(length), e.ms, kToleranceMs) << error.toStdString();
        }
    }
}

// aiffparse reading in pull mode can push its first buffer before decodebin has linked it; the error is
// swallowed and the discovery sits out its whole timeout. It strikes at random, a few files in a
// hundred, so a long run of AIFF files is what shows it.
TEST(GstLengthProbe, MeasuresEveryOneOfALongRunOfAIFFFiles) {
    TempFolder folder;
    const QString first =
        MediaFiles::encoded(folder.file(QStringLiteral("0000.aiff")), QStringLiteral("aiff"), 0.5);
    ASSERT_FALSE(first.isEmpty());
    GstLengthProbe probe;
    for (int i = 1; i <= 100; ++i) {
        const QString file = folder.file(QStringLiteral("%1.aiff").arg(i, 4, 10, QChar(u'0')));
        ASSERT_TRUE(QFile::copy(first, file));
        QString error;
        const qint64 length = probe.measure(file, &error);
        ASSERT_GE(length, 0) << "file " << i << ": " << error.toStdString();
        EXPECT_NEAR(static_cast<double>(length), testSourceMs(0.5), kToleranceMs);
    }
}

// A file GStreamer takes seconds to prepare is read on a thread of its own: the caller hears again
// and again that it is still under way, so its window paints meanwhile.
TEST(GstLengthProbe, ASlowFileLetsTheCallerGoOnWhileItIsRead) {
    TempFolder folder;
    const QString file = MediaFiles::manyTracksMidi(folder.file(QStringLiteral("tracks.mid")), 32768);
    GstLengthProbe probe;
    int waits = 0;
    probe.setWhileWaiting([&waits] { ++waits; });
    QString error;
    const qint64 length = probe.measure(file, &error);
    EXPECT_GE(length, 0) << error.toStdString();
    EXPECT_GT(waits, 5);
}

}  // namespace
