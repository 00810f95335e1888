#include "core/cdaudio/cddatabase.h"

#include "core/cdaudio/cddatabasesave.h"
#include "core/common/textfile.h"

void CDDatabase::reload(const QString& path) {
    // A database deleted while the program runs counts as empty; one that cannot be read keeps what was read.
    const TextFile::ReadResult file = TextFile::readLines(path);
    if (file.ok || !file.exists) {
        setLines(file.lines);
    }
}

void CDDatabase::setLines(const QStringList& lines) {
    m_lines = lines;
    m_sectionStart.clear();
    m_indexed = false;
}

void CDDatabase::indexSections() const {
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (m_lines.at(i).startsWith(u'[') && !m_sectionStart.contains(m_lines.at(i))) {
            m_sectionStart.insert(m_lines.at(i), i);
        }
    }
    m_indexed = true;
}

QString CDDatabase::trackName(const QString& cdid, const QString& track) const {
    if (!m_indexed) {
        indexSections();
    }
    const auto section = m_sectionStart.constFind(u'[' + cdid + u']');
    if (section == m_sectionStart.cend()) {
        return {};
    }
    const QString key = QStringLiteral("Track") + track + u'=';
    for (qsizetype i = *section + 1; i < m_lines.size() && !m_lines.at(i).startsWith(u'['); ++i) {
        if (m_lines.at(i).startsWith(key)) {
            return m_lines.at(i).mid(key.size());
        }
    }
    return {};
}

QString CDDatabase::discName(const QString& cdid) const {
    if (!m_indexed) {
        indexSections();
    }
    const auto section = m_sectionStart.constFind(u'[' + cdid + u']');
    if (section == m_sectionStart.cend() || *section + 1 >= m_lines.size()) {
        return {};
    }
    // The name line's first five characters ("Name=") are not examined.
    return m_lines.at(*section + 1).mid(5, 100);
}

QString CDDatabase::header(qint32 cdid) {
    return u'[' + QString::number(cdid) + u']';
}

QString CDDatabase::trackNameOfLine(const QString& line) {
    const qsizetype equals = line.left(79).indexOf(u'=');
    return equals >= 0 ? line.mid(equals + 1) : line.mid(79);
}

StoredDisc CDDatabase::readDisc(qint32 cdid, int trackCount) const {
    StoredDisc disc;
    disc.name = QStringLiteral("Unknown CD");
    for (int t = 1; t <= trackCount; ++t) {
        disc.trackNames.append(QStringLiteral("Track %1").arg(t));
    }
    const qsizetype header = m_lines.lastIndexOf(CDDatabase::header(cdid));
    if (header < 0) {
        return disc;
    }
    disc.found = true;
    disc.name = header + 1 < m_lines.size() ? m_lines[header + 1].mid(5, 100) : QString();
    for (int t = 1; t <= trackCount; ++t) {
        const qsizetype at = header + 1 + t;
        if (at >= m_lines.size() || m_lines[at].isEmpty() || m_lines[at].startsWith(u'[')) {
            break;
        }
        disc.trackNames[t - 1] = trackNameOfLine(m_lines[at]);
    }
    return disc;
}

QList<CDDatabase::Section> CDDatabase::sections() const {
    QList<Section> found;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString& line = m_lines[i];
        if (!line.startsWith(u'[')) {
            continue;
        }
        bool number = false;
        const qsizetype close = line.left(100).indexOf(u']');
        const qint32 cdid = close > 0 ? line.mid(1, close - 1).toInt(&number) : 0;
        if (!number) {
            continue;  // not a disc of ours: never matched, never named
        }
        Section section{cdid, i + 1 < m_lines.size() ? m_lines[i + 1].mid(5, 100) : QString(), 0};
        while (section.trackLines < 100 && i + 2 + section.trackLines < m_lines.size() &&
               m_lines[i + 2 + section.trackLines].startsWith(QStringLiteral("Track"))) {
            ++section.trackLines;
        }
        found.append(section);
    }
    return found;
}
