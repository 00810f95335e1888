#include "core/playlist/playlistfile.h"

#include "core/playlist/itemref.h"

#include <QDir>
#include <QHash>

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
        contents.entries.push_back({RemoveItemValue(item, kLengthKey), ItemLengthValue(item)});
    }
    if (!contents.lastPlayed.isEmpty()) {
        contents.lastPlayed = RemoveItemValue(contents.lastPlayed, kLengthKey);
    }
    return contents;
}

QStringList itemLines(const QStringList& fileLines) {
    const qsizetype header = fileLines.indexOf(kItemsHeader);
    return header < 0 ? fileLines : fileLines.mid(header + 1);
}

QStringList compose(const QStringList& items, const std::vector<PlayListEntry>& knownLengths,
                    const QString& lastPlayed) {
    // The first entry of an item decides its length, as a search from the top of the list would:
    // walking backwards lets the first one write last.
    QHash<QString, qint64> lengths;
    lengths.reserve(static_cast<qsizetype>(knownLengths.size()));
    for (auto it = knownLengths.rbegin(); it != knownLengths.rend(); ++it) {
        lengths[ItemIdentity(it->ref)] = it->length;
    }

    QStringList lines;
    lines.reserve(items.size() + 4);
    lines << QStringLiteral("[General]") << kLastPlayedKey + lastPlayed << QString() << kItemsHeader;
    for (const QString& line : items) {
        const QString item = RemoveItemValue(line, kLengthKey);
        const qint64 length = lengths.value(ItemIdentity(item), 0);
        lines.append(SetItemValue(item, kLengthKey, QString::number(length)));
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
