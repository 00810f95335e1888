#include "core/cdaudio/cddatabase.h"

#include "core/common/textfile.h"

void CDDatabase::reload(const QString& path) {
    const TextFile::ReadResult file = TextFile::readLines(path);
    if (file.ok) {
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
