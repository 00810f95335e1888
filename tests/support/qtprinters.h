#pragma once

#include <QString>

#include <ostream>

// Readable failure messages for Qt strings in GoogleTest.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
