#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

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

private:
    void indexSections() const;

    QStringList m_lines;
    mutable QHash<QString, qsizetype> m_sectionStart;  // header line -> index of its first occurrence
    mutable bool m_indexed = false;
};
