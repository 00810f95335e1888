#include "core/app/commandline.h"

#include "core/shell/toolbartable.h"

#include <QDir>
#include <QFileInfo>

const QStringList& CommandLine::commandNames() {
    static const QStringList names = [] {
        QStringList all;
        for (const RemoteCommand& command : RemoteCommands()) {
            all.append(command.name);
        }
        return all;
    }();
    return names;
}

const QStringList& CommandLine::carriedOutCommandNames() {
    static const QStringList names = [] {
        QStringList carriedOut;
        for (const RemoteCommand& command : RemoteCommands()) {
            if (!command.original.isEmpty()) {
                carriedOut.append(command.name);
            }
        }
        return carriedOut;
    }();
    return names;
}

QString CommandLine::usage() {
    return QStringLiteral(
               "Usage: velmaro [/play] [PLAYLIST.vlp | MEDIA FILE]...\n"
               "       velmaro --command NAME\n"
               "\n"
               "Starts Velmaro, or hands the parameters to the Velmaro that is already running.\n"
               "  /play            start playing the Play Lists named after it\n"
               "  --command NAME   send a command to the running Velmaro: %1\n"
               "  --help           show this text\n"
               "  --version        show the version\n"
               "  --               everything after it is a file name\n")
        .arg(carriedOutCommandNames().join(QStringLiteral(", ")));
}

CommandLine CommandLine::parse(const QStringList& arguments) {
    CommandLine line;
    bool onlyFiles = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (onlyFiles || !argument.startsWith(QStringLiteral("--"))) {
            line.parameters.append(argument);
        } else if (argument == QStringLiteral("--")) {
            onlyFiles = true;
        } else if (argument == QStringLiteral("--help")) {
            line.help = true;
        } else if (argument == QStringLiteral("--version")) {
            line.version = true;
        } else if (argument == QStringLiteral("--command")) {
            if (i + 1 >= arguments.size() || !commandNames().contains(arguments.at(i + 1))) {
                line.error = QStringLiteral("--command needs one of: ") +
                             carriedOutCommandNames().join(QStringLiteral(", "));
                return line;
            }
            line.command = arguments.at(++i);
        } else {
            line.error = QStringLiteral("Unknown option: ") + argument;
            return line;
        }
    }
    return line;
}

QString OnDiskPath(const QString& parameter, const QString& baseFolder) {
    const bool trailingSlash = parameter.endsWith(u'/') && parameter.size() > 1;
    const QString absolute = QDir::cleanPath(QDir(baseFolder).absoluteFilePath(parameter));
    const QStringList parts = absolute.split(u'/', Qt::SkipEmptyParts);
    QString spelled = QStringLiteral("/");
    for (const QString& part : parts) {
        const QDir folder(spelled);
        QString found;
        if (QFileInfo::exists(folder.filePath(part))) {
            found = part;
        } else {
            const QStringList entries =
                folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString& entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    found = entry;
                    break;
                }
            }
        }
        if (found.isEmpty()) {
            return trailingSlash ? absolute + u'/' : absolute;
        }
        spelled = folder.filePath(found);
    }
    return trailingSlash && spelled != QStringLiteral("/") ? spelled + u'/' : spelled;
}
