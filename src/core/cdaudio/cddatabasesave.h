#pragma once

#include <QString>
#include <QStringList>

// The names stored for one disc, as the CD Audio List shows them.
struct StoredDisc {
    bool found = false;
    QString name;
    QStringList trackNames;  // one per track asked for; "Track N" where the section has no line for it
};

// A disc or track name as it may go into the database: one line (each line break becomes a space), no
// control characters.
QString CleanCDName(const QString& name);

// The database lines after the disc's names are saved: the last section of the disc, the one shown, is
// rewritten in place (its name line and one track line per track, lines added inside the section where
// it has fewer, so the section after it is never written over) and other sections of the disc are
// removed; a disc not stored yet is appended, after an empty line when the last line is not empty.
QStringList WithDiscSaved(const QStringList& lines, qint32 cdid, const QString& name, const QStringList& tracks);

// Saves the names of a disc into the database file: the file as it stands on disk is the base (a missing
// or deleted file counts as empty), its backup is a copy of that file made just before (none when there
// is no file), and the file is replaced atomically. Returns the message to show, or nothing.
struct CDDatabaseSaveResult {
    QString backupError;    // the backup could not be written; the save went on
    QString databaseError;  // the database could not be written; it is as it was
    QStringList lines;      // the database as saved
};
CDDatabaseSaveResult SaveDiscToDatabase(const QString& databasePath, const QString& backupPath, bool makeBackup,
                                        qint32 cdid, const QString& name, const QStringList& tracks);

// The database lines without the disc: for every section of the disc, its header, name line and track
// lines, and one empty neighbour (the separator after it, or before it when the section ends the file)
// only when that line exists and is empty. Unchanged when the disc is not stored.
QStringList WithDiscRemoved(const QStringList& lines, qint32 cdid);

// The database lines with its sections in a new order: each section (its header and the lines up to the
// next empty line) once, in the order of the header lines given, one empty line between two.
QStringList WithSectionsReordered(const QStringList& lines, const QList<qsizetype>& headerLines);
