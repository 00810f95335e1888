#include "core/settings/favoritespagemodel.h"

#include "core/settings/preferences.h"
#include "support/fakes.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace {

using Favorites::Kind;

QStringList shownMessages(const FakePrompter& prompter) {
    QStringList texts;
    for (const FakePrompter::Message& message : prompter.messages) {
        EXPECT_EQ(message.kind, Prompter::Kind::Information);
        texts.append(message.text);
    }
    return texts;
}

TEST(FavoritesPageModel, ChangeTakesExistingAbsoluteFoldersAndStoresThemWithoutTrailingSlash) {
    TempFolder temp;
    temp.write(s("Music/a.mid"), "x");
    const QString music = temp.file(s("Music"));
    FavoritesPageModel page(Kind::Folders);
    page.load({s("/gone/one"), s("/gone/two")});
    page.enterPage();
    ASSERT_EQ(page.selected(), 0);
    ASSERT_EQ(page.editText(), s("/gone/one"));

    // "." exists where the tests run, but a relative path is no folder of its own.
    FakePrompter prompter;
    for (const QString& refused : {temp.file(s("Gone")), s("."), s("~"), QString()}) {
        page.setEditText(refused);
        EXPECT_FALSE(page.changeEntry(prompter)) << refused.toStdString();
        EXPECT_EQ(page.editText(), s("/gone/one")) << refused.toStdString();
    }
    // A missing folder that another line holds is named as a duplicate.
    page.setEditText(s("/gone/two/"));
    EXPECT_FALSE(page.changeEntry(prompter));
    EXPECT_EQ(
        shownMessages(prompter),
        QStringList({s("The specified folder does not exist."), s("The specified folder does not exist."),
                     s("The specified folder does not exist."), s("The specified folder does not exist."),
                     s("The specified folder is already present in the list of Favorite Folders.")}));
    EXPECT_EQ(page.lines(), lines({"/gone/one", "/gone/two"}));

    page.setEditText(music + s("//"));
    EXPECT_TRUE(page.changeEntry(prompter));
    page.select(1);
    page.setEditText(s("/"));
    EXPECT_TRUE(page.changeEntry(prompter));
    EXPECT_EQ(page.lines(), QStringList({music, s("/")}));
    EXPECT_EQ(page.editText(), s("/"));
    EXPECT_EQ(prompter.messages.size(), 5u);
}

TEST(FavoritesPageModel, ChangeTakesAnExistingPlayListOnlyOnce) {
    TempFolder temp;
    const QString a = temp.write(s("a.vlp"), {});
    const QString b = temp.write(s("b.vlp"), {});
    FavoritesPageModel page(Kind::PlayLists);
    page.load({a, s("/gone.vlp")});
    FakePrompter prompter;
    page.setEditText(b);
    EXPECT_FALSE(page.changeEntry(prompter));  // nothing selected
    EXPECT_TRUE(prompter.messages.empty());

    page.select(1);
    for (const QString& refused : {a, temp.path(), s("b.vlp")}) {
        page.setEditText(refused);
        EXPECT_FALSE(page.changeEntry(prompter)) << refused.toStdString();
        EXPECT_EQ(page.editText(), s("/gone.vlp"));
    }
    EXPECT_EQ(shownMessages(prompter),
              lines({"The specified Play List is already present in the list of Favorite Play Lists.",
                     "The specified Play List does not exist.", "The specified Play List does not exist."}));
    page.setEditText(b);
    EXPECT_TRUE(page.changeEntry(prompter));
    // Confirming a line unchanged is not a duplicate of itself.
    page.select(0);
    EXPECT_TRUE(page.changeEntry(prompter));
    EXPECT_EQ(page.lines(), QStringList({a, b}));
    EXPECT_EQ(prompter.messages.size(), 3u);

    // A name with a line break would break the settings file apart: refused, and the line stays.
    const QString broken = temp.write(s("two\nlines.vlp"), {});
    page.setEditText(broken);
    EXPECT_FALSE(page.changeEntry(prompter));
    ASSERT_EQ(prompter.messages.size(), 4u);
    EXPECT_EQ(prompter.messages.back().kind, Prompter::Kind::Error);
    EXPECT_EQ(page.lines(), QStringList({a, b}));
    EXPECT_EQ(page.editText(), a);
}

TEST(FavoritesPageModel, AddDeleteAndMoveKeepASelectionAndTheLimit) {
    FavoritesPageModel page(Kind::Folders);
    page.load(lines({"/a", "/b", "/c"}));
    page.moveUp();  // nothing selected
    page.enterPage();
    page.moveUp();  // at the top
    page.moveDown();
    EXPECT_EQ(page.lines(), lines({"/b", "/a", "/c"}));
    EXPECT_EQ(page.selected(), 1);
    page.select(2);
    page.moveDown();   // at the bottom
    page.enterPage();  // keeps the selection
    EXPECT_EQ(page.selected(), 2);

    page.select(1);
    page.deleteEntry();
    EXPECT_EQ(page.lines(), lines({"/b", "/c"}));
    EXPECT_EQ(page.selected(), 1);
    EXPECT_EQ(page.editText(), s("/c"));
    page.deleteEntry();
    EXPECT_EQ(page.selected(), 0);
    EXPECT_EQ(page.editText(), s("/b"));
    page.deleteEntry();
    EXPECT_EQ(page.selected(), -1);
    EXPECT_EQ(page.editText(), QString());
    EXPECT_FALSE(page.canEdit());
    page.enterPage();
    EXPECT_EQ(page.selected(), -1);

    QStringList full;
    for (int i = 1; i < Preferences::kMaxFavorites; ++i) {
        full.append(s("/f%1").arg(i));
    }
    page.load(full);
    page.select(3);
    EXPECT_TRUE(page.canAdd());
    EXPECT_TRUE(page.addEntry());
    EXPECT_EQ(page.selected(), Preferences::kMaxFavorites - 1);
    EXPECT_EQ(page.editText(), QString());
    EXPECT_FALSE(page.canAdd());
    EXPECT_FALSE(page.addEntry());
    EXPECT_EQ(page.lines().size(), Preferences::kMaxFavorites);
    EXPECT_EQ(page.entries(), full);

    FavoritesPageModel playLists(Kind::PlayLists);
    playLists.load(page.lines());
    EXPECT_TRUE(playLists.canAdd());
    EXPECT_FALSE(playLists.addEntry());
    EXPECT_EQ(playLists.lines().size(), Preferences::kMaxFavorites);
}

}  // namespace
