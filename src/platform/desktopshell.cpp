#include "platform/desktopshell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

bool DesktopShell::startProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool DesktopShell::openUrl(const QString& url) {
    return QDesktopServices::openUrl(QUrl(url));
}
