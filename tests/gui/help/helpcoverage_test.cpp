// The help tells the truth about the menus: every command a user can choose is explained under its
// own name, and the page of what is missing names only commands that are greyed out.

#include "core/help/helpindex.h"
#include "gui/help/helpwindow.h"
#include "gui/shell/mainwindow.h"
#include "support/windowtest.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <map>

namespace {

QString shippedHelpFolder() {
    return QDir(QStringLiteral(VELMARO_DATA_DIR)).absoluteFilePath(QStringLiteral("help"));
}

// A caption as a user reads it: without its accelerator marks and a closing "...".
QString plainCaption(QString caption) {
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
    caption = caption.trimmed();
    if (caption.endsWith(QStringLiteral("..."))) {
        caption.chop(3);
    }
    return caption.trimmed();
}

// The words of a text in their order, as one string with a blank around each, so that a run of words
// is found as a substring.
QString wordRun(const QString& text) {
    return u' ' + HelpIndex::words(text).join(u' ') + u' ';
}

QTextDocument* readPage(const QString& name) {
    QFile file(QDir(shippedHelpFolder()).filePath(name));
    auto* document = new QTextDocument;
    if (file.open(QIODevice::ReadOnly)) {
        document->setHtml(QString::fromUtf8(file.readAll()));
    }
    return document;
}

QString anchorOf(const QTextBlock& block) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (!it.fragment().charFormat().anchorNames().isEmpty()) {
            return it.fragment().charFormat().anchorNames().first();
        }
    }
    return block.charFormat().anchorNames().value(0);
}

// The texts set in bold in the topic of a page.
QStringList boldTextsOf(const QString& page, const QString& topic) {
    std::unique_ptr<QTextDocument> document(readPage(page));
    QStringList bold;
    bool inside = false;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString anchor = block.blockFormat().headingLevel() > 0 ? anchorOf(block) : QString();
        if (!anchor.isEmpty()) {
            inside = anchor == topic;
            continue;
        }
        for (auto it = block.begin(); inside && !it.atEnd(); ++it) {
            if (it.fragment().charFormat().fontWeight() >= QFont::Bold) {
                bold.append(it.fragment().text().simplified());
            }
        }
    }
    return bold;
}

struct MenuCommand {
    QString name;     // the component name, or the caption of an item the program fills in
    QString caption;  // as the user reads it
    bool enabled = false;
};

class HelpCoverageTest : public WindowTest {
protected:
    TempFolder shipped;
    std::map<QString, QString> pageWords;  // page -> its word run

    void SetUp() override {
        for (const char* name : {"Moonlight Sonata.mid", "Für Elise.mid", "Symphony 5.mid", "March.mid",
                                 "Dance of the Sugar-plum Fairy.mid", "Waltz of the Flowers.mid"}) {
            shipped.write(s("Samples/") + s(name), "MThd");
        }
        music.write(s("Waltz.mid"), "MThd");
        device.disc = std::make_shared<FakeDisc>(FakeDisc{{60000, 70000, 80000}, {s("Album")}});
        helpFolder = shippedHelpFolder();
        startWindow(QSize(900, 500), shipped.file(s("Samples")));
    }

    // Every item of the menu bar, opened as the user opens them so that filled-in lists are there.
    std::vector<MenuCommand> menuCommands() {
        std::vector<MenuCommand> commands;
        for (QAction* top : window->menuBar()->actions()) {
            collect(top, commands);
        }
        return commands;
    }

    void collect(QAction* action, std::vector<MenuCommand>& commands) {
        if (action->isSeparator() || !action->isVisible() || action->objectName().startsWith(u"History")) {
            return;  // the history names the user's own Play Lists
        }
        commands.push_back({action->objectName(), plainCaption(action->text()), action->isEnabled()});
        if (QMenu* menu = action->menu()) {
            Q_EMIT menu->aboutToShow();
            const bool favorites = action->objectName().startsWith(u"Fav");
            bool pastSeparator = false;
            for (QAction* item : menu->actions()) {
                pastSeparator = pastSeparator || (favorites && item->isSeparator());
                if (!pastSeparator) {  // below a favorites menu's line stand the user's favorites
                    collect(item, commands);
                }
            }
        }
    }

    // Topic Search, as the user runs it: Help, Topic Search, and the caption typed into the field.
    QStringList search(const QString& text) {
        window->action(s("TopicSearchM"))->trigger();
        auto* help = window->findChild<HelpWindow*>();
        auto* field = help->findChild<QLineEdit*>(s("SearchEdit"));
        field->clear();
        QTest::keyClicks(field, text);
        const QListWidget* results = help->findChild<QListWidget*>(s("SearchResults"));
        QStringList pages;
        for (int row = 0; row < results->count(); ++row) {
            const HelpTopic* topic = help->index().find(results->item(row)->data(Qt::UserRole).toString());
            pages.append(topic ? topic->page : QString());
        }
        return pages;
    }

    bool pageHoldsCaption(const QString& page, const QString& caption) {
        if (!pageWords.count(page)) {
            std::unique_ptr<QTextDocument> document(readPage(page));
            pageWords[page] = wordRun(document->toPlainText());
        }
        return pageWords[page].contains(wordRun(caption));
    }

    // The mode tab, clicked.
    void enterCDAudioMode() {
        auto* tab = window->findChild<QLabel*>(s("PanelCurrentCD"));
        QTest::mouseClick(tab, Qt::LeftButton, {}, tab->rect().center());
        QApplication::processEvents();
        ASSERT_TRUE(window->session().cdAudioModeShown());
    }

    void expectEachEnabledCommandExplained(const char* where) {
        int checked = 0;
        for (const MenuCommand& command : menuCommands()) {
            if (!command.enabled || command.caption.isEmpty()) {
                continue;
            }
            ++checked;
            const QStringList pages = search(command.caption);
            ASSERT_FALSE(pages.isEmpty()) << where << ": no topic for " << command.caption.toStdString();
            bool named = false;
            for (const QString& page : pages) {
                named = named || pageHoldsCaption(page, command.caption);
            }
            EXPECT_TRUE(named) << where << ": no topic found names \"" << command.caption.toStdString()
                               << "\" (" << command.name.toStdString() << ")";
        }
        EXPECT_GT(checked, 60) << where;
    }
};

TEST_F(HelpCoverageTest, TopicSearchFindsEveryEnabledMenuCommandUnderItsCaption) {
    expectEachEnabledCommandExplained("File Management Mode");
    enterCDAudioMode();
    expectEachEnabledCommandExplained("CD Audio Mode");
}

TEST_F(HelpCoverageTest, WhatIsNotThereYetNamesOnlyGreyedOutCommands) {
    const QStringList named = boldTextsOf(s("introduction.html"), s("Not_Available"));
    ASSERT_FALSE(named.isEmpty());
    for (const bool cdMode : {false, true}) {
        if (cdMode) {
            enterCDAudioMode();
        }
        const std::vector<MenuCommand> commands = menuCommands();
        for (const QString& text : named) {
            // "View, Toolbar Options, Customize Toolbar..." names the last item of its path.
            const QString caption = plainCaption(text.section(QStringLiteral(", "), -1));
            int found = 0;
            for (const MenuCommand& command : commands) {
                if (command.caption.compare(caption, Qt::CaseInsensitive) == 0) {
                    ++found;
                    EXPECT_FALSE(command.enabled)
                        << text.toStdString() << " works" << (cdMode ? " in CD Audio Mode" : "");
                }
            }
            EXPECT_GT(found, 0) << text.toStdString() << " is no menu command";
        }
    }
}

}  // namespace
