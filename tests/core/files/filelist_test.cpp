#include "core/files/filelist.h"
#include "core/files/filepaths.h"
#include "core/files/filemask.h"
#include "core/files/fitpath.h"
#include "support/fakes.h"
#include "support/tempfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

TEST(FileMask, MatchesIgnoringCaseAndTakesEveryNameForStarDotStar) {
    const FileMask midi(s("*.mid;*.rmi;"));
    EXPECT_TRUE(midi.matches(s("WALTZ.MID")));
    EXPECT_TRUE(midi.matches(s("a.Rmi")));
    EXPECT_FALSE(midi.matches(s("a.midi")));
    EXPECT_FALSE(midi.matches(s("mid")));
    const FileMask all(s("*.*"));
    EXPECT_TRUE(all.matches(s("README")));
    EXPECT_TRUE(all.matches(s(".hidden")));
    const FileMask pattern(s("tr?ck*.wav;x*y*z"));
    EXPECT_TRUE(pattern.matches(s("TRACK01.WAV")));
    EXPECT_FALSE(pattern.matches(s("trck.wav")));
    EXPECT_TRUE(pattern.matches(s("xaaybbz")));
    EXPECT_FALSE(pattern.matches(s("xaayzb")));
    // A matcher that tries every split of the name never finishes this one.
    EXPECT_FALSE(WildcardMatch(s("*a*a*a*a*a*a*a*a*a*a*b"), QString(20000, u'a')));
}

TEST(FitPath, GivesUpLeadingFoldersUntilTheLabelFitsAndKeepsAmpersands) {
    const FixedWidthMeasurer measurer;  // 6 pixels a character
    const QString path = s("/home/ann/Music/Bach");
    const QString prefix = s("DL: ");
    const struct {
        int characters;
        const char* shown;
    } cases[] = {{24, "/home/ann/Music/Bach"}, {23, "/.../ann/Music/Bach"}, {19, "/.../Music/Bach"},
                 {13, "/.../Bach"},            {12, ".../Bach"},            {8, "Bach"},
                 {2, "Bach"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FitPath(path, prefix, measurer, c.characters * FixedWidthMeasurer::kCharWidth), s(c.shown))
            << c.characters;
    }
    EXPECT_EQ(FitPath(s("/"), prefix, measurer, 1), s("/"));
    EXPECT_EQ(EscapeAmpersands(s("Rock & Roll")), s("Rock && Roll"));
}

// The folder watcher needs the application before the list exists.
struct Application {
    Application() {
        static int argc = 1;
        static char name[] = "velmaro_core_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) {
            static QCoreApplication application(argc, argv);
        }
    }
};

class FileListTest : public ::testing::Test {
protected:
    Application application;
    TempFolder folder;
    FileList files;

    // Lets the event loop run until the condition holds or five seconds pass.
    static bool waitFor(const std::function<bool()>& condition) {
        QElapsedTimer timer;
        timer.start();
        while (!condition() && timer.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        return condition();
    }
};

TEST_F(FileListTest, ListsOnlyFilesThatMatchSortedAsAFileManagerDoes) {
    for (const char* name : {"track10.mid", "b.mid", "A.MID", "track2.mid", "notes.txt", ".hidden.mid"}) {
        folder.write(s(name), "x");
    }
    QDir(folder.path()).mkdir(s("folder.mid"));
    ASSERT_EQ(mkfifo(QFile::encodeName(folder.file(s("pipe.mid"))).constData(), 0600), 0);
    QFile::link(folder.file(s("b.mid")), folder.file(s("link.mid")));
    files.setMask(s("*.mid"));
    files.setFolder(folder.path());
    QStringList shown = files.names();
    EXPECT_TRUE(shown.removeOne(s(".hidden.mid")));
    EXPECT_EQ(shown, (QStringList{s("A.MID"), s("b.mid"), s("link.mid"), s("track2.mid"), s("track10.mid")}));
    EXPECT_EQ(files.path(0).section(u'/', 0, -2), folder.path());
    EXPECT_EQ(FilePaths::Join(s("/"), s("a.mid")), s("/a.mid"));
}

TEST_F(FileListTest, ANameOfTheSameCaseIsPreferredToOneThatDiffersInCase) {
    folder.write(s("Waltz.mid"), "x");
    folder.write(s("waltz.mid"), "x");
    files.setFolder(folder.path());
    EXPECT_EQ(files.name(files.indexOfName(s("waltz.mid"))), s("waltz.mid"));
    EXPECT_EQ(files.name(files.indexOfName(s("Waltz.mid"))), s("Waltz.mid"));
    EXPECT_GE(files.indexOfName(s("WALTZ.MID")), 0);
    EXPECT_EQ(files.indexOfName(s("polka.mid")), -1);
}

TEST_F(FileListTest, FollowsFilesAddedAndRemovedByOtherProgramsKeepingSelectionAndFocus) {
    folder.write(s("b.mid"), "x");
    folder.write(s("c.mid"), "x");
    files.setFolder(folder.path());
    files.selectOnly(1);
    files.setFocusedLine(1);
    folder.write(s("a.mid"), "x");
    ASSERT_TRUE(waitFor([&] { return files.count() == 3; }));
    EXPECT_EQ(files.names(), (QStringList{s("a.mid"), s("b.mid"), s("c.mid")}));
    EXPECT_TRUE(files.isSelected(2));
    EXPECT_EQ(files.focusedLine(), 2);
    EXPECT_EQ(files.selectedCount(), 1);
    EXPECT_EQ(files.browseLabel(), s("&BL: 3 of 3, 1 selected"));

    ASSERT_TRUE(QFile::remove(folder.file(s("c.mid"))));
    ASSERT_TRUE(waitFor([&] { return files.count() == 2; }));
    EXPECT_EQ(files.selectedCount(), 0);
}

// Makes a file whose name is these bytes; Qt cannot be given such a name.
void writeRawName(const QString& folder, const QByteArray& name) {
    const QByteArray path = QFile::encodeName(folder) + '/' + name;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0) << path.toStdString();
    ::close(fd);
}

TEST_F(FileListTest, FilesWhoseNamesAreNotUtf8AreCountedWithTheReasonInsteadOfLeftOutSilently) {
    for (const char* name : {"a.mid", "b.mid", "caf\xC3\xA9.mid"}) {
        folder.write(s(name), "x");
    }
    writeRawName(folder.path(), "caf\xE9.mid");
    writeRawName(folder.path(), "\xFF\xFE.MID");
    writeRawName(folder.path(), "notes \xE9.txt");  // does not match the mask
    ASSERT_EQ(::mkdir((QFile::encodeName(folder.path()) + "/dir \xE9.mid").constData(), 0755), 0);
    files.setMask(s("*.mid"));
    files.setFolder(folder.path());
    EXPECT_EQ(files.names(), (QStringList{s("a.mid"), s("b.mid"), s("café.mid")}));
    EXPECT_EQ(files.unshownCount(), 2);
    EXPECT_EQ(files.unshownNote(), s("2 not UTF-8"));
    EXPECT_TRUE(files.unshownReason().startsWith(
        s("2 files of this folder are not shown: their names are not valid UTF-8")))
        << files.unshownReason().toStdString();

    files.setMask(s("*.*"));
    EXPECT_EQ(files.unshownCount(), 3);
    files.setMask(s("*.wav"));
    EXPECT_EQ(files.unshownCount(), 0);
    EXPECT_EQ(files.unshownNote(), QString());
}

}  // namespace
