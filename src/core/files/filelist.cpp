#include "core/files/filelist.h"

#include "core/common/itemref.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

QStringList ListMatchingFiles(const QString& folder, const FileMask& mask) {
    QStringList names;
    if (folder.isEmpty()) {
        return names;
    }
    // Without QDir::System, pipes, sockets and devices stay out: opening one would block the player.
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (mask.matches(name)) {
            names.append(name);
        }
    }
    std::sort(names.begin(), names.end(), FileNameLess);
    return names;
}

qsizetype CountFilesWithUndecodableNames(const QString& folder, const FileMask& mask) {
    if (folder.isEmpty()) {
        return 0;
    }
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (dir == nullptr) {
        return 0;
    }
    qsizetype count = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        if (name.isValidUtf8()) {
            continue;  // Qt gives these names back byte for byte
        }
        struct stat info {};
        if (::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode) &&
            mask.matches(QFile::decodeName(name.toByteArray()))) {
            ++count;
        }
    }
    ::closedir(dir);
    return count;
}

namespace {

// Compares the runs of digits at a[i...] and b[j...] by value; moves i and j past them.
int compareNumbers(const QString& a, qsizetype& i, const QString& b, qsizetype& j) {
    while (i < a.size() && a[i] == u'0') {
        ++i;
    }
    while (j < b.size() && b[j] == u'0') {
        ++j;
    }
    const qsizetype startA = i;
    const qsizetype startB = j;
    while (i < a.size() && a[i].isDigit()) {
        ++i;
    }
    while (j < b.size() && b[j].isDigit()) {
        ++j;
    }
    if (i - startA != j - startB) {
        return i - startA < j - startB ? -1 : 1;
    }
    return QStringView(a).mid(startA, i - startA).compare(QStringView(b).mid(startB, j - startB));
}

}  // namespace

bool FileNameLess(const QString& a, const QString& b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            if (const int byValue = compareNumbers(a, i, b, j); byValue != 0) {
                return byValue < 0;
            }
            continue;
        }
        const QChar x = a[i].toCaseFolded();
        const QChar y = b[j].toCaseFolded();
        if (x != y) {
            return x < y;
        }
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size()) {
        return j < b.size();  // the shorter name first
    }
    return a < b;
}

FileList::FileList(QObject* parent) : SourceLines(parent), m_mask(QString::fromLatin1("*.*")) {
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &FileList::scheduleReload);
}

void FileList::setFolder(const QString& folder) {
    const bool same = folder == m_folder;
    m_folder = folder;
    if (!same) {
        m_folderChanged = m_folderChanged || m_playingLine >= 0;
        m_playingLine = -1;
        watchFolder();
    }
    read(same);
}

void FileList::setMask(const QString& mask) {
    m_mask = FileMask(mask);
    read(false);
}

void FileList::reload() {
    read(true);
}

void FileList::watchFolder() {
    if (!m_watcher.directories().isEmpty()) {
        m_watcher.removePaths(m_watcher.directories());
    }
    if (!m_folder.isEmpty()) {
        m_watcher.addPath(m_folder);
    }
}

// A copy of a thousand files changes the folder a thousand times: one reading per turn follows them all.
void FileList::scheduleReload() {
    if (m_reloadPending) {
        return;
    }
    m_reloadPending = true;
    QTimer::singleShot(0, this, [this] {
        m_reloadPending = false;
        reload();
        Q_EMIT changedOnDisk();
    });
}

void FileList::read(bool keepSelection) {
    QStringList selectedNames;
    QString focusedName;
    QString playingName;
    if (keepSelection) {
        for (qsizetype i = 0; i < m_names.size(); ++i) {
            if (isSelected(i)) {
                selectedNames.append(m_names[i]);
            }
        }
        if (m_focusedLine >= 0 && m_focusedLine < m_names.size()) {
            focusedName = m_names[m_focusedLine];
        }
        if (m_playingLine >= 0 && m_playingLine < m_names.size()) {
            playingName = m_names[m_playingLine];
        }
    }
    Q_EMIT aboutToReset();
    m_names = ListMatchingFiles(m_folder, m_mask);
    m_unshown = CountFilesWithUndecodableNames(m_folder, m_mask);
    m_selection.reset(m_names.size());
    m_focusedLine = -1;
    if (keepSelection) {
        for (const QString& name : selectedNames) {
            const qsizetype line = m_names.indexOf(name);
            m_selection.setRange(line, line, true);
        }
        m_focusedLine = focusedName.isEmpty() ? -1 : m_names.indexOf(focusedName);
        m_playingLine = playingName.isEmpty() ? -1 : m_names.indexOf(playingName);
    }
    if (m_focusedLine < 0 && !m_names.isEmpty()) {
        m_focusedLine = 0;
    }
    Q_EMIT reset();
    Q_EMIT selectionChanged();
}

void FileList::setPlayingLine(qsizetype line) {
    m_playingLine = line;
    m_folderChanged = false;
}

qsizetype FileList::indexOfName(const QString& name) const {
    const qsizetype exact = m_names.indexOf(name);
    if (exact >= 0) {
        return exact;
    }
    for (qsizetype i = 0; i < m_names.size(); ++i) {
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

QString FileList::unshownNote() const {
    if (m_unshown == 0) {
        return {};
    }
    return QStringLiteral("%1 not UTF-8").arg(m_unshown);
}

QString FileList::unshownReason() const {
    if (m_unshown == 0) {
        return {};
    }
    return m_unshown == 1 ? QStringLiteral(
                                "1 file of this folder is not shown: its name is not valid UTF-8, so Velmaro "
                                "can neither play nor rename it. Rename it in a file manager.")
                          : QStringLiteral(
                                "%1 files of this folder are not shown: their names are not valid UTF-8, so "
                                "Velmaro can neither play nor rename them. Rename them in a file manager.")
                                .arg(m_unshown);
}

QStringList FileList::selectedPaths() const {
    QStringList paths;
    for (qsizetype line : m_selection.selectedLines()) {
        paths.append(path(line));
    }
    return paths;
}

QStringList FileList::selectedItems() const {
    QStringList refs;
    for (const QString& path : selectedPaths()) {
        refs.append(MakeFileItem(path));
    }
    return refs;
}

QStringList FileList::allItems() const {
    QStringList refs;
    refs.reserve(count());
    for (qsizetype i = 0; i < count(); ++i) {
        refs.append(MakeFileItem(path(i)));
    }
    return refs;
}
