#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// Whether a name matches a wildcard pattern ("*" any run of characters, "?" one character), ignoring
// letter case. At worst name length times pattern length: a failed match only moves the last "*" on,
// never tries every way of splitting the name.
bool WildcardMatch(QStringView pattern, QStringView name);

// A file list's mask: patterns separated by ";" ("*.mid;*.rmi;"). Letter case is ignored, as on the
// system the stored masks come from, and "*.*" (or "*") takes every name, also one without a dot.
class FileMask {
public:
    explicit FileMask(const QString& text = QStringLiteral("*.*"));

    const QString& text() const { return m_text; }
    bool matches(QStringView name) const;
    bool matchesEverything() const { return m_all; }

private:
    QString m_text;
    bool m_all = false;
    // "*.ext" patterns, the most common, are a comparison of the name's end; the rest go through
    // WildcardMatch.
    std::vector<QString> m_suffixes;  // ".ext", folded to lower case
    QStringList m_patterns;
};
