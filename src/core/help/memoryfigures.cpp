#include "core/help/memoryfigures.h"

#include <QFile>
#include <QList>
#include <QLocale>

#include <algorithm>

namespace {

const QString kNotAvailable = QStringLiteral("N / A");

// "MemTotal:       16315284 kB" -> 16315284; the unit is always kB.
std::optional<qint64> valueOf(const QByteArray& line, const QByteArray& key) {
    if (!line.startsWith(key + ':')) {
        return std::nullopt;
    }
    const QList<QByteArray> parts = line.mid(key.size() + 1).simplified().split(' ');
    bool ok = false;
    const qint64 value = parts.value(0).toLongLong(&ok);
    return ok && value >= 0 ? std::optional<qint64>(value) : std::nullopt;
}

}  // namespace

MemoryFigures MemoryFigures::parse(const QByteArray& meminfo) {
    MemoryFigures figures;
    for (const QByteArray& line : meminfo.split('\n')) {
        if (const auto total = valueOf(line, "MemTotal")) {
            figures.totalKiB = total;
        } else if (const auto available = valueOf(line, "MemAvailable")) {
            figures.availableKiB = available;
        }
    }
    return figures;
}

MemoryFigures MemoryFigures::read(const QString& path) {
    QFile file(path);
    // /proc files report a size of 0: read to the end rather than by size.
    return file.open(QIODevice::ReadOnly) ? parse(file.readAll()) : MemoryFigures();
}

QString MemoryFigures::availableText() const {
    if (!availableKiB) {
        return kNotAvailable;
    }
    return QLocale(QLocale::English).toString(*availableKiB / 1024) + QStringLiteral(" MB");
}

QString MemoryFigures::loadText() const {
    if (!totalKiB || !availableKiB || *totalKiB == 0) {
        return kNotAvailable;
    }
    const qint64 used = std::max<qint64>(0, *totalKiB - *availableKiB);
    return QString::number((used * 100 + *totalKiB / 2) / *totalKiB) + QStringLiteral(" %");
}
