#include "core/playlist/clipboardtext.h"

#include "core/common/textfile.h"
#include "core/common/itemref.h"

namespace ClipboardText {

QString compose(const std::vector<PlayListEntry>& entries) {
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(entries.size()));
    for (const PlayListEntry& entry : entries) {
        lines.append(entry.length != 0 ? SetItemValue(entry.ref, QStringLiteral("L"), QString::number(entry.length))
                                       : entry.ref);
    }
    return TextFile::joinLines(lines);
}

std::vector<PlayListEntry> parse(const QString& text, const std::function<bool(const QString&)>& fileExists) {
    std::vector<PlayListEntry> entries;
    for (const QString& line : TextFile::splitLines(text)) {
        // The reference checked is the one kept: in a mangled line, taking out the length can take
        // the file with it.
        const QString ref = WithoutLength(line);
        if (!IsCDItem(ref) && !fileExists(GetItemValue(ref, QStringLiteral("FILE")))) {
            continue;
        }
        entries.push_back({ref, StoredLength(line).value_or(-1)});
    }
    return entries;
}

}  // namespace ClipboardText
