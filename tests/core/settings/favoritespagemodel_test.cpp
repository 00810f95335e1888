#include "core/settings/favoritespagemodel.h"

#include "core/settings/preferences.h"
#include "support/fakes.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace {

using Favorites::Kind;

// Each text is refused with an information box, and the edit box shows the selected line again.
QStringList refusals(FavoritesPageModel& page, const QStringList& texts) {
    FakePrompter prompter;
    for (const QString& text : texts) {
        page.setEditText(text);
        EXPECT_FALSE(page.changeEntry(prompter)) << text.toStdString();
        EXPECT_EQ(page.editText(), page.lines().at(page.selected()));
    }
    QStringList shown;
    for (const FakePrompter::Message& message : prompter.messages) {
        EXPECT_EQ(message.kind, Prompter::Kind::Information);
        shown.append(message.text);
    }
    return shown;
}

TEST(FavoritesPageModel, ChangeTakesExistingAbsoluteFoldersAndStoresThemWithoutTrailingSlash) {
    TempFolder temp;
    temp.write(s("Music/a.mid"), "x");
    FavoritesPageModel page(Kind::Folders);
    page.load({s("/gone/one"), s("/gone/two")});
    page.enterPage();
    ASSERT_EQ(page.editText(), s("/gone/one"));

    // "." exists where the tests run, but a relative path is no folder of its own. A missing folder
    // that another line holds is named as a duplicate.
    const QString missing = s("The specified folder does not exist.");
    EXPECT_EQ(refusals(page, {temp.file(s("Gone")), s("."), s("~"), QString(), s("/gone/two/")}),
              QStringList({missing, missing, missing, missing,
                           s("The specified folder is already present in the list of Favorite Folders.")}));
    EXPECT_EQ(page.lines(), lines({"/gone/one", "/gone/two"}));

    FakePrompter prompter;
    page.setEditText(temp.file(s("Music//")));
    EXPECT_TRUE(page.changeEntry(prompter));
    page.select(1);
    page.setEditText(s("/"));
    EXPECT_TRUE(page.changeEntry(prompter));
    EXPECT_EQ(page.lines(), QStringList({temp.file(s("Music")), s("/")}));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(FavoritesPageModel, ChangeTakesAnExistingPlayListOnlyOnce) {
    TempFolder temp;
    const QString a = temp.write(s("a.vlp"), {});
    const QString b = temp.write(s("b.vlp"), {});
    FavoritesPageModel page(Kind::PlayLists);
    page.load({a, s("/gone.vlp")});
    page.select(1);
    EXPECT_EQ(refusals(page, {a, temp.path(), s("b.vlp")}),
              lines({"The specified Play List is already present in the list of Favorite Play Lists.",
                     "The specified Play List does not exist.", "The specified Play List does not exist."}));

    FakePrompter prompter;
    page.setEditText(b);
    EXPECT_TRUE(page.changeEntry(prompter));
    // Confirming a line unchanged is not a duplicate of itself.
    page.select(0);
    EXPECT_TRUE(page.changeEntry(prompter));
    EXPECT_TRUE(prompter.messages.empty());

    // A name with a line break would break the settings file apart: refused, and the line stays.
    page.setEditText(temp.write(s("two\nlines.vlp"), {}));
    EXPECT_FALSE(page.changeEntry(prompter));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Error);
    EXPECT_EQ(page.lines(), QStringList({a, b}));
    EXPECT_EQ(page.editText(), a);
}

TEST(FavoritesPageModel, DeleteSelectsTheNextOrLastLineAndAddStopsAtTheLimit) {
    FavoritesPageModel page(Kind::Folders);
    page.load(lines({"/a", "/b", "/c"}));
    page.enterPage();
    page.moveUp();  // at the top
    page.moveDown();
    page.deleteEntry();
    EXPECT_EQ(page.lines(), lines({"/b", "/c"}));
    EXPECT_EQ(page.editText(), s("/c"));
    page.deleteEntry();
    EXPECT_EQ(page.editText(), s("/b"));
    page.deleteEntry();
    EXPECT_EQ(page.selected(), -1);
    EXPECT_FALSE(page.canEdit());

    QStringList full;
    for (int i = 1; i < Preferences::kMaxFavorites; ++i) {
        full.append(s("/f%1").arg(i));
    }
    page.load(full);
    EXPECT_TRUE(page.addEntry());
    EXPECT_EQ(page.selected(), Preferences::kMaxFavorites - 1);
    EXPECT_FALSE(page.canAdd());
    EXPECT_FALSE(page.addEntry());
    EXPECT_EQ(page.lines().size(), Preferences::kMaxFavorites);
    EXPECT_EQ(page.entries(), full);
}

}  // namespace
