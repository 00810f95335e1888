#include "core/playback/positionfinder.h"

#include "core/playback/lengthcalculator.h"
#include "core/playlist/playorder.h"
#include "core/common/itemref.h"
#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"

#include <QRandomGenerator>
#include <QSet>
#include <QStringList>

#include <vector>

namespace {

struct Candidate {
    qsizetype line;
    qint64 length;
};

qint64 knownLength(const PlayList& playList, qsizetype line) {
    const qint64 length = line >= 0 ? playList.length(line) : 0;
    return LengthCalculator::isKnown(length) ? length : 0;
}

}  // namespace

FoundPosition FindPositionInPlayList(PlayList& playList, PlayOrder& order, const ItemSet& played, bool randomPlay,
                                     bool playingSelection, qint64 target,
                                     const std::function<qsizetype(qsizetype)>& random) {
    std::vector<Candidate> candidates;
    for (qsizetype line = 0; line < playList.count(); ++line) {
        if (!playingSelection || playList.isSelected(line)) {
            candidates.push_back({line, knownLength(playList, line)});
        }
    }
    if (candidates.empty()) {
        return {};
    }
    if (!randomPlay) {
        qint64 sum = 0;
        for (const Candidate& candidate : candidates) {
            if (sum + candidate.length >= target) {
                return {candidate.line, target - sum};
            }
            sum += candidate.length;
        }
        return {candidates.back().line, candidates.back().length};
    }

    // The played copy: the played items (of the selection), in the order they were played.
    QStringList playedCopy;
    qint64 playedTotal = 0;
    for (const QString& ref : played.items()) {
        const qsizetype line = playList.indexOfItem(ref);
        if (line >= 0 && (!playingSelection || playList.isSelected(line))) {
            playedCopy.append(ref);
            playedTotal += knownLength(playList, line);
        }
    }
    auto draw = [&random](qsizetype bound) {
        return random ? random(bound)
                      : static_cast<qsizetype>(QRandomGenerator::global()->bounded(static_cast<quint64>(bound)));
    };
    FoundPosition found;
    // With nothing played yet even the start is a drawn item.
    if (target > playedTotal || playedCopy.isEmpty()) {
        // New items drawn at random after the played ones, until the running total reaches the target.
        QSet<QString> taken;
        for (const QString& ref : playedCopy) {
            taken.insert(ItemIdentity(ref));
        }
        // An item listed twice is one item: once drawn, it is played.
        std::vector<Candidate> fresh;
        for (const Candidate& candidate : candidates) {
            const QString identity = ItemIdentity(playList.item(candidate.line));
            if (!taken.contains(identity)) {
                taken.insert(identity);
                fresh.push_back(candidate);
            }
        }
        qint64 sum = playedTotal;
        while (!fresh.empty()) {
            const auto pick = static_cast<size_t>(draw(static_cast<qsizetype>(fresh.size())));
            const Candidate candidate = fresh[pick];
            fresh.erase(fresh.begin() + static_cast<std::ptrdiff_t>(pick));
            playedCopy.append(playList.item(candidate.line));
            found = {candidate.line, target - sum};
            sum += candidate.length;
            if (sum >= target) {
                break;
            }
        }
        order.ResetPlayed();
        for (const QString& ref : std::as_const(playedCopy)) {
            order.MarkPlayed(ref, false);
        }
    } else {
        // Within what was played: replay the played items in order up to the target.
        order.ResetPlayed();
        qint64 sum = 0;
        for (const QString& ref : std::as_const(playedCopy)) {
            order.MarkPlayed(ref, false);
            const qsizetype line = playList.indexOfItem(ref);
            const qint64 length = knownLength(playList, line);
            found = {line, target - sum};
            if (sum + length >= target) {
                break;
            }
            sum += length;
        }
    }
    playList.refreshLines(0, playList.lineCount() - 1);
    return found;
}
