#include "core/files/filepaths.h"

#include <QDir>

namespace FilePaths {
namespace {

qsizetype nameStart(const QString& path) {
    return path.lastIndexOf(u'/') + 1;
}

// Where the extension starts, or the end of the path when the name has none.
qsizetype extensionStart(const QString& path) {
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > nameStart(path) ? dot : path.size();
}

}  // namespace

QString Join(const QString& folder, const QString& name) {
    if (folder.isEmpty()) {
        return name;
    }
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

QString FileName(const QString& path) {
    return path.mid(nameStart(path));
}

QString Folder(const QString& path) {
    return CleanFolder(path.left(nameStart(path)));
}

QString Extension(const QString& path) {
    return path.mid(extensionStart(path));
}

QString WithoutExtension(const QString& path) {
    return path.left(extensionStart(path));
}

QString ChangeExtension(const QString& path, const QString& extension) {
    return WithoutExtension(path) + extension;
}

QString CleanFolder(const QString& folder) {
    return folder.isEmpty() ? folder : QDir::cleanPath(folder);
}

}  // namespace FilePaths
