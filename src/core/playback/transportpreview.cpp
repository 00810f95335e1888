#include "core/playback/transportpreview.h"

#include "core/cdaudio/cdaudiolist.h"
#include "core/files/filelist.h"
#include "core/playback/playorder.h"
#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"
#include "core/settings/preferences.h"

namespace {

// Lines that count: the selected ones while two or more are selected, else all.
template <typename List>
bool counts(const List& playList, qsizetype line) {
    return playList.selectedCount() < 2 || playList.isSelected(line);
}

template <typename List>
qsizetype following(const List& playList, qsizetype index) {
    for (qsizetype line = std::max<qsizetype>(index + 1, 0); line < playList.lineCount(); ++line) {
        if (counts(playList, line)) {
            return line;
        }
    }
    return -1;
}

template <typename List>
qsizetype preceding(const List& playList, qsizetype index) {
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

template <typename List>
TransportPreview previewLines(const List& files, qsizetype index) {
    TransportPreview preview;
    if (files.isEmpty()) {
        return preview;
    }
    const qsizetype focused = files.focusedLine();
    preview.playItem = files.name(focused >= 0 && focused < files.count() ? focused : 0);
    const qsizetype next = following(files, index);
    if (next >= 0) {
        preview.nextEnabled = true;
        preview.nextItem = files.name(next);
    }
    const qsizetype previous = preceding(files, index);
    if (previous >= 0) {
        preview.previousEnabled = true;
        preview.previousItem = files.name(previous);
    }
    return preview;
}

TransportPreview PreviewFileList(const FileList& files, qsizetype index) {
    return previewLines(files, index);
}

TransportPreview PreviewCDList(const CDAudioList& tracks, qsizetype index) {
    return previewLines(tracks, index);
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
