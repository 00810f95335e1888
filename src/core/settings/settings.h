#pragma once

#include "core/settings/inifile.h"

#include <QRect>
#include <QSize>
#include <QString>

struct Preferences;
struct WindowPlacement;

// What some defaults depend on, found out by the caller.
struct SettingsEnvironment {
    QString defaultFolder;     // stands in for folders the file does not name or that are gone
    QString mixerDefault;      // the mixer program when the file names none
    QString backgroundBitmap;  // the shipped main-window background, used when the key is missing
    bool highColourDisplay = true;
};

// The settings file "velmaro.ini" in the user data folder. Reading fills the Preferences, with the
// default of each key where it is missing or unreadable; writing rewrites the keys the program owns
// and keeps every other line of the file. The file is read afresh for every operation.
class Settings {
public:
    explicit Settings(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }

    // The first-run signal: the file is present when it exists and holds at least one line.
    bool isPresent() const;

    // At the main window's creation: placement and the file-type filter.
    void LoadWindowSettings(Preferences& preferences) const;
    // At the first show: everything else.
    void LoadSettings(Preferences& preferences, const SettingsEnvironment& environment) const;
    // The full set; atClose adds the window placement, the filter, the last Play List, the history and
    // the default folders. Returns the system's reason on failure, else an empty string.
    QString SaveSettings(const Preferences& preferences, bool atClose) const;

    // Single keys that dialogs read and write on their own.
    bool readBool(const QString& section, const QString& key, bool fallback) const;
    int readInt(const QString& section, const QString& key, int fallback) const;
    QString writeBool(const QString& section, const QString& key, bool value) const;
    QString writeInt(const QString& section, const QString& key, int value) const;

private:
    // The file as it stands; *error is set when it exists but cannot be read.
    IniFile read(QString* error = nullptr) const;

    QString m_path;
};

// The main window's bounds at creation: the stored size cut to the desktop (every screen together; the
// screen alone when empty) and raised to the minimum, placed where it was while that is on the desktop,
// else centred on the screen.
QRect PlaceMainWindow(const WindowPlacement& placement, QSize minimum, QRect screen, QRect desktop = QRect());
