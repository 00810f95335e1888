#include "core/settings/preferencesdialogmodel.h"
#include "support/fakes.h"
#include "support/tempfolder.h"

#include <QFile>

#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

// Every kind of setting the dialog edits, changed away from its default.
void changeEverything(Preferences& p) {
    p.randomPlay = true;
    p.delaySeconds = 4.5;
    p.delayEnabled = true;
    p.statusBarPanels = s("42");
    p.videoSize = 350;
    p.titleFormat = 2;
    p.borderlessButtons = false;
    p.mixerPath = s("/usr/bin/mixer");
    p.bitmapPath = s("/pictures/sky.png");
    p.colourToolbar = Colour::rgb(1, 2, 3);
    p.fontName = s("Serif");
    p.fontSize = 14;
    p.editors[6] = s("/usr/bin/tracker");
    p.components[3] = false;
    p.askBeforeSavingCDDatabase = true;
}

TEST(PreferencesDialogModel, CancelPutsBackWhatTheDialogChangedButKeepsTheShortcuts) {
    Preferences live;
    PreferencesDialogModel model(live, s("/usr/bin/pavucontrol"));
    live.lastPlayList = s("/music/list.vlp");
    model.remember();
    const Preferences before = live;

    changeEverything(live);
    live.shortcuts.setValue(live.shortcuts.indexOf(s("NewM")), 0);
    model.restore();

    EXPECT_TRUE(live.randomPlay == before.randomPlay && live.delaySeconds == before.delaySeconds &&
                live.statusBarPanels == before.statusBarPanels && live.videoSize == before.videoSize &&
                live.mixerPath == before.mixerPath && live.bitmapPath == before.bitmapPath &&
                live.colourToolbar == before.colourToolbar && live.fontName == before.fontName &&
                live.editors == before.editors && live.components == before.components &&
                live.borderlessButtons == before.borderlessButtons);
    EXPECT_EQ(live.shortcuts.value(live.shortcuts.indexOf(s("NewM"))), 0);
    EXPECT_EQ(live.lastPlayList, s("/music/list.vlp"));
}

TEST(PreferencesDialogModel, DefaultThenCancelLeavesEverySettingAsItWas) {
    Preferences live;
    changeEverything(live);
    live.favoriteFolders = lines({"/music"});
    PreferencesDialogModel model(live, s("/usr/bin/pavucontrol"));
    model.remember();
    const Preferences before = live;

    model.setDefaults();
    EXPECT_EQ(live.mixerPath, s("/usr/bin/pavucontrol"));
    EXPECT_EQ(live.statusBarPanels, s("1234"));
    EXPECT_TRUE(live.editors[6].isEmpty());
    EXPECT_EQ(live.favoriteFolders, lines({"/music"}));
    EXPECT_EQ(live.videoSize, 350) << "the video size has no built-in value of its own";

    model.restore();
    EXPECT_EQ(live.statusBarPanels, before.statusBarPanels);
    EXPECT_EQ(live.mixerPath, before.mixerPath);
    EXPECT_EQ(live.editors, before.editors);
    EXPECT_EQ(live.fontSize, before.fontSize);
}

// The tray page: Default shows the icon always; Cancel puts back what the user had, Default included.
TEST(PreferencesDialogModel, TheTrayOptionsTakeTheirDefaultAndCancelPutsThemBack) {
    Preferences live;
    live.useTray = false;
    live.trayAlways = false;
    PreferencesDialogModel model(live, QString());
    model.remember();

    model.setDefaults();
    EXPECT_TRUE(live.useTray);
    EXPECT_TRUE(live.trayAlways);
    model.restore();
    EXPECT_FALSE(live.useTray);
    EXPECT_FALSE(live.trayAlways);
}

// The Floating Palette's picture and colours are Appearance settings like the window's: Cancel takes a
// change back, Default gives the built-in ones.
TEST(PreferencesDialogModel, CancelAndDefaultCoverTheFloatingPalettesPictureAndColours) {
    Preferences live;
    live.floatingPaletteBitmapPath = s("/pictures/palette.png");
    live.colourPalette = Colour::rgb(10, 20, 30);
    live.textPalette = Colour::rgb(200, 200, 200);
    const Preferences before = live;
    PreferencesDialogModel model(live, QString());
    model.remember();

    live.floatingPaletteBitmapPath = s("/pictures/other.png");
    live.colourPalette = Colour::rgb(1, 1, 1);
    live.textPalette = Colour::rgb(2, 2, 2);
    model.restore();
    EXPECT_EQ(live.floatingPaletteBitmapPath, before.floatingPaletteBitmapPath);
    EXPECT_EQ(live.colourPalette, before.colourPalette);
    EXPECT_EQ(live.textPalette, before.textPalette);

    model.setDefaults();
    EXPECT_TRUE(live.floatingPaletteBitmapPath.isEmpty());
    EXPECT_EQ(live.colourPalette, Colour::kButtonFace);
    EXPECT_EQ(live.textPalette, Colour::kWindowText);
}

TEST(PreferencesDialogModel, StatusBarPanelsKeepTheOrderTheUserGivesThem) {
    Preferences live;
    PreferencesDialogModel model(live, QString());
    model.setPanelShown(u'1', false);
    model.setPanelShown(u'1', true);
    EXPECT_EQ(model.panelOrder(), lines({"Position", "Remaining Time", "Name of Play List", "Length"}));
    model.setPanelShown(u'1', true);
    EXPECT_EQ(live.statusBarPanels, s("2341")) << "a panel shown already is not listed twice";

    EXPECT_EQ(model.movePanel(0, -1), 0);
    EXPECT_EQ(model.movePanel(3, 1), 3);
    EXPECT_EQ(model.movePanel(-1, 1), -1) << "nothing selected";
    EXPECT_EQ(live.statusBarPanels, s("2341"));
    EXPECT_EQ(model.movePanel(3, -1), 2);
    EXPECT_EQ(live.statusBarPanels, s("2314"));
}

TEST(PreferencesDialogModel, GrayedButtonsGoWithBorderlessOnes) {
    Preferences live;
    PreferencesDialogModel model(live, QString());
    live.grayedButtons = true;
    model.setBorderless(false);
    EXPECT_FALSE(live.grayedButtons);
    EXPECT_FALSE(model.grayedAvailable());
    model.setBorderless(true);
    EXPECT_TRUE(model.grayedAvailable());
    EXPECT_FALSE(live.grayedButtons) << "turning borderless back on does not bring grayed back";
}

TEST(PreferencesDialogModel, APathThatNamesNothingIsCleared) {
    TempFolder folder;
    const QString script = folder.write(s("mixer.sh"), "#!/bin/sh\n");
    const QString notes = folder.write(s("notes.txt"), "");
    EXPECT_EQ(PreferencesDialogModel::programOrEmpty(script), QString()) << "not executable";
    QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner);
    EXPECT_EQ(PreferencesDialogModel::programOrEmpty(script), script);
    EXPECT_EQ(PreferencesDialogModel::programOrEmpty(s("sh")), QStandardPaths::findExecutable(s("sh")))
        << "a program on the search path is kept as the file found there";
    EXPECT_EQ(PreferencesDialogModel::programOrEmpty(s("no-such-program-here")), QString());
    EXPECT_EQ(PreferencesDialogModel::programOrEmpty(folder.path() + s("/missing")), QString());
    EXPECT_EQ(PreferencesDialogModel::programOrEmpty(folder.path()), QString()) << "a folder is no program";
    EXPECT_EQ(PreferencesDialogModel::pictureOrEmpty(notes), notes);
    EXPECT_EQ(PreferencesDialogModel::pictureOrEmpty(folder.path() + s("/sky.png")), QString());
}

}  // namespace
