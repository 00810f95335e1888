#include "core/settings/settings.h"

#include "core/settings/preferences.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>

namespace {

const QString kPlaylist = QStringLiteral("Playlist");
const QString kGeneral = QStringLiteral("General");
const QString kPaths = QStringLiteral("Paths");
const QString kColor = QStringLiteral("Color");
const QString kCDAudio = QStringLiteral("CD Audio");
const QString kTray = QStringLiteral("Tray");
const QString kFont = QStringLiteral("Font");
const QString kEditors = QStringLiteral("Editors");
const QString kHistory = QStringLiteral("History");
const QString kFavoriteFolders = QStringLiteral("Favorite Folders");
const QString kFavoritePlayLists = QStringLiteral("Favorite Play Lists");
const QString kDirectories = QStringLiteral("Default Directories");
const QString kPalettePosition = QStringLiteral("ToolBarPosition");
const QString kPosition = QStringLiteral("Position");

// A missing bitmap key reads back as this, so that "missing" and "empty" can be told apart.
const QString kNoBitmapKey = QStringLiteral("As far as I can tell, it does not exist");
constexpr int kNoPositionKey = -10000;
constexpr int kDefaultPlayListWidth = 2958;

int inRange(int value, int low, int high, int fallback) {
    return value < low || value > high ? fallback : value;
}

std::array<int, 4> readIndicators(const QString& text, const std::array<int, 4>& fallback) {
    if (text.size() != 8) {
        return fallback;
    }
    std::array<int, 4> modes{};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        modes[static_cast<size_t>(i)] = text.mid(i * 2, 2).toInt(&ok);
        if (!ok) {
            return fallback;
        }
    }
    return modes;
}

// Digits 1..4 name the shown panels in display order; other characters are skipped. A value longer
// than four characters means nothing: the built-in layout stands (and is what is written back).
QString readStatusBar(const QString& text) {
    if (text.size() > 4) {
        return QStringLiteral("1234");
    }
    QString panels;
    for (QChar c : text) {
        if (c >= u'1' && c <= u'4' && !panels.contains(c)) {
            panels.append(c);
        }
    }
    return panels;
}

QStringList readNumberedList(const IniFile& file, const QString& section) {
    QStringList list;
    for (int key = 1; key <= Preferences::kMaxFavorites; ++key) {
        const QString entry = file.value(section, QString::number(key));
        if (!entry.isEmpty()) {
            list.append(entry);
        }
    }
    return list;
}

void writeNumberedList(IniFile& file, const QString& section, const QStringList& list) {
    file.clearSection(section);
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (!list.at(i).isEmpty()) {
            file.setValue(section, QString::number(i + 1), list.at(i));
        }
    }
}

QString existingFolderOr(const QString& folder, const QString& fallback) {
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : fallback;
}

void readColours(const IniFile& file, Preferences& p) {
    struct ColourKeys {
        const char* key;
        const char* defaultKey;
        int Preferences::*value;
        int system;
    };
    static const ColourKeys colours[] = {
        {"ColorMW", "DefaultColorMW", &Preferences::colourMainWindow, Colour::kButtonFace},
        {"ColorTB", "DefaultColorTB", &Preferences::colourToolbar, Colour::kButtonFace},
        {"ColorFP", "DefaultColorFP", &Preferences::colourPalette, Colour::kButtonFace},
        {"TextMW", "DefaultTextMW", &Preferences::textMainWindow, Colour::kWindowText},
        {"TextTB", "DefaultTextTB", &Preferences::textToolbar, Colour::kWindowText},
        {"TextFP", "DefaultTextFP", &Preferences::textPalette, Colour::kWindowText},
    };
    for (const ColourKeys& colour : colours) {
        p.*colour.value = file.intValue(kColor, QString::fromLatin1(colour.key), 0);
    }
    for (const ColourKeys& colour : colours) {
        if (file.boolValue(kColor, QString::fromLatin1(colour.defaultKey), true)) {
            p.*colour.value = colour.system;
        }
    }
}

void writeColours(IniFile& file, const Preferences& p) {
    struct ColourValue {
        const char* key;
        const char* defaultKey;
        int value;
        int system;
    };
    const ColourValue colours[] = {
        {"ColorMW", "DefaultColorMW", p.colourMainWindow, Colour::kButtonFace},
        {"ColorTB", "DefaultColorTB", p.colourToolbar, Colour::kButtonFace},
        {"ColorFP", "DefaultColorFP", p.colourPalette, Colour::kButtonFace},
        {"TextMW", "DefaultTextMW", p.textMainWindow, Colour::kWindowText},
        {"TextTB", "DefaultTextTB", p.textToolbar, Colour::kWindowText},
        {"TextFP", "DefaultTextFP", p.textPalette, Colour::kWindowText},
    };
    for (const ColourValue& colour : colours) {
        file.setInt(kColor, QString::fromLatin1(colour.key), colour.value);
    }
    for (const ColourValue& colour : colours) {
        file.setBool(kColor, QString::fromLatin1(colour.defaultKey), colour.value == colour.system);
    }
}

// A missing background key takes the shipped bitmap on a display with enough colours, with the
// colours that suit it.
void readBitmap(const IniFile& file, const QString& key, const SettingsEnvironment& environment, QString& path,
                int& background, int& text) {
    path = file.value(kPaths, key, kNoBitmapKey);
    if (path != kNoBitmapKey) {
        return;
    }
    path.clear();
    if (environment.highColourDisplay && !environment.backgroundBitmap.isEmpty() &&
        QFileInfo::exists(environment.backgroundBitmap)) {
        path = environment.backgroundBitmap;
        background = Colour::rgb(107, 156, 255);
        text = 0;
    }
}

}  // namespace

IniFile Settings::read(QString* error) const {
    IniFile file;
    const QString reason = file.load(m_path);
    if (error) {
        *error = reason;
    }
    return file;
}

bool Settings::isPresent() const {
    return !read().isEmpty();
}

void Settings::LoadWindowSettings(Preferences& p) const {
    const IniFile file = read();
    WindowPlacement& w = p.window;
    w.height = file.intValue(kPosition, QStringLiteral("Height"), 312);
    w.width = file.intValue(kPosition, QStringLiteral("Width"), 473);
    w.sizeStored = file.intValue(kPosition, QStringLiteral("Height"), kNoPositionKey) != kNoPositionKey &&
                   file.intValue(kPosition, QStringLiteral("Width"), kNoPositionKey) != kNoPositionKey;
    const int top = file.intValue(kPosition, QStringLiteral("Top"), kNoPositionKey);
    const int left = file.intValue(kPosition, QStringLiteral("Left"), kNoPositionKey);
    w.top.reset();
    w.left.reset();
    if (top != kNoPositionKey && left != kNoPositionKey) {
        w.top = top;
        w.left = left;
    }
    w.maximized = file.boolValue(kPosition, QStringLiteral("Maximized"), false);
    // A share outside 0..10000 cannot be laid out.
    w.playListWidth = inRange(file.intValue(kPosition, QStringLiteral("PLWidth"), kDefaultPlayListWidth), 0, 10000,
                              kDefaultPlayListWidth);
    p.filter = inRange(file.intValue(kGeneral, QStringLiteral("Filter"), 0), 0, 10, p.filter);
    p.recycleBin = file.boolValue(kGeneral, QStringLiteral("RecycleBin"), true);
}

void Settings::LoadSettings(Preferences& p, const SettingsEnvironment& environment) const {
    const IniFile file = read();
    p.randomPlay = file.boolValue(kPlaylist, QStringLiteral("RandomPlay"), false);
    p.loopPlayList = file.boolValue(kPlaylist, QStringLiteral("ContLoop"), false);
    p.autoPlay = file.boolValue(kPlaylist, QStringLiteral("AutoPlay"), true);
    p.delaySeconds = std::clamp(file.intValue(kPlaylist, QStringLiteral("Delay"), 0) / 1000.0,
                                Preferences::kMinDelaySeconds, Preferences::kMaxDelaySeconds);
    p.delayEnabled = file.boolValue(kPlaylist, QStringLiteral("EnabledDelay"), false);
    p.indicatorModes = readIndicators(file.value(kPlaylist, QStringLiteral("Indicators"), QStringLiteral("00000000")),
                                      Preferences().indicatorModes);
    p.showPath = file.boolValue(kPlaylist, QStringLiteral("ShowPath"), false);
    p.showExtension = file.boolValue(kPlaylist, QStringLiteral("ShowExt"), true);
    p.showIcons = file.boolValue(kPlaylist, QStringLiteral("ShowIcon"), true);
    p.openLastPlayList = file.boolValue(kPlaylist, QStringLiteral("OpenLastPL"), true);
    p.startPlaying = file.boolValue(kPlaylist, QStringLiteral("StartPlaying"), true);
    // Titles from tags
    p.showTagTitles = file.boolValue(kPlaylist, QStringLiteral("ShowTitlesFromTags"), false);

    const QString components = file.value(kGeneral, QStringLiteral("Components"), QStringLiteral("11111111111"));
    for (int n = 0; n < Preferences::kComponents; ++n) {
        p.components[static_cast<size_t>(n)] = n < components.size() && components.at(n) == u'1';
    }
    p.statusBarPanels = readStatusBar(file.value(kGeneral, QStringLiteral("Status Bar"), QStringLiteral("1234")));
    p.videoSize = std::clamp(file.intValue(kGeneral, QStringLiteral("Video Size"), 100), 1, 1000);
    p.titleFormat = inRange(file.intValue(kGeneral, QStringLiteral("TitleFormat"), 0), 0, 2, 0);
    p.midiResetFile = file.value(kGeneral, QStringLiteral("MIDIResetFile"));
    p.borderlessButtons = file.boolValue(kGeneral, QStringLiteral("BorderlessButtons"), true);
    p.grayedButtons = file.boolValue(kGeneral, QStringLiteral("GrayedButtons"), false);
    p.showWelcomeScreen = file.boolValue(kGeneral, QStringLiteral("ShowWelcomeScreen"), true);
    p.cdAudioInitialMode = file.boolValue(kGeneral, QStringLiteral("CDAudioInitialMode"), false);
    p.floatingPaletteMode = inRange(file.intValue(kGeneral, QStringLiteral("FloatingPaletteMode"), 0), 0, 2, 0);
    p.favFoldersShowPath = file.boolValue(kGeneral, QStringLiteral("FavFoldersShowPath"), false);
    p.lastPlayList = file.value(kGeneral, QStringLiteral("LastPL"));

    p.mixerPath = file.value(kPaths, QStringLiteral("MixerPath"), environment.mixerDefault);
    // Mixer: a bare program name (as earlier versions stored it) becomes the file it finds on the PATH.
    if (!p.mixerPath.isEmpty() && !p.mixerPath.contains(u'/')) {
        if (const QString found = QStandardPaths::findExecutable(p.mixerPath.trimmed()); !found.isEmpty()) {
            p.mixerPath = found;
        }
    }
    p.toolbarBitmapPath = file.value(kPaths, QStringLiteral("ToolbarBitmapPath"));
    readColours(file, p);
    readBitmap(file, QStringLiteral("BitmapPath"), environment, p.bitmapPath, p.colourMainWindow, p.textMainWindow);
    readBitmap(file, QStringLiteral("FloatingPaletteBitmapPath"), environment, p.floatingPaletteBitmapPath,
               p.colourPalette, p.textPalette);

    p.stopCDAudioOnExit = file.boolValue(kCDAudio, QStringLiteral("StopCDAudioOnExit"), false);
    p.stopCDAudioWhenChangingMode = file.boolValue(kCDAudio, QStringLiteral("StopCDAudioWhenChangingMode"), false);
    p.askBeforeSavingCDDatabase = file.boolValue(kCDAudio, QStringLiteral("AskForConfirmationWhenSavingDB"), false);
    p.startInCDAudioModeIfPlaying =
        file.boolValue(kCDAudio, QStringLiteral("StartInCDAudioModeIfCDIsPlaying"), true);
    p.backUpCDDatabase = file.boolValue(kCDAudio, QStringLiteral("SaveBackupCopyOfCDDB"), true);
    p.cdDevice = file.value(kCDAudio, QStringLiteral("Device"));

    p.useTray = file.boolValue(kTray, QStringLiteral("UseTray"), true);
    p.trayAlways = file.boolValue(kTray, QStringLiteral("DisplayAlways"), false);

    p.fontName = file.value(kFont, QStringLiteral("Name"), QStringLiteral("Arial"));
    p.fontSize = file.intValue(kFont, QStringLiteral("Size"), 8);
    p.fontBold = file.boolValue(kFont, QStringLiteral("Bold"), false);
    p.fontItalic = file.boolValue(kFont, QStringLiteral("Italic"), false);

    for (size_t i = 0; i < p.editors.size(); ++i) {
        p.editors[i] = file.value(kEditors, Preferences::editorKeys()[i]);
    }
    // Filled slots come first, whatever gaps a hand-edited file has.
    p.history.clear();
    for (int n = 1; n <= Preferences::kHistorySize; ++n) {
        const QString entry = file.value(kHistory, QStringLiteral("File%1").arg(n));
        if (!entry.isEmpty()) {
            p.history.append(entry);
        }
    }
    while (p.history.size() < Preferences::kHistorySize) {
        p.history.append(QString());
    }
    p.favoriteFolders = readNumberedList(file, kFavoriteFolders);
    p.favoritePlayLists = readNumberedList(file, kFavoritePlayLists);

    p.mainFolder = existingFolderOr(file.value(kDirectories, QStringLiteral("Main")), environment.defaultFolder);
    p.openFolder = existingFolderOr(file.value(kDirectories, QStringLiteral("Open")), environment.defaultFolder);
    p.saveFolder = existingFolderOr(file.value(kDirectories, QStringLiteral("Save")), environment.defaultFolder);

    p.paletteTop = file.intValue(kPalettePosition, QStringLiteral("Top"), 0);
    p.paletteLeft.reset();
    int left = 0;
    if (parseIniInt(file.value(kPalettePosition, QStringLiteral("Left")), &left)) {
        p.paletteLeft = left;
    }

    p.shortcuts.LoadShortcuts(file);
}

QString Settings::SaveSettings(const Preferences& p, bool atClose) const {
    // A file that cannot be read is not replaced: its other sections would be lost.
    QString error;
    IniFile file = read(&error);
    if (!error.isEmpty()) {
        return error;
    }
    file.setBool(kPlaylist, QStringLiteral("RandomPlay"), p.randomPlay);
    file.setBool(kPlaylist, QStringLiteral("ContLoop"), p.loopPlayList);
    file.setBool(kPlaylist, QStringLiteral("AutoPlay"), p.autoPlay);
    file.setInt(kPlaylist, QStringLiteral("Delay"), static_cast<int>(std::lround(p.delaySeconds * 1000)));
    file.setBool(kPlaylist, QStringLiteral("EnabledDelay"), p.delayEnabled);
    QString indicators;
    for (int mode : p.indicatorModes) {
        indicators += QStringLiteral("%1").arg(mode, 2, 10, QChar(u'0'));
    }
    file.setValue(kPlaylist, QStringLiteral("Indicators"), indicators);
    file.setBool(kPlaylist, QStringLiteral("ShowPath"), p.showPath);
    file.setBool(kPlaylist, QStringLiteral("ShowExt"), p.showExtension);
    file.setBool(kPlaylist, QStringLiteral("ShowIcon"), p.showIcons);
    file.setBool(kPlaylist, QStringLiteral("OpenLastPL"), p.openLastPlayList);
    file.setBool(kPlaylist, QStringLiteral("StartPlaying"), p.startPlaying);
    // Titles from tags
    file.setBool(kPlaylist, QStringLiteral("ShowTitlesFromTags"), p.showTagTitles);

    QString components;
    for (bool shown : p.components) {
        components += shown ? u'1' : u'0';
    }
    file.setValue(kGeneral, QStringLiteral("Components"), components);
    file.setValue(kGeneral, QStringLiteral("Status Bar"), p.statusBarPanels);
    file.setInt(kGeneral, QStringLiteral("Video Size"), p.videoSize);
    file.setInt(kGeneral, QStringLiteral("TitleFormat"), p.titleFormat);
    file.setValue(kGeneral, QStringLiteral("MIDIResetFile"), p.midiResetFile);
    file.setBool(kGeneral, QStringLiteral("BorderlessButtons"), p.borderlessButtons);
    file.setBool(kGeneral, QStringLiteral("GrayedButtons"), p.grayedButtons);
    file.setBool(kGeneral, QStringLiteral("ShowWelcomeScreen"), p.showWelcomeScreen);
    file.setBool(kGeneral, QStringLiteral("CDAudioInitialMode"), p.cdAudioInitialMode);
    file.setInt(kGeneral, QStringLiteral("FloatingPaletteMode"), p.floatingPaletteMode);
    file.setBool(kGeneral, QStringLiteral("FavFoldersShowPath"), p.favFoldersShowPath);

    file.setValue(kPaths, QStringLiteral("MixerPath"), p.mixerPath);
    file.setValue(kPaths, QStringLiteral("BitmapPath"), p.bitmapPath);
    file.setValue(kPaths, QStringLiteral("ToolbarBitmapPath"), p.toolbarBitmapPath);
    file.setValue(kPaths, QStringLiteral("FloatingPaletteBitmapPath"), p.floatingPaletteBitmapPath);
    writeColours(file, p);

    file.setBool(kCDAudio, QStringLiteral("StopCDAudioOnExit"), p.stopCDAudioOnExit);
    file.setBool(kCDAudio, QStringLiteral("StopCDAudioWhenChangingMode"), p.stopCDAudioWhenChangingMode);
    file.setBool(kCDAudio, QStringLiteral("AskForConfirmationWhenSavingDB"), p.askBeforeSavingCDDatabase);
    file.setBool(kCDAudio, QStringLiteral("StartInCDAudioModeIfCDIsPlaying"), p.startInCDAudioModeIfPlaying);
    file.setBool(kCDAudio, QStringLiteral("SaveBackupCopyOfCDDB"), p.backUpCDDatabase);
    file.setBool(kTray, QStringLiteral("UseTray"), p.useTray);
    file.setBool(kTray, QStringLiteral("DisplayAlways"), p.trayAlways);
    file.setValue(kFont, QStringLiteral("Name"), p.fontName);
    file.setInt(kFont, QStringLiteral("Size"), p.fontSize);
    file.setBool(kFont, QStringLiteral("Bold"), p.fontBold);
    file.setBool(kFont, QStringLiteral("Italic"), p.fontItalic);
    for (size_t i = 0; i < p.editors.size(); ++i) {
        file.setValue(kEditors, Preferences::editorKeys()[i], p.editors[i]);
    }
    writeNumberedList(file, kFavoriteFolders, p.favoriteFolders);
    writeNumberedList(file, kFavoritePlayLists, p.favoritePlayLists);
    file.setInt(kPalettePosition, QStringLiteral("Top"), p.paletteTop);
    if (p.paletteLeft) {
        file.setInt(kPalettePosition, QStringLiteral("Left"), *p.paletteLeft);
    }
    p.shortcuts.SaveShortcuts(file);

    if (atClose) {
        const WindowPlacement& w = p.window;
        file.setBool(kPosition, QStringLiteral("Maximized"), w.maximized);
        file.setBool(kPosition, QStringLiteral("Minimized"), w.minimized);
        if (w.top && w.left) {
            file.setInt(kPosition, QStringLiteral("Top"), *w.top);
            file.setInt(kPosition, QStringLiteral("Left"), *w.left);
        }
        file.setInt(kPosition, QStringLiteral("Height"), w.height);
        file.setInt(kPosition, QStringLiteral("Width"), w.width);
        file.setInt(kPosition, QStringLiteral("PLWidth"), w.playListWidth);
        file.setInt(kGeneral, QStringLiteral("Filter"), p.filter);
        file.setBool(kGeneral, QStringLiteral("RecycleBin"), p.recycleBin);
        file.setValue(kGeneral, QStringLiteral("LastPL"), p.lastPlayList);
        for (int n = 0; n < Preferences::kHistorySize; ++n) {
            file.setValue(kHistory, QStringLiteral("File%1").arg(n + 1), p.history.value(n));
        }
        file.setValue(kDirectories, QStringLiteral("Main"), p.mainFolder);
        if (!p.openFolder.isEmpty()) {
            file.setValue(kDirectories, QStringLiteral("Open"), p.openFolder);
        }
        if (!p.saveFolder.isEmpty()) {
            file.setValue(kDirectories, QStringLiteral("Save"), p.saveFolder);
        }
    }
    return file.save(m_path);
}

bool Settings::readBool(const QString& section, const QString& key, bool fallback) const {
    return read().boolValue(section, key, fallback);
}

int Settings::readInt(const QString& section, const QString& key, int fallback) const {
    return read().intValue(section, key, fallback);
}

QString Settings::writeBool(const QString& section, const QString& key, bool value) const {
    QString error;
    IniFile file = read(&error);
    if (!error.isEmpty()) {
        return error;
    }
    file.setBool(section, key, value);
    return file.save(m_path);
}

QString Settings::writeInt(const QString& section, const QString& key, int value) const {
    QString error;
    IniFile file = read(&error);
    if (!error.isEmpty()) {
        return error;
    }
    file.setInt(section, key, value);
    return file.save(m_path);
}

QRect PlaceMainWindow(const WindowPlacement& placement, QSize minimum, QRect screen, QRect desktop) {
    if (desktop.isEmpty()) {
        desktop = screen;
    }
    // A damaged or foreign file may give any size: no larger than the screens, no smaller than the minimum.
    const int height = std::max(std::min(placement.height, desktop.height()), minimum.height());
    const int width = std::max(std::min(placement.width, desktop.width()), minimum.width());
    if (placement.top && placement.left) {
        const QRect stored(*placement.left, *placement.top, width, height);
        if (stored.intersects(desktop)) {
            return stored;
        }
    }
    // Centred on the screen, moved onto the desktop where it is larger than the screen.
    const int left = screen.x() + screen.width() / 2 - width / 2;
    const int top = screen.y() + screen.height() / 2 - height / 2;
    return QRect(std::max(desktop.left(), std::min(left, desktop.left() + desktop.width() - width)),
                 std::max(desktop.top(), std::min(top, desktop.top() + desktop.height() - height)), width,
                 height);
}
