#include "core/cdaudio/cddatabase.h"
#include "core/cdaudio/cddatabasesave.h"
#include "core/common/textfile.h"
#include "support/tempfolder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

QStringList lines(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts) {
        list.append(s(text));
    }
    return list;
}

TEST(CDDatabase, ReadsTheLastSectionByPositionAndNeverPastItsEnd) {
    CDDatabase database;
    database.setLines(lines({"[77]", "Name=Old", "Track1=Old one", "", "[notanumber]", "Name=Junk", "",
                             "[77]", "Name=Piano Works", "Track1=Prelude", "Track2=" , "x", "", "[88]", "Name=Next",
                             "Track1=Other"}));
    const StoredDisc piano = database.readDisc(77, 4);
    EXPECT_EQ(piano.name, s("Piano Works"));
    // Track 2 is stored empty; "x" has no "=" in its first 79 characters and is short: empty too; track 4
    // would be the empty separator and then the next disc's header, so it keeps its own name.
    EXPECT_EQ(piano.trackNames, lines({"Prelude", "", "", "Track 4"}));
    EXPECT_EQ(CDDatabase::trackNameOfLine(QString(79, u'a') + s("Name=tail")), s("Name=tail"));

    database.setLines(lines({"[5]"}));  // a header at the very end
    EXPECT_TRUE(database.readDisc(5, 2).found);
    EXPECT_EQ(database.readDisc(5, 2).name, QString());
    EXPECT_EQ(database.readDisc(6, 1).name, s("Unknown CD"));

    database.setLines(lines({"[-12]", "Name=A", "Track1=a", "Track2=b", "", "[x1]", "Name=B", "[2147483647]"}));
    const QList<CDDatabase::Section> sections = database.sections();
    ASSERT_EQ(sections.size(), 2);
    EXPECT_EQ(sections[0].cdid, -12);
    EXPECT_EQ(sections[0].trackLines, 2);
    EXPECT_EQ(sections[1].cdid, 2147483647);
    EXPECT_EQ(sections[1].name, QString());
}

TEST(CDDatabase, SavingRewritesInPlaceAndNeverWritesOverTheNextSection) {
    const QStringList first = WithDiscSaved({}, 1234567, s("Piano Works"), lines({"Prelude", "Fugue"}));
    EXPECT_EQ(first, lines({"[1234567]", "Name=Piano Works", "Track1=Prelude", "Track2=Fugue"}));
    const QStringList second = WithDiscSaved(first, 2345678, s("Live\r\nRecording"), lines({"Opening"}));
    EXPECT_EQ(second, lines({"[1234567]", "Name=Piano Works", "Track1=Prelude", "Track2=Fugue", "", "[2345678]",
                             "Name=Live Recording", "Track1=Opening"}));
    // The first disc now has three tracks: its third line is made inside its section.
    const QStringList third = WithDiscSaved(second, 1234567, s("Piano"), lines({"A", "B", "C"}));
    EXPECT_EQ(third, lines({"[1234567]", "Name=Piano", "Track1=A", "Track2=B", "Track3=C", "", "[2345678]",
                            "Name=Live Recording", "Track1=Opening"}));
}

// Edits of a hand-edited file that holds a disc twice (the window shows and saves the last copy): a header
// right after another one is the next section's, never a name line; the copy ending the file takes the empty
// line before it.
TEST(CDDatabase, EditsOfADiscStoredTwiceNeverTakeTheNextSection) {
    EXPECT_EQ(WithDiscSaved(lines({"[7]", "[7]", "Name=Shown", "Track1=a"}), 7, s("Typed"), lines({"b"})),
              lines({"[7]", "Name=Typed", "Track1=b"}));
    EXPECT_EQ(WithDiscRemoved(lines({"[7]", "[8]", "Name=Other", "", "[7]", "Name=B"}), 7),
              lines({"[8]", "Name=Other"}));
}

TEST(CDDatabase, TheBackupIsTheFileOnDiskAndAFailedWriteKeepsTheDatabase) {
    TempFolder folder;
    const QString database = folder.file(s("CDDB.INI"));
    const QString backup = folder.file(s("CDDB.BAK"));
    CDDatabaseSaveResult result = SaveDiscToDatabase(database, backup, true, 1, s("One"), lines({"a"}));
    EXPECT_TRUE(result.databaseError.isEmpty());
    EXPECT_FALSE(QFile::exists(backup));  // nothing on disk to keep yet
    const QByteArray before = folder.read(s("CDDB.INI"));

    result = SaveDiscToDatabase(database, backup, true, 2, s("Two"), lines({"b"}));
    EXPECT_EQ(folder.read(s("CDDB.BAK")), before);
    EXPECT_EQ(TextFile::readLines(database).lines.size(), 7);

    // A database deleted while the program runs counts as empty; the good backup stays.
    const QByteArray goodBackup = folder.read(s("CDDB.BAK"));
    QFile::remove(database);
    SaveDiscToDatabase(database, backup, true, 3, s("Three"), lines({"c"}));
    EXPECT_EQ(folder.read(s("CDDB.BAK")), goodBackup);

    const QString blocked = folder.write(s("file"), "x") + s("/CDDB.INI");  // its folder is a file
    result = SaveDiscToDatabase(blocked, folder.file(s("no/such/CDDB.BAK")), true, 4, s("Four"), {});
    EXPECT_FALSE(result.databaseError.isEmpty());
}

}  // namespace

namespace {

TEST(CDDatabase, RemovingADiscTakesOnlyItsOwnLinesAndOneEmptyNeighbour) {
    const QStringList file = lines({"[1]", "Name=One", "Track1=a", "", "[2]", "Name=Two", "Track1=b", "Track2=c", "",
                                    "[3]", "Name=Three", "Track1=d"});
    EXPECT_EQ(WithDiscRemoved(file, 2), lines({"[1]", "Name=One", "Track1=a", "", "[3]", "Name=Three", "Track1=d"}));
    // The last disc takes the empty line before it, so the file does not end in one.
    EXPECT_EQ(WithDiscRemoved(file, 3), lines({"[1]", "Name=One", "Track1=a", "", "[2]", "Name=Two", "Track1=b",
                                               "Track2=c"}));
    EXPECT_TRUE(WithDiscRemoved(lines({"[9]", "Name=Only", "Track1=x"}), 9).isEmpty());
    // A hand-edited file without separators: the next section is never touched.
    EXPECT_EQ(WithDiscRemoved(lines({"[1]", "Name=One", "[2]", "Name=Two"}), 1), lines({"[2]", "Name=Two"}));
    EXPECT_EQ(WithDiscRemoved(lines({"x", "[5]"}), 5), lines({"x"}));  // a header at the end, no name line
    EXPECT_EQ(WithDiscRemoved(file, 4), file);

    EXPECT_EQ(WithSectionsReordered(file, {9, 0, 4}),
              lines({"[3]", "Name=Three", "Track1=d", "", "[1]", "Name=One", "Track1=a", "", "[2]", "Name=Two",
                     "Track1=b", "Track2=c"}));
}

}  // namespace
