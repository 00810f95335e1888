#include "core/common/textfile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace TextFile {
namespace {

// Qt has no Windows-1252 codec without ICU names, and the code page differs from Latin-1 only in
// 0x80..0x9F. The five bytes the code page leaves undefined map to the C1 controls of the same value,
// as Windows does, so they survive a round trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QChar* appendWindows1252(QChar* out, QByteArrayView bytes) {
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = (b >= 0x80 && b < 0xA0) ? QChar(kHighControls[b - 0x80]) : QChar(b);
    }
    return out;
}

int windows1252Byte(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
        return u;
    }
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == u) {
            return static_cast<int>(0x80 + i);
        }
    }
    return -1;
}

QByteArray encodeWindows1252(const QString& text, bool* fits) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            *out++ = static_cast<char>(u);
            continue;
        }
        const int b = windows1252Byte(u);
        if (b < 0) {
            *fits = false;
            return {};
        }
        *out++ = static_cast<char>(b);
    }
    *fits = true;
    return bytes;
}

bool isAscii(QStringView text) {
    char16_t all = 0;
    const auto* chars = reinterpret_cast<const char16_t*>(text.utf16());
    for (qsizetype i = 0; i < text.size(); ++i) {
        all |= chars[i];
    }
    return all < 0x80;
}

}  // namespace

QString decode(const QByteArray& bytes) {
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF")) {
        view = view.sliced(3);
    }
    // One byte order mark is taken away, above; Qt would silently take a second one, which is text.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    // The check stops at the first byte that is not UTF-8, so a file in the old code page costs little.
    if (view.isValidUtf8()) {
        return utf8.decode(view);
    }
    // A file edited by hand may hold lines of both: each line is read in the encoding its bytes are
    // valid in. A line feed is never part of a UTF-8 sequence, so the lines can be cut on bytes.
    QString text(std::max(view.size(), utf8.requiredSpace(view.size())), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype start = 0; start < view.size();) {
        const qsizetype newline = view.indexOf('\n', start);
        const qsizetype end = newline < 0 ? view.size() : newline + 1;
        const QByteArrayView line = view.sliced(start, end - start);
        out = line.isValidUtf8() ? utf8.appendToBuffer(out, line) : appendWindows1252(out, line);
        start = end;
    }
    text.truncate(out - text.constData());
    return text;
}

QByteArray encode(const QString& text) {
    if (isAscii(text)) {
        return text.toLatin1();  // plain ASCII is the same in every encoding we write
    }
    bool fits = false;
    QByteArray bytes = encodeWindows1252(text, &fits);
    // Code-page bytes that happen to be valid UTF-8 ("Ã©") would read back as other text.
    if (fits && decode(bytes) == text) {
        return bytes;
    }
    // A text that itself starts with U+FEFF would lose it to the mark reading takes away.
    return text.startsWith(QChar(0xFEFF)) ? "\xEF\xBB\xBF" + text.toUtf8() : text.toUtf8();
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start < n) {
        const qsizetype newline = text.indexOf(u'\n', start);
        qsizetype end = newline < 0 ? n : newline;
        if (newline > start && text.at(newline - 1) == u'\r') {
            --end;
        }
        // Lone CRs end lines too; they are looked for only up to this line's end.
        for (qsizetype cr = QStringView(text).mid(start, end - start).indexOf(u'\r'); cr >= 0;
             cr = QStringView(text).mid(start, end - start).indexOf(u'\r')) {
            lines.append(text.mid(start, cr));
            start += cr + 1;
        }
        if (newline < 0) {
            if (start < n) {
                lines.append(text.mid(start));
            }
            break;
        }
        lines.append(text.mid(start, end - start));
        start = newline + 1;
    }
    return lines;
}

QStringList splitFileLines(const QString& text) {
    if (!text.contains(u'\n')) {
        return splitLines(text);  // CRs alone are the line ends of the whole file
    }
    QStringList lines;
    const qsizetype n = text.size();
    for (qsizetype start = 0; start < n;) {
        const qsizetype newline = text.indexOf(u'\n', start);
        qsizetype end = newline < 0 ? n : newline;
        while (end > start && text.at(end - 1) == u'\r') {
            --end;
        }
        lines.append(text.mid(start, end - start));
        start = newline < 0 ? n : newline + 1;
    }
    return lines;
}

QString joinLines(const QStringList& lines) {
    qsizetype size = 0;
    for (const QString& line : lines) {
        size += line.size() + 2;
    }
    QString text;
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += u"\r\n";
    }
    return text;
}

namespace {

// The bytes of a file of lines: ASCII text, the most common case, goes straight to bytes without
// building the whole text first.
QByteArray encodeLines(const QStringList& lines) {
    qsizetype size = 0;
    for (const QString& line : lines) {
        if (!isAscii(line)) {
            return encode(joinLines(lines));
        }
        size += line.size() + 2;
    }
    QByteArray bytes;
    bytes.reserve(size);
    for (const QString& line : lines) {
        bytes.append(line.toLatin1()).append("\r\n");
    }
    return bytes;
}

}  // namespace

ReadResult readLines(const QString& path) {
    ReadResult result;
    QFile file(path);
    result.exists = file.exists();
    if (!result.exists) {
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    result.lines = splitFileLines(decode(file.readAll()));
    result.ok = true;
    return result;
}

QString replaceFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Unbuffered: a buffered write only fails when commit() flushes it, and commit() replaces the file
    // all the same, so a full disk would leave a short or empty file and report success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return file.errorString();
    }
    const auto cancel = [&file](const QString& reason) {
        file.cancelWriting();
        return reason;
    };
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        return cancel(file.errorString());
    }
    // commit() syncs too but ignores the answer; a file system that runs out of room there says so here.
    if (::fdatasync(file.handle()) != 0 && (errno == ENOSPC || errno == EDQUOT || errno == EIO)) {
        return cancel(QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return {};
}

QString writeLines(const QString& path, const QStringList& lines) {
    return replaceFile(path, encodeLines(lines));
}

}  // namespace TextFile
