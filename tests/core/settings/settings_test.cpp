#include "core/settings/settings.h"

#include "core/common/textfile.h"
#include "core/settings/preferences.h"
#include "core/settings/shortcutvalue.h"
#include "support/tempfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>

namespace {

void ExpectSamePreferences(const Preferences& actual, const Preferences& expected) {
#define SAME(field) EXPECT_EQ(actual.field, expected.field) << #field
    SAME(randomPlay);
    SAME(loopPlayList);
    SAME(autoPlay);
    SAME(delaySeconds);
    SAME(delayEnabled);
    SAME(indicatorModes);
    SAME(showPath);
    SAME(showExtension);
    SAME(showIcons);
    SAME(openLastPlayList);
    SAME(startPlaying);
    SAME(showTagTitles);
    SAME(components);
    SAME(statusBarPanels);
    SAME(videoSize);
    SAME(titleFormat);
    SAME(midiResetFile);
    SAME(borderlessButtons);
    SAME(grayedButtons);
    SAME(showWelcomeScreen);
    SAME(cdAudioInitialMode);
    SAME(floatingPaletteMode);
    SAME(favFoldersShowPath);
    SAME(filter);
    SAME(lastPlayList);
    SAME(mixerPath);
    SAME(bitmapPath);
    SAME(toolbarBitmapPath);
    SAME(floatingPaletteBitmapPath);
    SAME(colourMainWindow);
    SAME(colourToolbar);
    SAME(colourPalette);
    SAME(textMainWindow);
    SAME(textToolbar);
    SAME(textPalette);
    SAME(stopCDAudioOnExit);
    SAME(stopCDAudioWhenChangingMode);
    SAME(askBeforeSavingCDDatabase);
    SAME(startInCDAudioModeIfPlaying);
    SAME(backUpCDDatabase);
    SAME(useTray);
    SAME(trayAlways);
    SAME(fontName);
    SAME(fontSize);
    SAME(fontBold);
    SAME(fontItalic);
    SAME(editors);
    SAME(history);
    SAME(favoriteFolders);
    SAME(favoritePlayLists);
    SAME(mainFolder);
    SAME(openFolder);
    SAME(saveFolder);
    SAME(paletteTop);
    SAME(paletteLeft);
    SAME(window.height);
    SAME(window.width);
    SAME(window.top);
    SAME(window.left);
    SAME(window.maximized);
    SAME(window.minimized);
    SAME(window.playListWidth);
#undef SAME
    ASSERT_EQ(actual.shortcuts.count(), expected.shortcuts.count());
    for (qsizetype i = 0; i < expected.shortcuts.count(); ++i) {
        EXPECT_EQ(actual.shortcuts.value(i), expected.shortcuts.value(i))
            << expected.shortcuts.name(i).toStdString();
    }
}

// Whether `part` appears in `whole` in the same order, other lines allowed in between.
bool isSubsequence(const QStringList& part, const QStringList& whole) {
    qsizetype at = 0;
    for (const QString& line : whole) {
        if (at < part.size() && line == part.at(at)) {
            ++at;
        }
    }
    return at == part.size();
}

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() {
        QDir().mkpath(environment.defaultFolder);
        environment.mixerDefault = s("/usr/bin/mixer");
    }

    void writeIni(const QStringList& fileLines) const {
        ASSERT_EQ(TextFile::writeLines(path, fileLines), QString());
    }
    QStringList iniLines() const { return TextFile::readLines(path).lines; }
    IniFile ini() const {
        IniFile file;
        file.load(path);
        return file;
    }
    Preferences load(const Settings& from) const {
        Preferences p;
        from.LoadWindowSettings(p);
        from.LoadSettings(p, environment);
        return p;
    }
    Preferences load() const { return load(settings); }
    QString folderNamed(const char* name) const {
        const QString path = folder.file(s(name));
        QDir().mkpath(path);
        return path;
    }

    TempFolder folder;
    QString path = folder.file(s("velmaro.ini"));
    Settings settings{path};
    SettingsEnvironment environment{folder.file(s("home")), {}, {}, true};
};

// ---------------------------------------------------------------------------------------------
// Defaults

TEST_F(SettingsTest, WithoutAFileEveryValueIsItsDefault) {
    EXPECT_FALSE(settings.isPresent());
    const Preferences p = load();

    Preferences expected;
    expected.mainFolder = expected.openFolder = expected.saveFolder = environment.defaultFolder;
    expected.mixerPath = environment.mixerDefault;
    ExpectSamePreferences(p, expected);

    // The built-in values themselves.
    EXPECT_EQ(p.window.width, 473);
    EXPECT_EQ(p.window.height, 312);
    EXPECT_FALSE(p.window.top || p.window.left);
    EXPECT_EQ(p.window.playListWidth, 2958);
    for (bool shown : p.components) {
        EXPECT_TRUE(shown);
    }
    EXPECT_EQ(p.statusBarPanels, s("1234"));
    EXPECT_EQ(p.indicatorModes, (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(p.delaySeconds, 0.5);
    EXPECT_TRUE(p.autoPlay && p.showExtension && p.showIcons && p.openLastPlayList && p.startPlaying &&
                p.borderlessButtons && p.showWelcomeScreen && p.useTray && p.startInCDAudioModeIfPlaying &&
                p.backUpCDDatabase);
    EXPECT_FALSE(p.randomPlay || p.loopPlayList || p.delayEnabled || p.showPath || p.grayedButtons ||
                 p.cdAudioInitialMode || p.trayAlways || p.fontBold || p.fontItalic || p.showTagTitles);
    EXPECT_EQ(p.fontName, s("Arial"));
    EXPECT_EQ(p.fontSize, 8);
    EXPECT_EQ(p.videoSize, 100);
    EXPECT_EQ(p.colourMainWindow, Colour::kButtonFace);
    EXPECT_EQ(p.colourToolbar, Colour::kButtonFace);
    EXPECT_EQ(p.colourPalette, Colour::kButtonFace);
    EXPECT_EQ(p.textMainWindow, Colour::kWindowText);
    EXPECT_EQ(p.textToolbar, Colour::kWindowText);
    EXPECT_EQ(p.textPalette, Colour::kWindowText);
    EXPECT_EQ(p.shortcuts.valueOf(s("OpenM")), 16463);
}

TEST_F(SettingsTest, DefaultsAreWrittenInTheirStoredForm) {
    ASSERT_EQ(settings.SaveSettings(load(), true), QString());
    const IniFile file = ini();
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } expected[] = {
        {"Playlist", "Delay", "500"},
        {"Playlist", "Indicators", "00000000"},
        {"Playlist", "AutoPlay", "1"},
        {"Playlist", "RandomPlay", "0"},
        {"General", "Components", "11111111111"},
        {"General", "Status Bar", "1234"},
        {"General", "Video Size", "100"},
        {"Color", "ColorMW", "-2147483633"},
        {"Color", "ColorFP", "-2147483633"},
        {"Color", "TextTB", "-2147483640"},
        {"Color", "DefaultColorMW", "1"},
        {"Color", "DefaultTextFP", "1"},
        {"Font", "Name", "Arial"},
        {"Font", "Size", "8"},
        {"Position", "Width", "473"},
        {"Position", "Height", "312"},
        {"Position", "PLWidth", "2958"},
        {"ShortCuts", "NewM", "16462"},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(file.value(s(e.section), s(e.key), s("<missing>")), s(e.value))
            << e.section << "/" << e.key;
    }
    // A centred window has no position to remember.
    EXPECT_FALSE(file.contains(s("Position"), s("Top")));
    EXPECT_FALSE(file.contains(s("Position"), s("Left")));
}

TEST(PlaceMainWindow, CentresOnTheScreenOrKeepsTheStoredPlaceCutToTheScreensAndRaisedToTheMinimum) {
    const QRect screen(100, 50, 1001, 801);
    struct Case {
        const char* what;
        WindowPlacement placement;
        QSize minimum;
        QRect bounds;
    };
    WindowPlacement defaults;
    WindowPlacement placed;
    placed.top = 20;
    placed.left = -30;
    placed.width = 300;
    placed.height = 400;
    WindowPlacement huge;
    huge.width = 20000000;
    huge.height = 20000000;
    WindowPlacement lost = placed;
    lost.left = -20000000;
    const Case cases[] = {
        // left = 100 + 500 - 236, top = 50 + 400 - 156
        {"centred", defaults, QSize(200, 100), QRect(364, 294, 473, 312)},
        {"centred, raised", defaults, QSize(500, 321), QRect(350, 290, 500, 321)},
        {"stored", placed, QSize(200, 100), QRect(-30, 20, 300, 400)},
        {"stored, raised", placed, QSize(350, 450), QRect(-30, 20, 350, 450)},
        {"too large", huge, QSize(200, 100), QRect(100, 50, 1001, 801)},
        {"too large, minimum wins", huge, QSize(1200, 100), QRect(100, 50, 1200, 801)},
        {"far off the screen", lost, QSize(200, 100), QRect(450, 250, 300, 400)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceMainWindow(c.placement, c.minimum, screen), c.bounds) << c.what;
    }
    // With a second screen to the right, the window may span both and stand on either.
    const QRect desktop(100, 50, 2001, 801);
    EXPECT_EQ(PlaceMainWindow(huge, QSize(200, 100), screen, desktop), QRect(100, 50, 2001, 801));
    WindowPlacement right = placed;
    right.left = 1500;
    EXPECT_EQ(PlaceMainWindow(right, QSize(200, 100), screen, desktop), QRect(1500, 20, 300, 400));
}

// ---------------------------------------------------------------------------------------------
// Reading

struct ReadCase {
    const char* what;
    QStringList file;
    std::function<void(const Preferences&)> expect;
};

TEST_F(SettingsTest, ValuesAreReadWithTheirRulesAndFallbacks) {
    const ReadCase cases[] = {
        {"components: missing characters hide", lines({"[General]", "Components=1011"}),
         [](const Preferences& p) {
             EXPECT_EQ(p.components, (std::array<bool, 11>{true, false, true, true, false, false, false,
                                                           false, false, false, false}));
         }},
        {"status bar in stored order", lines({"[General]", "Status Bar=42"}),
         [](const Preferences& p) { EXPECT_EQ(p.statusBarPanels, s("42")); }},
        {"status bar longer than four", lines({"[General]", "Status Bar=12345"}),
         [](const Preferences& p) { EXPECT_EQ(p.statusBarPanels, s("1234")); }},
        {"status bar skips other characters", lines({"[General]", "Status Bar=3x9"}),
         [](const Preferences& p) { EXPECT_EQ(p.statusBarPanels, s("3")); }},
        {"indicators not eight characters", lines({"[Playlist]", "Indicators=0102"}),
         [](const Preferences& p) {
             EXPECT_EQ(p.indicatorModes, (std::array<int, 4>{0, 0, 0, 0}));
         }},
        {"indicators", lines({"[Playlist]", "Indicators=00011011"}),
         [](const Preferences& p) {
             EXPECT_EQ(p.indicatorModes, (std::array<int, 4>{0, 1, 10, 11}));
         }},
        {"play list share out of range", lines({"[Position]", "PLWidth=20000"}),
         [](const Preferences& p) { EXPECT_EQ(p.window.playListWidth, 2958); }},
        {"play list share negative", lines({"[Position]", "PLWidth=-1"}),
         [](const Preferences& p) { EXPECT_EQ(p.window.playListWidth, 2958); }},
        {"play list share at the limit", lines({"[Position]", "PLWidth=10000"}),
         [](const Preferences& p) { EXPECT_EQ(p.window.playListWidth, 10000); }},
        {"delay", lines({"[Playlist]", "Delay=2500"}),
         [](const Preferences& p) { EXPECT_EQ(p.delaySeconds, 2.5); }},
        {"delay above the range", lines({"[Playlist]", "Delay=60000"}),
         [](const Preferences& p) { EXPECT_EQ(p.delaySeconds, 10.0); }},
        {"colour under its default flag", lines({"[Color]", "ColorMW=255", "DefaultColorMW=1"}),
         [](const Preferences& p) { EXPECT_EQ(p.colourMainWindow, Colour::kButtonFace); }},
        {"colour without its default flag", lines({"[Color]", "ColorMW=255", "DefaultColorMW=0"}),
         [](const Preferences& p) { EXPECT_EQ(p.colourMainWindow, 255); }},
        {"hex colour", lines({"[Color]", "TextTB=0x00FF00", "DefaultTextTB=0"}),
         [](const Preferences& p) { EXPECT_EQ(p.textToolbar, 0xFF00); }},
        {"bools are numbers",
         lines({"[Playlist]", "AutoPlay=0", "RandomPlay=7", "ContLoop=0x1", "ShowExt=yes"}),
         [](const Preferences& p) {
             EXPECT_FALSE(p.autoPlay);
             EXPECT_TRUE(p.randomPlay);
             EXPECT_TRUE(p.loopPlayList);
             EXPECT_TRUE(p.showExtension);  // not a number: the default
         }},
        {"names ignore case", lines({"[PLAYLIST]", "randomplay=1", "[font]", "SIZE=12"}),
         [](const Preferences& p) {
             EXPECT_TRUE(p.randomPlay);
             EXPECT_EQ(p.fontSize, 12);
         }},
        {"maximized keeps the normal bounds",
         lines({"[Position]", "Maximized=1", "Top=40", "Left=60", "Width=800", "Height=600"}),
         [](const Preferences& p) {
             EXPECT_TRUE(p.window.maximized);
             EXPECT_EQ(p.window.top, 40);
             EXPECT_EQ(p.window.left, 60);
             EXPECT_EQ(p.window.width, 800);
             EXPECT_EQ(p.window.height, 600);
         }},
        {"top without left centres", lines({"[Position]", "Top=40"}),
         [](const Preferences& p) { EXPECT_FALSE(p.window.top || p.window.left); }},
        {"favorites skip empty and missing keys",
         lines({"[Favorite Folders]", "1=", "2=/b", "4=/d", "25=/y", "26=/z", "[Favorite Play Lists]",
                "3=/l.vlp"}),
         [](const Preferences& p) {
             EXPECT_EQ(p.favoriteFolders, lines({"/b", "/d", "/y"}));
             EXPECT_EQ(p.favoritePlayLists, lines({"/l.vlp"}));
         }},
        {"palette mode and title format outside 0..2 show the percent",
         lines({"[General]", "FloatingPaletteMode=3", "TitleFormat=-1"}),
         [](const Preferences& p) {
             EXPECT_EQ(p.floatingPaletteMode, 0);
             EXPECT_EQ(p.titleFormat, 0);
         }},
        {"palette mode and title format in range", lines({"[General]", "FloatingPaletteMode=2", "TitleFormat=2"}),
         [](const Preferences& p) {
             EXPECT_EQ(p.floatingPaletteMode, 2);
             EXPECT_EQ(p.titleFormat, 2);
         }},
        {"history fills its first slots", lines({"[History]", "File2=/b.vlp", "File3=", "File4=/d.vlp"}),
         [](const Preferences& p) {
             EXPECT_EQ(p.history, QStringList({s("/b.vlp"), s("/d.vlp"), {}, {}}));
         }},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        writeIni(c.file);
        c.expect(load());
    }
}

TEST_F(SettingsTest, DefaultFoldersThatAreGoneFallBack) {
    const QString music = folderNamed("music");
    writeIni(
        {s("[Default Directories]"), s("Main=") + music, s("Open=") + folder.file(s("gone")), s("Save=")});
    const Preferences p = load();
    EXPECT_EQ(p.mainFolder, music);
    EXPECT_EQ(p.openFolder, environment.defaultFolder);
    EXPECT_EQ(p.saveFolder, environment.defaultFolder);
}

TEST_F(SettingsTest, StoredShortcutsReplaceTheBuiltInOnesAndAllAreWritten) {
    const int saveDefault = Preferences().shortcuts.valueOf(s("SaveM"));
    writeIni(lines({"[Shortcuts]", "NewM=0", "SaveM=Ctrl+S"}));
    Preferences p = load();
    EXPECT_EQ(p.shortcuts.valueOf(s("NewM")), 0);
    EXPECT_EQ(p.shortcuts.valueOf(s("OpenM")), 16463);
    EXPECT_EQ(p.shortcuts.valueOf(s("SaveM")), saveDefault);

    ASSERT_EQ(settings.SaveSettings(p, false), QString());
    const QStringList written = iniLines();
    EXPECT_EQ(
        written.filter(QRegularExpression(s("^\\[shortcuts\\]$"), QRegularExpression::CaseInsensitiveOption))
            .size(),
        1);
    const IniFile file = ini();
    EXPECT_EQ(file.keys(s("ShortCuts")).size(), 90);
    EXPECT_EQ(file.value(s("ShortCuts"), s("NewM")), s("0"));
    EXPECT_EQ(file.value(s("ShortCuts"), s("SaveM")), QString::number(saveDefault));
    EXPECT_EQ(load().shortcuts.valueOf(s("NewM")), 0);
}

// ---------------------------------------------------------------------------------------------
// Writing

TEST_F(SettingsTest, ReadValuesAreWrittenBackInTheirStoredForm) {
    writeIni(lines({"[General]", "Status Bar=12345", "Components=1011", "[Playlist]", "Indicators=00011011",
                    "Delay=2500", "[Color]", "ColorMW=0xFF", "DefaultColorMW=0", "TextMW=255",
                    "DefaultTextMW=1"}));
    ASSERT_EQ(settings.SaveSettings(load(), false), QString());
    const IniFile file = ini();
    // The built-in layout rather than an empty value.
    EXPECT_EQ(file.value(s("General"), s("Status Bar")), s("1234"));
    EXPECT_EQ(file.value(s("General"), s("Components")), s("10110000000"));
    EXPECT_EQ(file.value(s("Playlist"), s("Indicators")), s("00011011"));
    EXPECT_EQ(file.value(s("Playlist"), s("Delay")), s("2500"));
    EXPECT_EQ(file.value(s("Color"), s("ColorMW")), s("255"));
    EXPECT_EQ(file.value(s("Color"), s("DefaultColorMW")), s("0"));
    EXPECT_EQ(file.value(s("Color"), s("TextMW")), s("-2147483640"));
    EXPECT_EQ(file.value(s("Color"), s("DefaultTextMW")), s("1"));
}

TEST_F(SettingsTest, DefaultColourFlagsFollowWhetherTheColourIsTheSystemOne) {
    Preferences p;
    p.colourToolbar = Colour::rgb(1, 2, 3);
    p.textPalette = Colour::kButtonFace;  // a system colour, but not the one of text
    ASSERT_EQ(settings.SaveSettings(p, false), QString());
    const IniFile file = ini();
    EXPECT_EQ(file.value(s("Color"), s("DefaultColorMW")), s("1"));
    EXPECT_EQ(file.value(s("Color"), s("DefaultColorTB")), s("0"));
    EXPECT_EQ(file.value(s("Color"), s("DefaultTextFP")), s("0"));
    const Preferences back = load();
    EXPECT_EQ(back.colourToolbar, Colour::rgb(1, 2, 3));
    EXPECT_EQ(back.textPalette, Colour::kButtonFace);
}

TEST_F(SettingsTest, FavoritesAreWrittenAsAFreshlyNumberedSection) {
    writeIni(lines({"[Favorite Folders]", "; mine", "1=/old", "7=/older", "", "[Other]", "1=/kept"}));
    Preferences p = load();
    p.favoriteFolders = lines({"/x", "/y", "/z"});
    p.favoritePlayLists = lines({"/l.vlp", ""});
    ASSERT_EQ(settings.SaveSettings(p, false), QString());

    const QStringList written = iniLines();
    EXPECT_EQ(written.mid(0, 7),
              lines({"[Favorite Folders]", "; mine", "1=/x", "2=/y", "3=/z", "", "[Other]"}));
    EXPECT_EQ(ini().value(s("Other"), s("1")), s("/kept"));
    EXPECT_EQ(ini().keys(s("Favorite Play Lists")), lines({"1"}));
    const Preferences back = load();
    EXPECT_EQ(back.favoriteFolders, p.favoriteFolders);
    EXPECT_EQ(back.favoritePlayLists, lines({"/l.vlp"}));
}

TEST_F(SettingsTest, OnlyTheSaveAtCloseWritesPlacementFilterLastListHistoryAndFolders) {
    const QString music = folderNamed("music");
    const QStringList stored =
        lines({"[Position]", "Top=10", "Left=20", "Width=500", "Height=400", "Maximized=0", "PLWidth=3000",
               "[General]", "Filter=2", "LastPL=/old.vlp", "[History]", "File1=/old.vlp",
               "[Default Directories]"}) +
        QStringList{s("Main=") + music};
    writeIni(stored);
    Preferences p = load();
    p.window.top = 99;
    p.window.left = 98;
    p.window.width = 700;
    p.window.height = 600;
    p.window.maximized = true;
    p.window.playListWidth = 5000;
    p.filter = 4;
    p.lastPlayList = s("/new.vlp");
    p.history = QStringList{s("/new.vlp"), s("/old.vlp"), {}, {}};
    p.mainFolder = p.openFolder = p.saveFolder = folderNamed("elsewhere");
    p.randomPlay = true;

    ASSERT_EQ(settings.SaveSettings(p, false), QString());
    EXPECT_TRUE(isSubsequence(stored, iniLines()));
    EXPECT_TRUE(ini().boolValue(s("Playlist"), s("RandomPlay"), false));
    const IniFile afterOk = ini();
    for (const char* section : {"Position", "History", "Default Directories"}) {
        EXPECT_EQ(afterOk.keys(s(section)).size(), IniFile(stored).keys(s(section)).size()) << section;
    }

    // Nor does it add them to a file that has none.
    const Settings other(folder.file(s("other.ini")));
    ASSERT_EQ(other.SaveSettings(p, false), QString());
    IniFile written;
    written.load(other.path());
    for (const char* section : {"Position", "History", "Default Directories"}) {
        EXPECT_TRUE(written.keys(s(section)).isEmpty()) << section;
    }
    EXPECT_FALSE(written.contains(s("General"), s("Filter")));
    EXPECT_FALSE(written.contains(s("General"), s("LastPL")));

    ASSERT_EQ(settings.SaveSettings(p, true), QString());
    Preferences back = load();
    EXPECT_EQ(back.window.top, 99);
    EXPECT_EQ(back.window.left, 98);
    EXPECT_EQ(back.window.width, 700);
    EXPECT_EQ(back.window.height, 600);
    EXPECT_TRUE(back.window.maximized);
    EXPECT_EQ(back.window.playListWidth, 5000);
    EXPECT_EQ(back.filter, 4);
    EXPECT_EQ(back.lastPlayList, s("/new.vlp"));
    EXPECT_EQ(back.history, p.history);
    EXPECT_EQ(back.mainFolder, p.mainFolder);
    EXPECT_EQ(back.openFolder, p.openFolder);
    EXPECT_EQ(back.saveFolder, p.saveFolder);
}

TEST_F(SettingsTest, ASaveChangesOnlyTheProgramsOwnKeys) {
    const QStringList original = lines({
        "; written by hand",
        "[TVLPMainSpeedBar]",
        "Left=10",
        "Top=20",
        "Visible=1",
        "",
        "[Playlist]",
        "; the list's own options",
        "RandomPlay=0",
        "Colour of the day=blue",
        "",
        "[Elsewhere]",
        "RandomPlay=1",
        "Key=a=b",
        "",
        "[favorite folders]",
        "; kept comment",
        "1=/music",
        "",
        "[Shortcuts]",
        "NewM=0",
        "[Tail]",
        "Last=line",
    });
    writeIni(original);
    Preferences p = load();
    ASSERT_EQ(settings.SaveSettings(p, true), QString());
    const QStringList first = iniLines();
    EXPECT_TRUE(isSubsequence(original, first)) << first.join(u'\n').toStdString();

    // A second save with changed values rewrites just those lines.
    p.randomPlay = true;
    p.favoriteFolders = lines({"/music", "/films"});
    p.paletteTop = 333;
    ASSERT_EQ(settings.SaveSettings(p, true), QString());
    QStringList expected = first;
    const qsizetype random = expected.indexOf(s("RandomPlay=0"));
    ASSERT_GE(random, 0);
    expected[random] = s("RandomPlay=1");
    expected.insert(expected.indexOf(s("1=/music")) + 1, s("2=/films"));
    const IniFile before(first);
    expected[expected.indexOf(s("Top=") + before.value(s("ToolBarPosition"), s("Top")),
                              expected.indexOf(s("[ToolBarPosition]")))] = s("Top=333");
    EXPECT_EQ(iniLines(), expected);
}

TEST_F(SettingsTest, ACompleteFileRoundTripsThroughLoadAndSave) {
    const QString mainFolder = folderNamed("main");
    const QString openFolder = folderNamed("open");
    const QString saveFolder = folderNamed("save");
    QStringList file = lines({
        "[Position]",
        "Height=500",
        "Width=640",
        "Top=33",
        "Left=44",
        "Maximized=1",
        "Minimized=0",  // written at close, not read back
        "PLWidth=6000",
        "[General]",
        "Filter=7",
        "Components=01010101010",
        "Status Bar=31",
        "Video Size=250",
        "TitleFormat=2",
        "MIDIResetFile=/sounds/reset.mid",
        "BorderlessButtons=0",
        "GrayedButtons=1",
        "ShowWelcomeScreen=0",
        "CDAudioInitialMode=1",
        "FloatingPaletteMode=1",
        "FavFoldersShowPath=1",
        "LastPL=/lists/last.vlp",
        "RecycleBin=1",
        "[Playlist]",
        "RandomPlay=1",
        "ContLoop=1",
        "AutoPlay=0",
        "Delay=7250",
        "EnabledDelay=1",
        "Indicators=01020100",
        "ShowPath=1",
        "ShowExt=0",
        "ShowIcon=0",
        "OpenLastPL=0",
        "StartPlaying=0",
        "ShowTitlesFromTags=1",
        "[Paths]",
        "MixerPath=/opt/mix/mixer",
        "BitmapPath=/pics/main.png",
        "ToolbarBitmapPath=/pics/bar.png",
        "FloatingPaletteBitmapPath=/pics/palette.png",
        "[Color]",
        "ColorMW=255",
        "ColorTB=65280",
        "ColorFP=16711680",
        "TextMW=8421504",
        "TextTB=1",
        "TextFP=16777215",
        "DefaultColorMW=0",
        "DefaultColorTB=0",
        "DefaultColorFP=0",
        "DefaultTextMW=0",
        "DefaultTextTB=0",
        "DefaultTextFP=0",
        "[CD Audio]",
        "StopCDAudioOnExit=1",
        "StopCDAudioWhenChangingMode=1",
        "AskForConfirmationWhenSavingDB=1",
        "StartInCDAudioModeIfCDIsPlaying=0",
        "SaveBackupCopyOfCDDB=0",
        "[Tray]",
        "UseTray=0",
        "DisplayAlways=1",
        "[Font]",
        "Name=Sans Serif",
        "Size=11",
        "Bold=1",
        "Italic=1",
        "[Editors]",
        "MIDI=/ed/midi",
        "WAV=/ed/wav",
        "AVI=/ed/avi",
        "MOV=/ed/mov",
        "FLI=/ed/fli",
        "MPEG=/ed/mpeg",
        "MOD=/ed/mod",
        "[History]",
        "File1=/lists/last.vlp",
        "File2=/lists/Rock & Roll.vlp",
        "File3=/lists/c.vlp",
        "File4=/lists/Müller.vlp",
        "[Favorite Folders]",
        "1=/music",
        "2=/music/Für Elise",
        "[Favorite Play Lists]",
        "1=/lists/c.vlp",
        "[Default Directories]",
    });
    file << s("Main=") + mainFolder << s("Open=") + openFolder << s("Save=") + saveFolder;
    file << lines({"[ToolBarPosition]", "Top=120", "Left=900", "[ShortCuts]"});

    Preferences expected;
    expected.window.height = 500;
    expected.window.width = 640;
    expected.window.top = 33;
    expected.window.left = 44;
    expected.window.maximized = true;
    expected.window.playListWidth = 6000;
    expected.filter = 7;
    expected.components = {false, true, false, true, false, true, false, true, false, true, false};
    expected.statusBarPanels = s("31");
    expected.videoSize = 250;
    expected.titleFormat = 2;
    expected.midiResetFile = s("/sounds/reset.mid");
    expected.borderlessButtons = false;
    expected.grayedButtons = true;
    expected.showWelcomeScreen = false;
    expected.cdAudioInitialMode = true;
    expected.floatingPaletteMode = 1;
    expected.favFoldersShowPath = true;
    expected.lastPlayList = s("/lists/last.vlp");
    expected.randomPlay = true;
    expected.loopPlayList = true;
    expected.autoPlay = false;
    expected.delaySeconds = 7.25;
    expected.delayEnabled = true;
    expected.indicatorModes = {1, 2, 1, 0};
    expected.showPath = true;
    expected.showExtension = false;
    expected.showIcons = false;
    expected.openLastPlayList = false;
    expected.startPlaying = false;
    expected.showTagTitles = true;
    expected.mixerPath = s("/opt/mix/mixer");
    expected.bitmapPath = s("/pics/main.png");
    expected.toolbarBitmapPath = s("/pics/bar.png");
    expected.floatingPaletteBitmapPath = s("/pics/palette.png");
    expected.colourMainWindow = Colour::rgb(255, 0, 0);
    expected.colourToolbar = Colour::rgb(0, 255, 0);
    expected.colourPalette = Colour::rgb(0, 0, 255);
    expected.textMainWindow = Colour::rgb(128, 128, 128);
    expected.textToolbar = 1;
    expected.textPalette = Colour::rgb(255, 255, 255);
    expected.stopCDAudioOnExit = true;
    expected.stopCDAudioWhenChangingMode = true;
    expected.askBeforeSavingCDDatabase = true;
    expected.startInCDAudioModeIfPlaying = false;
    expected.backUpCDDatabase = false;
    expected.useTray = false;
    expected.trayAlways = true;
    expected.fontName = s("Sans Serif");
    expected.fontSize = 11;
    expected.fontBold = true;
    expected.fontItalic = true;
    expected.editors = {s("/ed/midi"), s("/ed/wav"),  s("/ed/avi"), s("/ed/mov"),
                        s("/ed/fli"),  s("/ed/mpeg"), s("/ed/mod")};
    expected.history =
        lines({"/lists/last.vlp", "/lists/Rock & Roll.vlp", "/lists/c.vlp", "/lists/Müller.vlp"});
    expected.favoriteFolders = lines({"/music", "/music/Für Elise"});
    expected.favoritePlayLists = lines({"/lists/c.vlp"});
    expected.mainFolder = mainFolder;
    expected.openFolder = openFolder;
    expected.saveFolder = saveFolder;
    expected.paletteTop = 120;
    expected.paletteLeft = 900;
    // Items with a built-in shortcut lose it; the others get Alt+letter.
    for (qsizetype i = 0; i < expected.shortcuts.count(); ++i) {
        const int value = expected.shortcuts.defaultValue(i) == 0 ? ShortcutValue::kAlt | (0x41 + i % 26) : 0;
        expected.shortcuts.setValue(i, value);
        file << expected.shortcuts.name(i) + u'=' + QString::number(value);
    }
    ASSERT_EQ(expected.shortcuts.count(), 90);

    writeIni(file);
    {
        SCOPED_TRACE("read");
        ExpectSamePreferences(load(), expected);
    }
    // Written in the program's own form, the file is left as it is.
    ASSERT_EQ(settings.SaveSettings(load(), true), QString());
    EXPECT_EQ(iniLines(), file);

    // Every key is written, not merely kept.
    const Settings fresh(folder.file(s("fresh.ini")));
    ASSERT_EQ(fresh.SaveSettings(load(), true), QString());
    {
        SCOPED_TRACE("written afresh and read back");
        ExpectSamePreferences(load(fresh), expected);
    }
}

// ---------------------------------------------------------------------------------------------
// Single keys and failures

TEST_F(SettingsTest, SingleKeysChangeOneLineOnly) {
    writeIni(lines({"[General]", "Components=1011", "", "[Other]", "X=1", "Hex=0x1F"}));
    EXPECT_TRUE(settings.readBool(s("General"), s("RecycleBin"), true));
    ASSERT_EQ(settings.writeBool(s("General"), s("RecycleBin"), false), QString());
    EXPECT_FALSE(settings.readBool(s("general"), s("recyclebin"), true));
    ASSERT_EQ(settings.writeInt(s("Other"), s("X"), -5), QString());
    EXPECT_EQ(settings.readInt(s("Other"), s("X"), 0), -5);
    EXPECT_EQ(settings.readInt(s("Other"), s("Hex"), 0), 31);
    EXPECT_EQ(settings.readInt(s("Other"), s("Missing"), 42), 42);
    EXPECT_EQ(iniLines(),
              lines({"[General]", "Components=1011", "RecycleBin=0", "", "[Other]", "X=-5", "Hex=0x1F"}));
}

TEST_F(SettingsTest, AFileThatCannotBeWrittenGivesTheReason) {
    const Settings blocked(folder.path());  // a folder stands where the file should be
    EXPECT_FALSE(blocked.SaveSettings(Preferences(), true).isEmpty());
    EXPECT_FALSE(blocked.writeBool(s("General"), s("RecycleBin"), true).isEmpty());
    EXPECT_FALSE(blocked.writeInt(s("General"), s("Filter"), 1).isEmpty());
    EXPECT_TRUE(QFileInfo(folder.path()).isDir());
}

}  // namespace
