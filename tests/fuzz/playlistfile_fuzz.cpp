// The Play List file: a file read, saved and read again keeps its items, in order, each with the
// first length known for its item (unknown ones as 0), and the item it last played. A file left
// without saving keeps every line but those that learn a length, and those keep their item.
#include "fuzzcheck.h"

#include "core/common/textfile.h"
#include "core/common/itemref.h"
#include "core/playlist/playlistfile.h"

#include <QHash>

namespace {

PlayListFile::Contents readBack(const QStringList& saved) {
    return PlayListFile::parse(TextFile::splitLines(TextFile::decode(TextFile::encode(TextFile::joinLines(saved)))));
}

bool isKnown(qint64 length) {
    return length > 0;
}

QHash<QString, qint64> firstKnownLengths(const PlayListFile::Contents& read) {
    QHash<QString, qint64> firstKnown;
    for (const PlayListEntry& entry : read.entries) {
        qint64& known = firstKnown[ItemIdentity(entry.ref)];
        if (!isKnown(known) && isKnown(entry.length)) {
            known = entry.length;
        }
    }
    return firstKnown;
}

void checkSaved(const PlayListFile::Contents& read, const PlayListFile::Contents& again) {
    const QHash<QString, qint64> firstKnown = firstKnownLengths(read);
    FUZZ_CHECK_EQUAL(again.entries.size(), read.entries.size());
    for (size_t i = 0; i < read.entries.size(); ++i) {
        FUZZ_CHECK_EQUAL(again.entries[i].ref, read.entries[i].ref);
        // Every line of an item gets the first length known for it, an unknown one as 0; a line that
        // is no reference holds none.
        const qint64 expected =
            IsItemReference(read.entries[i].ref) ? firstKnown.value(ItemIdentity(read.entries[i].ref)) : 0;
        FUZZ_CHECK_EQUAL(again.entries[i].length, expected);
    }
    FUZZ_CHECK_EQUAL(again.lastPlayed, read.lastPlayed);
}

// Left as it was read: a line changes only to take the length another line of its item knows.
void checkLeft(const QStringList& lines, const PlayListFile::Contents& read, const QStringList& left) {
    const QHash<QString, qint64> firstKnown = firstKnownLengths(read);
    const PlayListFile::Contents again = readBack(left);
    FUZZ_CHECK_EQUAL(left.size(), lines.size());
    FUZZ_CHECK_EQUAL(again.entries.size(), read.entries.size());
    bool learns = false;
    for (size_t i = 0; i < read.entries.size(); ++i) {
        const PlayListEntry& entry = read.entries[i];
        FUZZ_CHECK_EQUAL(again.entries[i].ref, entry.ref);
        const qint64 shared = IsItemReference(entry.ref) ? firstKnown.value(ItemIdentity(entry.ref)) : 0;
        const bool borrows = !isKnown(entry.length) && isKnown(shared);
        learns = learns || borrows;
        FUZZ_CHECK_EQUAL(again.entries[i].length, borrows ? shared : entry.length);
    }
    FUZZ_CHECK_EQUAL(again.lastPlayed, read.lastPlayed);
    if (!learns) {
        FUZZ_CHECK(left == lines);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = TextFile::splitLines(TextFile::decode(bytes));
    const PlayListFile::Contents read = PlayListFile::parse(lines);

    // Saving the Play List in memory.
    checkSaved(read, readBack(PlayListFile::composeEntries(read.entries, read.lastPlayed)));
    // Leaving the file without saving, having played nothing and measured nothing.
    checkLeft(lines, read, PlayListFile::update(lines, read.entries, std::nullopt));
    // Leaving it having played: the header names the item, and the items stay.
    const PlayListFile::Contents played =
        readBack(PlayListFile::update(lines, read.entries, read.lastPlayed));
    FUZZ_CHECK_EQUAL(played.entries.size(), read.entries.size());
    FUZZ_CHECK_EQUAL(played.lastPlayed, read.lastPlayed);
    return 0;
}
