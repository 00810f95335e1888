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

// Takes out the section whose header is at the line given: the header, its name line and its track
// lines, and one empty neighbour (the separator after it, or before it when the section ends the file)
// only when that line exists and is empty.
void removeSectionAt(QStringList& lines, qsizetype header) {
    qsizetype end = header + 1;
    if (end < lines.size() && !lines[end].startsWith(u'[')) {
        ++end;  // the name line; a header right after belongs to the next section
    }
    while (end < lines.size() && end - header - 2 < 100 && lines[end].startsWith(QStringLiteral("Track"))) {
        ++end;
    }
    lines.erase(lines.begin() + header, lines.begin() + end);
    if (header < lines.size()) {
        if (lines[header].isEmpty()) {
            lines.removeAt(header);
        }
    } else if (header > 0 && lines[header - 1].isEmpty()) {
        lines.removeAt(header - 1);
    }
}

}  // namespace

QStringList WithDiscSaved(const QStringList& lines, qint32 cdid, const QString& name, const QStringList& tracks) {
    QStringList saved = lines;
    const QString headerLine = CDDatabase::header(cdid);
    // The disc is shown from its last section, so that one takes the names the user saw and edited.
    const qsizetype header = saved.lastIndexOf(headerLine);
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
    // Copies before it would name the disc elsewhere (the Play List, Delete): the disc is stored once.
    for (qsizetype i = header - 1; i >= 0; --i) {
        if (saved[i] == headerLine) {
            removeSectionAt(saved, i);
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
    const QString headerLine = CDDatabase::header(cdid);
    // From the end, so that a section ending the file takes the empty line before it.
    for (qsizetype i = removed.size() - 1; i >= 0; --i) {
        if (i < removed.size() && removed[i] == headerLine) {
            removeSectionAt(removed, i);
        }
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
