// The settings file through the INI layer: loading what a save wrote gives the same settings (so a
// second save writes the same file), and every line of a section the program does not own is kept.
#include "fuzzcheck.h"

#include "core/common/textfile.h"
#include "core/settings/preferences.h"
#include "core/settings/settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The sections whose keys the program writes; everything else in the file belongs to someone else.
const QStringList kOwnedSections = {
    QStringLiteral("Playlist"),        QStringLiteral("General"),         QStringLiteral("Paths"),
    QStringLiteral("Color"),           QStringLiteral("CD Audio"),        QStringLiteral("Tray"),
    QStringLiteral("Font"),            QStringLiteral("Editors"),         QStringLiteral("History"),
    QStringLiteral("Favorite Folders"), QStringLiteral("Favorite Play Lists"), QStringLiteral("Default Directories"),
    QStringLiteral("ToolBarPosition"), QStringLiteral("Position"),        QStringLiteral("ShortCuts")};

// The name of a section header line, or a null string when the line is no header.
QString headerName(const QString& line) {
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'[') || !trimmed.contains(u']')) {
        return {};
    }
    return trimmed.mid(1, trimmed.indexOf(u']') - 1).trimmed();
}

QStringList foreignLines(const QStringList& lines) {
    QStringList foreign;
    bool owned = false;
    for (const QString& line : lines) {
        const QString name = headerName(line);
        if (!name.isNull()) {
            owned = kOwnedSections.contains(name, Qt::CaseInsensitive);
        }
        if (!owned) {
            foreign.append(line);
        }
    }
    return foreign;
}

QByteArray loadAndSave(const QString& path, const SettingsEnvironment& environment) {
    const Settings settings(path);
    Preferences preferences;
    settings.LoadWindowSettings(preferences);
    settings.LoadSettings(preferences, environment);
    FUZZ_CHECK(settings.SaveSettings(preferences, true).isEmpty());
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("velmaro.ini"));
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }
    SettingsEnvironment environment;
    environment.defaultFolder = folder.path();
    environment.mixerDefault = QStringLiteral("pavucontrol");
    environment.backgroundBitmap = QStringLiteral("/usr/share/velmaro/background.bmp");

    const QByteArray saved = loadAndSave(path, environment);
    FUZZ_CHECK(loadAndSave(path, environment) == saved);

    const QStringList before = TextFile::splitFileLines(TextFile::decode(bytes));
    const QStringList after = TextFile::splitFileLines(TextFile::decode(saved));
    FUZZ_CHECK(FuzzText::isSubsequence(foreignLines(before), after));
    return 0;
}
