#pragma once

#include <QString>

// The second media device: it only opens items to read their lengths.
class LengthProbe {
public:
    virtual ~LengthProbe() = default;
    // The length in milliseconds, or -1 with *error saying why the file could not be opened.
    virtual qint64 measure(const QString& path, QString* error) = 0;
};
