#include "core/common/filetitle.h"

#include <algorithm>

qsizetype FileNameStart(const QString& path) {
    qsizetype cut = path.lastIndexOf(u'/');
    if (path.size() >= 3 && path.at(1) == u':' && path.at(2) == u'\\') {
        cut = std::max(cut, path.lastIndexOf(u'\\'));
    }
    return cut + 1;
}

QString PlayListFileTitle(const QString& path) {
    const QString name = path.mid(FileNameStart(path));
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot <= 0 ? name : name.left(dot);
}
