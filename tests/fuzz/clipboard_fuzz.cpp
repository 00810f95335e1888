// Clipboard paste: only CD items and references to existing files become items, and what Copy puts
// on the clipboard pastes back as the same items with the same lengths.
#include "fuzzcheck.h"

#include "core/common/textfile.h"
#include "core/playlist/clipboardtext.h"
#include "core/common/itemref.h"

namespace {

// A stand-in for the file system: absolute paths that a reference can hold exist.
bool exists(const QString& path) {
    return path.startsWith(u'/') && IsStorablePath(path);
}

// A line that is no reference cannot hold a length, and is copied as it stands.
bool canHoldLength(const QString& ref) {
    return SetItemValue(ref, QStringLiteral("L"), QStringLiteral("1")) != ref;
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
        if (canHoldLength(pasted[i].ref)) {
            FUZZ_CHECK_EQUAL(known(again[i].length), known(pasted[i].length));
        }
    }
    return 0;
}
