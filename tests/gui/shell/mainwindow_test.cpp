#include "core/common/itemref.h"
#include "gui/help/helpwindow.h"
#include "gui/common/actionregistry.h"
#include "gui/shell/mainarea.h"
#include "gui/shell/mainmenu.h"
#include "gui/ports/qtprompter.h"
#include "gui/ports/savechangesdialog.h"
#include "core/app/palettecommands.h"
#include "gui/shell/mainwindow.h"
#include "gui/playlist/playlistbox.h"
#include "support/windowtest.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <memory>

namespace {

class MainWindowTest : public WindowTest {
protected:
    TempFolder shipped;

    void SetUp() override {
        for (const char* name : {"Moonlight Sonata.mid", "Für Elise.mid", "Symphony 5.mid", "March.mid",
                                 "Dance of the Sugar-plum Fairy.mid", "Waltz of the Flowers.mid"}) {
            shipped.write(s("Samples/") + s(name), "MThd");
        }
        startWindow(QSize(900, 400), shipped.file(s("Samples")));  // wide enough for every status panel's whole text
        QApplication::processEvents();
    }
};

TEST_F(MainWindowTest, StartsWithTheSampleListShown) {
    EXPECT_EQ(window->windowTitle(), s("Velmaro 4.02"));
    const QAbstractItemModel* model = window->playListBox()->model();
    ASSERT_EQ(model->rowCount(), 6);
    EXPECT_EQ(model->index(1, 0).data().toString(), s("Für Elise.mid"));
    EXPECT_FALSE(model->index(0, 0).data(Qt::DecorationRole).isNull());
    auto* album = window->findChild<QLabel*>(s("AlbumPanel"));
    ASSERT_NE(album, nullptr);
    EXPECT_EQ(album->text(), s(" Play List: Sample"));
    // The first item is current and selected.
    EXPECT_EQ(window->playListBox()->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(window->playListBox()->currentIndex().row(), 0);
}

// The help window is made once, on the first help command; F1 stays on Contents through every refresh.
TEST_F(MainWindowTest, F1OpensOneHelpWindowAndTheHelpItemsStayEnabled) {
    EXPECT_EQ(window->findChild<HelpWindow*>(), nullptr);
    QAction* contents = window->action(s("ContentsM"));
    EXPECT_EQ(contents->shortcut(), QKeySequence(Qt::Key_F1));
    contents->trigger();
    auto* help = window->findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    help->close();
    window->action(s("TopicSearchM"))->trigger();
    EXPECT_EQ(window->findChildren<HelpWindow*>().size(), 1);
    EXPECT_TRUE(help->isVisible());
    window->action(s("NewM"))->trigger();
    for (const char* name : {"ContentsM", "TopicSearchM", "HelpOnHelpM", "IntroductionM", "GettingStartedGuideM",
                             "ContactInformationM"}) {
        EXPECT_TRUE(window->action(s(name))->isEnabled()) << name;
    }
}

TEST_F(MainWindowTest, TheFileMenuCarriesItsCaptionsHintsAndShortcuts) {
    struct Item {
        const char* name;
        const char* caption;
        const char* shortcut;
        const char* hint;
        bool enabled;
    };
    const Item items[] = {
        {"NewM", "&New", "Ctrl+N", "Create a new Play List", true},
        {"OpenM", "&Open...", "Ctrl+O", "Display an Open dialog box which enables you to open a Play List", true},
        {"", "", "", " ", true},
        {"SaveM", "&Save", "Ctrl+S", "Save the current Play List", true},
        {"SaveAsM", "Save &As...", "", "Save the current Play List under a new name", true},
        // The sample list is open: its file can be deleted or renamed.
        {"DelPLM", "&Delete...", "", "Delete or send the current Play List to the Trash", true},
        {"RenPLM", "&Rename...", "", "Rename the current Play List", true},
        {"Line3", "", "", " ", true},
        {"History1M", "&1 Sample", "", "Open this Play List", true},
        // Free history slots are hidden, and hidden actions are not enabled.
        {"History2M", "", "", "Open this Play List", false},
        {"History3M", "", "", "Open this Play List", false},
        {"History4M", "", "", "Open this Play List", false},
        {"", "", "", " ", true},
        {"ExitM", "E&xit", "Alt+F4", "End your Velmaro session", true},
    };
    auto* file = window->menuBar()->findChild<QMenu*>(s("FileM"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->title(), s("&File"));
    Q_EMIT file->aboutToShow();
    ASSERT_EQ(file->actions().size(), 14);
    for (int i = 0; i < 14; ++i) {
        const QAction* action = file->actions().at(i);
        EXPECT_EQ(action->objectName(), s(items[i].name)) << i;
        EXPECT_EQ(action->text(), s(items[i].caption)) << i;
        EXPECT_EQ(action->shortcut().toString(), s(items[i].shortcut)) << i;
        EXPECT_EQ(action->statusTip(), s(items[i].hint)) << i;
        EXPECT_EQ(action->isEnabled(), items[i].enabled) << i;
    }
    // The sample list is the only history entry and the current list.
    EXPECT_TRUE(file->actions().at(7)->isVisible());
    EXPECT_TRUE(file->actions().at(8)->isChecked());
    EXPECT_FALSE(file->actions().at(9)->isVisible());
}

TEST_F(MainWindowTest, SelectionFollowsCoreAndCoreFollowsTheView) {
    PlayList& playList = window->session().playList();
    playList.selectOnly(4);
    QItemSelectionModel* selection = window->playListBox()->selectionModel();
    ASSERT_EQ(selection->selectedRows().size(), 1);
    EXPECT_EQ(selection->selectedRows().at(0).row(), 4);

    const QAbstractItemModel* model = window->playListBox()->model();
    selection->select(QItemSelection(model->index(0, 0), model->index(2, 0)), QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(playList.selectedCount(), 3);
    EXPECT_TRUE(playList.isSelected(2));
    EXPECT_FALSE(playList.isSelected(4));
    selection->setCurrentIndex(model->index(5, 0), QItemSelectionModel::NoUpdate);
    EXPECT_EQ(playList.focusedLine(), 5);
}

TEST_F(MainWindowTest, NewEmptiesTheBoxAndThePanel) {
    window->action(s("NewM"))->trigger();
    QApplication::processEvents();
    EXPECT_EQ(window->playListBox()->model()->rowCount(), 0);
    EXPECT_EQ(window->findChild<QLabel*>(s("AlbumPanel"))->text(), s(" Play List: N / A"));
}

TEST_F(MainWindowTest, ACancelledSavePromptKeepsTheWindowOpen) {
    window->session().document().setChanged(true);
    prompter.saveAnswers = {Prompter::Answer::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    prompter.saveAnswers = {Prompter::Answer::No};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(prompter.savePrompts, 2);
}

// The window adds no rule of its own: a run without it, over the same files, ends in the same state
// after the same command, and any surface shows a command's live state by naming it.
TEST_F(MainWindowTest, TheWindowShowsTheSameCompositionAHeadlessRunBuilds) {
    EXPECT_EQ(session->commands().unknownNames(), QStringList());
    TempFolder otherHome;
    FakePrompter otherPrompter;
    FakeMediaDevice otherDevice;
    FakeLengthProbe otherProbe{otherDevice};
    FakeClipboard otherClipboard;
    AppSession headless({otherHome.path(), shipped.file(s("Samples")), music.path()},
                        {otherPrompter, otherDevice, otherClipboard, otherProbe, nullptr, nullptr, &shell});
    headless.beginRun();
    headless.windowShown({}, music.path());

    QToolBar testBar;  // a surface of its own, bound by name
    for (const char* name : {"UndoM", "SortAlphabeticallyM", "PlaySI"}) {
        testBar.addAction(window->actions().action(s(name)));
    }
    QAction* undo = testBar.actions().at(0);
    EXPECT_FALSE(undo->isEnabled());

    QTest::keyClick(window.get(), Qt::Key_H, Qt::ControlModifier);  // Sort Alphabetically
    headless.dispatcher().execute(s("SortAlphabeticallyM"), CommandOrigin::Window);
    QApplication::processEvents();
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), s("U&ndo Sort Alphabetically"));
    EXPECT_EQ(testBar.actions().at(2)->toolTip(), s("Play (Ctrl+P): Dance of the Sugar-plum Fairy.mid"));

    ASSERT_EQ(headless.playList().lineCount(), session->playList().lineCount());
    for (qsizetype line = 0; line < headless.playList().lineCount(); ++line) {
        EXPECT_EQ(headless.playList().line(line), session->playList().line(line)) << line;
    }
    EXPECT_EQ(headless.commands().names(), session->commands().names());
    // The window binds the commands that open its own boxes: the help, Change Position, Search, About, the
    // tray list, Restore and the toolbar's customizing.
    QSet<QString> windowsOwn = {s("ContentsM"), s("TopicSearchM"), s("HelpOnHelpM"), s("IntroductionM"),
                                s("GettingStartedGuideM"), s("ContactInformationM"), s("ChangePosM"),
                                s("AnyValuePM"), s("ChangePosPM"), s("PasteM"), s("PastePM"), s("FindM"),
                                s("HelpTPM"), s("AnyValueTPM"), s("SelectPLTPM"), s("SelectFLTPM"),
                                s("select-playlist"), s("select-list"), s("RestoreTPM"), s("AboutM"),
                                s("CustomizeToolbarM"), s("DefaultToolbarM")};
    // ...and those of the Floating Palette, which shows, moves and closes the palette window.
    for (const char* name : {"FloatingPalM", "CloseSB", "ReturnPM", "MinimizePM", "MoveToTopSI", "HelpPM",
                             "FPAnyValuePM"}) {
        windowsOwn.insert(s(name));
    }
    for (const PaletteCommands::PlaceCommand& command : PaletteCommands::placeCommands()) {
        windowsOwn.insert(command.command);
    }
    for (const QString& name : headless.commands().names()) {
        // A twin (a toolbar button, a context item) shows its original's state.
        if (!windowsOwn.contains(headless.commands().originalOf(name))) {
            EXPECT_EQ(headless.commands().state(name), session->commands().state(name)) << qPrintable(name);
        }
    }
}

// A long Play List named on the command line is read once the window is on screen and painted, with
// the busy line while it loads; a short one is there with the first paint.
class StartListTest : public WindowTest {
protected:
    qsizetype linesAtFirstPaint = -1;
    QString statusWhileLoading;

    void beforeShow() override {
        window->playListBox()->viewport()->installEventFilter(&paintProbe);
        QObject::connect(&session->document(), &PlayListDocument::aboutToLoad, window.get(),
                         [this] { statusWhileLoading = window->statusBar()->currentMessage(); });
    }

    QString writeList(int items) {
        QStringList lines;
        for (int i = 0; i < items; ++i) {
            lines.append(MakeFileItem(QStringLiteral("/home/someone/Music/Some Artist/Some Album/Track %1.mp3").arg(i)));
        }
        return writePlayList(s("Collection.vlp"), lines);
    }

private:
    struct PaintProbe : QObject {
        StartListTest* test;
        explicit PaintProbe(StartListTest* t) : test(t) {}
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint && test->linesAtFirstPaint < 0) {
                test->linesAtFirstPaint = test->session->playList().lineCount();
            }
            return QObject::eventFilter(watched, event);
        }
    } paintProbe{this};
};

TEST_F(StartListTest, ALongListFillsInAfterTheFirstPaint) {
    writeQuietSettings();
    parameters = {writeList(6000)};
    ASSERT_GT(QFileInfo(parameters.front()).size(), AppSession::kLongStartListBytes);
    startWindow();
    EXPECT_EQ(linesAtFirstPaint, 0);
    for (int turn = 0; turn < 200 && session->playList().lineCount() == 0; ++turn) {
        QTest::qWait(10);
    }
    EXPECT_EQ(session->playList().lineCount(), 6000);
    EXPECT_EQ(statusWhileLoading, s(" Please wait while Velmaro redraws the Play List..."));
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());
}

TEST_F(StartListTest, AShortListIsThereWithTheFirstPaint) {
    writeQuietSettings();
    parameters = {writeList(50)};
    startWindow();
    EXPECT_EQ(linesAtFirstPaint, 50);
}

// A command a second start sends runs as the menu item would; one that cannot run now says why.
TEST_F(MainWindowTest, ASecondStartCanSendTheTransportCommandsAndExit) {
    CommandDispatcher& dispatcher = session->dispatcher();
    const auto availability = [&](const char* command) { return dispatcher.availability(s(command), CommandOrigin::Outside); };
    EXPECT_TRUE(availability("play").isEmpty());
    EXPECT_TRUE(availability("exit").isEmpty());
    EXPECT_EQ(availability("pause"), s("Nothing is playing."));
    EXPECT_EQ(availability("select-list"), s("The File List is empty."));
    EXPECT_TRUE(dispatcher.execute(s("play"), CommandOrigin::Outside).isEmpty());
    EXPECT_EQ(device.fileName(), shipped.file(s("Samples/Moonlight Sonata.mid")));
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
    for (const char* command : {"pause", "stop", "rewind", "next"}) {
        EXPECT_TRUE(availability(command).isEmpty()) << command;
    }
    dispatcher.execute(s("exit"), CommandOrigin::Outside);
    EXPECT_FALSE(window->isVisible());
}

// Coming back to the window gives the Play List its focus again; that is no click in the list.
TEST_F(MainWindowTest, PlayStaysOffWhenTheWindowIsActivatedAgainWhilePlaying) {
    QWidget* lines = window->playListBox()->viewport();
    const QRect first = window->playListBox()->visualRect(window->playListBox()->model()->index(0, 0));
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, lines->mapTo(window.get(), first.center()));
    ASSERT_EQ(device.mode(), MediaDevice::Playing);
    ASSERT_FALSE(window->action(s("PlayM"))->isEnabled());

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ASSERT_TRUE(window->playListBox()->hasFocus());
    EXPECT_FALSE(window->action(s("PlayM"))->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);  // Play's shortcut does nothing either
    EXPECT_EQ(device.log.count(s("open ") + shipped.file(s("Samples/Moonlight Sonata.mid"))), 1);
}

// The long part of a hint replaces the status bar, cut with "..." to its width.
TEST_F(MainWindowTest, AHintTooLongForTheStatusBarEndsInDots) {
    window->resize(window->minimumWidth(), 400);
    QApplication::processEvents();
    QAction* wordiest = nullptr;
    QMenu* owner = nullptr;
    for (QAction* top : window->menuBar()->actions()) {
        for (QAction* item : top->menu() && top->isVisible() ? top->menu()->actions() : QList<QAction*>()) {
            if (!item->isSeparator() && item->isVisible() && item->isEnabled() &&
                (!wordiest || item->statusTip().size() > wordiest->statusTip().size())) {
                wordiest = item;
                owner = top->menu();
            }
        }
    }
    ASSERT_NE(wordiest, nullptr);
    const QFontMetrics metrics(window->statusBar()->font());
    ASSERT_GT(metrics.horizontalAdvance(wordiest->statusTip()), window->statusBar()->width());
    QTest::keySequence(window.get(), QKeySequence::mnemonic(owner->title()));  // the menu opens by its letter
    ASSERT_TRUE(QTest::qWaitForWindowExposed(owner));
    const QPoint item = owner->actionGeometry(wordiest).center();
    for (const QPoint& at : {QPoint(item.x(), 200), item + QPoint(-8, 0), item}) {
        QTest::mouseMove(owner->windowHandle(), at);
    }
    const QString shown = window->statusBar()->currentMessage();
    QTest::keyClick(owner, Qt::Key_Escape);
    EXPECT_TRUE(shown.endsWith(s("..."))) << shown.toStdString();
    EXPECT_TRUE(wordiest->statusTip().startsWith(shown.chopped(3)));
    EXPECT_LE(metrics.horizontalAdvance(shown), window->statusBar()->width() - 18);
}

TEST_F(MainWindowTest, TheCDAudioMenuIsOnOnlyBesideTheCDAudioList) {
    QAction* cdAudio = window->mainMenu().menu(s("CDAudioM"))->menuAction();
    QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier);  // the Edit menu opens
    EXPECT_FALSE(cdAudio->isEnabled());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    window->session().runCommand(s("CDAudioModeM"));
    QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(cdAudio->isEnabled());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
}

// The first window's size fits the desktop's font: the name panel shows its whole caption.
TEST_F(WindowTest, TheFirstWindowShowsTheWholeNameOfTheSampleList) {
    TempFolder shipped;
    shipped.write(s("Samples/March.mid"), "MThd");
    startWindow(QSize(), shipped.file(s("Samples")));
    QApplication::processEvents();
    EXPECT_EQ(window->findChild<QLabel*>(s("AlbumPanel"))->text(), s(" Play List: Sample"));
    EXPECT_GE(window->width(), 473);
}

// A first start with the desktop's font: the sample list's names, the mode tabs and the status panels
// show whole, not cut for a font smaller than the desktop's. A stored size is used as it is.
TEST_F(WindowTest, TheFirstWindowIsWideEnoughForTheSampleListsNamesAndTheTabs) {
    TempFolder shipped;
    for (const char* name : {"Moonlight Sonata.mid", "Für Elise.mid", "Symphony 5.mid", "March.mid",
                             "Dance of the Sugar-plum Fairy.mid", "Waltz of the Flowers.mid"}) {
        shipped.write(s("Samples/") + s(name), "MThd");
    }
    startWindow(QSize(), shipped.file(s("Samples")));
    QApplication::processEvents();
    const PlayListBox* box = window->playListBox();
    ASSERT_EQ(box->model()->rowCount(), 6);
    // The widest line, its glyph and margins, fits: the box needs no scroll bar to show it. Only a
    // screen too narrow for that (as the test's own may be) stops the window at its width.
    const int screenWidth = window->screen()->availableGeometry().width();
    if (window->frameGeometry().width() < screenWidth) {
        EXPECT_LE(window->session().playList().horizontalExtent(), box->viewport()->width());
        EXPECT_FALSE(box->horizontalScrollBar()->isVisible());
    } else {
        EXPECT_EQ(window->frameGeometry().width(), screenWidth);
    }
    EXPECT_EQ(window->findChild<QLabel*>(s("PanelFile"))->text(), s("File Management (F6)"));
    EXPECT_EQ(window->findChild<QLabel*>(s("PanelCurrentCD"))->text(), s("CD Audio (F7)"));
    EXPECT_EQ(window->findChild<QLabel*>(s("AlbumPanel"))->text(), s(" Play List: Sample"));
    const QSize first = window->size();
    ASSERT_TRUE(window->close());
    window.reset();

    // The size it ended with is stored, and the next start takes it unchanged, as it takes any size stored.
    startWindow(QSize(), shipped.file(s("Samples")));
    EXPECT_EQ(window->size(), first);
    ASSERT_TRUE(window->close());
    window.reset();
    home.write(s("velmaro.ini"), "[Position]\r\nHeight=480\r\nWidth=520\r\n");
    startWindow(QSize(), shipped.file(s("Samples")));
    EXPECT_EQ(window->size(), QSize(520, 480));
}

TEST(SaveOldBox, ShowsItsTextAndReturnsEachAnswer) {
    struct Case {
        const char* button;
        int result;
    };
    for (const Case c : {Case{"YesBtn", SaveChangesDialog::Yes}, Case{"NoBtn", SaveChangesDialog::No},
                         Case{"CancelBtn", SaveChangesDialog::Cancel}}) {
        SaveChangesDialog box;
        EXPECT_EQ(box.windowTitle(), s("Confirm"));
        EXPECT_EQ(box.findChild<QLabel*>(s("SaveOldLabel"))->text(),
                  s(" Would you like to save changes made to the current Play List?"));
        EXPECT_EQ(box.yesButton()->text(), s("&Yes"));
        EXPECT_EQ(box.noButton()->text(), s("&No"));
        EXPECT_EQ(box.cancelButton()->text(), s("Cancel"));
        QTimer::singleShot(0, &box, [&box, c] { box.findChild<QPushButton*>(s(c.button))->click(); });
        EXPECT_EQ(box.exec(), c.result) << c.button;
    }
}

TEST(QtPrompter, TurnsTheProgramsLineBreaksIntoNewlines) {
    EXPECT_EQ(QtPrompter::displayText(s("a\rb\r\nc\n\rd")), s("a\nb\nc\nd"));
}

}  // namespace
