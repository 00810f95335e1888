// Text files edited by hand in other editors: lines in two encodings. The program reads each line as
// it was meant, and its saves keep every other line as it was.
#include "core/playlist/itemref.h"
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
               "[My Notes]\r\nDisc=Caf\xC3\xA9\r\n");
    start();
    EXPECT_EQ(session->preferences().mixerPath, s("/opt/Müller/mixer"));
    session->preferences().midiResetFile = s("/music/日本.mid");
    stop();

    const QStringList saved = utf8Lines(home.file(s("velmaro.ini")));
    for (const char* line : {"MixerPath=/opt/Müller/mixer", "MIDIResetFile=/music/日本.mid", "[My Notes]",
                             "Disc=Café"}) {
        EXPECT_TRUE(saved.contains(s(line))) << line << "\n" << saved.join(u'|').toStdString();
    }
}

}  // namespace
