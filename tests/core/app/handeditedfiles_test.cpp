// Text files edited by hand in other editors: lines in two encodings, a lone CR inside a value. The
// program reads each line as it was meant, and its saves keep every other line as it was.
#include "core/cdaudio/cdidentifier.h"
#include "core/common/itemref.h"
#include "support/sessionfixture.h"

namespace {

class HandEditedFilesTest : public SessionFixture {
protected:
    // The lines of a file the program wrote: one encoding throughout, so they must be valid UTF-8 here.
    static QStringList utf8Lines(const QString& path) {
        const QByteArray bytes = readFileBytes(path);
        EXPECT_TRUE(QByteArrayView(bytes).isValidUtf8());
        return QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    }
};

TEST_F(HandEditedFilesTest, APlayListOfUtf8AndOldCodePageLinesKeepsEveryNameWhenSaved) {
    writeSettings({s("[Playlist]"), s("StartPlaying=0"), s("OpenLastPL=0")});
    const QString list = music.write(s("mixed.vlp"),
                                     "[General]\r\nLastPlayed=\r\n\r\n[Items]\r\n"
                                     "[FILE=\"/music/Caf\xC3\xA9.mid\", L=1000]\r\n"
                                     "[FILE=\"/music/M\xFCller \x80.mid\", L=2000]\r\n");
    start({list});
    ASSERT_EQ(session->document().fileName(), list);
    ASSERT_EQ(session->playList().count(), 2);
    EXPECT_EQ(GetItemValue(session->playList().item(0), s("FILE")), s("/music/Café.mid"));
    EXPECT_EQ(GetItemValue(session->playList().item(1), s("FILE")), s("/music/Müller €.mid"));

    // A name the old code page cannot hold makes the saved file UTF-8 throughout.
    session->playList().insertEntries(2, {{MakeFileItem(s("/music/日本.mid")), 0}});
    ASSERT_TRUE(session->document().SavePlayList(false));
    const QStringList saved = utf8Lines(list);
    EXPECT_TRUE(saved.contains(s("[FILE=\"/music/Café.mid\", L=1000]"))) << saved.join(u'|').toStdString();
    EXPECT_TRUE(saved.contains(s("[FILE=\"/music/Müller €.mid\", L=2000]")))
        << saved.join(u'|').toStdString();
    EXPECT_TRUE(saved.contains(s("[FILE=\"/music/日本.mid\", L=0]"))) << saved.join(u'|').toStdString();
}

TEST_F(HandEditedFilesTest, ASettingsFileOfUtf8AndOldCodePageLinesKeepsEveryValueWhenSaved) {
    home.write(s("velmaro.ini"),
               "[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n"
               "[Paths]\r\nMixerPath=/opt/M\xFCller/mixer\r\n"
               "[My Notes]\r\nDisc=Caf\xC3\xA9\r\nNote=a\rb\r\n");
    start();
    EXPECT_EQ(session->preferences().mixerPath, s("/opt/Müller/mixer"));
    session->preferences().midiResetFile = s("/music/日本.mid");
    stop();

    const QStringList saved = utf8Lines(home.file(s("velmaro.ini")));
    for (const char* line : {"MixerPath=/opt/Müller/mixer", "MIDIResetFile=/music/日本.mid", "[My Notes]",
                             "Disc=Café", "Note=a\rb"}) {
        EXPECT_TRUE(saved.contains(s(line))) << line << "\n" << saved.join(u'|').toStdString();
    }
}

// A CR alone inside a track name, left there by an editor, does not push the names after it down a line.
TEST_F(HandEditedFilesTest, ALoneCrInACDDatabaseValueKeepsTheNamesAfterItInTheirPlaces) {
    const auto disc = std::make_shared<FakeDisc>(FakeDisc{{60000, 70000, 80000}, {}});
    device.disc = disc;
    reader.disc = disc;
    const QByteArray header = '[' + QByteArray::number(ComputeCDID(disc->length(), 3, 60000)) + ']';
    home.write(s("CDDB.INI"), header +
                                  "\r\nName=Album\r\nTrack1=Side A\rPart 1\r\nTrack2=Second\r\n"
                                  "Track3=Third\r\n\r\n[99]\r\nName=Other\r\nTrack1=One\r\n");
    writeSettings({s("[Playlist]"), s("StartPlaying=0"), s("OpenLastPL=0")});
    start();
    session->runCommand(s("CDAudioModeM"));
    const QStringList names = session->cdAudio().list().names();
    ASSERT_EQ(names.size(), 3);
    EXPECT_EQ(names.at(1), s("Second"));
    EXPECT_EQ(names.at(2), s("Third"));

    session->runCommand(s("SaveTrackListSB"));
    const QStringList saved = TextFile::readLines(home.file(s("CDDB.INI"))).lines;
    ASSERT_EQ(saved.size(), 9) << saved.join(u'|').toStdString();
    EXPECT_EQ(saved.mid(1, 4), QStringList({s("Name=Album"), s("Track1=Side A Part 1"), s("Track2=Second"),
                                            s("Track3=Third")}));
    EXPECT_EQ(saved.mid(5), QStringList({QString(), s("[99]"), s("Name=Other"), s("Track1=One")}));
    for (const QString& line : saved) {
        EXPECT_FALSE(line.contains(u'\r')) << line.toStdString();  // the saved names carry no line break
    }
}

}  // namespace
