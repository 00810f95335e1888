#include "core/playback/playlogs.h"

#include "core/common/prompter.h"
#include "core/common/textfile.h"
#include "core/settings/preferences.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr qsizetype kDateLength = 21;  // "yyyy-MM-dd hh:mm:ss" and two blanks

}  // namespace

QString PlayLogs::path(const QString& playListFile, Kind kind) {
    // Without a file of its own the list has no folder: a log must not land in the working folder.
    if (playListFile.isEmpty() || !QFileInfo(playListFile).isAbsolute()) {
        return QString();
    }
    const QFileInfo list(playListFile);
    return list.dir().filePath(list.completeBaseName() +
                               (kind == Kind::Play ? QStringLiteral(".LOG") : QStringLiteral(".ERR")));
}

bool PlayLogs::exists(Kind kind) const {
    const QString file = path(kind);
    return !file.isEmpty() && QFileInfo(file).isFile();
}

QString PlayLogs::datePrefix() {
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) +
           QStringLiteral("  ");
}

void PlayLogs::itemStarted(const QString& item) {
    if (m_c.preferences.useLog) {
        append(path(Kind::Play), item);
    }
}

void PlayLogs::itemFailed(const QString& item, const QString& error) {
    if (!m_c.preferences.logErrors) {
        return;
    }
    const QString file = path(Kind::Error);
    if (!m_c.preferences.allowDuplicateLogEntries && holdsEntry(file, item)) {
        return;
    }
    append(file, item + QStringLiteral("  ") + QString(error).replace(u'\r', u' ').replace(u'\n', u' '));
}

// Whether an earlier line of the log names the item.
bool PlayLogs::holdsEntry(const QString& path, const QString& entry) {
    const TextFile::ReadResult read = TextFile::readLines(path);
    const QString start = entry + QStringLiteral("  ");
    for (const QString& line : read.lines) {
        const QString rest = line.mid(kDateLength);
        if (rest == entry || rest.startsWith(start)) {
            return true;
        }
    }
    return false;
}

// Appending never truncates: the earlier lines stay whatever happens to this write. The line goes in
// one write, so a crash leaves at most this line cut short.
void PlayLogs::append(const QString& path, const QString& line) {
    if (path.isEmpty()) {
        return;
    }
    QFile file(path);
    const QByteArray bytes = TextFile::encode(datePrefix() + line + QStringLiteral("\r\n"));
    if (file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered) &&
        file.write(bytes) == bytes.size() && file.flush()) {
        return;
    }
    const QString reason = file.errorString();
    if (m_reported.contains(path)) {
        return;
    }
    m_reported.insert(path);
    m_c.prompter.showMessage(
        Prompter::Kind::Warning,
        QStringLiteral("Velmaro could not add to the log file \"%1\":\r\n%2\r\n\r\nLogging "
                       "goes on; this message is not shown again for this file.")
            .arg(QDir::toNativeSeparators(path), reason));
}
