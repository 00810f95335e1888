#pragma once

#include <QString>

#include <optional>

// The memory figures the About box shows, from the kernel's /proc/meminfo.
struct MemoryFigures {
    std::optional<qint64> totalKiB;
    std::optional<qint64> availableKiB;  // what programs can still get without swapping

    static MemoryFigures parse(const QByteArray& meminfo);
    // Nothing known when the file cannot be read.
    static MemoryFigures read(const QString& path = QStringLiteral("/proc/meminfo"));

    // "3,912 MB", or "N / A".
    QString availableText() const;
    // The share of the memory in use, "62 %", or "N / A".
    QString loadText() const;
};
