#include "core/settings/inifile.h"

#include "core/common/textfile.h"

namespace {

// The name of a section header line, or a null string when the line is no header.
QString headerName(const QString& line) {
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'[')) {
        return {};
    }
    const qsizetype close = trimmed.indexOf(u']');
    return close < 0 ? QString() : trimmed.mid(1, close - 1).trimmed();
}

bool isKeyLine(const QString& line, const QString& key) {
    const qsizetype eq = line.indexOf(u'=');
    return eq >= 0 && QStringView(line).left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0;
}

}  // namespace

bool parseIniInt(const QString& text, int* value) {
    bool ok = false;
    if (text.size() > 2 && (text.startsWith(QStringLiteral("0x")) || text.startsWith(QStringLiteral("0X")))) {
        // Colours with the top bit set are stored this way; they read back as negative numbers.
        const uint bits = text.mid(2).toUInt(&ok, 16);
        if (ok) {
            *value = static_cast<int>(bits);
        }
        return ok;
    }
    const int number = text.trimmed().toInt(&ok, 10);
    if (ok) {
        *value = number;
    }
    return ok;
}

QString IniFile::load(const QString& path) {
    const TextFile::ReadResult file = TextFile::readLines(path);
    m_lines = file.lines;
    return file.exists && !file.ok ? file.error : QString();
}

QString IniFile::save(const QString& path) const {
    return TextFile::writeLines(path, m_lines);
}

IniFile::SectionSpan IniFile::findSection(const QString& section) const {
    SectionSpan span;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString name = headerName(m_lines.at(i));
        if (name.isNull()) {
            continue;
        }
        if (span.header >= 0) {
            span.end = i;
            return span;
        }
        if (name.compare(section, Qt::CaseInsensitive) == 0) {
            span.header = i;
        }
    }
    if (span.header >= 0) {
        span.end = m_lines.size();
    }
    return span;
}

qsizetype IniFile::findKey(const SectionSpan& span, const QString& key) const {
    if (span.header < 0) {
        return -1;
    }
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        if (isKeyLine(m_lines.at(i), key)) {
            return i;
        }
    }
    return -1;
}

bool IniFile::contains(const QString& section, const QString& key) const {
    return findKey(findSection(section), key) >= 0;
}

QString IniFile::value(const QString& section, const QString& key, const QString& fallback) const {
    const qsizetype line = findKey(findSection(section), key);
    if (line < 0) {
        return fallback;
    }
    const QString& text = m_lines.at(line);
    return text.mid(text.indexOf(u'=') + 1);
}

QStringList IniFile::keys(const QString& section) const {
    const SectionSpan span = findSection(section);
    QStringList keys;
    for (qsizetype i = span.header + 1; span.header >= 0 && i < span.end; ++i) {
        const QString& line = m_lines.at(i);
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0) {
            continue;
        }
        const QString key = line.left(eq).trimmed();
        if (!key.isEmpty() && !key.startsWith(u';') && !keys.contains(key, Qt::CaseInsensitive)) {
            keys.append(key);
        }
    }
    return keys;
}

bool IsStorableIniValue(const QString& value) {
    return !value.contains(u'\r') && !value.contains(u'\n');
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value) {
    // A line break would end the line and start a foreign one; callers keep such values out, and this
    // is the last guard.
    QString line = key + u'=' + value;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    SectionSpan span = findSection(section);
    if (span.header < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty()) {
            m_lines.append(QString());
        }
        m_lines.append(u'[' + section + u']');
        m_lines.append(line);
        return;
    }
    const qsizetype existing = findKey(span, key);
    if (existing >= 0) {
        m_lines[existing] = line;
        return;
    }
    // New keys go after the section's last non-blank line, so the blank line before the next section stays.
    qsizetype at = span.end;
    while (at > span.header + 1 && m_lines.at(at - 1).trimmed().isEmpty()) {
        --at;
    }
    m_lines.insert(at, line);
}

void IniFile::removeKey(const QString& section, const QString& key) {
    // Every copy goes, so that an older duplicate does not come back.
    for (qsizetype line = findKey(findSection(section), key); line >= 0;
         line = findKey(findSection(section), key)) {
        m_lines.removeAt(line);
    }
}

void IniFile::clearSection(const QString& section) {
    const SectionSpan span = findSection(section);
    for (qsizetype i = span.end - 1; span.header >= 0 && i > span.header; --i) {
        const QString trimmed = m_lines.at(i).trimmed();
        if (trimmed.contains(u'=') && !trimmed.startsWith(u';')) {
            m_lines.removeAt(i);
        }
    }
}

bool IniFile::boolValue(const QString& section, const QString& key, bool fallback) const {
    int number = 0;
    return parseIniInt(value(section, key), &number) ? number != 0 : fallback;
}

int IniFile::intValue(const QString& section, const QString& key, int fallback) const {
    int number = 0;
    return parseIniInt(value(section, key), &number) ? number : fallback;
}

void IniFile::setBool(const QString& section, const QString& key, bool value) {
    setValue(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::setInt(const QString& section, const QString& key, int value) {
    setValue(section, key, QString::number(value));
}
