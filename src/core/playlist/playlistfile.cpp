#include "core/playlist/playlistfile.h"

#include "core/common/itemref.h"

#include <QDir>
#include <QHash>

#include <algorithm>
#include <optional>

namespace PlayListFile {
namespace {

const QString kItemsHeader = QStringLiteral("[Items]");
const QString kLastPlayedKey = QStringLiteral("LastPlayed=");
const QString kLengthKey = QStringLiteral("L");

}  // namespace

Contents parse(const QStringList& lines) {
    Contents contents;
    const qsizetype header = lines.indexOf(kItemsHeader);
    qsizetype first = 0;
    if (header >= 0) {
        // Only the header names the last played item; an item whose path holds the key text is not it.
        for (qsizetype i = 0; i < header; ++i) {
            if (lines.at(i).contains(kLastPlayedKey)) {
                contents.lastPlayed = lines.at(i).mid(kLastPlayedKey.size());
                break;
            }
        }
        first = header + 1;
    }
    contents.entries.reserve(static_cast<size_t>(lines.size() - first));
    for (qsizetype i = first; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.isEmpty()) {
            continue;
        }
        const QString item = NormalizeItem(line);
        if (IsItemReference(item)) {
            contents.entries.push_back({WithoutLength(item), ItemLengthValue(item)});
        } else {
            contents.entries.push_back({line, 0});
        }
    }
    // It names an entry: as that entry was read.
    if (IsItemReference(contents.lastPlayed)) {
        contents.lastPlayed = WithoutLength(contents.lastPlayed);
    }
    return contents;
}

namespace {

// Each entry's length as its item has it, and the same by item identity: lines of one item share the
// first length known for it (a pasted line knows none), and an unknown length is stored as 0.
struct KnownLengths {
    std::vector<qint64> byEntry;
    QHash<QString, qint64> byIdentity;

    explicit KnownLengths(const std::vector<PlayListEntry>& entries) : byEntry(entries.size()) {
        std::vector<QString> identities(entries.size());
        byIdentity.reserve(static_cast<qsizetype>(entries.size()));
        for (size_t i = 0; i < entries.size(); ++i) {
            identities[i] = ItemIdentity(entries[i].ref);
            const qint64 length = std::max<qint64>(entries[i].length, 0);
            auto known = byIdentity.find(identities[i]);
            if (known == byIdentity.end()) {
                byIdentity.insert(identities[i], length);
            } else if (*known == 0) {
                *known = length;
            }
        }
        for (size_t i = 0; i < entries.size(); ++i) {
            byEntry[i] = byIdentity.value(identities[i]);
        }
    }
};

QStringList header(const QString& lastPlayed, qsizetype items) {
    QStringList lines;
    lines.reserve(items + 4);
    lines << QStringLiteral("[General]") << kLastPlayedKey + lastPlayed << QString() << kItemsHeader;
    return lines;
}

// A line that is no item reference is stored as it stands: a length written into it would change
// what it says.
QString withLength(const QString& ref, qint64 length) {
    return IsItemReference(ref) ? SetItemValue(ref, kLengthKey, QString::number(length)) : ref;
}

// The header with "LastPlayed=" naming lastPlayed: the line that names it now changes, and a file
// without one gets the whole header.
QStringList withLastPlayed(const QStringList& fileLines, qsizetype itemsHeader, const QString& lastPlayed) {
    QStringList lines = fileLines;
    for (qsizetype i = 0; i < itemsHeader; ++i) {
        if (lines.at(i).contains(kLastPlayedKey)) {
            lines[i] = kLastPlayedKey + lastPlayed;
            return lines;
        }
    }
    QStringList updated = header(lastPlayed, lines.size());
    updated.append(itemsHeader < 0 ? lines : lines.mid(itemsHeader + 1));
    return updated;
}

}  // namespace

QStringList update(const QStringList& fileLines, const std::vector<PlayListEntry>& knownLengths,
                   const std::optional<QString>& lastPlayed) {
    const KnownLengths known(knownLengths);
    const qsizetype itemsHeader = fileLines.indexOf(kItemsHeader);
    QStringList lines = lastPlayed ? withLastPlayed(fileLines, itemsHeader, *lastPlayed) : fileLines;
    size_t entry = 0;  // the entry the line was read into, while the list is as it was read
    for (qsizetype i = lines.indexOf(kItemsHeader) + 1; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.isEmpty()) {
            continue;
        }
        const size_t at = entry++;
        const QString item = NormalizeItem(line);
        if (!IsItemReference(item)) {
            continue;
        }
        const QString ref = WithoutLength(item);
        // The entry the line was read into knows best; failing that, any line of its item.
        const qint64 own =
            at < knownLengths.size() && ref == knownLengths[at].ref ? knownLengths[at].length : 0;
        const qint64 length = own > 0 ? own : known.byIdentity.value(ItemIdentity(ref), 0);
        // Only a length learnt since the line was written changes it, and only when the line can
        // hold it: a damaged line that cannot is kept as it stands rather than cut short.
        if (length > 0 && StoredLength(item) != length) {
            const QString written = SetItemValue(ref, kLengthKey, QString::number(length));
            if (StoredLength(written) == length) {
                lines[i] = written;
            }
        }
    }
    return lines;
}

QStringList composeEntries(const std::vector<PlayListEntry>& entries, const QString& lastPlayed) {
    const KnownLengths known(entries);
    QStringList lines = header(lastPlayed, static_cast<qsizetype>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        lines.append(withLength(entries[i].ref, known.byEntry[i]));
    }
    return lines;
}

QString lastPlayedFor(const PlayList& playList) {
    const int current = playList.CurrentItem();
    if (playList.isEmpty() || current < 0 || current >= playList.count() - 1) {
        return {};
    }
    return playList.item(current);
}

QStringList sampleList(const QString& samplesFolder) {
    static const QStringList names = {
        QStringLiteral("Moonlight Sonata.mid"), QStringLiteral("Für Elise.mid"),
        QStringLiteral("Symphony 5.mid"),       QStringLiteral("March.mid"),
        QStringLiteral("Dance of the Sugar-plum Fairy.mid"), QStringLiteral("Waltz of the Flowers.mid")};
    QStringList lines = {QStringLiteral("[General]"), kLastPlayedKey, QString(), kItemsHeader};
    const QDir folder(samplesFolder);
    for (const QString& name : names) {
        lines.append(MakeFileItem(folder.absoluteFilePath(name)));
    }
    return lines;
}

}  // namespace PlayListFile
