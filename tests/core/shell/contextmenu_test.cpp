#include "core/shell/contextmenu.h"
#include "core/shell/menutable.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

namespace {

QStringList captionsOf(const std::vector<ContextMenuItem>& items) {
    QStringList captions;
    for (const ContextMenuItem& item : items) {
        captions.append(item.caption);
    }
    return captions;
}

// Every item acts like something the window has: a menu item, one of its buttons or a command of the
// position bar. A misspelt name would leave an item that does nothing.
TEST(ContextMenu, EveryItemActsLikeACommandTheWindowHas) {
    const QStringList buttons = lines({"AddBtn", "AddAllBtn", "RemBtn", "RemAllBtn", "RenBtn", "DelBtn"});
    const QStringList own = {ContextCommand::kPercent0, ContextCommand::kPercent25, ContextCommand::kPercent75,
                             ContextCommand::kAnyValue, ContextCommand::kStatusBarCustomize};
    std::vector<ContextMenuItem> all = GeneralContextItems();
    for (const QString& control : ContextMenuControls()) {
        const std::vector<ContextMenuItem> items = ContextItemsFor(control);
        ASSERT_FALSE(items.empty()) << control.toStdString();
        EXPECT_TRUE(items.front().isSeparator()) << control.toStdString();
        all.insert(all.end(), items.begin(), items.end());
    }
    for (const ContextMenuItem& item : all) {
        if (item.isSeparator() || item.hides) {
            continue;
        }
        const bool known = FindMenuEntry(item.command) || buttons.contains(item.command) || own.contains(item.command);
        EXPECT_TRUE(known) << item.caption.toStdString() << " -> " << item.command.toStdString();
    }
    EXPECT_TRUE(ContextItemsFor(s("NameOfCDEdit")).empty());
}

TEST(ContextMenu, TheStatusBarOffersItsCustomizingAndHidesItself) {
    const std::vector<ContextMenuItem> items = ContextItemsFor(s("PanelInfo"));
    EXPECT_EQ(captionsOf(items), lines({"-", "Customize...", "-", "&Hide Component"}));
    EXPECT_EQ(items.back().hides, Component::StatusBar);
    EXPECT_EQ(ContextItemsFor(s("PlayListBox")).back().hides, Component::PlayList);
    EXPECT_EQ(ContextItemsFor(s("DirectoryListBox")).back().hides, Component::FileList);
}

TEST(ContextMenu, TheGeneralSubmenuMirrorsTheTransportAndClipboardCommands) {
    EXPECT_EQ(captionsOf(GeneralContextItems()),
              lines({"&Play", "P&ause", "&Stop", "&Rewind", "-", "&Edit...", "-", "Prev&ious", "&Next", "-", "&Mixer",
                     "-", "C&ut", "&Copy", "Pas&te"}));
    EXPECT_EQ(GeneralContextItems()[3].command, s("RewindM"));
}

}  // namespace
