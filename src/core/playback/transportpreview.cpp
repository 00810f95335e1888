#include "core/playback/transportpreview.h"

#include "core/common/sourcelines.h"
#include "core/playlist/playorder.h"
#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"
#include "core/settings/preferences.h"

namespace {

// Lines that count: the selected ones while two or more are selected, else all.
bool counts(const SourceLines& playList, qsizetype line) {
    return playList.selectedCount() < 2 || playList.isSelected(line);
}

qsizetype following(const SourceLines& playList, qsizetype index) {
    for (qsizetype line = std::max<qsizetype>(index + 1, 0); line < playList.lineCount(); ++line) {
        if (counts(playList, line)) {
            return line;
        }
    }
    return -1;
}

qsizetype preceding(const SourceLines& playList, qsizetype index) {
    for (qsizetype line = std::min(index, playList.lineCount()) - 1; line >= 0; --line) {
        if (counts(playList, line)) {
            return line;
        }
    }
    return -1;
}

}  // namespace

TransportPreview PreviewPlayList(const PlayList& playList, const PlayOrder& order, const ItemSet& played,
                                 const Preferences& preferences, qsizetype index) {
    TransportPreview preview;
    const qsizetype lines = playList.lineCount();
    if (lines > 0) {
        const qsizetype focused = playList.focusedLine();
        preview.playItem = playList.line(focused >= 0 && focused < lines ? focused : 0);
    }
    if (preferences.randomPlay) {
        const bool selection = order.selectionMode();
        const qsizetype playedEligible = selection ? order.playedSelectedCount() : played.size();
        const qsizetype eligible = selection ? playList.selectedCount() : lines;
        const bool allPlayed = playedEligible >= eligible;
        preview.nextEnabled = lines > 0 && (preferences.loopPlayList || !allPlayed);
        if (preview.nextEnabled) {
            preview.nextItem = QStringLiteral("Randomly Selected Item");
        }
        preview.previousEnabled = selection ? playedEligible > 1 : (played.size() > 1 && lines > 0);
        if (preview.previousEnabled) {
            preview.previousItem = QStringLiteral("Previously Played Item");
        }
        return preview;
    }
    if (lines == 0) {
        return preview;
    }
    const qsizetype next = following(playList, index);
    if (next >= 0) {
        preview.nextEnabled = true;
        preview.nextItem = playList.line(next);
    } else if (preferences.loopPlayList) {
        preview.nextEnabled = true;
        preview.nextItem = playList.line(following(playList, -1));
    }
    const qsizetype previous = preceding(playList, index);
    if (previous >= 0) {
        preview.previousEnabled = true;
        preview.previousItem = playList.line(previous);
    } else if (preferences.loopPlayList) {
        preview.previousEnabled = true;
        preview.previousItem = playList.line(preceding(playList, lines));
    }
    return preview;
}

TransportPreview PreviewLines(const SourceLines& lines, const std::function<QString(qsizetype)>& text,
                              qsizetype index) {
    TransportPreview preview;
    const qsizetype count = lines.lineCount();
    if (count == 0) {
        return preview;
    }
    const qsizetype focused = lines.focusedLine();
    preview.playItem = text(focused >= 0 && focused < count ? focused : 0);
    const qsizetype next = following(lines, index);
    if (next >= 0) {
        preview.nextEnabled = true;
        preview.nextItem = text(next);
    }
    const qsizetype previous = preceding(lines, index);
    if (previous >= 0) {
        preview.previousEnabled = true;
        preview.previousItem = text(previous);
    }
    return preview;
}

QString TransportHint(const QString& caption, const QString& shortcutText, const QString& item) {
    QString hint = QString(caption).remove(u'&');
    if (!shortcutText.isEmpty()) {
        hint += QStringLiteral(" (") + shortcutText + u')';
    }
    if (!item.isEmpty()) {
        hint += QStringLiteral(": ") + item;
    }
    return hint + u'|';
}
