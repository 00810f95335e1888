#pragma once

#include <QDropEvent>
#include <QMimeData>
#include <QString>

// What a drag between the window's lists carries: lines of one of them, or a folder of the Folder List.
// A drop is taken only from a list of this window (a drag from another program has no source widget).
namespace ListDrag {

inline QString playListLines() {
    return QStringLiteral("application/x-velmaro-play-list-lines");
}
inline QString fileListLines() {
    return QStringLiteral("application/x-velmaro-file-list-lines");
}
inline QString cdAudioListLines() {
    return QStringLiteral("application/x-velmaro-cd-audio-list-lines");
}
inline QString folder() {
    return QStringLiteral("application/x-velmaro-folder");
}

inline bool carries(const QDropEvent* event, const QString& kind) {
    return event->source() != nullptr && event->mimeData()->hasFormat(kind);
}

}  // namespace ListDrag
