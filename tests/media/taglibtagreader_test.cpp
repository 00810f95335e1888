#include "media/taglibtagreader.h"
#include "core/playlist/tagtitles.h"
#include "mediafiles.h"
#include "support/tempfolder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

QByteArray bigEndian(quint32 value) {
    QByteArray out;
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.append(static_cast<char>((value >> shift) & 0xFF));
    }
    return out;
}

// An ID3v2.3 tag of one frame, as a damaged or hostile file may hold it: frameSize may claim more than
// follows, encoding may be none that exists.
QByteArray id3Tag(const char* frameId, const QByteArray& text, char encoding, quint32 frameSize) {
    QByteArray frame(frameId);
    frame += bigEndian(frameSize) + QByteArray(2, '\0') + encoding + text;
    const auto size = static_cast<quint32>(frame.size());
    QByteArray tag("ID3\x03\x00\x00", 6);
    for (int shift = 21; shift >= 0; shift -= 7) {  // synchsafe: seven bits a byte
        tag.append(static_cast<char>((size >> shift) & 0x7F));
    }
    return tag + frame;
}

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? path : QString();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString shownLine(const QString& path) {
    const FileTags tags = TagLibTagReader::read(path);
    return TagTitleLine(tags.artist, tags.title);
}

TEST(TagLibTagReader, GeneratedFilesShowArtistAndTitle) {
    TempFolder folder;
    const struct {
        const char* name;
        const char* encoder;
        const char* shown;
    } cases[] = {
        {"tagged.ogg", "taginject tags=\"artist=OggArtist,title=OggTitle\" ! vorbisenc ! oggmux",
         "OggArtist - OggTitle"},
        {"tagged.mp3", "taginject tags=\"artist=MpegArtist,title=MpegTitle\" ! lamemp3enc ! id3v2mux",
         "MpegArtist - MpegTitle"},
        {"tagged.flac", "taginject tags=\"artist=FlacArtist,title=FlacTitle\" ! flacenc",
         "FlacArtist - FlacTitle"},
        {"titleonly.ogg", "taginject tags=\"title=OnlyTitle\" ! vorbisenc ! oggmux", "OnlyTitle"},
        // No title: the item keeps its file name.
        {"untagged.ogg", "vorbisenc ! oggmux", ""},
        {"artistonly.mp3", "taginject tags=\"artist=NoTitle\" ! lamemp3enc ! id3v2mux", ""},
    };
    for (const auto& c : cases) {
        const QString path = MediaFiles::encodedWith(folder.file(s(c.name)), s(c.encoder), 0.2);
        ASSERT_FALSE(path.isEmpty()) << c.name;
        EXPECT_EQ(shownLine(path), s(c.shown)) << c.name;
    }
    EXPECT_EQ(shownLine(folder.file(s("missing.mp3"))), QString());
    EXPECT_EQ(shownLine(writeFile(folder.file(s("empty.flac")), {})), QString());
}

TEST(TagLibTagReader, HostileTagsAreReadBoundedAndShownOnOneLine) {
    TempFolder folder;
    const QString plain = MediaFiles::encodedWith(folder.file(s("plain.mp3")), s("lamemp3enc"), 0.2);
    ASSERT_FALSE(plain.isEmpty());
    const QByteArray audio = readFile(plain);

    QByteArray huge = QByteArray("Break\nin\r\nthe\x01title\t") + QByteArray(1024 * 1024, 'x');
    const QString hugeFile = writeFile(
        folder.file(s("huge.mp3")), id3Tag("TIT2", huge, 0, static_cast<quint32>(huge.size() + 1)) + audio);
    const FileTags read = TagLibTagReader::read(hugeFile);
    EXPECT_LE(read.title.size(), TagLibTagReader::kMaxTagCharacters);
    const QString line = TagTitleLine(read.artist, read.title);
    EXPECT_EQ(line.size(), TagTitles::kMaxCharacters);
    EXPECT_TRUE(line.startsWith(s("Break in the title xxx")));

    // A frame that claims more than the file holds, an encoding that does not exist, a UTF-16 text of an
    // odd length without its byte order mark: read without a crash, shown on one bounded line or not at all.
    const QByteArray damaged[] = {
        id3Tag("TIT2", "Claims too much", 0, 0x7FFFFFF0),
        id3Tag("TIT2", "Unknown encoding", 7, 17),
        id3Tag("TIT2", QByteArray("\x41\x00\x0a\x00\x42", 5), 1, 6),
        id3Tag("TPE1", QByteArray(300000, '\x1b'), 0, 300001),
    };
    int n = 0;
    for (const QByteArray& tag : damaged) {
        const QString path = writeFile(folder.file(QString(s("damaged%1.mp3")).arg(++n)), tag + audio);
        const QString shown = shownLine(path);
        EXPECT_LE(shown.size(), TagTitles::kMaxCharacters) << n;
        EXPECT_FALSE(shown.contains(u'\n') || shown.contains(u'\r') || shown.contains(QChar(0x1b))) << n;
    }
}

TEST(TagLibTagReader, EveryRequestIsAnsweredOnTheOwnersThreadWithoutWaiting) {
    TempFolder folder;
    QStringList paths;
    for (int i = 0; i < 6; ++i) {
        paths.append(MediaFiles::encodedWith(
            folder.file(QString(s("t%1.ogg")).arg(i)),
            QString(s("taginject tags=\"title=Song%1\" ! vorbisenc ! oggmux")).arg(i), 0.1));
    }
    paths.append(folder.file(s("missing.ogg")));

    TagLibTagReader reader;
    QHash<QString, QString> answered;
    bool onOwnersThread = true;
    reader.setReceiver([&](const std::vector<FileTags>& tags) {
        onOwnersThread = onOwnersThread && QThread::currentThread() == reader.thread();
        for (const FileTags& file : tags) {
            answered.insert(file.path, file.title);
        }
    });
    reader.request(paths.mid(0, 3));
    reader.request(paths.mid(3));
    EXPECT_TRUE(answered.isEmpty());  // the caller goes on at once

    const QDeadlineTimer deadline(20000);
    while (answered.size() < paths.size() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    ASSERT_EQ(answered.size(), paths.size());
    EXPECT_TRUE(onOwnersThread);
    EXPECT_EQ(answered.value(paths.at(4)), s("Song4"));
    EXPECT_EQ(answered.value(paths.last()), QString());
}

}  // namespace
