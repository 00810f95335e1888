#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

// An INI file kept as its lines, so that writing a key changes that one line and leaves every other
// line, comment and unknown section exactly as it was. Section and key names are matched ignoring
// letter case; a value is the rest of its line after the first "="; where a key appears twice in a
// section, the first one counts.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(const QStringList& lines) { setLines(lines); }

    // Reads the file; a missing file gives an empty one. Returns the system's reason when the file
    // exists but cannot be read (the object is then empty).
    QString load(const QString& path);
    // Replaces the file atomically; returns the system's reason on failure, else an empty string.
    QString save(const QString& path) const;

    QStringList lines() const;
    bool isEmpty() const;

    bool contains(const QString& section, const QString& key) const;
    QString value(const QString& section, const QString& key, const QString& fallback = QString()) const;
    // The keys of a section in file order, first occurrences only.
    QStringList keys(const QString& section) const;

    // Line breaks in the value are written as spaces.
    void setValue(const QString& section, const QString& key, const QString& value);
    void removeKey(const QString& section, const QString& key);
    // Removes every key of the section; its header, comments and blank lines stay.
    void clearSection(const QString& section);

    // Typed reading: booleans are integers where any non-zero value is true; integers are decimal, or
    // hexadecimal after "0x"; a missing or non-numeric value gives the fallback.
    bool boolValue(const QString& section, const QString& key, bool fallback) const;
    int intValue(const QString& section, const QString& key, int fallback) const;
    void setBool(const QString& section, const QString& key, bool value);
    void setInt(const QString& section, const QString& key, int value);

private:
    // The file cut at its section headers, each piece indexed once, so that a lookup or a change costs
    // the same in a file of a hundred thousand lines as in a short one.
    struct Section {
        QStringList lines;  // the header first, except for the lines before the first header
        // Case-folded key -> first line of the key, built when first needed and kept up to date.
        mutable QHash<QString, qsizetype> keyLines;
        mutable bool indexed = false;

        void index() const;
        qsizetype find(const QString& key) const;
    };
    void setLines(const QStringList& lines);
    const Section* findSection(const QString& section) const;
    Section* findSection(const QString& section);

    std::vector<Section> m_sections;
    // Case-folded name -> first section of that name.
    QHash<QString, size_t> m_sectionIndex;
};

// False for a value that holds a line break: it cannot be written into one line.
bool IsStorableIniValue(const QString& value);

// Integer text as stored in INI files: decimal, or hexadecimal after "0x" / "0X".
bool parseIniInt(const QString& text, int* value);
