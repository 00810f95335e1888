#pragma once

#include <QString>

// "hh:mm:ss", each part at least two digits; hours keep counting past 99.
QString FormatTime(qint64 ms);

// The text every indicator shows when it has nothing to show.
inline QString NotAvailable() {
    return QStringLiteral("N / A");
}
