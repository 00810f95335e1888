#include "core/settings/settings.h"

#include "core/settings/preferences.h"

#include <QFileInfo>

namespace {
const QString kPlaylist = QStringLiteral("Playlist");
const QString kGeneral = QStringLiteral("General");
const QString kDirectories = QStringLiteral("Default Directories");
}  // namespace

bool Settings::isPresent() const {
    IniFile file;
    file.load(m_path);
    return !file.isEmpty();
}

void Settings::LoadSettings(Preferences& p, const QString& defaultFolder) {
    m_file.load(m_path);
    p.showPath = m_file.boolValue(kPlaylist, QStringLiteral("ShowPath"), false);
    p.showExtension = m_file.boolValue(kPlaylist, QStringLiteral("ShowExt"), true);
    p.showIcons = m_file.boolValue(kPlaylist, QStringLiteral("ShowIcon"), true);
    p.openLastPlayList = m_file.boolValue(kPlaylist, QStringLiteral("OpenLastPL"), true);
    p.startPlaying = m_file.boolValue(kPlaylist, QStringLiteral("StartPlaying"), true);
    p.lastPlayList = m_file.value(kGeneral, QStringLiteral("LastPL"));
    p.mainFolder = m_file.value(kDirectories, QStringLiteral("Main"), defaultFolder);
    p.openFolder = m_file.value(kDirectories, QStringLiteral("Open"), defaultFolder);
    p.saveFolder = m_file.value(kDirectories, QStringLiteral("Save"), defaultFolder);
}

QString Settings::SaveSettings(const Preferences& p, bool atClose) {
    // Re-read first: dialogs may have written keys of their own since start-up.
    m_file.load(m_path);
    m_file.setBool(kPlaylist, QStringLiteral("ShowPath"), p.showPath);
    m_file.setBool(kPlaylist, QStringLiteral("ShowExt"), p.showExtension);
    m_file.setBool(kPlaylist, QStringLiteral("ShowIcon"), p.showIcons);
    m_file.setBool(kPlaylist, QStringLiteral("OpenLastPL"), p.openLastPlayList);
    m_file.setBool(kPlaylist, QStringLiteral("StartPlaying"), p.startPlaying);
    if (atClose) {
        m_file.setValue(kGeneral, QStringLiteral("LastPL"), p.lastPlayList);
        m_file.setValue(kDirectories, QStringLiteral("Main"), p.mainFolder);
        m_file.setValue(kDirectories, QStringLiteral("Open"), p.openFolder);
        m_file.setValue(kDirectories, QStringLiteral("Save"), p.saveFolder);
    }
    return m_file.save(m_path);
}
