#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <ostream>

// Readable failure messages for Qt strings in GoogleTest.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// Short spellings for texts in tests (sources are UTF-8).
inline QString s(const char* utf8) {
    return QString::fromUtf8(utf8);
}

inline QStringList lines(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts) {
        list.append(s(text));
    }
    return list;
}
