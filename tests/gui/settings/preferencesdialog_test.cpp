#include "gui/settings/preferencesdialog.h"
#include "gui/playback/indicatorcontrols.h"
#include "gui/playback/midiresetbox.h"
#include "gui/playback/panelinfo.h"
#include "gui/playlist/playlistbox.h"
#include "gui/settings/colourbutton.h"
#include "gui/shell/mainmenu.h"
#include "support/windowtest.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class PreferencesDialogTest : public WindowTest {
protected:
    void SetUp() override {
        writeQuietSettings();
        startWindow();
    }

    // Runs inside while the dialog opened by open() is showing; inside closes it.
    void whileOpen(const std::function<void()>& open, const std::function<void(PreferencesDialog&)>& inside) {
        bool ran = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, window.get(), [&] {
            auto* dialog = qobject_cast<PreferencesDialog*>(QApplication::activeModalWidget());
            if (!dialog || ran) {
                return;
            }
            poll.stop();
            ran = true;
            dialog->activateWindow();
            QApplication::setActiveWindow(dialog);
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            inside(*dialog);
        });
        poll.start(10);
        open();
        EXPECT_TRUE(ran);
    }
    // Clicks the item of a menu on screen.
    static void clickItem(QMenu* menu, const QString& text) {
        for (QAction* item : menu->actions()) {
            if (item->text() == text) {
                EXPECT_TRUE(item->isEnabled()) << text.toStdString();
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
                return;
            }
        }
        ADD_FAILURE() << "no item " << text.toStdString();
        menu->close();  // a menu left open would wait for ever
    }
    void pressF10() { QTest::keyClick(window.get(), Qt::Key_F10); }
    template <typename T>
    static T* control(PreferencesDialog& dialog, const char* name) {
        T* found = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }
    // A check box takes clicks on its box and its caption only.
    static void click(QCheckBox* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    static void clickNode(PreferencesDialog& dialog, const QString& text) {
        QTreeWidget* tree = dialog.tree();
        const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        if (found.first()->parent()) {
            found.first()->parent()->setExpanded(true);
        }
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(found.first()).center());
    }
    QString settingsText() const {
        QFile file(home.path() + s("/velmaro.ini"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

TEST_F(PreferencesDialogTest, CustomizeOpensTheStatusBarPageAndOKShowsAndStoresTheChoice) {
    // A right click on the status bar opens its menu; the menu waits for its own click.
    const auto rightClickAndCustomize = [&] {
        QTimer::singleShot(20, window.get(), [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            clickItem(menu, s("Customize..."));
        });
        QStatusBar* bar = window->statusBar();
        const QPoint at(bar->width() - 5, bar->height() / 2);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, bar->mapToGlobal(at));
        QApplication::sendEvent(bar, &event);
    };
    whileOpen(rightClickAndCustomize, [&](PreferencesDialog& dialog) {
        EXPECT_EQ(dialog.tree()->currentItem()->text(0), s("Status Bar"));
        EXPECT_EQ(control<QLabel>(dialog, "NameOfNode")->text(), s("Status Bar"));
        click(control<QCheckBox>(dialog, "LengthCB"));
        click(control<QPushButton>(dialog, "OKBtn"));
    });
    EXPECT_FALSE(
        window->indicatorControls().panelInfo()->value(PanelInfo::Length)->isVisibleTo(window.get()));
    EXPECT_TRUE(settingsText().contains(s("Status Bar=234\r\n")));
}

TEST_F(PreferencesDialogTest, AColourShowsAtOnceAndCancelPutsItBack) {
    QWidget* label = window->findChild<QWidget*>(s("PlayListBoxInfo"));
    const QColor before = label->palette().color(QPalette::WindowText);
    whileOpen([&] { pressF10(); },
              [&](PreferencesDialog& dialog) {
                  clickNode(dialog, s("Text Colors"));
                  EXPECT_EQ(control<QLabel>(dialog, "NameOfNode")->text(), s("Text Colors"));
                  QTimer::singleShot(50, &dialog, [] {
                      auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                      ASSERT_NE(popup, nullptr);
                      for (QAction* item : popup->actions()) {
                          if (item->text() == QColor(Qt::red).name()) {
                              QTest::mouseClick(popup, Qt::LeftButton, {},
                                                popup->actionGeometry(item).center());
                              return;
                          }
                      }
                      ADD_FAILURE() << "no red in the colour menu";
                  });
                  click(control<ColourButton>(dialog, "ColorBtn4"));
                  EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::red));
                  QTest::keyClick(&dialog, Qt::Key_Escape);
              });
    EXPECT_EQ(label->palette().color(QPalette::WindowText), before);
    EXPECT_EQ(session->preferences().textMainWindow, Colour::kWindowText);
}

TEST_F(PreferencesDialogTest, PageRulesHoldAndDefaultThenCancelChangesNothing) {
    const QString missing = music.path() + s("/no-such-mixer");
    whileOpen([&] { pressF10(); },
              [&](PreferencesDialog& dialog) {
                  QLineEdit* mixer = control<QLineEdit>(dialog, "MixerEdit");
                  click(mixer);
                  QTest::keyClicks(mixer, missing);
                  QTest::keyClick(mixer, Qt::Key_Tab);
                  EXPECT_EQ(mixer->text(), QString()) << "a mixer that does not exist is cleared";

                  clickNode(dialog, s("Appearance"));
                  auto* border = control<QCheckBox>(dialog, "BorderCB");
                  auto* grayed = control<QCheckBox>(dialog, "GrayedCB");
                  click(grayed);
                  EXPECT_TRUE(grayed->isChecked());
                  click(border);
                  EXPECT_FALSE(grayed->isChecked());
                  EXPECT_FALSE(grayed->isEnabled());

                  click(control<QPushButton>(dialog, "DefaultBtn"));
                  EXPECT_TRUE(border->isChecked());
                  EXPECT_TRUE(session->preferences().loopPlayList);
                  click(control<QPushButton>(dialog, "CancelBtn"));
              });
    const Preferences& p = session->preferences();
    EXPECT_TRUE(p.borderlessButtons);
    EXPECT_FALSE(p.grayedButtons);
    EXPECT_FALSE(p.loopPlayList);
    EXPECT_FALSE(p.startPlaying) << "as the settings file has it";
    EXPECT_FALSE(settingsText().contains(s("MixerPath"))) << "Cancel writes nothing";
}

TEST_F(PreferencesDialogTest, TheWelcomeScreenBoxFollowsCancelDefaultAndOK) {
    const auto untickWelcome = [&](PreferencesDialog& dialog) {
        auto* welcome = control<QCheckBox>(dialog, "WelcomeBoxCB");
        EXPECT_TRUE(welcome->isVisible()) << "on the General page, shown first";
        EXPECT_TRUE(welcome->isChecked());
        click(welcome);
        EXPECT_FALSE(session->preferences().showWelcomeScreen);
        return welcome;
    };
    whileOpen([&] { pressF10(); },
              [&](PreferencesDialog& dialog) {
                  untickWelcome(dialog);
                  click(control<QPushButton>(dialog, "CancelBtn"));
              });
    EXPECT_TRUE(session->preferences().showWelcomeScreen);
    // The window is active again once the dialog has gone, and takes the key.
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    whileOpen([&] { pressF10(); },
              [&](PreferencesDialog& dialog) {
                  QCheckBox* welcome = untickWelcome(dialog);
                  click(control<QPushButton>(dialog, "DefaultBtn"));
                  EXPECT_TRUE(welcome->isChecked());
                  click(welcome);
                  click(control<QPushButton>(dialog, "OKBtn"));
              });
    EXPECT_FALSE(session->preferences().showWelcomeScreen);
    EXPECT_TRUE(settingsText().contains(s("ShowWelcomeScreen=0\r\n")));
}

// The link "here" on the MIDI Reset page lists the reset files that come with the program.
TEST_F(PreferencesDialogTest, TheHereLinkListsTheShippedResetFiles) {
    int rows = -1;
    whileOpen([&] { pressF10(); },
              [&](PreferencesDialog& dialog) {
                  clickNode(dialog, s("MIDI Reset"));
                  QTimer poll;
                  QObject::connect(&poll, &QTimer::timeout, [&] {
                      auto* box = qobject_cast<MidiResetBox*>(QApplication::activeModalWidget());
                      if (box == nullptr) {
                          return;
                      }
                      poll.stop();
                      rows = box->findChild<QTableWidget*>(s("FilesTable"))->rowCount();
                      click(box->findChild<QPushButton*>(s("DoneBtn")));
                  });
                  poll.start(10);
                  auto* link = control<QLabel>(dialog, "MIDIResetLinkLabel");
                  const QFontMetrics metrics(link->font());
                  const QPoint onHere(
                      link->contentsRect().left() + metrics.horizontalAdvance(s("Please click h")),
                      link->height() / 2);
                  QTest::mouseClick(link, Qt::LeftButton, {}, onHere);
                  click(control<QPushButton>(dialog, "CancelBtn"));
              });
    EXPECT_EQ(rows, 4);
}

// The MIDI reset file and the log options are put back by Cancel like every other page's values.
TEST_F(PreferencesDialogTest, CancelPutsBackTheMidiResetFileAndTheLogOptions) {
    const QString reset = music.write(s("GSRESET.MID"), "MThd");
    whileOpen([&] { pressF10(); },
              [&](PreferencesDialog& dialog) {
                  clickNode(dialog, s("MIDI Reset"));
                  EXPECT_EQ(control<QLabel>(dialog, "NameOfNode")->text(), s("MIDI Reset"));
                  QLineEdit* file = control<QLineEdit>(dialog, "MIDIResetEdit");
                  click(file);
                  QTest::keyClicks(file, reset);
                  QTest::keyClick(file, Qt::Key_Tab);
                  EXPECT_EQ(session->preferences().midiResetFile, reset);
                  clickNode(dialog, s("Play Log"));
                  click(control<QCheckBox>(dialog, "UseLogCB"));
                  clickNode(dialog, s("Error Log"));
                  click(control<QCheckBox>(dialog, "LogErrorsCB"));
                  click(control<QCheckBox>(dialog, "DuplicateEntriesCB"));
                  EXPECT_TRUE(session->preferences().allowDuplicateLogEntries);
                  click(control<QPushButton>(dialog, "CancelBtn"));
              });
    const Preferences& p = session->preferences();
    EXPECT_EQ(p.midiResetFile, QString());
    EXPECT_FALSE(p.useLog);
    EXPECT_FALSE(p.logErrors);
    EXPECT_FALSE(p.allowDuplicateLogEntries);
}

TEST_F(PreferencesDialogTest, ConfigureOpensTheFavoritesPageWhoseListIsTakenOnOKOnly) {
    Preferences& p = session->preferences();
    p.favoriteFolders = {music.path(), home.path()};
    const auto configureAndDelete = [&](const char* closer) {
        // View, Favorite Folders, Configure..., clicked in the menu bar and its menus.
        const auto configure = [&] {
            QMenuBar* bar = window->menuBar();
            QMenu* view = window->mainMenu().menu(s("ViewM"));
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(view->menuAction()).center());
            ASSERT_TRUE(QTest::qWaitFor([&] { return view->isVisible(); }));
            clickItem(view, s("F&avorite Folders"));
            QMenu* folders = window->mainMenu().menu(s("FavFoldersM"));
            ASSERT_TRUE(QTest::qWaitFor([&] { return folders->isVisible(); }));
            clickItem(folders, s("&Configure Favorite Folders..."));
        };
        whileOpen(configure, [&](PreferencesDialog& dialog) {
            EXPECT_EQ(dialog.tree()->currentItem()->text(0), s("Favorite Folders"));
            auto* list = control<QListWidget>(dialog, "FavFoldersListBox");
            EXPECT_EQ(list->currentRow(), 0) << "the first entry is selected on entering the page";
            click(control<QPushButton>(dialog, "FavFoldersDeleteBtn"));
            EXPECT_EQ(list->count(), 1);
            click(control<QPushButton>(dialog, closer));
        });
    };
    configureAndDelete("CancelBtn");
    EXPECT_EQ(p.favoriteFolders, QStringList({music.path(), home.path()}));
    configureAndDelete("OKBtn");
    EXPECT_EQ(p.favoriteFolders, QStringList{home.path()});
    EXPECT_TRUE(settingsText().contains(s("[Favorite Folders]\r\n1=") + home.path()));
}

TEST_F(PreferencesDialogTest, TheFileTypesPageRegistersAGroupAndGivesItBack) {
    TempFolder desktopHome;
    std::vector<std::pair<const char*, QByteArray>> saved;
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_TEMPLATES_DIR"}) {
        saved.emplace_back(name, qgetenv(name));
        qunsetenv(name);
    }
    qputenv("HOME", desktopHome.path().toUtf8());
    desktopHome.write(s(".config/mimeapps.list"), "[Default Applications]\naudio/midi=timidity.desktop;\n");
    startWindow();
    whileOpen(
        [&] { pressF10(); },
        [&](PreferencesDialog& dialog) {
            clickNode(dialog, s("File Types"));
            auto* editor = control<QLineEdit>(dialog, "EditorsEdit");
            click(editor);
            QTest::keyClicks(editor, s("/usr/bin/midi editor"));
            click(control<QPushButton>(dialog, "RegisterBtn"));
            EXPECT_TRUE(desktopHome.read(s(".config/mimeapps.list")).contains("audio/midi=velmaro.desktop;"));
            click(control<QPushButton>(dialog, "WinDefaultBtn"));
            EXPECT_TRUE(
                desktopHome.read(s(".config/mimeapps.list")).contains("audio/midi=timidity.desktop;"));
            click(control<QPushButton>(dialog, "OKBtn"));
        });
    for (const auto& [name, value] : saved) {
        qputenv(name, value);
    }
    EXPECT_EQ(prompter.messages.size(), 2u) << "each button reports once";
    EXPECT_EQ(session->preferences().editors[0], s("/usr/bin/midi editor"));
    EXPECT_TRUE(settingsText().contains(s("MIDI=/usr/bin/midi editor\r\n")));
}

}  // namespace

namespace {

TEST_F(PreferencesDialogTest, ShowTitlesFromTagsRedrawsTheListOnOK) {
    tags.setTags(s("/m/01 - Track 01.ogg"), s("Artist"), s("Title"));
    const QString list =
        music.write(s("tagged.vlp"), TextFile::encode(TextFile::joinLines(
                                         {s("[General]"), s("LastPlayed="), QString(), s("[Items]"),
                                          s("[FILE=\"/m/01 - Track 01.ogg\", L=0]")})));
    ASSERT_TRUE(session->document().OpenPlayList(list, true, false));
    whileOpen([&] { pressF10(); },
              [&](PreferencesDialog& dialog) {
                  clickNode(dialog, s("Play List"));
                  auto* titles = control<QCheckBox>(dialog, "ShowTagTitlesCB");
                  EXPECT_TRUE(titles->isVisible());
                  EXPECT_FALSE(titles->isChecked());
                  click(titles);
                  click(control<QPushButton>(dialog, "OKBtn"));
              });
    tags.answerAll();
    EXPECT_EQ(window->playListBox()->model()->index(0, 0).data().toString(), s("Artist - Title"));
    EXPECT_TRUE(settingsText().contains(s("ShowTitlesFromTags=1\r\n")));
}

}  // namespace
