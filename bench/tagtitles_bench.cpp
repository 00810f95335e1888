// A Play List of 5,000 tagged files (Ogg Vorbis, MP3 with ID3v2, FLAC) with titles from tags shown:
// how long the list takes to show (by file names, before any tag is read) and how long until every
// line shows its "Artist - Title", the event loop running as the window's would.
#include "core/common/itemref.h"
#include "core/playlist/playlist.h"
#include "core/playlist/tagtitles.h"
#include "media/gstmediadevice.h"
#include "media/taglibtagreader.h"
#include "mediafiles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kFiles = 5000;

class Corpus {
public:
    static const Corpus& get() {
        static const Corpus corpus;
        return corpus;
    }
    const QStringList& files() const { return m_files; }

private:
    Corpus() {
        const QDir root(m_dir.path());
        static const char* const kEncoders[] = {"vorbisenc ! oggmux", "lamemp3enc ! id3v2mux", "flacenc"};
        static const char* const kSuffixes[] = {"ogg", "mp3", "flac"};
        QStringList templates;
        for (int v = 0; v < 3; ++v) {
            const QString encoder = QStringLiteral("taginject tags=\"artist=Artist%1,title=Title%1\" ! %2")
                                        .arg(v)
                                        .arg(QString::fromLatin1(kEncoders[v]));
            templates.append(MediaFiles::encodedWith(
                root.filePath(QStringLiteral("template%1.%2").arg(v).arg(QString::fromLatin1(kSuffixes[v]))),
                encoder, 1.0));
        }
        for (int i = 0; i < kFiles; ++i) {
            const QString& from = templates[i % 3];
            const QString to = root.filePath(
                QStringLiteral("%1 - Track.%2").arg(i, 4, 10, QChar(u'0')).arg(QFileInfo(from).suffix()));
            if (from.isEmpty() || !QFile::copy(from, to)) {
                m_files.clear();
                return;
            }
            m_files.append(to);
        }
    }

    QTemporaryDir m_dir;
    QStringList m_files;
};

bool allTitled(const PlayList& list) {
    for (qsizetype i = 0; i < list.lineCount(); ++i) {
        if (!list.showsTagTitle(i)) {
            return false;
        }
    }
    return true;
}

void BM_AllTitlesKnown(benchmark::State& state) {
    const Corpus& corpus = Corpus::get();
    if (corpus.files().size() != kFiles) {
        state.SkipWithError("the files could not be generated");
        return;
    }
    std::vector<PlayListEntry> entries;
    for (const QString& file : corpus.files()) {
        entries.push_back({MakeFileItem(file), 0});
    }
    double shownMs = 0;
    for (auto _ : state) {
        // A new reader and cache each time: nothing is known from the run before.
        PlayList list;
        TagLibTagReader reader;
        TagTitles titles(list, &reader);
        list.setTagTitles(&titles);
        ItemDisplayOptions options;
        options.showTagTitles = true;
        list.setDisplayOptions(options);

        QElapsedTimer shown;
        shown.start();
        list.setEntries(entries);
        list.RedrawPlayList(false);
        shownMs = static_cast<double>(shown.nsecsElapsed()) / 1e6;

        const QDeadlineTimer deadline(120000);
        while (!allTitled(list) && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        }
        if (!allTitled(list)) {
            state.SkipWithError("some titles never arrived");
            return;
        }
    }
    state.counters["list_shown_ms"] = shownMs;
}

BENCHMARK(BM_AllTitlesKnown)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    GstMediaDevice::initialise();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
