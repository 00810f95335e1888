#include "core/files/filemask.h"

namespace {

bool sameLetter(QChar a, QChar b) {
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

bool isPlainSuffix(QStringView pattern) {
    return pattern.size() > 1 && pattern.front() == u'*' && !pattern.mid(1).contains(u'*') &&
           !pattern.mid(1).contains(u'?');
}

}  // namespace

bool WildcardMatch(QStringView pattern, QStringView name) {
    qsizetype p = 0;
    qsizetype n = 0;
    qsizetype star = -1;       // the last "*" seen in the pattern
    qsizetype starName = 0;    // where in the name that "*" is tried to end
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || sameLetter(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (star >= 0) {
            // Let the last "*" take one more character and retry from there.
            p = star + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') {
        ++p;
    }
    return p == pattern.size();
}

FileMask::FileMask(const QString& text) : m_text(text) {
    for (const QString& part : text.split(u';', Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        if (pattern.isEmpty()) {
            continue;
        }
        if (pattern == u"*.*" || pattern == u"*") {
            m_all = true;
        } else if (isPlainSuffix(pattern)) {
            m_suffixes.push_back(pattern.mid(1).toCaseFolded());
        } else {
            m_patterns.append(pattern);
        }
    }
}

bool FileMask::matches(QStringView name) const {
    if (m_all) {
        return true;
    }
    for (const QString& suffix : m_suffixes) {
        if (name.size() >= suffix.size() && name.endsWith(suffix, Qt::CaseInsensitive)) {
            return true;
        }
    }
    for (const QString& pattern : m_patterns) {
        if (WildcardMatch(pattern, name)) {
            return true;
        }
    }
    return false;
}
