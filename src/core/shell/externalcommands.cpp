#include "core/shell/externalcommands.h"

#include "core/common/prompter.h"
#include "core/common/shell.h"

#include <QFileInfo>

bool ExternalCommands::mixerAvailable(const QString& mixerPath) {
    const QFileInfo program(mixerPath.trimmed());
    return program.isAbsolute() && program.isFile() && program.isExecutable();
}

void ExternalCommands::startMixer(const QString& mixerPath) {
    if (!mixerAvailable(mixerPath)) {
        return;
    }
    if (!m_c.shell.startProgram(mixerPath.trimmed(), {})) {
        m_c.prompter.showMessage(Prompter::Kind::Warning,
                                 QStringLiteral("Velmaro could not start the mixer \"%1\".\r\n\r\nPlease check the "
                                                "mixer application given in the Preferences.")
                                     .arg(mixerPath.trimmed()));
    }
}

void ExternalCommands::openSoundSettings() {
    if (!soundSettingsAvailable()) {
        return;
    }
    if (!m_c.shell.startProgram(m_c.soundSettings.first(), m_c.soundSettings.mid(1))) {
        m_c.prompter.showMessage(Prompter::Kind::Warning,
                                 QStringLiteral("Velmaro could not start the sound settings (\"%1\").")
                                     .arg(m_c.soundSettings.join(u' ')));
    }
}

void ExternalCommands::openHomePage() {
    if (homePageAvailable()) {
        openAddress(m_c.homePage, m_c.homePage);
    }
}

void ExternalCommands::mailAuthor() {
    if (mailAvailable()) {
        openAddress(QStringLiteral("mailto:") + m_c.contactEmail, m_c.contactEmail);
    }
}

void ExternalCommands::openAddress(const QString& url, const QString& shown) {
    if (!m_c.shell.openUrl(url)) {
        m_c.prompter.showMessage(Prompter::Kind::Information,
                                 QStringLiteral("Unable to open the default web browser. Please start \r\nyour browser "
                                                "manually and browse to this address:\r\n\r\n") +
                                     shown);
    }
}
