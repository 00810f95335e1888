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
    setLines(file.lines);
    return file.exists && !file.ok ? file.error : QString();
}

QString IniFile::save(const QString& path) const {
    return TextFile::writeLines(path, lines());
}

void IniFile::setLines(const QStringList& lines) {
    m_sections.clear();
    m_sectionIndex.clear();
    QStringList names;  // of each section, null for the lines before the first header
    for (const QString& line : lines) {
        const QString name = headerName(line);
        if (!name.isNull() || m_sections.empty()) {
            m_sections.emplace_back();
            names.append(name);
        }
        m_sections.back().lines.append(line);
    }
    // The first section of a name counts: walking back lets it write last.
    for (qsizetype i = names.size() - 1; i >= 0; --i) {
        if (!names.at(i).isNull()) {
            m_sectionIndex.insert(names.at(i).toCaseFolded(), static_cast<size_t>(i));
        }
    }
}

QStringList IniFile::lines() const {
    qsizetype count = 0;
    for (const Section& section : m_sections) {
        count += section.lines.size();
    }
    QStringList all;
    all.reserve(count);
    for (const Section& section : m_sections) {
        all.append(section.lines);
    }
    return all;
}

bool IniFile::isEmpty() const {
    return m_sections.empty();
}

void IniFile::Section::index() const {
    if (indexed) {
        return;
    }
    keyLines.clear();
    // Where a key appears twice the first counts: walking back lets it write last.
    for (qsizetype i = lines.size() - 1; i >= 1; --i) {
        const QString& line = lines.at(i);
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0) {
            keyLines[QStringView(line).left(eq).trimmed().toString().toCaseFolded()] = i;
        }
    }
    indexed = true;
}

qsizetype IniFile::Section::find(const QString& key) const {
    index();
    return keyLines.value(key.toCaseFolded(), -1);
}

const IniFile::Section* IniFile::findSection(const QString& section) const {
    const auto at = m_sectionIndex.constFind(section.toCaseFolded());
    return at == m_sectionIndex.cend() ? nullptr : &m_sections[*at];
}

IniFile::Section* IniFile::findSection(const QString& section) {
    return const_cast<Section*>(std::as_const(*this).findSection(section));
}

bool IniFile::contains(const QString& section, const QString& key) const {
    const Section* found = findSection(section);
    return found && found->find(key) >= 0;
}

QString IniFile::value(const QString& section, const QString& key, const QString& fallback) const {
    const Section* found = findSection(section);
    const qsizetype line = found ? found->find(key) : -1;
    if (line < 0) {
        return fallback;
    }
    const QString& text = found->lines.at(line);
    return text.mid(text.indexOf(u'=') + 1);
}

QStringList IniFile::keys(const QString& section) const {
    const Section* found = findSection(section);
    QStringList keys;
    for (qsizetype i = 1; found && i < found->lines.size(); ++i) {
        const QString& line = found->lines.at(i);
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0) {
            continue;
        }
        const QString key = line.left(eq).trimmed();
        if (!key.isEmpty() && !key.startsWith(u';') && found->find(key) == i) {
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
    Section* found = findSection(section);
    if (!found) {
        if (!m_sections.empty() && !m_sections.back().lines.constLast().trimmed().isEmpty()) {
            m_sections.back().lines.append(QString());
        }
        m_sectionIndex.insert(section.toCaseFolded(), m_sections.size());
        m_sections.emplace_back();
        m_sections.back().lines << u'[' + section + u']' << line;
        return;
    }
    const qsizetype existing = found->find(key);
    if (existing >= 0) {
        found->lines[existing] = line;
        return;
    }
    // New keys go after the section's last non-blank line, so the blank line before the next section stays.
    qsizetype at = found->lines.size();
    while (at > 1 && found->lines.at(at - 1).trimmed().isEmpty()) {
        --at;
    }
    found->lines.insert(at, line);
    for (qsizetype& keyLine : found->keyLines) {
        if (keyLine >= at) {
            ++keyLine;
        }
    }
    found->keyLines.insert(key.toCaseFolded(), at);
}

void IniFile::removeKey(const QString& section, const QString& key) {
    // Every copy goes, so that an older duplicate does not come back.
    Section* found = findSection(section);
    if (!found || found->find(key) < 0) {
        return;
    }
    QStringList kept;
    kept.reserve(found->lines.size());
    kept.append(found->lines.constFirst());
    for (qsizetype i = 1; i < found->lines.size(); ++i) {
        if (!isKeyLine(found->lines.at(i), key)) {
            kept.append(found->lines.at(i));
        }
    }
    found->lines = std::move(kept);
    found->indexed = false;
}

void IniFile::clearSection(const QString& section) {
    Section* found = findSection(section);
    if (!found) {
        return;
    }
    QStringList kept;
    kept.reserve(found->lines.size());
    kept.append(found->lines.constFirst());
    for (qsizetype i = 1; i < found->lines.size(); ++i) {
        const QString trimmed = found->lines.at(i).trimmed();
        if (!trimmed.contains(u'=') || trimmed.startsWith(u';')) {
            kept.append(found->lines.at(i));
        }
    }
    found->lines = std::move(kept);
    found->indexed = false;
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
