#include "core/files/fileproperties.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace {

// The file's own mode bits; the "User" flags say what the running user may do (everything, for root).
constexpr QFile::Permissions kWriteBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;

}  // namespace

FileProperties::FileProperties(const QString& path) : m_path(path) {
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
    const QFile::Permissions now = QFile::permissions(m_path);
    // Read only takes every write bit away; writable again gives the owner back the right to write.
    // (Qt writes its "User" flags as the owner's bits, so both go together.)
    const QFile::Permissions wanted =
        readOnly ? now & ~(kWriteBits | QFile::WriteUser) : now | QFile::WriteOwner | QFile::WriteUser;
    if (!QFile::setPermissions(m_path, wanted)) {
        return false;
    }
    m_readOnly = readOnly;
    return true;
}
