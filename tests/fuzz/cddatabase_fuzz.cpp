// The CD database reader: a disc's name is the "Name=" line under its header (at most 100
// characters), a track's name the first "Track<n>=" line of its section; and the database written
// to disk and read back answers the same.
#include "fuzzcheck.h"

#include "core/cdaudio/cddatabase.h"
#include "core/cdaudio/cddatabasesave.h"
#include "core/common/textfile.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QTemporaryDir folder;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = TextFile::splitFileLines(TextFile::decode(bytes));
    CDDatabase database;
    database.setLines(lines);

    const QString path = QDir(folder.path()).filePath(QStringLiteral("CDDB.INI"));
    FUZZ_CHECK(TextFile::writeLines(path, lines).isEmpty());
    CDDatabase stored;
    stored.reload(path);
    FUZZ_CHECK_EQUAL(stored.lines(), lines);

    QSet<QString> seenHeaders;
    for (qsizetype header = 0; header < lines.size(); ++header) {
        const QString& line = lines.at(header);
        if (!line.startsWith(u'[') || !line.endsWith(u']') || line.size() < 2 || seenHeaders.contains(line)) {
            continue;
        }
        seenHeaders.insert(line);
        const QString cdid = line.mid(1, line.size() - 2);
        const QString name = database.discName(cdid);
        FUZZ_CHECK_EQUAL(stored.discName(cdid), name);
        if (header + 1 < lines.size() && lines.at(header + 1).startsWith(QStringLiteral("Name="))) {
            FUZZ_CHECK_EQUAL(name, lines.at(header + 1).mid(5, 100));
        }
        QSet<QString> seenTracks;
        for (qsizetype i = header + 1; i < lines.size() && !lines.at(i).startsWith(u'['); ++i) {
            const QString& entry = lines.at(i);
            const qsizetype eq = entry.indexOf(u'=');
            if (!entry.startsWith(QStringLiteral("Track")) || eq < 0 || seenTracks.contains(entry.left(eq))) {
                continue;
            }
            seenTracks.insert(entry.left(eq));
            const QString track = entry.mid(5, eq - 5);
            FUZZ_CHECK_EQUAL(database.trackName(cdid, track), entry.mid(eq + 1));
            FUZZ_CHECK_EQUAL(stored.trackName(cdid, track), entry.mid(eq + 1));
        }
    }

    // Names taken from the input, line breaks and all, are saved one line each and read back as saved.
    const QString text = TextFile::decode(bytes.left(64));
    const QStringList withDisc = WithDiscSaved(lines, 1, text, text.split(u'|'));
    const QString savedPath = QDir(folder.path()).filePath(QStringLiteral("saved.INI"));
    FUZZ_CHECK(TextFile::writeLines(savedPath, withDisc).isEmpty());
    CDDatabase saved;
    saved.reload(savedPath);
    FUZZ_CHECK_EQUAL(saved.lines(), withDisc);
    FUZZ_CHECK(saved.readDisc(1, static_cast<int>(text.split(u'|').size())).found);
    return 0;
}
