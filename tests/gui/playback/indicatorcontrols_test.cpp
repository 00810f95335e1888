#include "core/common/textfile.h"
#include "gui/shell/mainwindow.h"
#include "gui/playback/indicatorcontrols.h"
#include "gui/playback/panelinfo.h"
#include "support/windowtest.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A window over a Play List of real (tiny) files whose lengths the list's file does not know.
class IndicatorControlsTest : public WindowTest {
protected:
    QString listPath;

    void open(int items) {
        QStringList lines;
        for (int n = 0; n < items; ++n) {
            const QString file = music.write(s("t%1.mid").arg(n), "MThd");
            device.files[file].length = 60000;
            lines.append(s("[FILE=\"%1\", L=0]").arg(file));
        }
        listPath = writePlayList(s("Unmeasured.vlp"), lines);
        startWindow(QSize(900, 400));
        window->session().preferences().startPlaying = false;  // each test starts playing itself
        ASSERT_TRUE(window->session().document().OpenPlayList(listPath, true, false));
    }
    IndicatorControls& controls() { return window->indicatorControls(); }
    QLabel* label(ProgressIndicators::Indicator indicator) { return controls().valueLabel(indicator); }
    void play() { window->session().controller().playFrom(window->session().playListMedia()); }
    QStringList menuTexts(QMenu* menu) {
        QStringList texts;
        for (const QAction* item : menu->actions()) {
            texts.append(item->isSeparator() ? s("-") : item->text());
        }
        return texts;
    }
};

TEST_F(IndicatorControlsTest, ClickingTheLengthMeasuresTheListOnceAndItsLengthsAreSaved) {
    open(12);
    play();
    QString busyLine;
    bool gaugeShown = false;
    probe.onMeasure = [&] {
        busyLine = window->statusBar()->currentMessage();
        gaugeShown = window->findChild<QProgressBar*>(s("Gauge"))->isVisible();
    };
    QTest::mouseClick(label(ProgressIndicators::Length), Qt::LeftButton);
    EXPECT_EQ(busyLine, s(" Please wait while the length of the Play List is calculated..."));
    EXPECT_TRUE(gaugeShown);
    // The item that plays takes its length from the player.
    EXPECT_EQ(probe.measured.size(), 11);
    EXPECT_EQ(label(ProgressIndicators::Length)->text(), s("00:12:00"));
    EXPECT_EQ(window->session().preferences().indicatorModes[ProgressIndicators::Length], 10);
    EXPECT_TRUE(window->isEnabled());

    // Back to the item and to the list again: nothing is measured twice.
    QTest::mouseClick(label(ProgressIndicators::Length), Qt::LeftButton);
    EXPECT_EQ(label(ProgressIndicators::Length)->text(), s("00:01:00"));
    QTest::mouseClick(label(ProgressIndicators::Length), Qt::LeftButton);
    EXPECT_EQ(probe.measured.size(), 11);

    ASSERT_TRUE(window->session().document().SavePlayList(false));
    const QString saved = TextFile::decode(music.read(s("Unmeasured.vlp")));
    EXPECT_EQ(saved.count(s("L=60000]")), 12);
}

// In a narrow window the gauge leaves the line less room: it is cut with "..." to what is left, as a
// hint is, rather than clipped under the gauge.
TEST_F(IndicatorControlsTest, TheBusyLineIsFittedBesideTheGauge) {
    open(12);
    window->resize(window->minimumWidth(), 400);
    QApplication::processEvents();
    play();
    QString busyLine;
    int room = 0;
    probe.onMeasure = [&] {
        if (!busyLine.isEmpty()) {
            return;
        }
        busyLine = window->statusBar()->currentMessage();
        const QProgressBar* gauge = window->findChild<QProgressBar*>(s("Gauge"));
        room = gauge->isVisible() ? gauge->x() - 2 - 6 : 0;
    };
    QTest::mouseClick(label(ProgressIndicators::Length), Qt::LeftButton);
    const QString whole = s(" Please wait while the length of the Play List is calculated...");
    const QFontMetrics metrics(window->statusBar()->font());
    ASSERT_GT(room, 0);
    ASSERT_LT(room, metrics.horizontalAdvance(whole)) << "the window is too wide to show the fault";
    EXPECT_LE(metrics.horizontalAdvance(busyLine), room) << busyLine.toStdString();
    ASSERT_TRUE(busyLine.endsWith(s("..."))) << busyLine.toStdString();
    EXPECT_TRUE(whole.startsWith(busyLine.chopped(3))) << busyLine.toStdString();
    EXPECT_GT(busyLine.size(), 10) << "what fits is shown";
}

TEST_F(IndicatorControlsTest, EscapeStopsTheCalculationAndTheIndicatorsShowTheItemAgain) {
    open(30);
    play();
    probe.onMeasure = [&] {
        if (probe.measured.size() == 5) {
            QTest::keyClick(window.get(), Qt::Key_Escape);
        }
    };
    QTest::mouseClick(label(ProgressIndicators::Length), Qt::LeftButton);
    EXPECT_EQ(probe.measured.size(), 5);
    EXPECT_EQ(window->session().preferences().indicatorModes[ProgressIndicators::Length], 0);
    EXPECT_EQ(label(ProgressIndicators::Length)->text(), s("00:01:00"));
    EXPECT_TRUE(window->isEnabled());
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());
}

TEST_F(IndicatorControlsTest, ModeMenusOfferTheItemOrTheWholeListAndChangePosition) {
    open(3);
    QToolButton* button = controls().modeButton(ProgressIndicators::Remaining);
    QMenu* menu = button->menu();
    controls().fillModeMenu(menu, ProgressIndicators::Remaining);
    EXPECT_EQ(menuTexts(menu), lines({"Show Remaining Time In &Item", "Show Remaining Time In &Play List", "-",
                                      "&Change Position..."}));
    // Nothing plays: neither mode can be chosen, and there is no position to change.
    EXPECT_FALSE(menu->actions().at(0)->isEnabled());
    EXPECT_FALSE(menu->actions().at(3)->isEnabled());

    play();
    controls().fillModeMenu(menu, ProgressIndicators::Remaining);
    EXPECT_TRUE(menu->actions().at(0)->isChecked());
    EXPECT_TRUE(menu->actions().at(3)->isEnabled());
    menu->actions().at(1)->trigger();
    EXPECT_EQ(window->session().preferences().indicatorModes[ProgressIndicators::Remaining], 10);
    EXPECT_EQ(label(ProgressIndicators::Remaining)->text(), s("00:03:00"));

    // The View menu carries the same items for each indicator.
    QMenu* view = window->action(s("PercentM"))->menu();
    ASSERT_NE(view, nullptr);
    Q_EMIT view->aboutToShow();
    EXPECT_EQ(menuTexts(view), lines({"Show Position In &Item", "Show Position In &Play List", "-",
                                      "&Change Position..."}));
    EXPECT_TRUE(window->action(s("ChangePosM"))->isEnabled());
}

TEST_F(IndicatorControlsTest, TheBarMovesPlaybackOnlyWhenLetGo) {
    open(2);
    play();
    device.advance(6000);
    QSlider* bar = controls().positionBar();
    ASSERT_TRUE(bar->isEnabled());
    bar->setSliderDown(true);
    bar->setSliderPosition(50);
    EXPECT_EQ(label(ProgressIndicators::Position)->text(), s("00:00:30"));
    EXPECT_EQ(controls().progressLabel()->text(), s("50 %"));
    EXPECT_EQ(device.position(), 6000);
    bar->setSliderDown(false);
    EXPECT_EQ(device.position(), 30000);
    EXPECT_EQ(bar->value(), 50);
}

TEST_F(IndicatorControlsTest, ADoubleClickOnThePercentKeepsItsModeAndOpensChangePosition) {
    open(2);
    play();
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), s("Change Position"));
        box->close();
    });
    QTest::mouseDClick(controls().progressLabel(), Qt::LeftButton);
    EXPECT_EQ(window->session().preferences().indicatorModes[ProgressIndicators::Percent], 0);
}

TEST_F(IndicatorControlsTest, TheStatusBarShowsThePanelsInTheChosenOrder) {
    open(1);
    PanelInfo* panels = controls().panelInfo();
    panels->setPanels(s("42"));
    const auto* album = panels->findChild<QWidget*>(s("AlbumPanel"));
    const auto* position = panels->findChild<QWidget*>(s("PosPanel"));
    EXPECT_TRUE(album->isVisible());
    EXPECT_TRUE(position->isVisible());
    EXPECT_FALSE(panels->findChild<QWidget*>(s("LengthPanel"))->isVisible());
    EXPECT_FALSE(panels->findChild<QWidget*>(s("RemPanel"))->isVisible());
    EXPECT_EQ(album->x(), 5);
    EXPECT_EQ(position->x(), album->geometry().right() + 1 + 5);
}

}  // namespace
