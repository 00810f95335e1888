#include "gui/help/welcomebox.h"
#include "gui/help/aboutbox.h"
#include "gui/help/helppages.h"
#include "gui/help/helpwindow.h"
#include "gui/playback/includedmidifilesbox.h"
#include "gui/shell/mainmenu.h"

#include "core/help/tips.h"
#include "core/help/welcome.h"
#include "core/settings/preferences.h"
#include "support/qtprinters.h"
#include "support/windowtest.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

void click(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
}

// Runs inside on the first box of type T that shows modally.
template <typename T>
class WhenShown {
public:
    explicit WhenShown(std::function<void(T&)> inside) {
        QObject::connect(&m_poll, &QTimer::timeout, [this, inside = std::move(inside)] {
            auto* box = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!box || m_ran) {
                return;
            }
            m_poll.stop();
            m_ran = true;
            inside(*box);
        });
        m_poll.start(10);
    }
    bool ran() const { return m_ran; }

private:
    QTimer m_poll;
    bool m_ran = false;
};

class WelcomeBoxTest : public ::testing::Test {
protected:
    Preferences preferences;
    QStringList topicsOpened;
    WelcomeBox box{preferences, [this](const QString& topic) { topicsOpened.append(topic); }};

    template <typename T = QWidget>
    T* control(const char* name) {
        T* found = box.findChild<T*>(s(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QToolButton* next() { return control<QToolButton>("NextTipButton"); }
    QToolButton* previous() { return control<QToolButton>("PrevTipButton"); }
    QString heading() { return control<QLabel>("TipOfTheDayLabel")->text(); }
    QStringList shownLines() {
        QStringList lines;
        for (int i = 1; i <= Tips::kMaxLines; ++i) {
            lines.append(box.findChild<QLabel*>(QStringLiteral("TipLine%1").arg(i))->text());
        }
        while (!lines.isEmpty() && lines.last().isEmpty()) {
            lines.removeLast();
        }
        return lines;
    }
};

TEST_F(WelcomeBoxTest, EachShowingStartsOnARandomTip) {
    QSet<int> first;
    for (int i = 0; i < 20; ++i) {
        box.show();
        EXPECT_GE(box.tipNumber(), 1);
        EXPECT_LE(box.tipNumber(), Tips::kCount);
        EXPECT_EQ(heading(), Tips::heading(box.tipNumber()));
        EXPECT_EQ(shownLines(), Tips::lines(box.tipNumber()));
        first.insert(box.tipNumber());
        box.hide();
    }
    EXPECT_GT(first.size(), 1);
}

TEST_F(WelcomeBoxTest, TheLastTipDisablesNextAndTheFirstPrevious) {
    box.show();
    box.showTip(35);
    EXPECT_EQ(heading(), s("Tip 35 of 35:"));
    EXPECT_FALSE(next()->isEnabled());
    EXPECT_TRUE(previous()->isEnabled());
    click(previous());
    EXPECT_EQ(box.tipNumber(), 34);
    EXPECT_EQ(shownLines(), Tips::lines(34));
    EXPECT_TRUE(next()->isEnabled());

    box.showTip(2);
    click(previous());
    EXPECT_EQ(heading(), s("Tip 1 of 35:"));
    EXPECT_FALSE(previous()->isEnabled());
    EXPECT_TRUE(next()->isEnabled());
}

TEST_F(WelcomeBoxTest, HoldingNextPagesOnEveryFifthOfASecondAndStopsAtTheLastTip) {
    box.show();
    box.showTip(30);
    QElapsedTimer held;
    held.start();
    QTest::mousePress(next(), Qt::LeftButton, {}, next()->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([this] { return box.tipNumber() == 35; }, 5000));
    EXPECT_GE(held.elapsed(), 4 * WelcomeBox::kRepeatIntervalMs) << "five steps, one at a time";
    QTest::qWait(3 * WelcomeBox::kRepeatIntervalMs);
    EXPECT_EQ(box.tipNumber(), 35);
    EXPECT_FALSE(next()->isEnabled());
    QTest::mouseRelease(next(), Qt::LeftButton, {}, next()->rect().center());
    EXPECT_EQ(heading(), s("Tip 35 of 35:"));
}

TEST_F(WelcomeBoxTest, LinksOpenTheirTopicsAndTheCheckBoxIsTheSettingTurnedRound) {
    preferences.showWelcomeScreen = false;
    box.show();
    auto* dontDisplay = control<QCheckBox>("WelcomeBoxCB");
    EXPECT_TRUE(dontDisplay->isChecked());
    click(dontDisplay);
    EXPECT_TRUE(preferences.showWelcomeScreen);

    for (const char* link : {"Introduction", "Tutorial", "WhatsNew", "ContactInfo"}) {
        click(control(link));
    }
    box.showTip(20);
    click(control("TipTopicLink"));
    EXPECT_EQ(topicsOpened, (QStringList{s("Introduction"), s("Getting_Started_Guide"), s("What_s_New_"),
                                         s("Contacting_the_author___Internet"), Tips::tip(20).topic}));
}

TEST(ShippedHelp, EveryTipAndWelcomeLinkLeadsToATopicOfTheHelp) {
    const HelpIndex index =
        HelpPages::read(QDir(QStringLiteral(VELMARO_DATA_DIR)).absoluteFilePath(s("help")));
    ASSERT_FALSE(index.topics().empty());
    for (int n = 1; n <= Tips::kCount; ++n) {
        EXPECT_NE(index.find(Tips::tip(n).topic), nullptr)
            << "tip " << n << ": " << Tips::tip(n).topic.toStdString();
    }
    for (const Welcome::Link& link : Welcome::links()) {
        EXPECT_NE(index.find(link.topic), nullptr) << link.topic.toStdString();
    }
}

// ------------------------------------------------------------------------------------ the program's start

class WelcomeAtStartTest : public WindowTest {
protected:
    void SetUp() override {
        writeQuietSettings();
        welcomeBox = true;
        helpFolder = QDir(QStringLiteral(VELMARO_DATA_DIR)).absoluteFilePath(QStringLiteral("help"));
    }
    QString settingsText() const {
        QFile file(home.path() + s("/velmaro.ini"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

TEST_F(WelcomeAtStartTest, DontDisplayIsStoredAndTheNextStartShowsNoBox) {
    WhenShown<WelcomeBox> first([this](WelcomeBox& box) {
        EXPECT_FALSE(window->menuBar()->isVisible()) << "the menu bar is away while the box is open";
        auto* dontDisplay = box.findChild<QCheckBox*>(s("WelcomeBoxCB"));
        EXPECT_FALSE(dontDisplay->isChecked());
        click(dontDisplay);
        click(box.findChild<QPushButton*>(s("ContBtn")));
    });
    startWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.ran(); }, 2000));
    EXPECT_TRUE(window->menuBar()->isVisible());
    window->close();
    EXPECT_TRUE(settingsText().contains(s("ShowWelcomeScreen=0\r\n"))) << settingsText().toStdString();

    WhenShown<WelcomeBox> second([](WelcomeBox& box) { box.reject(); });
    startWindow();
    QTest::qWait(200);
    EXPECT_FALSE(second.ran());
}

TEST_F(WelcomeAtStartTest, HelpOpenedFromTheBoxCanBeReadAndStaysWhenTheBoxCloses) {
    HelpWindow* help = nullptr;
    WhenShown<WelcomeBox> shown([this, &help](WelcomeBox& box) {
        click(box.findChild<QToolButton*>(s("Tutorial")));
        help = window->helpWindow();
        EXPECT_TRUE(help->isVisible());
        EXPECT_EQ(help->browser()->source().fragment(), s("Getting_Started_Guide"));
        // A window of the box's own is not shut out by it.
        EXPECT_EQ(help->parentWidget(), &box);
        click(box.findChild<QPushButton*>(s("ContBtn")));
    });
    startWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.ran(); }, 2000));
    ASSERT_EQ(window->helpWindow(), help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->parentWidget(), window.get());
}

TEST_F(WelcomeAtStartTest, HelpAboutOpensTheAboutBoxAndItsCredits) {
    home.write(s("velmaro.ini"),
               "[General]\r\nShowWelcomeScreen=0\r\n[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n");
    startWindow();
    bool creditsShown = false;
    WhenShown<AboutBox> about([&](AboutBox& box) {
        EXPECT_EQ(box.windowTitle(), s("About Velmaro"));
        EXPECT_EQ(box.findChild<QLabel*>(s("Version"))->text(), s("Version: 4.02"));
        EXPECT_TRUE(QRegularExpression(s("^[\\d,]+ MB$"))
                        .match(box.findChild<QLabel*>(s("PhysMem"))->text())
                        .hasMatch());
        EXPECT_TRUE(
            QRegularExpression(s("^\\d+ %$")).match(box.findChild<QLabel*>(s("MemLoad"))->text()).hasMatch());
        WhenShown<CreditsBox> credits([&](CreditsBox& thanks) {
            creditsShown = true;
            EXPECT_EQ(thanks.windowTitle(), s("Credits"));
            // The link to the sample tunes' composers and titles opens their box.
            WhenShown<IncludedMidiFilesBox> pieces([&](IncludedMidiFilesBox& list) {
                EXPECT_EQ(list.findChild<QTableWidget*>(s("FilesTable"))->rowCount(), 6);
                click(list.findChild<QPushButton*>(s("DoneBtn")));
            });
            auto* link = thanks.findChild<QLabel*>(s("IncludedMIDIFilesLink"));
            // The label holds the link alone, so a point a little inside its text is on it.
            const QPoint onText(link->contentsRect().left() + link->fontMetrics().averageCharWidth() * 3,
                                link->height() / 2);
            QTest::mouseClick(link, Qt::LeftButton, {}, onText);
            EXPECT_TRUE(QTest::qWaitFor([&] { return pieces.ran(); }, 2000));
            click(thanks.findChild<QPushButton*>(s("OKBtn")));
        });
        click(box.findChild<QPushButton*>(s("CreditsBtn")));
        EXPECT_TRUE(QTest::qWaitFor([&] { return credits.ran(); }, 2000));
        click(box.findChild<QPushButton*>(s("OKBtn")));
    });
    QMenuBar* bar = window->menuBar();
    QMenu* helpMenu = window->mainMenu().menu(s("HelpM"));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(helpMenu->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activePopupWidget() == helpMenu; }, 2000));
    QAction* item = window->action(s("AboutM"));
    ASSERT_TRUE(item->isEnabled());
    QTest::mouseClick(helpMenu, Qt::LeftButton, {}, helpMenu->actionGeometry(item).center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return about.ran(); }, 2000));
    EXPECT_TRUE(creditsShown);
}

}  // namespace
