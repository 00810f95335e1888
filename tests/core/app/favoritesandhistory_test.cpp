#include "core/app/favoritesandhistory.h"

#include "support/documentfixture.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

using Favorites::Kind;
using Action = Favorites::MenuItem::Action;

// ---------------------------------------------------------------------------------------------
// History

TEST(History, NewestFirstWithoutDuplicatesAndTheOldestDrops) {
    QStringList history = Preferences().history;
    for (const char* path : {"A", "B", "C", "D", "E"}) {
        History::AddToHistory(history, s(path));
    }
    EXPECT_EQ(history, lines({"E", "D", "C", "B"}));

    History::AddToHistory(history, s("C"));
    EXPECT_EQ(history, lines({"C", "E", "D", "B"}));
    History::AddToHistory(history, s("C"));
    EXPECT_EQ(history, lines({"C", "E", "D", "B"}));
    History::AddToHistory(history, s("B"));  // the last slot
    EXPECT_EQ(history, lines({"B", "C", "E", "D"}));

    QStringList short_;
    History::AddToHistory(short_, s("A"));
    EXPECT_EQ(short_, QStringList({s("A"), {}, {}, {}}));
}

TEST(History, MenuShowsTitlesOfFilledSlotsAndChecksTheCurrentList) {
    const QStringList history = {
        s("/lists/Rock & Roll.vlp"), s("/my.lists/b.old.vlp"), s("/lists/plain"), {}};
    const History::Menu menu = History::RefreshHistoryMenu(history, s("/my.lists/b.old.vlp"));
    const char* captions[] = {"&1 Rock && Roll", "&2 b.old", "&3 plain"};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(menu.items[i].caption, s(captions[i]));
        EXPECT_TRUE(menu.items[i].visible);
        EXPECT_EQ(menu.items[i].checked, i == 1) << i;
    }
    EXPECT_FALSE(menu.items[3].visible);
    EXPECT_TRUE(menu.separatorVisible);

    const History::Menu empty = History::RefreshHistoryMenu(Preferences().history, QString());
    for (const History::MenuItem& item : empty.items) {
        EXPECT_FALSE(item.visible);
        EXPECT_FALSE(item.checked);
    }
    EXPECT_FALSE(empty.separatorVisible);
}

// ---------------------------------------------------------------------------------------------
// Favorites menu

QStringList captionsOf(const std::vector<Favorites::MenuItem>& menu) {
    QStringList captions;
    for (const Favorites::MenuItem& item : menu) {
        captions.append(item.caption);
    }
    return captions;
}

QStringList numberedFolders(int count) {
    QStringList list;
    for (int i = 1; i <= count; ++i) {
        list.append(s("/m/f%1").arg(i));
    }
    return list;
}

TEST(Favorites, AnEmptyListOffersTheCommandsAndNothingToOpen) {
    const auto folders = Favorites::BuildFavoritesMenu(Kind::Folders, {}, s("/music"), false, true);
    EXPECT_EQ(captionsOf(folders),
              lines({"&Add This Folder To Favorites", "&Configure Favorite Folders...",
                     "C&lear List of Favorite Folders...", "-", "No Favorite Folders available"}));
    const Action actions[] = {Action::AddCurrent, Action::Configure, Action::Clear, Action::None,
                              Action::None};
    const bool enabled[] = {true, true, true, true, false};
    for (size_t i = 0; i < folders.size(); ++i) {
        EXPECT_EQ(folders[i].action, actions[i]) << i;
        EXPECT_EQ(folders[i].enabled, enabled[i]) << i;
        EXPECT_FALSE(folders[i].checked) << i;
    }
    EXPECT_EQ(folders[3].hint, s(" "));
    EXPECT_EQ(folders[4].hint, s("No Favorite Folders have been added yet"));

    // Without a current Play List there is nothing to add; without the dialog nothing to configure.
    const auto playLists = Favorites::BuildFavoritesMenu(Kind::PlayLists, {}, QString(), false, false);
    EXPECT_EQ(captionsOf(playLists),
              lines({"&Add This Play List To Favorites", "&Configure Favorite Play Lists...",
                     "C&lear List of Favorite Play Lists...", "-", "No Favorite Play Lists available"}));
    EXPECT_FALSE(playLists[0].enabled);
    EXPECT_FALSE(playLists[1].enabled);
    EXPECT_EQ(playLists[4].hint, s("No Favorite Play Lists have been added yet"));
}

TEST(Favorites, FirstItemAddsOrRemovesTheCurrentEntry) {
    const QStringList full = numberedFolders(25);
    struct Case {
        const char* what;
        Kind kind;
        QStringList list;
        QString current;
        const char* caption;
        Action action;
        bool enabled;
    };
    const Case cases[] = {
        {"room left", Kind::Folders, numberedFolders(24), s("/new"), "&Add This Folder To Favorites",
         Action::AddCurrent, true},
        {"full", Kind::Folders, full, s("/new"), "&Add This Folder To Favorites", Action::AddCurrent, false},
        {"full but listed", Kind::Folders, full, s("/m/f25"), "&Remove This Folder From Favorites",
         Action::RemoveCurrent, true},
        {"play list", Kind::PlayLists, lines({"/a.vlp"}), s("/b.vlp"), "&Add This Play List To Favorites",
         Action::AddCurrent, true},
        {"listed play list", Kind::PlayLists, lines({"/a.vlp"}), s("/a.vlp"),
         "&Remove This Play List From Favorites", Action::RemoveCurrent, true},
    };
    for (const Case& c : cases) {
        const Favorites::MenuItem first =
            Favorites::BuildFavoritesMenu(c.kind, c.list, c.current, false, true).at(0);
        EXPECT_EQ(first.caption, s(c.caption)) << c.what;
        EXPECT_EQ(first.action, c.action) << c.what;
        EXPECT_EQ(first.enabled, c.enabled) << c.what;
    }
}

TEST(Favorites, EntriesAreNumberedWithAcceleratorsUpToTen) {
    const auto menu =
        Favorites::BuildFavoritesMenu(Kind::Folders, numberedFolders(11), s("/m/f10"), false, true);
    ASSERT_EQ(menu.size(), 4u + 11u);
    const QStringList entries = captionsOf(menu).mid(4);
    EXPECT_EQ(entries, lines({"&1. f1", "&2. f2", "&3. f3", "&4. f4", "&5. f5", "&6. f6", "&7. f7", "&8. f8",
                              "&9. f9", "1&0. f10", "11. f11"}));
    for (int i = 0; i < 11; ++i) {
        const Favorites::MenuItem& item = menu[static_cast<size_t>(4 + i)];
        EXPECT_EQ(item.action, Action::Open);
        EXPECT_EQ(item.index, i);
        EXPECT_EQ(item.checked, i == 9) << i;
        EXPECT_TRUE(item.enabled);
        EXPECT_EQ(item.hint, s("Display this folder in the Folder List"));
    }
    EXPECT_EQ(Favorites::BuildFavoritesMenu(Kind::PlayLists, lines({"/a.vlp"}), {}, false, true).at(4).hint,
              s("Open this Play List"));
}

TEST(Favorites, EntryTextIsTheLastNameOrTheFullPathWithAmpersandsDoubled) {
    struct Case {
        Kind kind;
        const char* entry;
        bool showPath;
        const char* caption;
    };
    const Case cases[] = {
        {Kind::Folders, "/music/Rock & Roll", false, "&1. Rock && Roll"},
        {Kind::Folders, "/music/Rock & Roll", true, "&1. /music/Rock && Roll"},
        {Kind::Folders, "/", false, "&1. /"},
        {Kind::Folders, "/old.music/x", false, "&1. x"},
        {Kind::Folders, "/music/rock/", false, "&1. rock"},
        {Kind::PlayLists, "/lists/R&B.mix.vlp", false, "&1. R&&B.mix"},
        {Kind::PlayLists, "/lists/party.vlp", true, "&1. /lists/party.vlp"},
    };
    for (const Case& c : cases) {
        const auto menu = Favorites::BuildFavoritesMenu(c.kind, {s(c.entry)}, {}, c.showPath, true);
        EXPECT_EQ(menu.at(4).caption, s(c.caption)) << c.entry;
    }
}

// ---------------------------------------------------------------------------------------------
// The controller

class FavoritesAndHistoryTest : public ::testing::Test, public DocumentFixture {
protected:
    FavoritesAndHistoryTest() {
        QObject::connect(&controller, &FavoritesAndHistory::historyChanged, [this] { ++historyChanges; });
        // The File List follows, as the session makes it.
        QObject::connect(&controller, &FavoritesAndHistory::currentFolderChanged, [this](const QString& f) {
            shownFolders.append(f);
            currentFolder = f;
        });
    }

    QString writeList(const char* name) {
        return folder.write(s(name),
                            playListBytes({s("[General]"), s("LastPlayed="), QString(), s("[Items]")}));
    }
    QString makeFolder(const char* name) {
        const QString path = folder.file(s(name));
        QDir().mkpath(path);
        return path;
    }
    Favorites::MenuItem menuItem(Kind kind, Action action, int index = -1) {
        for (const Favorites::MenuItem& item : controller.favoritesMenu(kind)) {
            if (item.action == action && item.index == index) {
                return item;
            }
        }
        ADD_FAILURE() << "no such menu item";
        return {};
    }

    QString currentFolder;  // the File List's
    FavoritesAndHistory controller{preferences, [this] { return currentFolder; }, document, prompter};
    int historyChanges = 0;
    QStringList shownFolders;
};

TEST_F(FavoritesAndHistoryTest, AHistoryEntryWhoseFileIsGoneIsRemovedWithAnError) {
    const QString a = writeList("a.vlp");
    const QString c = writeList("c.vlp");
    const QString d = writeList("d.vlp");
    preferences.history = {a, folder.file(s("b.vlp")), c, d};

    controller.OpenHistoryEntry(2);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Error);
    EXPECT_EQ(
        prompter.messages[0].text,
        s("Unable to open the specified Play List. You\rhave probably renamed the file or deleted it."));
    EXPECT_EQ(preferences.history, QStringList({a, c, d, {}}));
    EXPECT_EQ(historyChanges, 1);
    EXPECT_TRUE(document.fileName().isEmpty());

    const History::Menu menu = controller.historyMenu();
    EXPECT_EQ(menu.items[0].caption, s("&1 a"));
    EXPECT_EQ(menu.items[1].caption, s("&2 c"));
    EXPECT_EQ(menu.items[2].caption, s("&3 d"));
    EXPECT_FALSE(menu.items[3].visible);
}

TEST_F(FavoritesAndHistoryTest, AHistoryEntryOpensAndMovesToTheTop) {
    const QString a = writeList("a.vlp");
    const QString b = writeList("b.vlp");
    const QString c = writeList("c.vlp");
    preferences.history = {a, b, c, {}};

    controller.OpenHistoryEntry(4);  // an empty slot does nothing
    EXPECT_EQ(preferences.history, QStringList({a, b, c, {}}));

    controller.OpenHistoryEntry(3);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(document.fileName(), c);
    EXPECT_EQ(preferences.history, QStringList({c, a, b, {}}));
    const History::Menu menu = controller.historyMenu();
    EXPECT_TRUE(menu.items[0].checked);
    EXPECT_FALSE(menu.items[1].checked);
}

TEST_F(FavoritesAndHistoryTest, ClearingAsksFirst) {
    const QStringList folders = lines({"/a", "/b"});
    preferences.favoriteFolders = folders;
    preferences.favoritePlayLists = lines({"/l.vlp"});

    prompter.messageAnswers = {Prompter::Answer::No, Prompter::Answer::Yes, Prompter::Answer::Yes};
    controller.runFavoritesItem(Kind::Folders, menuItem(Kind::Folders, Action::Clear));
    EXPECT_EQ(preferences.favoriteFolders, folders);
    controller.runFavoritesItem(Kind::Folders, menuItem(Kind::Folders, Action::Clear));
    EXPECT_TRUE(preferences.favoriteFolders.isEmpty());
    EXPECT_EQ(preferences.favoritePlayLists, lines({"/l.vlp"}));
    controller.runFavoritesItem(Kind::PlayLists, menuItem(Kind::PlayLists, Action::Clear));
    EXPECT_TRUE(preferences.favoritePlayLists.isEmpty());

    ASSERT_EQ(prompter.messages.size(), 3u);
    EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Confirmation);
    EXPECT_EQ(prompter.messages[0].text, s("Are you sure you want to clear the list of Favorite Folders?"));
    EXPECT_EQ(prompter.messages[2].text,
              s("Are you sure you want to clear the list of Favorite Play Lists?"));
}

TEST_F(FavoritesAndHistoryTest, AddAppendsTheCurrentFolderOnceWithinTheLimitAndRemoveTakesItOut) {
    currentFolder = s("/music/new");
    preferences.favoriteFolders = lines({"/a", "/b"});
    const Favorites::MenuItem add = menuItem(Kind::Folders, Action::AddCurrent);
    controller.runFavoritesItem(Kind::Folders, add);
    controller.runFavoritesItem(Kind::Folders, add);
    EXPECT_EQ(preferences.favoriteFolders, lines({"/a", "/b", "/music/new"}));

    currentFolder = s("/a");
    controller.runFavoritesItem(Kind::Folders, menuItem(Kind::Folders, Action::RemoveCurrent));
    EXPECT_EQ(preferences.favoriteFolders, lines({"/b", "/music/new"}));

    preferences.favoriteFolders = numberedFolders(25);
    controller.runFavoritesItem(Kind::Folders, add);
    EXPECT_EQ(preferences.favoriteFolders, numberedFolders(25));
}

TEST_F(FavoritesAndHistoryTest, OpeningAFolderShowsItOrDropsItWhenItIsGone) {
    const QString rock = makeFolder("rock");
    const QString jazz = makeFolder("jazz");
    const QString gone = folder.file(s("gone"));
    preferences.favoriteFolders = {rock, gone, jazz};

    controller.runFavoritesItem(Kind::Folders, menuItem(Kind::Folders, Action::Open, 1));
    EXPECT_EQ(preferences.favoriteFolders, QStringList({rock, jazz}));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Error);
    EXPECT_TRUE(prompter.messages[0].text.contains(gone));
    EXPECT_TRUE(shownFolders.isEmpty());
    EXPECT_TRUE(currentFolder.isEmpty());

    controller.runFavoritesItem(Kind::Folders, menuItem(Kind::Folders, Action::Open, 1));
    EXPECT_EQ(currentFolder, jazz);
    EXPECT_EQ(shownFolders, QStringList{jazz});
    EXPECT_TRUE(menuItem(Kind::Folders, Action::Open, 1).checked);
    EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(FavoritesAndHistoryTest, OpeningAFavoritePlayListOpensItInTheDocument) {
    const QString party = writeList("party.vlp");
    preferences.favoritePlayLists = {party};
    controller.runFavoritesItem(Kind::PlayLists, menuItem(Kind::PlayLists, Action::Open, 0));
    EXPECT_EQ(document.fileName(), party);
    EXPECT_EQ(preferences.history.value(0), party);
    EXPECT_EQ(controller.favoritesMenu(Kind::PlayLists).at(0).action, Action::RemoveCurrent);
    EXPECT_TRUE(menuItem(Kind::PlayLists, Action::Open, 0).checked);

    int requests = 0;
    QObject::connect(&controller, &FavoritesAndHistory::configureRequested, [&](Kind kind) {
        EXPECT_EQ(kind, Kind::PlayLists);
        ++requests;
    });
    controller.runFavoritesItem(Kind::PlayLists, menuItem(Kind::PlayLists, Action::Configure));
    EXPECT_EQ(requests, 1);
}

}  // namespace
