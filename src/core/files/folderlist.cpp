#include "core/files/folderlist.h"

#include "core/files/filelist.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace {

bool isInside(const QString& folder, const QString& root) {
    if (root == u"/") {
        return folder.startsWith(u'/');
    }
    return folder == root || folder.startsWith(root + u'/');
}

QStringList subfolders(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(), FileNameLess);
    return names;
}

}  // namespace

QString NearestExistingFolder(const QString& path) {
    QString folder = QDir::cleanPath(path.isEmpty() ? QStringLiteral("/") : path);
    while (!QFileInfo(folder).isDir()) {
        const qsizetype slash = folder.lastIndexOf(u'/');
        if (slash <= 0) {
            return QStringLiteral("/");
        }
        folder.truncate(slash);
    }
    return folder;
}

QString FolderList::setFolder(const QString& folder) {
    m_folder = NearestExistingFolder(folder);
    m_entries.clear();
    m_entries.append({QStringLiteral("/"), QStringLiteral("/"), 0, true});
    QString path;
    int depth = 0;
    for (const QString& part : m_folder.split(u'/', Qt::SkipEmptyParts)) {
        path += u'/' + part;
        m_entries.append({path, part, ++depth, true});
    }
    m_currentLine = m_entries.size() - 1;
    for (const QString& name : subfolders(m_folder)) {
        m_entries.append({m_folder == u"/" ? u'/' + name : m_folder + u'/' + name, name, depth + 1, false});
    }
    m_selectedLine = m_currentLine;
    return m_folder;
}

QString FolderList::selectedPath() const {
    if (m_selectedLine < 0 || m_selectedLine >= m_entries.size()) {
        return QString();
    }
    return m_entries[m_selectedLine].path;
}

QList<Drive> ListDrives(const QString& home) {
    QList<Drive> drives;
    if (!home.isEmpty()) {
        drives.append({home, QStringLiteral("Home (") + home + u')'});
    }
    static const QStringList virtualRoots = {QStringLiteral("/proc"), QStringLiteral("/sys"), QStringLiteral("/dev"),
                                             QStringLiteral("/run"),  QStringLiteral("/boot"), QStringLiteral("/snap"),
                                             QStringLiteral("/tmp"),  QStringLiteral("/var")};
    QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    std::sort(volumes.begin(), volumes.end(),
              [](const QStorageInfo& a, const QStorageInfo& b) { return a.rootPath() < b.rootPath(); });
    for (const QStorageInfo& volume : volumes) {
        const QString root = volume.rootPath();
        if (!volume.isValid() || !volume.isReady() || root == home) {
            continue;
        }
        // Removable media mount under /run/media; every other place under /run is the system's own.
        const bool media = root.startsWith(QStringLiteral("/run/media/"));
        const bool virtualRoot = std::any_of(virtualRoots.begin(), virtualRoots.end(),
                                             [&](const QString& v) { return isInside(root, v); });
        if (root != u"/" && (virtualRoot && !media)) {
            continue;
        }
        if (root != u"/" && !volume.device().startsWith("/dev/") && !media) {
            continue;  // tmpfs, overlays, bind mounts of the container
        }
        const QString label = volume.displayName() == root ? root : volume.displayName() + QStringLiteral(" (") + root + u')';
        drives.append({root, label});
    }
    return drives;
}

qsizetype DriveOfFolder(const QList<Drive>& drives, const QString& folder) {
    qsizetype best = -1;
    for (qsizetype i = 0; i < drives.size(); ++i) {
        if (isInside(folder, drives[i].rootPath) &&
            (best < 0 || drives[i].rootPath.size() > drives[best].rootPath.size())) {
            best = i;
        }
    }
    return best;
}
