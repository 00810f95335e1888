#pragma once

#include <QString>
#include <QStringList>

// What a start of the program was asked to do. Parameters are kept in order and untouched: "/play",
// Play List files and media files are told apart only when they are processed.
struct CommandLine {
    QStringList parameters;
    QString command;  // one of CommandLine::commandNames(), from "--command <name>"
    bool help = false;
    bool version = false;
    QString error;  // set when the arguments cannot be understood

    // Arguments without the program name.
    static CommandLine parse(const QStringList& arguments);
    // The commands a second start can send to the running instance, in the order of the taskbar menu.
    static const QStringList& commandNames();
    // Those the running instance carries out, which the usage lists; it refuses the others with a reason.
    static const QStringList& carriedOutCommandNames();
    static QString usage();
};

// The path of a parameter as the file system spells it: made absolute against baseFolder, then each
// folder and the name replaced by the entry on disk that matches it ignoring letter case. When some
// part cannot be found the spelling is kept as given (still made absolute). A trailing "/" is kept.
QString OnDiskPath(const QString& parameter, const QString& baseFolder);
