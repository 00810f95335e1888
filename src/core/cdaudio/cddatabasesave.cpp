#include "core/cdaudio/cddatabasesave.h"

#include "core/cdaudio/cddatabase.h"
#include "core/common/textfile.h"

#include <QFile>

QString CleanCDName(const QString& name) {
    QString clean;
    clean.reserve(name.size());
    bool inBreak = false;
    for (const QChar c : name) {
        // A line break (one a hand edit left in the file, say) parts two words: it becomes one space.
        const bool isBreak =
            c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
        if (isBreak && !inBreak) {
            clean.append(u' ');
        } else if (!isBreak && c.category() != QChar::Other_Control) {
            clean.append(c);
        }
        inBreak = isBreak;
    }
    return clean;
}

namespace {

void appendSection(QStringList& lines, qint32 cdid, const QString& name, const QStringList& tracks) {
    if (!lines.isEmpty() && !lines.last().isEmpty()) {
        lines.append(QString());
    }
    lines.append(CDDatabase::header(cdid));
    lines.append(QStringLiteral("Name=") + CleanCDName(name));
    for (qsizetype t = 0; t < tracks.size(); ++t) {
        lines.append(QStringLiteral("Track%1=").arg(t + 1) + CleanCDName(tracks[t]));
    }
}

// The lines of a section after its header that belong to it: up to an empty line, the next header or
// the end of the file.
qsizetype sectionEnd(const QStringList& lines, qsizetype header) {
    qsizetype end = header + 1;
    while (end < lines.size() && !lines[end].isEmpty() && !lines[end].startsWith(u'[')) {
        ++end;
    }
    return end;
}

}  // namespace

QStringList WithDiscSaved(const QStringList& lines, qint32 cdid, const QString& name, const QStringList& tracks) {
    QStringList saved = lines;
    const qsizetype header = saved.indexOf(CDDatabase::header(cdid));
    if (header < 0) {
        appendSection(saved, cdid, name, tracks);
        return saved;
    }
    QStringList section{QStringLiteral("Name=") + CleanCDName(name)};
    for (qsizetype t = 0; t < tracks.size(); ++t) {
        section.append(QStringLiteral("Track%1=").arg(t + 1) + CleanCDName(tracks[t]));
    }
    // Lines of the section beyond the disc's tracks stay; missing ones are made inside the section.
    const qsizetype existing = sectionEnd(saved, header) - header - 1;
    for (qsizetype i = 0; i < section.size(); ++i) {
        if (i < existing) {
            saved[header + 1 + i] = section[i];
        } else {
            saved.insert(header + 1 + i, section[i]);
        }
    }
    return saved;
}

CDDatabaseSaveResult SaveDiscToDatabase(const QString& databasePath, const QString& backupPath, bool makeBackup,
                                        qint32 cdid, const QString& name, const QStringList& tracks) {
    CDDatabaseSaveResult result;
    const TextFile::ReadResult onDisk = TextFile::readLines(databasePath);
    if (onDisk.exists && !onDisk.ok) {
        result.databaseError = onDisk.error;
        return result;
    }
    if (makeBackup && onDisk.exists) {
        QFile file(databasePath);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        result.backupError = file.error() == QFileDevice::NoError ? TextFile::replaceFile(backupPath, bytes)
                                                                  : file.errorString();
    }
    result.lines = WithDiscSaved(onDisk.lines, cdid, name, tracks);
    result.databaseError = TextFile::writeLines(databasePath, result.lines);
    return result;
}

QStringList WithDiscRemoved(const QStringList& lines, qint32 cdid) {
    QStringList removed = lines;
    const qsizetype header = removed.indexOf(CDDatabase::header(cdid));
    if (header < 0) {
        return removed;
    }
    qsizetype end = std::min(header + 2, removed.size());  // past the name line, when there is one
    while (end < removed.size() && end - header - 2 < 100 && removed[end].startsWith(QStringLiteral("Track"))) {
        ++end;
    }
    removed.erase(removed.begin() + header, removed.begin() + end);
    if (header < removed.size()) {
        if (removed[header].isEmpty()) {
            removed.removeAt(header);
        }
    } else if (header > 0 && removed[header - 1].isEmpty()) {
        removed.removeAt(header - 1);
    }
    return removed;
}

QStringList WithSectionsReordered(const QStringList& lines, const QList<qsizetype>& headerLines) {
    QStringList reordered;
    for (const qsizetype header : headerLines) {
        if (header < 0 || header >= lines.size()) {
            continue;
        }
        if (!reordered.isEmpty()) {
            reordered.append(QString());
        }
        for (qsizetype i = header; i < lines.size() && (i == header || !lines[i].isEmpty()); ++i) {
            reordered.append(lines[i]);
        }
    }
    return reordered;
}
