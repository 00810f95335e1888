#include "core/playlist/playlistfile.h"

#include "core/playlist/itemref.h"

#include <QDir>
#include <QHash>

#include <algorithm>

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
        contents.entries.push_back({WithoutLength(item), ItemLengthValue(item)});
    }
    if (!contents.lastPlayed.isEmpty()) {
        contents.lastPlayed = WithoutLength(contents.lastPlayed);
    }
    return contents;
}

QStringList itemLines(const QStringList& fileLines) {
    const qsizetype header = fileLines.indexOf(kItemsHeader);
    return header < 0 ? fileLines : fileLines.mid(header + 1);
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

}  // namespace

QStringList compose(const QStringList& items, const std::vector<PlayListEntry>& knownLengths,
                    const QString& lastPlayed) {
    const KnownLengths known(knownLengths);
    QStringList lines = header(lastPlayed, items.size());
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString item = WithoutLength(items.at(i));
        // A line that still holds the entry in its place needs no lookup.
        const auto at = static_cast<size_t>(i);
        const qint64 length = at < knownLengths.size() && item == knownLengths[at].ref
                                  ? known.byEntry[at]
                                  : known.byIdentity.value(ItemIdentity(item), 0);
        lines.append(SetItemValue(item, kLengthKey, QString::number(length)));
    }
    return lines;
}

QStringList composeEntries(const std::vector<PlayListEntry>& entries, const QString& lastPlayed) {
    const KnownLengths known(entries);
    QStringList lines = header(lastPlayed, static_cast<qsizetype>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        lines.append(SetItemValue(entries[i].ref, kLengthKey, QString::number(known.byEntry[i])));
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
