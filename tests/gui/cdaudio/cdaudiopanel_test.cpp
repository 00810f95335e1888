#include "core/app/appsession.h"
#include "core/cdaudio/cdaudiomode.h"
#include "gui/cdaudio/cdaudiolistbox.h"
#include "gui/cdaudio/cdaudiopanel.h"
#include "gui/cdaudio/trackcolumnbox.h"
#include "gui/shell/righthandcontrols.h"
#include "support/fakemediadevice.h"
#include "support/fakes.h"
#include "support/qtprinters.h"
#include "support/tempfolder.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <numeric>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A drive holding a disc of these track lengths (ms).
class DiscDrive : public FakeMediaDevice {
public:
    explicit DiscDrive(QList<qint64> tracks) : m_tracks(std::move(tracks)) {
        cdLength = std::accumulate(m_tracks.cbegin(), m_tracks.cend(), qint64(0));
    }
    int trackCount() const override { return static_cast<int>(m_tracks.size()); }
    qint64 trackLength(int track) const override {
        return track >= 1 && track <= m_tracks.size() ? m_tracks[track - 1] : -1;
    }
    qint64 trackPosition(int track) const override {
        return std::accumulate(m_tracks.cbegin(), m_tracks.cbegin() + std::clamp(track - 1, 0, trackCount()), qint64(0));
    }

private:
    QList<qint64> m_tracks;
};

// CD Audio Mode's controls over a drive holding a disc of three tracks, with a database that names it
// ("Piano Works", identifier 270000 x 3 - 60000) and one other disc.
class CDAudioPanelTest : public ::testing::Test {
protected:
    TempFolder home;
    TempFolder music;
    FakePrompter prompter;
    FakeMediaDevice player;
    FakeLengthProbe probe{player};
    FakeClipboard clipboard;
    DiscDrive drive{{60000, 120000, 90000}};
    std::unique_ptr<AppSession> session;
    std::unique_ptr<CDAudioMode> mode;
    std::unique_ptr<QWidget> area;
    CDAudioPanel* panel = nullptr;

    void SetUp() override {
        home.write(s("CDDB.INI"),
                   "[750000]\r\nName=Piano Works\r\nTrack1=Prelude\r\nTrack2=Fugue\r\nTrack3=Coda\r\n\r\n"
                   "[2345678]\r\nName=Live Recording\r\nTrack1=Opening\r\nTrack2=Encore\r\n");
        session = std::make_unique<AppSession>(AppSession::Folders{home.path(), QString(), music.path()},
                                               AppSession::Ports{prompter, player, clipboard, probe});
        mode = std::make_unique<CDAudioMode>(CDAudioMode::Context{
            session->preferences(), session->settings(), session->cdDatabase(), drive, drive,
            prompter, nullptr, nullptr, home.file(s("CDDB.INI")), home.file(s("CDDB.BAK"))});
        area = std::make_unique<QWidget>();
        CreateRightHandControls(area.get(), session->commands());
        panel = new CDAudioPanel(*mode, *session, area.get());
        mode->setShown(true);  // as CD Audio Mode is
        nameBox()->setGeometry(8, 8, 200, 24);
        label()->setGeometry(8, 40, 200, 20);
        panel->listBox()->setGeometry(80, 64, 150, 120);
        area->resize(240, 200);
        area->show();
        area->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(area.get()));
        mode->ReadCD();
        ASSERT_FALSE(mode->isReadingDrive());  // the drive answers at once
    }
    QComboBox* nameBox() const { return area->findChild<QComboBox*>(s("NameOfCDEdit")); }
    QLabel* label() const { return area->findChild<QLabel*>(s("FileListBoxInfo")); }
    QStringList entries() const {
        QStringList names;
        for (int i = 0; i < nameBox()->count(); ++i) {
            names.append(nameBox()->itemText(i));
        }
        return names;
    }
};

// Typing a name that another disc has only names this disc; the drop-down's entries show stored discs.
TEST_F(CDAudioPanelTest, TheNameBoxShowsAStoredDiscOnlyWhenItsEntryIsChosen) {
    EXPECT_EQ(nameBox()->currentText(), s("Piano Works"));
    EXPECT_EQ(entries(), lines({"Piano Works", "Live Recording"}));
    EXPECT_TRUE(nameBox()->isEnabled());
    EXPECT_EQ(mode->list().names(), lines({"Prelude", "Fugue", "Coda"}));
    EXPECT_EQ(panel->lengthBox()->lineText(1), s("02:00"));
    EXPECT_EQ(label()->text(), s("&BL: 1 of 3, 0 selected"));

    nameBox()->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(mode->nameBoxFocused());
    nameBox()->lineEdit()->selectAll();
    QTest::keyClicks(nameBox(), s("Live Recording"));
    QTest::keyClick(nameBox(), Qt::Key_Return);
    panel->listBox()->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(mode->nameBoxFocused());
    EXPECT_EQ(mode->nameText(), s("Live Recording"));
    EXPECT_TRUE(mode->showingDriveCD());
    EXPECT_EQ(mode->list().names(), lines({"Prelude", "Fugue", "Coda"}));
    EXPECT_EQ(entries(), lines({"Piano Works", "Live Recording"}));

    // The arrow keys walk the entries: the drive's own disc, then the other one.
    nameBox()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(nameBox(), Qt::Key_Down);
    EXPECT_EQ(nameBox()->currentText(), s("Piano Works"));
    EXPECT_TRUE(mode->showingDriveCD());
    EXPECT_EQ(panel->lengthBox()->lineText(0), s("01:00"));
    QTest::keyClick(nameBox(), Qt::Key_Down);
    EXPECT_FALSE(mode->showingDriveCD());
    EXPECT_EQ(mode->list().names(), lines({"Opening", "Encore"}));
    EXPECT_EQ(panel->lengthBox()->lineText(0), s("N / A"));
    EXPECT_EQ(nameBox()->currentText(), s("Live Recording"));
    QTest::keyClick(nameBox(), Qt::Key_Up);
    EXPECT_TRUE(mode->showingDriveCD());
    EXPECT_EQ(mode->list().names(), lines({"Prelude", "Fugue", "Coda"}));
    EXPECT_EQ(label()->text(), s("&BL: 1 of 3, 0 selected"));
}

}  // namespace
