#include "core/playback/lengthcalculator.h"
#include "core/playback/progressindicators.h"
#include "core/common/itemref.h"
#include "core/playlist/playlistfile.h"
#include "core/common/textfile.h"
#include "support/documentfixture.h"
#include "support/fakemediadevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using Kind = LengthCalculator::Kind;

const QString kBusyLine = s(" Please wait while the length of the Play List is calculated...");

QString cannotOpenMessage(const QString& error) {
    return s("While calculating the length of the Play List, Velmaro has encountered an item it cannot open. "
             "This error can occur because of many reasons, some of which are listed below:\r\n\r\n"
             "1. A driver is not installed that handles this particular file type.\r\n"
             "2. The file is corrupted.\r\n"
             "3. You have run out of memory.\r\n"
             "4. The file no longer exists at the location given.\r\n\r\n"
             "This item has been selected in the Play List. A quick remedy to this error would be to simply "
             "remove it from the Play List. If the item was a file as opposed to a CD track and you are certain "
             "that the location given was incorrect, you can use the General tab of the Velmaro Find feature, "
             "found on the Edit menu, to find the file.\r\n\r\nThe error message returned was: \"") +
           error + u'"';
}

class LengthCalculatorTest : public ::testing::Test, public DocumentFixture {
protected:
    FakeMediaDevice device;
    FakeLengthProbe probe{device};
    FakeTimer timer;
    LengthCalculator lengths{{playList, played, device, probe, prompter, timer, &busy}};

    // A media file that exists on disk; the device reports the given length for it.
    QString mediaFile(const QString& name, qint64 reported = 60000) {
        const QString path = folder.write(name, QByteArray("media"));
        device.files[path].length = reported;
        return path;
    }
    // The Play List holds these files with the lengths beside them, as an edit would leave it.
    void setList(const QStringList& paths, const std::vector<qint64>& listed = {}) {
        std::vector<PlayListEntry> entries;
        for (qsizetype i = 0; i < paths.size(); ++i) {
            const qint64 length = static_cast<size_t>(i) < listed.size() ? listed[static_cast<size_t>(i)] : 0;
            entries.push_back({MakeFileItem(paths[i]), length});
        }
        playList.setEntries(std::move(entries));
        playList.RedrawPlayList(false);
        lengths.markPlayListChanged();
        busy.texts.clear();
    }
    // Lists of files that exist, each reported as the given length.
    QStringList mediaFiles(int count, qint64 reported = 1000) {
        QStringList paths;
        for (int i = 0; i < count; ++i) {
            paths.append(mediaFile(s("f%1.wav").arg(i), reported));
        }
        return paths;
    }
    void select(std::initializer_list<qsizetype> lines) {
        playList.clearSelection();
        for (qsizetype line : lines) {
            playList.setSelected(line, true);
        }
    }
    void setLengths(const std::vector<qint64>& values) {
        for (size_t i = 0; i < values.size(); ++i) {
            playList.setLength(static_cast<qsizetype>(i), values[i]);
        }
    }
};

TEST_F(LengthCalculatorTest, AListOpenedWithEveryLengthTotalsWithoutTouchingADevice) {
    const QString path = folder.write(
        s("known.vlp"),
        playListBytes({s("[General]"), s("LastPlayed="), QString(), s("[Items]"),
                       s(R"([FILE="/nowhere/a.mid", L=183000])"), s(R"([FILE="/nowhere/b.wav", L=1500])"),
                       s("[CDID=-1234567, T=3, L=240000]")}));
    ASSERT_TRUE(document.OpenPlayList(path, false, false));
    lengths.markPlayListChanged();

    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 183000 + 1500 + 240000);
    EXPECT_TRUE(probe.measured.isEmpty());
    EXPECT_TRUE(device.log.isEmpty());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(LengthCalculatorTest, LengthsFoundReachTheFileOnTheNextSave) {
    const QString a = mediaFile(s("a.mid"), 61000);
    const QString b = mediaFile(s("b.wav"), 2500);
    const QString path = folder.write(
        s("measure.vlp"),
        playListBytes({s("[General]"), s("LastPlayed="), QString(), s("[Items]"),
                       QStringLiteral(R"([FILE="%1", L=0])").arg(a), QStringLiteral(R"([FILE="%1", L=700])").arg(b)}));
    ASSERT_TRUE(document.OpenPlayList(path, false, false));
    lengths.markPlayListChanged();

    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 61700);
    EXPECT_EQ(probe.measured, QStringList{a});  // the known one is never measured
    EXPECT_EQ(playList.length(0), 61000);

    ASSERT_TRUE(document.SavePlayList(false));
    const QStringList written = TextFile::readLines(path).lines;
    EXPECT_TRUE(written.contains(QStringLiteral(R"([FILE="%1", L=61000])").arg(a))) << written.join(u'|').toStdString();
    EXPECT_TRUE(written.contains(QStringLiteral(R"([FILE="%1", L=700])").arg(b)));
}

TEST_F(LengthCalculatorTest, WhatCountsAsAKnownLength) {
    struct Case {
        qint64 listed;
        qint64 reported;
        qint64 total;
        qint64 stored;
        bool measured;
    };
    const Case cases[] = {
        {5000, 9999, 5000, 5000, false},
        {0, 7000, 7000, 7000, true},
        {-1, 7000, 7000, 7000, true},
        {2147483647, 7000, 7000, 7000, true},  // the device's "unknown" read back from a file
        {0, 2147483647, 0, 0, true},
        {0, 0, 0, 0, true},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "listed " << c.listed << ", reported " << c.reported);
        const QString path = mediaFile(s("case%1.mid").arg(++n), c.reported);
        setList({path}, {c.listed});
        probe.measured.clear();
        EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), c.total);
        EXPECT_EQ(playList.length(0), c.stored);
        EXPECT_EQ(probe.measured.size(), c.measured ? 1 : 0);
    }
}

TEST_F(LengthCalculatorTest, TheDevicesUnknownLengthIsMeasuredAgainNextTime) {
    const QString odd = mediaFile(s("odd.mod"), LengthCalculator::kUnknownFromDevice);
    const QString fine = mediaFile(s("fine.wav"), 4000);
    setList({odd, fine});
    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 4000);
    EXPECT_EQ(probe.measured, (QStringList{odd, fine}));

    lengths.markPlayListChanged();
    device.files[odd].length = 3000;  // the device knows it now
    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 7000);
    EXPECT_EQ(probe.measured, (QStringList{odd, fine, odd}));
    EXPECT_EQ(playList.length(0), 3000);
}

TEST_F(LengthCalculatorTest, EachItemIsMeasuredOnceEvenWhenListedTwice) {
    const QString a = mediaFile(s("a.mid"), 1000);
    const QString b = mediaFile(s("b.mid"), 2000);
    setList({a, b, a});
    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 4000);
    EXPECT_EQ(probe.measured, (QStringList{a, b}));
}

TEST_F(LengthCalculatorTest, OnlyTheWholeTotalMeasuresUnknownItems) {
    const QString a = mediaFile(s("a.mid"), 1000);
    const QString b = mediaFile(s("b.mid"), 2000);
    setList({a, b}, {0, 2000});
    playList.setCurrentItem(1);
    select({0, 1});
    played.add(playList.item(0));
    played.add(playList.item(1));
    const Kind others[] = {Kind::Played, Kind::BeforeCurrent, Kind::Selected, Kind::SelectedPlayed,
                           Kind::SelectedBeforeCurrent};
    const qint64 expected[] = {2000, 0, 2000, 2000, 0};
    for (size_t i = 0; i < std::size(others); ++i) {
        EXPECT_EQ(lengths.PlayListLength(others[i]), expected[i]) << "kind " << i;
    }
    EXPECT_TRUE(probe.measured.isEmpty());
    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 3000);
    EXPECT_EQ(probe.measured, QStringList{a});
}

TEST_F(LengthCalculatorTest, TheMainPlayersLengthIsTakenWhenItHoldsTheFile) {
    const QString a = mediaFile(s("a.mid"), 90000);
    setList({a});
    device.setFileName(a);
    ASSERT_TRUE(device.open());
    ASSERT_TRUE(device.play());
    device.files[a].length = 1;  // what a second opening would now report

    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 90000);
    EXPECT_TRUE(probe.measured.isEmpty());

    // Closed, the player holds nothing: the probe measures.
    device.close();
    playList.setLength(0, 0);
    lengths.markPlayListChanged();
    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 1);
    EXPECT_EQ(probe.measured, QStringList{a});
}

TEST_F(LengthCalculatorTest, MissingFilesAndCDTracksCountNothingAndSayNothing) {
    const QString a = mediaFile(s("a.mid"), 1000);
    std::vector<PlayListEntry> entries = {{MakeFileItem(folder.file(s("gone.mid"))), 0},
                                          {MakeCDItem(-42, 3), 0},
                                          {MakeFileItem(a), 0}};
    playList.setEntries(std::move(entries));
    playList.RedrawPlayList(false);
    lengths.markPlayListChanged();

    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 1000);
    EXPECT_EQ(probe.measured, QStringList{a});
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(playList.length(0), 0);
    EXPECT_EQ(playList.length(1), 0);
}

TEST_F(LengthCalculatorTest, AnItemThatCannotBeOpenedIsReportedAndSelectedAlone) {
    const QString a = mediaFile(s("a.mid"), 1000);
    const QString bad = mediaFile(s("bad.avi"));
    const QString c = mediaFile(s("c.wav"), 3000);
    device.files[bad].failure = s("The specified file cannot be played.");
    setList({a, bad, c});
    select({0, 2});
    int failedSignals = 0;
    QObject::connect(&lengths, &LengthCalculator::failedLineSelected, [&] { ++failedSignals; });

    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 4000);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Warning);
    EXPECT_EQ(prompter.messages[0].text, cannotOpenMessage(s("The specified file cannot be played.")));
    EXPECT_EQ(playList.selectedLines(), std::vector<qsizetype>{1});
    EXPECT_EQ(playList.focusedLine(), 1);
    EXPECT_EQ(failedSignals, 1);
    // The calculation went on, and the failing item stays unknown.
    EXPECT_EQ(probe.measured, (QStringList{a, bad, c}));
    EXPECT_EQ(playList.length(1), 0);
    EXPECT_EQ(playList.length(2), 3000);
}

TEST_F(LengthCalculatorTest, LongCalculationsShowTheBusyLineAndGauge) {
    struct Case {
        Kind kind;
        int entries;
        bool busyShown;
    };
    const Case cases[] = {
        {Kind::WholePlayList, 9, false}, {Kind::WholePlayList, 10, true}, {Kind::Played, 9, false},
        {Kind::Played, 10, true},        {Kind::Selected, 12, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(c.kind) << ", " << c.entries << " entries");
        std::vector<qint64> listed(static_cast<size_t>(c.entries), 500);
        setList(mediaFiles(c.entries), listed);
        played.clear();
        for (const PlayListEntry& entry : playList.entries()) {
            played.add(entry.ref);
        }
        lengths.markPlayedChanged();
        playList.selectAll();
        busy = RecordingBusyIndicator{};

        EXPECT_EQ(lengths.PlayListLength(c.kind), 500 * c.entries);
        EXPECT_EQ(busy.texts, c.busyShown ? QStringList{kBusyLine} : QStringList{});
        EXPECT_EQ(busy.lastTotal, c.busyShown ? c.entries : -1);
        EXPECT_EQ(busy.depth, 0);
    }
}

// A file slow to measure lets the window paint, in a list too short for the busy line as in a long one.
TEST_F(LengthCalculatorTest, AFileSlowToMeasureNeverHoldsTheWindowsPainting) {
    probe.waitSteps = 3;
    for (const int count : {2, 10}) {
        setList(mediaFiles(count));
        busy = RecordingBusyIndicator{};
        EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 1000 * count);
        EXPECT_EQ(busy.responsiveSteps, 3 * count);
    }
}

TEST_F(LengthCalculatorTest, TheGaugeAdvancesForEachLengthTaken) {
    QStringList paths = mediaFiles(10);
    paths[3] = folder.file(s("missing.wav"));  // skipped: the gauge does not move for it
    setList(paths);
    std::vector<qint64> doneAtEachMeasure;
    probe.onMeasure = [&] { doneAtEachMeasure.push_back(busy.lastDone); };

    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 9000);
    EXPECT_EQ(doneAtEachMeasure, (std::vector<qint64>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(busy.lastTotal, 10);
    EXPECT_EQ(busy.texts, QStringList{kBusyLine});
}

TEST_F(LengthCalculatorTest, ThePlaybackTickIsHeldStillAndRestored) {
    setList(mediaFiles(3));
    for (const bool ticking : {true, false}) {
        SCOPED_TRACE(ticking ? "ticking" : "still");
        timer = FakeTimer{};
        if (ticking) {
            timer.start(500);
        }
        std::vector<bool> activeWhileMeasuring;
        probe.onMeasure = [&] { activeWhileMeasuring.push_back(timer.isActive()); };
        for (qsizetype i = 0; i < playList.count(); ++i) {
            playList.setLength(i, 0);
        }
        lengths.markPlayListChanged();

        lengths.PlayListLength(Kind::WholePlayList);
        EXPECT_EQ(activeWhileMeasuring, std::vector<bool>(3, false));
        EXPECT_EQ(timer.isActive(), ticking);
        EXPECT_EQ(timer.starts, ticking ? 2 : 0);
        if (ticking) {
            EXPECT_EQ(timer.interval(), 500);
        }
    }
}

TEST_F(LengthCalculatorTest, EscapeDuringALongCalculationGivesZeroAndLeavesTotalsMode) {
    ProgressIndicators indicators{playList, played, lists, preferences, lengths};
    preferences.indicatorModes = {10, 11, 1, 10};
    int aborts = 0;
    QObject::connect(&lengths, &LengthCalculator::aborted, [&] {
        ++aborts;
        indicators.leavePlayListTotals();
    });
    setList(mediaFiles(500, 2000));
    timer.start(500);
    probe.onMeasure = [&] {
        if (probe.measured.size() == 120) {
            lengths.requestAbort();
        }
    };

    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 0);
    EXPECT_EQ(aborts, 1);
    EXPECT_EQ(probe.measured.size(), 120);  // nothing after the Escape is opened
    EXPECT_EQ(lengths.cached(Kind::WholePlayList), 0);
    EXPECT_EQ(preferences.indicatorModes, (std::array<int, 4>{0, 1, 1, 0}));  // CD digits stay
    EXPECT_EQ(busy.depth, 0);
    EXPECT_TRUE(timer.isActive());

    // The request is spent: the next calculation runs to its end, measuring only what is still unknown.
    probe.onMeasure = nullptr;
    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 500 * 2000);
    EXPECT_EQ(probe.measured.size(), 500);
    EXPECT_EQ(aborts, 1);
}

// The probe hears which files come, in the list's order, before it measures the first, so that it can
// read them ahead; an Escape tells it that they are no longer coming.
TEST_F(LengthCalculatorTest, TheProbeIsToldAheadWhichFilesItWillMeasure) {
    const QString a = mediaFile(s("a.wav"), 1000);
    const QString b = mediaFile(s("b.wav"), 2000);
    const QString c = mediaFile(s("c.wav"), 3000);
    std::vector<PlayListEntry> entries = {
        {MakeFileItem(a), 0}, {MakeCDItem(-42, 3), 0}, {MakeFileItem(b), 2000}, {MakeFileItem(c), 0}};
    playList.setEntries(std::move(entries));
    playList.RedrawPlayList(false);
    lengths.markPlayListChanged();
    QList<QStringList> announcedBeforeFirst;
    probe.onMeasure = [&] {
        if (probe.measured.size() == 1) {
            announcedBeforeFirst = probe.expected;
        }
    };

    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 6000);
    EXPECT_EQ(announcedBeforeFirst, (QList<QStringList>{{a, c}}));
    EXPECT_EQ(probe.measured, (QStringList{a, c}));

    setList(mediaFiles(30, 1000));
    probe.expected.clear();
    probe.onMeasure = [&] {
        if (probe.measured.size() == 12) {
            lengths.requestAbort();
        }
    };
    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 0);
    ASSERT_EQ(probe.expected.size(), 2);
    EXPECT_EQ(probe.expected[0].size(), 30);
    EXPECT_TRUE(probe.expected[1].isEmpty());
}

TEST_F(LengthCalculatorTest, AnEscapeFromAnEarlierOperationDoesNotAbortTheNextCalculation) {
    setList(mediaFiles(3, 1000));
    int aborts = 0;
    QObject::connect(&lengths, &LengthCalculator::aborted, [&] { ++aborts; });
    lengths.requestAbort();
    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 3000);
    EXPECT_EQ(aborts, 0);
}

TEST_F(LengthCalculatorTest, ARepeatedRequestWithNothingChangedMeasuresNothing) {
    const QString bad = mediaFile(s("bad.avi"));
    device.files[bad].failure = s("no driver");
    setList({mediaFile(s("a.mid"), 1000), bad});

    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 1000);
    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 1000);
    EXPECT_EQ(probe.measured.size(), 2);
    EXPECT_EQ(prompter.messages.size(), 1u);  // the failing item is not opened again either

    lengths.markPlayListChanged();
    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 1000);
    EXPECT_EQ(probe.measured.size(), 3);
    EXPECT_EQ(prompter.messages.size(), 2u);
}

// Each total is computed, then the lengths change behind its back and one thing happens: a total that
// the happening makes stale shows the new lengths, the others keep their cached value.
TEST_F(LengthCalculatorTest, EachTotalBecomesStaleByWhatItDependsOn) {
    enum Happening { Nothing, ListEdited, PlayedChanged, CurrentChanged, ClickWhilePlaying, SelectionChanged };
    struct Case {
        Kind kind;
        qint64 before;
        qint64 after;
        std::vector<Happening> staleBy;
    };
    // Lengths 1000, 2000, 4000, 8000 (doubled later); current line 2; lines 0 and 2 selected; items 0, 2
    // and 3 played.
    const Case cases[] = {
        {Kind::WholePlayList, 15000, 30000, {ListEdited}},
        {Kind::Played, 13000, 26000, {ListEdited, PlayedChanged}},
        {Kind::BeforeCurrent, 3000, 6000, {ListEdited, CurrentChanged}},
        {Kind::Selected, 5000, 10000, {ListEdited, ClickWhilePlaying, SelectionChanged}},
        {Kind::SelectedPlayed, 5000, 10000, {ListEdited, PlayedChanged, SelectionChanged}},
        {Kind::SelectedBeforeCurrent, 1000, 2000,
         {Nothing, ListEdited, PlayedChanged, CurrentChanged, ClickWhilePlaying, SelectionChanged}},
    };
    setList(mediaFiles(4));
    const std::vector<qint64> base = {1000, 2000, 4000, 8000};
    for (const Happening happening :
         {Nothing, ListEdited, PlayedChanged, CurrentChanged, ClickWhilePlaying, SelectionChanged}) {
        setLengths(base);
        playList.setCurrentItem(2);
        select({0, 2});
        played.clear();
        for (const qsizetype line : {0, 2, 3}) {
            played.add(playList.item(line));
        }
        lengths.markPlayListChanged();
        lengths.markPlayedChanged();
        lengths.markCurrentChanged();
        for (const Case& c : cases) {
            ASSERT_EQ(lengths.PlayListLength(c.kind), c.before) << "kind " << static_cast<int>(c.kind);
        }

        setLengths({2000, 4000, 8000, 16000});
        switch (happening) {
            case Nothing:
                break;
            case ListEdited:
                lengths.markPlayListChanged();
                break;
            case PlayedChanged:
                lengths.markPlayedChanged();
                break;
            case CurrentChanged:
                lengths.markCurrentChanged();
                break;
            case ClickWhilePlaying:
                lengths.clearSelectedTotal();
                break;
            case SelectionChanged:
                select({2, 0});  // the same lines, chosen again
                break;
        }
        for (const Case& c : cases) {
            const bool stale = std::find(c.staleBy.begin(), c.staleBy.end(), happening) != c.staleBy.end();
            EXPECT_EQ(lengths.PlayListLength(c.kind), stale ? c.after : c.before)
                << "kind " << static_cast<int>(c.kind) << " after happening " << happening;
        }
    }
}

TEST_F(LengthCalculatorTest, ANewSelectionIsTotalledAfresh) {
    setList(mediaFiles(4), {1000, 2000, 4000, 8000});
    select({0, 1});
    EXPECT_EQ(lengths.PlayListLength(Kind::Selected), 3000);
    select({2, 3});  // not while playing: no click clears the cached total
    EXPECT_EQ(lengths.PlayListLength(Kind::Selected), 12000);
}

TEST_F(LengthCalculatorTest, ABeforeCurrentTotalOfZeroStaysCached) {
    setList(mediaFiles(2), {1000, 2000});
    playList.setCurrentItem(0);
    lengths.markCurrentChanged();
    EXPECT_EQ(lengths.PlayListLength(Kind::BeforeCurrent), 0);

    playList.setCurrentItem(1);  // unannounced: the cached 0 still holds
    EXPECT_EQ(lengths.PlayListLength(Kind::BeforeCurrent), 0);
    lengths.markCurrentChanged();
    EXPECT_EQ(lengths.PlayListLength(Kind::BeforeCurrent), 1000);
}

TEST_F(LengthCalculatorTest, AWholeTotalOfZeroIsNotTrusted) {
    const QString later = folder.file(s("later.wav"));
    setList({later});
    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 0);

    folder.write(s("later.wav"), QByteArray("now it exists"));
    device.files[later].length = 5000;
    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 5000);
}

TEST_F(LengthCalculatorTest, AnEditDuringTheCalculationMakesItsResultStale) {
    const QStringList paths = mediaFiles(3, 1000);
    setList(paths);
    probe.onMeasure = [&] {
        if (probe.measured.size() == 2) {
            lengths.markPlayListChanged();
        }
    };
    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 3000);
    probe.onMeasure = nullptr;
    playList.setLength(0, 5000);
    EXPECT_EQ(lengths.PlayListLength(Kind::WholePlayList), 7000);
}

}  // namespace
