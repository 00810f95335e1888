#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Every text file Velmaro reads or writes (play lists, settings, CD database, logs) goes through here:
// lines end in CR LF; on disk the text is Windows-1252 when every character fits and the bytes cannot
// be taken for UTF-8, else UTF-8; on read, a line whose bytes are valid UTF-8 is UTF-8 and any other
// line is Windows-1252, so nothing is lost either way, also in a file that mixes the two.
namespace TextFile {

QString decode(const QByteArray& bytes);
QByteArray encode(const QString& text);

// Pasted text: splits at CR LF, LF or CR; a final line break does not add an empty line.
QStringList splitLines(const QString& text);
// The lines of a file: each ends at a LF and the CRs just before it. A CR inside a line is part of it
// (a hand edit can leave one in a value), unless the file has no LF at all: then CRs end its lines.
QStringList splitFileLines(const QString& text);
// Each line followed by CR LF.
QString joinLines(const QStringList& lines);

struct ReadResult {
    bool exists = false;
    bool ok = false;
    QStringList lines;
    QString error;  // the system's reason when the file exists but cannot be read
};
ReadResult readLines(const QString& path);

// Replaces the file atomically: on failure (a full disk included) the old file stays as it was and the
// system's reason is returned. An empty result means success.
QString replaceFile(const QString& path, const QByteArray& bytes);
QString writeLines(const QString& path, const QStringList& lines);

}  // namespace TextFile
