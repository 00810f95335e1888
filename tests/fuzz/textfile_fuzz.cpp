// Text decoding and line splitting: what we encode decodes to the same text, each line is decoded on
// its own, and joined lines split back into the same lines.
#include "fuzzcheck.h"

#include "core/common/textfile.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = TextFile::decode(bytes);
    FUZZ_CHECK_EQUAL(TextFile::decode(TextFile::encode(text)), text);

    // Each line is read on its own: its text does not depend on the other lines of the file.
    QByteArrayView rest(bytes);
    if (rest.startsWith("\xEF\xBB\xBF")) {
        rest = rest.sliced(3);
    }
    QString byLine;
    while (!rest.isEmpty()) {
        const qsizetype newline = rest.indexOf('\n');
        const qsizetype end = newline < 0 ? rest.size() : newline + 1;
        byLine += TextFile::decode("\n" + rest.first(end).toByteArray()).mid(1);
        rest = rest.sliced(end);
    }
    FUZZ_CHECK_EQUAL(byLine, text);

    // Pasted text: every kind of line break ends a line.
    const QStringList lines = TextFile::splitLines(text);
    for (const QString& line : lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
    }
    FUZZ_CHECK_EQUAL(TextFile::splitLines(TextFile::joinLines(lines)), lines);

    // A file's lines: a CR may stand inside one, and a file of these lines reads back as the same lines.
    const QStringList fileLines = TextFile::splitFileLines(text);
    for (const QString& line : fileLines) {
        FUZZ_CHECK(!line.contains(u'\n') && !line.endsWith(u'\r'));
    }
    FUZZ_CHECK_EQUAL(TextFile::splitFileLines(TextFile::joinLines(fileLines)), fileLines);
    FUZZ_CHECK_EQUAL(
        TextFile::splitFileLines(TextFile::decode(TextFile::encode(TextFile::joinLines(fileLines)))),
        fileLines);
    return 0;
}
