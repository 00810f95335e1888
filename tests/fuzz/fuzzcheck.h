#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

// A broken property ends the run like a crash, so libFuzzer keeps the input that broke it.
#define FUZZ_CHECK(condition)                                                                     \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)

// The same with the two sides printed, for values that are texts.
#define FUZZ_CHECK_EQUAL(a, b)                                                                     \
    do {                                                                                          \
        if (!((a) == (b))) {                                                                      \
            std::fprintf(stderr, "%s:%d: property broken: %s == %s\n  left:  %s\n  right: %s\n", \
                         __FILE__, __LINE__, #a, #b, qPrintable(FuzzText::show(a)),               \
                         qPrintable(FuzzText::show(b)));                                          \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)

namespace FuzzText {

inline QString show(const QString& text) {
    QString shown;
    for (QChar c : text) {
        shown += c.unicode() < 0x20 || c.unicode() >= 0x7F ? QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'))
                                                           : QString(c);
    }
    return u'"' + shown + u'"';
}
inline QString show(const QStringList& list) {
    QStringList shown;
    for (const QString& text : list) {
        shown.append(show(text));
    }
    return u'[' + shown.join(QStringLiteral(", ")) + u']';
}
template <typename T>
QString show(const T& value) {
    return QString::number(value);
}

// Whether every text of part stands in whole, in the same order.
inline bool isSubsequence(const QStringList& part, const QStringList& whole) {
    qsizetype at = 0;
    for (const QString& text : whole) {
        if (at < part.size() && part.at(at) == text) {
            ++at;
        }
    }
    return at == part.size();
}

}  // namespace FuzzText
