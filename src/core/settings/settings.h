#pragma once

#include "core/settings/inifile.h"

#include <QString>

struct Preferences;

// The settings file "velmaro.ini" in the user data folder. Loading fills the Preferences with the
// stored values (defaults where a key is missing or unreadable); saving rewrites the keys the program
// owns and keeps every other line of the file.
class Settings {
public:
    explicit Settings(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }

    // The first-run signal: the file is present when it exists and holds at least one line.
    bool isPresent() const;

    // defaultFolder stands in for the default folders the file does not name.
    void LoadSettings(Preferences& preferences, const QString& defaultFolder);
    // atClose adds the keys written only when the main window closes (last Play List, folders).
    // Returns the system's reason on failure, else an empty string.
    QString SaveSettings(const Preferences& preferences, bool atClose);

private:
    QString m_path;
    IniFile m_file;
};
