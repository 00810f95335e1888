#include "platform/filetyperegistration.h"

#include "core/common/prompter.h"
#include "core/common/shell.h"
#include "core/common/textfile.h"
#include "core/files/filetypes.h"
#include "core/settings/inifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QStringDecoder>

#include <algorithm>

namespace {

const QString kDefaultApplications = QStringLiteral("Default Applications");
// Our record of the defaults we replaced: MIME type = the value the desktop had ("" when it had none).
const QString kPreviousDefaults = QStringLiteral("Previous Defaults");

QString desktopFileId() {
    return QString::fromLatin1(FileTypeRegistration::kDesktopFileName);
}

QString xdgFolder(const char* variable, const QString& fallback) {
    const QString value = qEnvironmentVariable(variable);
    // XDG base directories must be absolute: a relative value counts as unset.
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value)
                                       : QDir::cleanPath(QDir::homePath() + fallback);
}

// XDG_TEMPLATES_DIR from the environment, else from user-dirs.dirs ("$HOME/..." or an absolute path),
// else ~/Templates. A templates folder that is the home folder itself means the user turned it off.
QString findTemplatesFolder(const QString& configHome) {
    QString folder = qEnvironmentVariable("XDG_TEMPLATES_DIR");
    if (folder.isEmpty()) {
        const TextFile::ReadResult dirs = TextFile::readLines(configHome + QStringLiteral("/user-dirs.dirs"));
        for (const QString& line : dirs.lines) {
            const QString trimmed = line.trimmed();
            if (!trimmed.startsWith(QStringLiteral("XDG_TEMPLATES_DIR="))) {
                continue;
            }
            QString value = trimmed.mid(trimmed.indexOf(u'=') + 1);
            if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"')) {
                value = value.mid(1, value.size() - 2);
            }
            if (value.startsWith(QStringLiteral("$HOME"))) {
                value = QDir::homePath() + value.mid(5);
            }
            if (QDir::isAbsolutePath(value)) {
                folder = value;
            }
        }
    }
    if (!QDir::isAbsolutePath(folder)) {
        folder = QDir::homePath() + QStringLiteral("/Templates");
    }
    folder = QDir::cleanPath(folder);
    return folder == QDir::cleanPath(QDir::homePath()) ? QString() : folder;
}

// The characters that make the desktop's Exec parser split or expand an argument unless it is quoted.
bool needsQuoting(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\r\"'\\><~|&;$*?#()`");
    return argument.isEmpty() ||
           std::any_of(argument.begin(), argument.end(), [](QChar c) { return reserved.contains(c); });
}

// One argument of an Exec line: quoted when it must be, with the characters the desktop entry format
// reserves escaped, so a program path with blanks, quotes or percent signs reaches the desktop whole.
QString execArgument(const QString& argument) {
    const bool quote = needsQuoting(argument);
    QString quoted = quote ? QStringLiteral("\"") : QString();
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') {
            quoted += u'\\';
        }
        quoted += c;
        if (c == u'%') {
            quoted += u'%';
        }
    }
    if (quote) {
        quoted += u'"';
    }
    // Then the escapes of any string value of the file.
    QString value;
    for (const QChar c : quoted) {
        switch (c.unicode()) {
            case '\\':
                value += QStringLiteral("\\\\");
                break;
            case '\n':
                value += QStringLiteral("\\n");
                break;
            case '\t':
                value += QStringLiteral("\\t");
                break;
            case '\r':
                value += QStringLiteral("\\r");
                break;
            default:
                value += c;
        }
    }
    return value;
}

QStringList desktopIds(const QString& value) {
    QStringList ids;
    for (const QString& id : value.split(u';', Qt::SkipEmptyParts)) {
        if (!id.trimmed().isEmpty()) {
            ids.append(id.trimmed());
        }
    }
    return ids;
}

QString joinDesktopIds(const QStringList& ids) {
    return ids.isEmpty() ? QString() : ids.join(u';') + u';';
}

QStringList withoutOurs(QStringList ids) {
    ids.removeAll(desktopFileId());
    return ids;
}

// Whether a desktop entry starts this program: its Exec line names the same file, by this path or
// another (a link, or a bare name found on the PATH).
bool entryStartsProgram(const QByteArray& entry, const QString& programPath) {
    for (const QByteArray& line : entry.split('\n')) {
        if (!line.startsWith("Exec=")) {
            continue;
        }
        const QString value = QString::fromUtf8(line.mid(5)).trimmed();
        if (value == execArgument(programPath) + QStringLiteral(" %F")) {
            return true;
        }
        QString program = value.section(u' ', 0, 0);
        if (program.isEmpty() || needsQuoting(program) || program.contains(u'%')) {
            return false;
        }
        if (!QDir::isAbsolutePath(program)) {
            program = QStandardPaths::findExecutable(program);
        }
        const QString file = QFileInfo(program).canonicalFilePath();
        return !file.isEmpty() && file == QFileInfo(programPath).canonicalFilePath();
    }
    return false;
}

// The kinds of file behind the extensions the shared MIME database leaves out.
const QHash<QString, QString>& unknownToDatabase() {
    static const QHash<QString, QString> types = {
        {QStringLiteral("rmi"), QStringLiteral("audio/midi")},
        {QStringLiteral("mp1"), QStringLiteral("audio/mpeg")},
        {QStringLiteral("dat"), QStringLiteral("video/mpeg")},
        {QStringLiteral("nst"), QStringLiteral("audio/x-mod")},
        {QStringLiteral("wow"), QStringLiteral("audio/x-mod")},
        {QStringLiteral("okt"), QStringLiteral("audio/x-mod")},
        {QStringLiteral("far"), QStringLiteral("audio/x-mod")},
    };
    return types;
}

QString saveIni(const IniFile& file, const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return file.save(path);
}

}  // namespace

// The user's mimeapps.list, changed in memory; every line we do not touch is written back as it was.
struct FileTypeRegistration::MimeAppsList {
    IniFile file;
    QString error;

    explicit MimeAppsList(const QString& path) {
        QFile in(path);
        if (!in.exists()) {
            return;
        }
        if (!in.open(QIODevice::ReadOnly)) {
            error = in.errorString();
            return;
        }
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder(in.readAll());
        // Rewriting text that is not UTF-8 would change the lines of other programs.
        if (decoder.hasError()) {
            error = QStringLiteral("The file is not UTF-8 text.");
            return;
        }
        file = IniFile(TextFile::splitLines(text));
    }

    QStringList defaults(const QString& type) const {
        return desktopIds(file.value(kDefaultApplications, type));
    }
    void setDefaults(const QString& type, const QStringList& ids) {
        if (ids.isEmpty()) {
            file.removeKey(kDefaultApplications, type);
        } else {
            file.setValue(kDefaultApplications, type, joinDesktopIds(ids));
        }
    }

    QString save(const QString& path) const {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QByteArray bytes;
        for (const QString& line : file.lines()) {
            bytes += line.toUtf8() + '\n';
        }
        return TextFile::replaceFile(path, bytes);
    }
};

FileTypeLocations FileTypeLocations::fromEnvironment(const QString& userDataFolder,
                                                     const QString& programPath) {
    const QString configHome = xdgFolder("XDG_CONFIG_HOME", QStringLiteral("/.config"));
    FileTypeLocations locations;
    const QString dataHome = xdgFolder("XDG_DATA_HOME", QStringLiteral("/.local/share"));
    locations.applicationsFolder = dataHome + QStringLiteral("/applications");
    locations.mimeFolder = dataHome + QStringLiteral("/mime");
    locations.mimeAppsList = configHome + QStringLiteral("/mimeapps.list");
    locations.templatesFolder = findTemplatesFolder(configHome);
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dataDirs.isEmpty()) {
        dataDirs = QStringLiteral("/usr/local/share:/usr/share");
    }
    for (const QString& folder : dataDirs.split(u':', Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(folder)) {
            locations.dataFolders.append(QDir::cleanPath(folder));
        }
    }
    locations.previousDefaults = userDataFolder + QStringLiteral("/filetypes.ini");
    locations.programPath = programPath;
    return locations;
}

QString MimeTypeOfExtension(const QString& extension) {
    const QString lower = extension.toLower();
    const QMimeType type =
        QMimeDatabase().mimeTypeForFile(QStringLiteral("x.") + lower, QMimeDatabase::MatchExtension);
    // The database's catch-all type would make us the default for every unknown file.
    if (type.isValid() && !type.isDefault()) {
        return type.name();
    }
    return unknownToDatabase().value(lower);
}

QByteArray VelmaroMimePackage() {
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    const QHash<QString, QString>& types = unknownToDatabase();
    QStringList extensions = types.keys();
    extensions.sort();
    for (const QString& extension : extensions) {
        // A ".dat" file is any program's data on this desktop; claiming them all would open them as video.
        if (extension != QStringLiteral("dat")) {
            xml += QStringLiteral("  <mime-type type=\"%1\"><glob pattern=\"*.%2\"/></mime-type>\n")
                       .arg(types.value(extension), extension)
                       .toUtf8();
        }
    }
    return xml + "</mime-info>\n";
}

QStringList MediaGroupMimeTypes(int group) {
    QStringList types;
    for (const QString& extension : MediaGroupExtensions(group)) {
        const QString type = MimeTypeOfExtension(extension);
        if (!type.isEmpty() && !types.contains(type)) {
            types.append(type);
        }
    }
    return types;
}

QStringList VelmaroMimeTypes() {
    QStringList types;
    for (int group = 0; group < kMediaGroupCount; ++group) {
        for (const QString& type : MediaGroupMimeTypes(group)) {
            if (!types.contains(type)) {
                types.append(type);
            }
        }
    }
    return types;
}

QByteArray VelmaroDesktopEntry(const QString& programPath) {
    QStringList types = VelmaroMimeTypes();
    // So that the desktop offers us when an audio CD goes in.
    types.append(QStringLiteral("x-content/audio-cdda"));
    // StartupWMClass is the class Qt gives our windows on X11: the application's name.
    const QString text = QStringLiteral(
                             "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Velmaro\n"
                             "GenericName=Media Player\n"
                             "Comment=Play media files and audio CDs from Play Lists\n"
                             "Icon=velmaro\n"
                             "Exec=%1 %F\n"
                             "Terminal=false\n"
                             "Categories=AudioVideo;Audio;Player;\n"
                             "MimeType=%2\n"
                             "StartupWMClass=Velmaro\n")
                             .arg(execArgument(programPath), joinDesktopIds(types));
    return text.toUtf8();
}

QString FileTypeRegistration::installedEntry() const {
    for (const QString& folder : m_locations.dataFolders) {
        QFile entry(folder + QStringLiteral("/applications/") + desktopFileId());
        if (entry.open(QIODevice::ReadOnly) && entryStartsProgram(entry.readAll(), m_locations.programPath)) {
            return entry.fileName();
        }
    }
    return {};
}

bool FileTypeRegistration::writesOwnEntry(const QString& entryPath) const {
    // An installed entry of this program is registered as it is: a copy of ours would shadow it.
    if (installedEntry().isEmpty()) {
        return true;
    }
    // Unless the user's folder already holds one that starts another program (a build tree): the
    // desktop reads that one first, so it is replaced.
    QFile own(entryPath);
    return own.open(QIODevice::ReadOnly) && !entryStartsProgram(own.readAll(), m_locations.programPath);
}

bool FileTypeRegistration::registerGroup(int group) {
    const QString entryPath = m_locations.applicationsFolder + u'/' + desktopFileId();
    if (writesOwnEntry(entryPath)) {
        QDir().mkpath(m_locations.applicationsFolder);
        if (const QString error =
                TextFile::replaceFile(entryPath, VelmaroDesktopEntry(m_locations.programPath));
            !error.isEmpty()) {
            return reportFailure(entryPath, error);
        }
    }
    if (!installMimePackage()) {
        return false;
    }
    // The record first: without it the previous defaults could not be given back.
    const bool changed =
        changeDefaults(group, true, [](const QString& type, MimeAppsList& mimeApps, IniFile& previous) {
            const QStringList others = withoutOurs(mimeApps.defaults(type));
            // Registering again keeps the default from before the first time.
            if (!previous.contains(kPreviousDefaults, type)) {
                previous.setValue(kPreviousDefaults, type, joinDesktopIds(others));
            }
            // The old default stays behind ours, so the type still opens if our entry goes away.
            mimeApps.setDefaults(type, QStringList(desktopFileId()) + others);
        });
    return changed && finish(group, QStringLiteral("Velmaro has now been registered as the \r\n"
                                                   "player for the specified file type. This means\r\n"
                                                   "that Velmaro will launch playing the desired\r\n"
                                                   "file if you double click that file in the file\r\n"
                                                   "manager or any other program such as a web\r\n"
                                                   "browser that supports file viewers."));
}

bool FileTypeRegistration::restoreDesktopDefault(int group) {
    // Here the defaults first: a record left behind only means they can be given back again.
    const bool changed =
        changeDefaults(group, false, [](const QString& type, MimeAppsList& mimeApps, IniFile& previous) {
            const QStringList current = mimeApps.defaults(type);
            QStringList restored = withoutOurs(current);
            // Only while we are still the default: a choice the user made since then is not undone.
            if (!current.isEmpty() && current.first() == desktopFileId() &&
                previous.contains(kPreviousDefaults, type)) {
                restored = desktopIds(previous.value(kPreviousDefaults, type));
            }
            mimeApps.setDefaults(type, restored);
            previous.removeKey(kPreviousDefaults, type);
        });
    return changed && finish(group, QStringLiteral("The desktop's default player has now\r\n"
                                                   "been registered as the file viewer for the\r\n"
                                                   "specified file type."));
}

bool FileTypeRegistration::changeDefaults(int group, bool recordFirst, const TypeChange& change) {
    MimeAppsList mimeApps(m_locations.mimeAppsList);
    if (!mimeApps.error.isEmpty()) {
        return reportFailure(m_locations.mimeAppsList, mimeApps.error);
    }
    IniFile previous;
    if (const QString error = previous.load(m_locations.previousDefaults); !error.isEmpty()) {
        return reportFailure(m_locations.previousDefaults, error);
    }
    const QStringList defaultsBefore = mimeApps.file.lines();
    const QStringList recordBefore = previous.lines();
    for (const QString& type : MediaGroupMimeTypes(group)) {
        change(type, mimeApps, previous);
    }
    for (const bool record : {recordFirst, !recordFirst}) {
        // A file that stays as it was is not written (nor made where there was none).
        if (record ? previous.lines() == recordBefore : mimeApps.file.lines() == defaultsBefore) {
            continue;
        }
        const QString error = record ? saveIni(previous, m_locations.previousDefaults)
                                     : mimeApps.save(m_locations.mimeAppsList);
        if (!error.isEmpty()) {
            return reportFailure(record ? m_locations.previousDefaults : m_locations.mimeAppsList, error);
        }
    }
    return true;
}

bool FileTypeRegistration::finish(int group, const QString& report) {
    if (!writeTemplates(group)) {
        return false;
    }
    m_prompter.showMessage(Prompter::Kind::Information, report);
    return true;
}

// The extensions the desktop does not know get their types from a package of ours; the desktop reads
// packages only once they are compiled into its database.
bool FileTypeRegistration::installMimePackage() {
    const QString packages = m_locations.mimeFolder + QStringLiteral("/packages");
    const QString path = packages + QStringLiteral("/velmaro.xml");
    const QByteArray package = VelmaroMimePackage();
    QFile installed(path);
    if (installed.open(QIODevice::ReadOnly) && installed.readAll() == package) {
        return true;
    }
    QDir().mkpath(packages);
    if (const QString error = TextFile::replaceFile(path, package); !error.isEmpty()) {
        return reportFailure(path, error);
    }
    m_shell.startProgram(QStringLiteral("update-mime-database"), {m_locations.mimeFolder});
    return true;
}

// An empty file per extension for the file manager's "New document" menu ("MIDFile.mid"). A file of
// that name that is already there is left as it is: it may hold the user's own template.
bool FileTypeRegistration::writeTemplates(int group) {
    if (m_locations.templatesFolder.isEmpty()) {
        return true;
    }
    if (!QDir().mkpath(m_locations.templatesFolder)) {
        return reportFailure(m_locations.templatesFolder, QStringLiteral("The folder cannot be created."));
    }
    for (const QString& extension : MediaGroupExtensions(group)) {
        const QString path =
            m_locations.templatesFolder + u'/' + extension.toUpper() + QStringLiteral("File.") + extension;
        QFile file(path);
        if (!file.exists() && !file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            return reportFailure(path, file.errorString());
        }
    }
    return true;
}

bool FileTypeRegistration::reportFailure(const QString& path, const QString& reason) {
    m_prompter.showMessage(Prompter::Kind::Error,
                           QStringLiteral("Unable to change the file type registration.\r\n\r\n\"%1\": %2")
                               .arg(QDir::toNativeSeparators(path), reason));
    return false;
}
