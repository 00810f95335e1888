#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

struct StoredDisc;

// The CD database "CDDB.INI" as lines: one section per disc, "[<CDID>]", "Name=<disc>", then
// "Track<n>=<name>" lines. The file on disk is the reference; reload() re-reads it.
class CDDatabase {
public:
    void reload(const QString& path);
    void setLines(const QStringList& lines);
    const QStringList& lines() const { return m_lines; }

    // The stored name of track <track> of disc <cdid>, matched by the number after "Track";
    // empty when the disc or the track is not in the database.
    QString trackName(const QString& cdid, const QString& track) const;
    // The stored name of disc <cdid> (at most 100 characters), or empty when the disc is not stored.
    QString discName(const QString& cdid) const;

    // "[<cdid>]"
    static QString header(qint32 cdid);
    // The names of the disc for a list of trackCount tracks, from the LAST section of the disc: its name
    // line and its track lines by position. A track whose line the section does not have (the section
    // ends at an empty line, the next header or the end of the file) keeps "Track N".
    StoredDisc readDisc(qint32 cdid, int trackCount) const;
    // The disc names of the sections whose header is a 32-bit number, in file order, with their
    // identifiers and the number of their track lines.
    struct Section {
        qint32 cdid = 0;
        QString name;
        int trackLines = 0;
    };
    QList<Section> sections() const;

    // A track name from its line: the text after the first "=" among the first 79 characters, else the
    // text from the 80th character on.
    static QString trackNameOfLine(const QString& line);

private:
    void indexSections() const;

    QStringList m_lines;
    mutable QHash<QString, qsizetype> m_sectionStart;  // header line -> index of its first occurrence
    mutable bool m_indexed = false;
};
