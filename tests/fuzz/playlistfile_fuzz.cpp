// The Play List file: a file read, saved and read again keeps its items, in order, each with the
// first length known for its item (unknown ones as 0), and the item it last played.
#include "fuzzcheck.h"

#include "core/common/textfile.h"
#include "core/playlist/itemref.h"
#include "core/playlist/playlistfile.h"

#include <QHash>

namespace {

PlayListFile::Contents readBack(const QStringList& saved) {
    return PlayListFile::parse(TextFile::splitLines(TextFile::decode(TextFile::encode(TextFile::joinLines(saved)))));
}

bool canHoldLength(const QString& ref) {
    return SetItemValue(ref, QStringLiteral("L"), QStringLiteral("1")) != ref;
}

bool isKnown(qint64 length) {
    return length > 0;
}

void checkSurvives(const PlayListFile::Contents& read, const PlayListFile::Contents& again) {
    QHash<QString, qint64> firstKnown;
    for (const PlayListEntry& entry : read.entries) {
        qint64& known = firstKnown[ItemIdentity(entry.ref)];
        if (!isKnown(known) && isKnown(entry.length)) {
            known = entry.length;
        }
    }
    FUZZ_CHECK_EQUAL(again.entries.size(), read.entries.size());
    for (size_t i = 0; i < read.entries.size(); ++i) {
        // A bracketed line without a pair gets a bare "L=" written into it and can lose a separator
        // it had before the bracket: it names no item either way.
        if (read.entries[i].ref.contains(u'=') || !canHoldLength(read.entries[i].ref)) {
            FUZZ_CHECK_EQUAL(again.entries[i].ref, read.entries[i].ref);
        }
        // A line that is no reference cannot hold a length, and is stored as it stands.
        if (!canHoldLength(read.entries[i].ref)) {
            continue;
        }
        // Every line of an item gets the first length known for it; an unknown one is stored as 0.
        FUZZ_CHECK_EQUAL(again.entries[i].length, firstKnown.value(ItemIdentity(read.entries[i].ref)));
    }
    FUZZ_CHECK_EQUAL(again.lastPlayed, read.lastPlayed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = TextFile::splitLines(TextFile::decode(bytes));
    const PlayListFile::Contents read = PlayListFile::parse(lines);

    // Saving the Play List in memory.
    checkSurvives(read, readBack(PlayListFile::composeEntries(read.entries, read.lastPlayed)));
    // Saving the file's own lines, as Save does for a list edited as text.
    checkSurvives(read, readBack(PlayListFile::compose(PlayListFile::itemLines(lines), read.entries, read.lastPlayed)));
    return 0;
}
