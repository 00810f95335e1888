// The command-line parser: parameters keep their order and text, and a command line written from
// what was understood is understood the same way.
#include "fuzzcheck.h"

#include "core/app/commandline.h"
#include "core/common/textfile.h"

// Arguments are separated by NUL characters, as the kernel hands them over.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList arguments = TextFile::decode(bytes).split(QChar(0));
    const CommandLine line = CommandLine::parse(arguments);
    FUZZ_CHECK(FuzzText::isSubsequence(line.parameters, arguments));
    if (!line.error.isEmpty()) {
        return 0;
    }
    FUZZ_CHECK(line.command.isEmpty() || CommandLine::commandNames().contains(line.command));

    QStringList written;
    if (line.help) {
        written << QStringLiteral("--help");
    }
    if (line.version) {
        written << QStringLiteral("--version");
    }
    if (!line.command.isEmpty()) {
        written << QStringLiteral("--command") << line.command;
    }
    written << QStringLiteral("--") << line.parameters;
    const CommandLine again = CommandLine::parse(written);
    FUZZ_CHECK(again.error.isEmpty());
    FUZZ_CHECK_EQUAL(again.parameters, line.parameters);
    FUZZ_CHECK_EQUAL(again.command, line.command);
    FUZZ_CHECK(again.help == line.help && again.version == line.version);
    return 0;
}
