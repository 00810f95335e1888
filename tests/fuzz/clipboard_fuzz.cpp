// Clipboard paste: only CD items and references to existing files become items, and what Copy puts
// on the clipboard pastes back as the same items with the same lengths.
#include "fuzzcheck.h"

#include "core/common/textfile.h"
#include "core/playlist/clipboardtext.h"
#include "core/playlist/itemref.h"

namespace {

// A stand-in for the file system: absolute paths exist.
bool exists(const QString& path) {
    return path.startsWith(u'/');
}

// 0 and -1 both mean "not known".
qint64 known(qint64 length) {
    return length == 0 ? -1 : length;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = TextFile::decode(bytes);
    const std::vector<PlayListEntry> pasted = ClipboardText::parse(text, exists);
    for (const PlayListEntry& entry : pasted) {
        FUZZ_CHECK(IsCDItem(entry.ref) || exists(GetItemValue(entry.ref, QStringLiteral("FILE"))));
    }

    const std::vector<PlayListEntry> again = ClipboardText::parse(ClipboardText::compose(pasted), exists);
    FUZZ_CHECK_EQUAL(again.size(), pasted.size());
    for (size_t i = 0; i < pasted.size(); ++i) {
        FUZZ_CHECK_EQUAL(again[i].ref, pasted[i].ref);
        FUZZ_CHECK_EQUAL(known(again[i].length), known(pasted[i].length));
    }
    return 0;
}
