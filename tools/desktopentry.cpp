// Writes the desktop entry an installation puts in place. It is the text the File Types page's Register
// writes, so the two only differ in the program they start.
#include "core/common/textfile.h"
#include "platform/filetyperegistration.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fputs("Usage: velmaro_desktop_entry PROGRAM OUTPUT\n", stderr);
        return 2;
    }
    const QString error = TextFile::replaceFile(arguments.at(2), VelmaroDesktopEntry(arguments.at(1)));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(arguments.at(2)), qPrintable(error));
        return 1;
    }
    return 0;
}
