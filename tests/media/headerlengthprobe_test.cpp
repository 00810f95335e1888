#include "media/headerlengthprobe.h"
#include "mediafiles.h"
#include "support/tempfolder.h"

#include <QDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// What the pool does not answer from a header: counted, and answered with a length no header gives.
class CountingProbe : public LengthProbe {
public:
    static constexpr qint64 kLength = 777777;
    QStringList measured;
    int waitSteps = 0;
    qint64 measure(const QString& path, QString* error) override {
        measured.append(path);
        for (int step = 0; step < waitSteps; ++step) {
            whileWaiting();
        }
        error->clear();
        return kLength;
    }
};

// PCM tones at 22.05 kHz: whole samples. Lengths from headers may be rounded to the nearest
// millisecond: each file here is 10 ms longer than the one before, so a stale answer still shows.
qint64 toneMs(double seconds) {
    return static_cast<qint64>(static_cast<int>(seconds * 22050) * 1000 / 22050);
}

// Every answer belongs to its own file, whether it was read ahead in the announced order, asked for out
// of that order, asked for twice, never announced, or announced and then replaced by another list.
TEST(HeaderLengthProbe, EachFileGetsItsOwnLengthInAnyOrder) {
    TempFolder folder;
    QStringList files;
    std::vector<qint64> expected;
    for (int i = 0; i < 60; ++i) {
        const double seconds = 0.25 + i * 0.01;
        files.append(MediaFiles::wav(folder.file(QStringLiteral("%1.wav").arg(i)), seconds));
        expected.push_back(toneMs(seconds));
    }
    const QString module = MediaFiles::mod(folder.file(QStringLiteral("pattern.mod")));
    CountingProbe behind;
    HeaderLengthProbe probe(behind);
    QString error;

    probe.expect(files.mid(0, 40) + QStringList{files[5], module});
    EXPECT_NEAR(probe.measure(files[30], &error), expected[30], 1);
    for (int i = 0; i < 40; ++i) {
        EXPECT_NEAR(probe.measure(files[i], &error), expected[i], 1) << "file " << i;
    }
    EXPECT_NEAR(probe.measure(files[5], &error), expected[5], 1);
    EXPECT_NEAR(probe.measure(files[5], &error), expected[5], 1);
    EXPECT_NEAR(probe.measure(files[50], &error), expected[50], 1);
    EXPECT_EQ(probe.measure(module, &error), CountingProbe::kLength);
    EXPECT_EQ(behind.measured, QStringList{module});

    probe.expect(files.mid(40, 10));
    probe.expect({files[59], files[58]});
    EXPECT_NEAR(probe.measure(files[58], &error), expected[58], 1);
    EXPECT_NEAR(probe.measure(files[45], &error), expected[45], 1);
    EXPECT_NEAR(probe.measure(files[59], &error), expected[59], 1);
    probe.expect({});
    EXPECT_NEAR(probe.measure(files[1], &error), expected[1], 1);
    EXPECT_TRUE(error.isEmpty());
}

// A named pipe in a Play List is not a sound file: reading its header would wait for a writer forever.
TEST(HeaderLengthProbe, APipeIsLeftToTheProbeBehindAndHoldsNoThread) {
    TempFolder folder;
    const QString pipe = folder.file(QStringLiteral("stream.wav"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString tone = MediaFiles::wav(folder.file(QStringLiteral("tone.wav")), 1.0);
    CountingProbe behind;
    {
        HeaderLengthProbe probe(behind);
        probe.expect({pipe, pipe, tone});
        QString error;
        EXPECT_EQ(probe.measure(pipe, &error), CountingProbe::kLength);
        EXPECT_EQ(probe.measure(tone, &error), toneMs(1.0));
    }  // and the pool's threads end
    EXPECT_EQ(behind.measured, QStringList{pipe});
}

// The window paints while the probe behind takes its time, as it did before headers were read.
TEST(HeaderLengthProbe, TheCallerHearsWhileTheProbeBehindWaits) {
    TempFolder folder;
    const QString module = MediaFiles::mod(folder.file(QStringLiteral("pattern.mod")));
    CountingProbe behind;
    behind.waitSteps = 3;
    HeaderLengthProbe probe(behind);
    int waits = 0;
    probe.setWhileWaiting([&waits] { ++waits; });
    QString error;
    EXPECT_EQ(probe.measure(module, &error), CountingProbe::kLength);
    EXPECT_EQ(waits, 3);
}

}  // namespace
