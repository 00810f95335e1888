#include "core/playback/midireset.h"

#include <QFileInfo>

bool MidiReset::isMidiItem(const PlayItem& item) {
    if (item.kind != PlayItem::Kind::File) {
        return false;
    }
    const QString suffix = QFileInfo(item.path).suffix().toLower();
    return suffix == u"mid" || suffix == u"rmi";
}

QString MidiReset::fileBefore(const PlayItem& item, const QString& resetFile) {
    if (resetFile.isEmpty() || !isMidiItem(item)) {
        return QString();
    }
    // A name without a folder would be looked for in whatever folder the program runs in.
    const QFileInfo file(resetFile);
    return file.isAbsolute() && file.isFile() ? file.absoluteFilePath() : QString();
}

bool MidiReset::firstFailureOf(const QString& resetFile) {
    if (m_reportedFailure == resetFile) {
        return false;
    }
    m_reportedFailure = resetFile;
    return true;
}
