#include "core/files/fitpath.h"

#include "core/common/textmeasurer.h"

namespace {

const QString kElided = QStringLiteral(".../");

// One step: the first folder of the folder part gives way to ".../".
QString dropFirstFolder(QString folders) {
    if (folders == u"/.../") {
        return kElided;
    }
    const bool rooted = folders.startsWith(u'/');
    if (rooted) {
        folders.remove(0, 1);
    }
    if (folders.startsWith(kElided)) {
        folders.remove(0, kElided.size());
    }
    const qsizetype slash = folders.indexOf(u'/');
    if (slash < 0) {
        return QString();
    }
    folders.remove(0, slash + 1);
    if (folders.isEmpty() && !rooted) {
        return QString();
    }
    return (rooted ? QStringLiteral("/") : QString()) + kElided + folders;
}

}  // namespace

QString FitPath(const QString& path, const QString& prefix, const TextMeasurer& measurer, int width) {
    const qsizetype lastSlash = path.lastIndexOf(u'/');
    QString folders = path.left(lastSlash + 1);
    const QString name = path.mid(lastSlash + 1);
    if (name.isEmpty()) {
        return path;  // the root folder: nothing to take away
    }
    QString result = path;
    while (!folders.isEmpty()) {
        if (measurer.textWidth(prefix + result) <= width) {
            break;
        }
        folders = dropFirstFolder(folders);
        result = folders + name;
    }
    return result;
}

QString EscapeAmpersands(const QString& text) {
    QString escaped = text;
    escaped.replace(u'&', QStringLiteral("&&"));
    return escaped;
}
