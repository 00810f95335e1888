#include "gui/help/helpcommands.h"
#include "gui/help/helppages.h"
#include "gui/help/helpwindow.h"
#include "gui/common/actionregistry.h"
#include "gui/shell/mainmenu.h"

#include "core/common/busystate.h"
#include "core/settings/shortcuts.h"
#include "core/shell/commanddispatcher.h"
#include "core/shell/commandtable.h"
#include "support/qtprinters.h"
#include "support/tempfolder.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string str(const QString& text) {
    return text.toStdString();
}

// The pages the program ships, read where the sources keep them.
QString shippedHelpFolder() {
    return QDir(QStringLiteral(VELMARO_DATA_DIR)).absoluteFilePath(QStringLiteral("help"));
}

// Every topic the program or the help window opens by name.
const char* const kProgramTopics[] = {"Contents", "Introduction", "Getting_Started_Guide", "File_Types",
                                      "What_s_New_", "Contacting_the_author___Internet", "Help_On_Help"};

// The anchors the browser knows in the document it shows: only these can be scrolled to.
QSet<QString> anchorsShown(const QTextBrowser* browser) {
    QSet<QString> anchors;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (const QString& name : block.charFormat().anchorNames()) {
            anchors.insert(name);
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            for (const QString& name : it.fragment().charFormat().anchorNames()) {
                anchors.insert(name);
            }
        }
    }
    return anchors;
}

class HelpWindowTest : public ::testing::Test {
protected:
    std::unique_ptr<HelpWindow> window = std::make_unique<HelpWindow>(shippedHelpFolder());

    QTextBrowser* browser() const { return window->browser(); }
    QString page() const { return browser()->source().fileName(); }
    QString fragment() const { return browser()->source().fragment(); }
    QWidget* panel() const { return window->findChild<QWidget*>(s("SearchPanel")); }
    QLineEdit* edit() const { return window->findChild<QLineEdit*>(s("SearchEdit")); }
    QListWidget* results() const { return window->findChild<QListWidget*>(s("SearchResults")); }
    QString info() const { return window->findChild<QLabel*>(s("SearchInfo"))->text(); }
    QToolButton* button(const char* name) const { return window->findChild<QToolButton*>(s(name)); }
    QStringList resultAnchors() const {
        QStringList anchors;
        for (int row = 0; row < results()->count(); ++row) {
            anchors.append(results()->item(row)->data(Qt::UserRole).toString());
        }
        return anchors;
    }
    QStringList search(const char* key) {
        window->showSearch(s(key));
        return resultAnchors();
    }
};

// ------------------------------------------------------------------------------------------ topics

TEST_F(HelpWindowTest, EachProgramTopicOpensOnItsPageAtItsAnchor) {
    for (const char* topic : kProgramTopics) {
        window->showTopic(s(topic));
        EXPECT_TRUE(window->isVisible());
        const HelpTopic* known = window->index().find(s(topic));
        ASSERT_NE(known, nullptr) << topic;
        EXPECT_EQ(page(), known->page) << topic;
        EXPECT_EQ(fragment(), s(topic));
        EXPECT_TRUE(anchorsShown(browser()).contains(s(topic))) << topic << " cannot be scrolled to";
    }
}

TEST_F(HelpWindowTest, AnUnknownTopicShowsTheContents) {
    window->showTopic(s("No_Such_Topic"));
    EXPECT_EQ(page(), s("index.html"));
    EXPECT_EQ(fragment(), s("Contents"));
}

TEST_F(HelpWindowTest, WithoutPagesTheWindowSaysWhereItLooked) {
    TempFolder empty;
    HelpWindow bare(empty.path());
    bare.showTopic(s("Contents"));
    EXPECT_TRUE(bare.isVisible());
    EXPECT_TRUE(bare.browser()->toPlainText().contains(QDir::toNativeSeparators(empty.path())));
    bare.showSearch(s("loop"));
    EXPECT_EQ(bare.findChild<QListWidget*>(s("SearchResults"))->count(), 0);
    // No folder at all is not the working folder, whatever pages that holds.
    EXPECT_TRUE(HelpPages::read(QString()).topics().empty());
}

TEST_F(HelpWindowTest, BackAndForwardRetraceTheTopicsSeen) {
    window->showTopic(s("Introduction"));
    EXPECT_FALSE(button("BackBtn")->isEnabled());
    window->showTopic(s("File_Types"));
    ASSERT_TRUE(button("BackBtn")->isEnabled());
    button("BackBtn")->click();
    EXPECT_EQ(fragment(), s("Introduction"));
    ASSERT_TRUE(button("ForwardBtn")->isEnabled());
    button("ForwardBtn")->click();
    EXPECT_EQ(fragment(), s("File_Types"));
    button("ContentsBtn")->click();
    EXPECT_EQ(fragment(), s("Contents"));

    // The keys: the buttons' underlined letters (a button pressed by its key shows itself pressed a
    // moment first) and those of a web browser.
    QApplication::setActiveWindow(window.get());
    QTest::keyClick(button("ContentsBtn"), Qt::Key_B, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return fragment() == u"File_Types"; }, 5000)) << str(fragment());
    QTest::keyClick(browser(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(fragment(), s("Introduction"));
    QTest::keyClick(button("ContentsBtn"), Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return fragment() == u"File_Types"; }, 5000)) << str(fragment());
    QTest::keyClick(browser(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(fragment(), s("Contents"));
}

TEST_F(HelpWindowTest, HelpOnHelpExplainsTheWindow) {
    window->showHelpOnHelp();
    EXPECT_EQ(page(), s("helponhelp.html"));
    EXPECT_EQ(fragment(), s("Help_On_Help"));
    EXPECT_TRUE(browser()->toPlainText().contains(s("Search")));

    window->showTopic(s("Contents"));
    button("HelpOnHelpBtn")->click();
    EXPECT_EQ(fragment(), s("Help_On_Help"));

    window->showTopic(s("Contents"));
    QApplication::setActiveWindow(window.get());
    QTest::keyClick(browser(), Qt::Key_F1);
    EXPECT_EQ(fragment(), s("Help_On_Help"));
}

// ------------------------------------------------------------------------------------------ search

TEST_F(HelpWindowTest, SearchWithAKeyListsMatchingTopicsAndOpensTheChosenOne) {
    const QStringList found = search("loop");
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_TRUE(button("SearchBtn")->isChecked());
    EXPECT_EQ(edit()->text(), s("loop"));
    EXPECT_TRUE(found.contains(s("Play_Options"))) << str(found.join(u' '));
    EXPECT_FALSE(found.contains(s("Contacting_the_author___Internet")));

    EXPECT_EQ(search("loop item").value(0), s("Play_Options"));
    QTest::keyClick(edit(), Qt::Key_Return);
    EXPECT_EQ(fragment(), s("Play_Options"));
    EXPECT_EQ(page(), s("playing.html"));
}

TEST_F(HelpWindowTest, TopicSearchWithoutAKeyListsEveryTopicByTitle) {
    window->showTopic(s("File_Types"));
    const QStringList all = search("");
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_TRUE(edit()->text().isEmpty());
    EXPECT_EQ(all.size(), static_cast<qsizetype>(window->index().topics().size()));
    for (int row = 1; row < results()->count(); ++row) {
        EXPECT_LE(QString::localeAwareCompare(results()->item(row - 1)->text(), results()->item(row)->text()), 0);
    }
    EXPECT_TRUE(info().contains(QString::number(all.size())));
    EXPECT_EQ(fragment(), s("File_Types")) << "opening the search keeps the topic in view";
}

TEST_F(HelpWindowTest, TypingNarrowsTheListAndNothingFoundIsSaid) {
    search("");
    edit()->setFocus();
    QTest::keyClicks(edit(), s("soundf"));
    const QStringList found = resultAnchors();
    ASSERT_FALSE(found.isEmpty());
    EXPECT_LT(found.size(), static_cast<qsizetype>(window->index().topics().size()));
    EXPECT_TRUE(found.contains(s("Installing_Plug_ins")));
    QTest::keyClicks(edit(), s("zzq"));
    EXPECT_EQ(results()->count(), 0);
    EXPECT_TRUE(info().startsWith(s("No topic")));
    QTest::keyClick(edit(), Qt::Key_Return);  // nothing to open: the page stays
    EXPECT_EQ(fragment(), s("Contents"));
}

TEST_F(HelpWindowTest, ArrowKeysInTheFieldChooseAResultAndClickingOneOpensIt) {
    const QStringList found = search("play");
    ASSERT_GE(found.size(), 3);
    QTest::keyClick(edit(), Qt::Key_Down);
    QTest::keyClick(edit(), Qt::Key_Down);
    QTest::keyClick(edit(), Qt::Key_Up);
    EXPECT_EQ(results()->currentRow(), 1);
    QTest::keyClick(edit(), Qt::Key_Return);
    EXPECT_EQ(fragment(), found.at(1));

    QTest::keyClick(edit(), Qt::Key_Up);
    QTest::keyClick(edit(), Qt::Key_Up);
    EXPECT_EQ(results()->currentRow(), 0) << "the choice stops at the first result";

    const int last = results()->count() - 1;
    QListWidgetItem* item = results()->item(last);
    results()->scrollToItem(item);
    QTest::mouseClick(results()->viewport(), Qt::LeftButton, {}, results()->visualItemRect(item).center());
    EXPECT_EQ(fragment(), found.at(last));
}

TEST_F(HelpWindowTest, TheSearchButtonHidesAndShowsThePanel) {
    search("loop");
    button("SearchBtn")->click();
    EXPECT_FALSE(panel()->isVisible());
    button("SearchBtn")->click();
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_EQ(edit()->text(), s("loop")) << "the last search is still there";
}

// ----------------------------------------------------------------------------------- shipped pages

TEST(ShippedHelp, AnchorsAreUniqueAndEveryTopicHasATitle) {
    const HelpIndex index = HelpPages::read(shippedHelpFolder());
    const std::vector<HelpTopic> topics = index.topics();
    ASSERT_GE(topics.size(), std::size(kProgramTopics));
    QSet<QString> seen;
    for (const HelpTopic& topic : topics) {
        EXPECT_FALSE(seen.contains(topic.anchor)) << str(topic.anchor) << " stands twice";
        seen.insert(topic.anchor);
        EXPECT_FALSE(topic.title.isEmpty()) << str(topic.anchor);
    }
    for (const char* topic : kProgramTopics) {
        EXPECT_TRUE(seen.contains(s(topic))) << topic;
    }
}

TEST(ShippedHelp, EveryLinkLeadsToATopicAndEveryTopicCanBeReached) {
    const QDir folder(shippedHelpFolder());
    const HelpIndex index = HelpPages::read(folder.path());
    QTextBrowser browser;
    QSet<QString> linked;
    const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    for (const QString& name : folder.entryList({QStringLiteral("*.html")}, QDir::Files)) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (auto match = href.globalMatch(html); match.hasNext();) {
            const QString target = match.next().captured(1);
            EXPECT_FALSE(target.contains(u':')) << str(name) << ": " << str(target) << " leaves the help";
            const QString page = target.section(u'#', 0, 0).isEmpty() ? name : target.section(u'#', 0, 0);
            const QString anchor = target.section(u'#', 1);
            const HelpTopic* topic = index.find(anchor);
            ASSERT_NE(topic, nullptr) << str(name) << ": " << str(target);
            EXPECT_EQ(topic->page, page) << str(name) << ": " << str(target);
            linked.insert(anchor);
        }
        // Each page, shown the way the window shows it, knows its topics' anchors.
        browser.setSource(QUrl::fromLocalFile(folder.filePath(name)));
        for (const HelpTopic& topic : index.topics()) {
            if (topic.page == name) {
                EXPECT_TRUE(anchorsShown(&browser).contains(topic.anchor)) << str(name) << ": " << str(topic.anchor);
            }
        }
    }
    for (const HelpTopic& topic : index.topics()) {
        EXPECT_TRUE(topic.anchor == u"Contents" || linked.contains(topic.anchor)) << str(topic.anchor) << " has no link to it";
    }
}

TEST(ShippedHelp, SearchFindsTheTopicAUserMeans) {
    const HelpIndex index = HelpPages::read(shippedHelpFolder());
    const struct {
        const char* query;
        const char* first;
    } cases[] = {
        {"loop item", "Play_Options"},   {"random", "Play_Options"},         {"undo", "Undo"},
        {"soundfont", "Installing_Plug_ins"}, {"command line", "Command_Line"}, {"favorite", "Favorites_and_History"},
        {"escape", "Measuring_Lengths"}, {"components", "Components"},       {"velmaro.ini", "Settings_File"},
        {"tutorial", "Getting_Started_Guide"}, {"topic search", "Help_On_Help"}, {"e-mail", "Contacting_the_author___Internet"},
        {"delay", "Play_Options"},       {"pause", "Playing"},               {"drop", "Adding_Items"},
        {"search files", "Searching_for_Files"}, {"cd database", "CD_Database"}, {"eject", "CD_Audio_Mode"},
        {"trash", "Deleting_Files"},     {"shortcut", "Preferences_Shortcuts"}, {"editor", "Editors_and_Desktop"},
        {"preferences", "Preferences"},  {"file manager", "Folder_Commands"}, {"mounted volumes", "File_Management_Mode"},
    };
    for (const auto& c : cases) {
        const std::vector<HelpTopic> found = index.search(s(c.query));
        ASSERT_FALSE(found.empty()) << c.query;
        EXPECT_EQ(found.front().anchor, s(c.first)) << c.query;
    }
}

// ---------------------------------------------------------------------------------- Help menu items

class HelpCommandsTest : public ::testing::Test {
protected:
    CommandTable table;
    BusyState busy;
    CommandDispatcher dispatcher{table, busy};
    ActionRegistry actions{table, dispatcher};
    QMenuBar bar;
    std::unique_ptr<MainMenu> menu;
    std::unique_ptr<HelpWindow> help;
    int created = 0;

    HelpCommandsTest() {
        table.addMenuItems();
        BindHelpCommands(table, [this] {
            if (!help) {
                help = std::make_unique<HelpWindow>(shippedHelpFolder());
                ++created;
            }
            return help.get();
        });
        menu = std::make_unique<MainMenu>(&bar, actions);
        table.refreshNow();
    }

    void run(const char* name) {
        QAction* item = menu->action(s(name));
        ASSERT_NE(item, nullptr) << name;
        ASSERT_TRUE(item->isEnabled()) << name;
        item->trigger();
    }
};

TEST_F(HelpCommandsTest, TopicItemsOpenTheirTopicsInOneLazilyMadeWindow) {
    EXPECT_EQ(created, 0);
    const struct {
        const char* item;
        const char* topic;
    } cases[] = {
        {"ContentsM", "Contents"},
        {"IntroductionM", "Introduction"},
        {"GettingStartedGuideM", "Getting_Started_Guide"},
        {"ContactInformationM", "Contacting_the_author___Internet"},
        {"HelpOnHelpM", "Help_On_Help"},
    };
    for (const auto& c : cases) {
        run(c.item);
        ASSERT_TRUE(help);
        EXPECT_TRUE(help->isVisible()) << c.item;
        EXPECT_EQ(help->browser()->source().fragment(), s(c.topic)) << c.item;
    }
    EXPECT_EQ(created, 1);
}

TEST_F(HelpCommandsTest, TopicSearchOpensTheSearchWithAnEmptyKey) {
    run("ContentsM");
    help->showSearch(s("loop"));
    help->findChild<QWidget*>(s("SearchPanel"))->hide();
    run("TopicSearchM");
    EXPECT_TRUE(help->findChild<QWidget*>(s("SearchPanel"))->isVisible());
    EXPECT_TRUE(help->findChild<QLineEdit*>(s("SearchEdit"))->text().isEmpty());
    EXPECT_EQ(help->findChild<QListWidget*>(s("SearchResults"))->count(),
              static_cast<int>(help->index().topics().size()));
}

TEST_F(HelpCommandsTest, F1OpensTheContentsAndOtherHelpItemsAreLeftAlone) {
    actions.applyShortcuts(Shortcuts());
    EXPECT_EQ(menu->action(s("ContentsM"))->shortcut(), QKeySequence(Qt::Key_F1));
    for (const char* name : {"HomePageM", "MailusM", "AboutM"}) {
        EXPECT_FALSE(menu->action(s(name))->isEnabled()) << name;
    }
}

}  // namespace
