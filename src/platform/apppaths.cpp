#include "platform/apppaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppPaths {

QString userDataFolder() {
    const QString home = qEnvironmentVariable("VELMARO_HOME");
    if (!home.isEmpty()) {
        return QDir(home).absolutePath();
    }
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config)) {
        config = QDir::home().filePath(QStringLiteral(".config"));
    }
    return QDir(config).filePath(QStringLiteral("velmaro"));
}

QString resourceFolder() {
    const QString installed =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/velmaro"));
    if (QFileInfo(installed).isDir()) {
        return QDir(installed).absolutePath();
    }
    // A build tree runs on the sources' data, even when some version is installed too.
    if (QFileInfo(QStringLiteral(VELMARO_SOURCE_DATA_DIR)).isDir()) {
        return QStringLiteral(VELMARO_SOURCE_DATA_DIR);
    }
    return QStringLiteral(VELMARO_INSTALL_DATA_DIR);
}

QString defaultDocumentsFolder() {
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (!music.isEmpty() && QFileInfo(music).isDir()) {
        return music;
    }
    return QDir::homePath();
}

QString mixerDefault() {
    return QStandardPaths::findExecutable(QStringLiteral("pavucontrol"));
}

QStringList soundSettingsCommand() {
    if (const QString mixer = mixerDefault(); !mixer.isEmpty()) {
        return {mixer};
    }
    if (const QString panel = QStandardPaths::findExecutable(QStringLiteral("gnome-control-center")); !panel.isEmpty()) {
        return {panel, QStringLiteral("sound")};
    }
    return {};
}

}  // namespace AppPaths
