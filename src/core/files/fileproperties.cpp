#include "core/files/fileproperties.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <sys/stat.h>

namespace {

// The file's own mode bits; the "User" flags say what the running user may do (everything, for root).
constexpr QFile::Permissions kWriteBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;

}  // namespace

FileProperties::FileProperties(const QString& path, ReadOnlyMemory* memory) : m_path(path), m_memory(memory) {
    const QFileInfo info(path);
    m_valid = info.isFile();
    if (m_valid) {
        m_size = info.size();
        m_modified = info.lastModified();
        m_readOnly = (info.permissions() & kWriteBits) == 0;
    }
}

QString FileProperties::name() const {
    return QFileInfo(m_path).fileName();
}

QString FileProperties::sizeText() const {
    return QString::number(m_size) + (m_size == 1 ? QStringLiteral(" byte") : QStringLiteral(" bytes"));
}

QString FileProperties::timeText() const {
    return QLocale::system().toString(m_modified, QLocale::ShortFormat);
}

bool FileProperties::hidden() const {
    return name().startsWith(u'.');
}

bool FileProperties::apply(bool readOnly) {
    if (readOnly == m_readOnly) {
        return true;
    }
    // The mode itself: Qt's permission flags mix in what the running user may do and drop the set-id
    // and sticky bits, which must stay as they were.
    const QByteArray name = QFile::encodeName(m_path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        return false;
    }
    constexpr mode_t kWriteMode = S_IWUSR | S_IWGRP | S_IWOTH;
    const ReadOnlyMemory::FileId file(info.st_dev, info.st_ino);
    mode_t wanted = info.st_mode & 07777 & ~kWriteMode;
    if (!readOnly) {
        const mode_t taken = m_memory ? m_memory->takeBack(file) & kWriteMode : 0;
        wanted |= taken != 0 ? taken : S_IWUSR;
    }
    if (::chmod(name.constData(), wanted) != 0) {
        return false;
    }
    if (readOnly && m_memory) {
        m_memory->remember(file, info.st_mode & kWriteMode);
    }
    m_readOnly = readOnly;
    return true;
}
