// CD Audio Mode as the user reaches it in the window: the mode tab, the disc buttons and the lists.

#include "core/cdaudio/cdidentifier.h"
#include "core/common/textfile.h"
#include "gui/cdaudio/cdaudiolistbox.h"
#include "support/qtprinters.h"
#include "support/windowtest.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

class CDAudioModeWindowTest : public WindowTest {
protected:
    std::shared_ptr<FakeDisc> disc = std::make_shared<FakeDisc>(FakeDisc{{60000, 70000, 80000}, {s("Album")}});

    void SetUp() override { device.disc = disc; }
    template <typename Widget>
    Widget* child(const char* name) {
        return window->findChild<Widget*>(QString::fromLatin1(name));
    }
    void click(QWidget* widget) {
        ASSERT_TRUE(widget && widget->isVisible() && widget->isEnabled());
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
        QApplication::processEvents();
    }
    // Runs act; when it opens a modal box, inside acts on the box and must close it. Says whether a box
    // opened.
    bool withBox(const std::function<void()>& act, const std::function<void(QDialog&)>& inside) {
        bool opened = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, window.get(), [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!box || opened) {
                return;
            }
            poll.stop();
            opened = true;
            box->activateWindow();
            QApplication::setActiveWindow(box);
            EXPECT_TRUE(QTest::qWaitForWindowActive(box));
            inside(*box);
        });
        poll.start(10);
        act();
        QApplication::processEvents();
        return opened;
    }
    static void clickButton(QDialog& box, const char* name) {
        auto* button = box.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Clicks Save; answers a box, if one opens, with the named button.
    bool saveAnswering(const char* button) {
        return withBox([&] { click(child<QToolButton>("SaveTrackListSB")); },
                       [&](QDialog& box) { clickButton(box, button); });
    }
    void typeDiscName(const QString& name) {
        auto* box = child<QComboBox>("NameOfCDEdit");
        box->setFocus(Qt::MouseFocusReason);
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), name);
    }
    // A click on a line of the CD Audio List, which makes it the list the commands act on.
    void clickTrack(int line) {
        auto* tracks = child<CDAudioListBox>("CDAudioListBox");
        const QRect rect = tracks->visualRect(tracks->model()->index(line, 0));
        QTest::mouseClick(tracks->viewport(), Qt::LeftButton, {}, rect.center());
        QApplication::processEvents();
    }
    QByteArray database() const { return home.read(s("CDDB.INI")); }
    static QByteArray section(qint32 cdid, const QStringList& names) {
        QStringList lines{u'[' + QString::number(cdid) + u']', s("Name=") + names.first()};
        for (qsizetype t = 1; t < names.size(); ++t) {
            lines.append(QStringLiteral("Track%1=").arg(t) + names[t]);
        }
        return TextFile::encode(TextFile::joinLines(lines));
    }
    qint32 cdid() const {
        return ComputeCDID(disc->length(), static_cast<int>(disc->tracks.size()), disc->tracks.first());
    }
};

TEST_F(CDAudioModeWindowTest, TheTabShowsTheDiscAndItsButtonsSaveAndEject) {
    writeQuietSettings();
    startWindow();
    click(child<QLabel>("PanelCurrentCD"));
    auto* tracks = child<CDAudioListBox>("CDAudioListBox");
    ASSERT_TRUE(tracks->isVisible());
    EXPECT_FALSE(child<QWidget>("FileListBox")->isVisible());
    EXPECT_EQ(tracks->model()->rowCount(), 3);
    auto* name = child<QComboBox>("NameOfCDEdit");
    EXPECT_EQ(name->currentText(), s("Album"));

    click(child<QToolButton>("SaveTrackListSB"));
    const QStringList database = TextFile::readLines(home.file(s("CDDB.INI"))).lines;
    ASSERT_EQ(database.size(), 5);
    EXPECT_EQ(database.at(1), s("Name=Album"));

    click(child<QToolButton>("EjectSB"));
    EXPECT_FALSE(disc->inDrive);
    EXPECT_EQ(name->currentText(), s("No CD"));
    EXPECT_FALSE(name->isEnabled());
    EXPECT_EQ(tracks->model()->rowCount(), 0);

    click(child<QLabel>("PanelFile"));
    EXPECT_FALSE(tracks->isVisible());
    EXPECT_TRUE(child<QWidget>("FileListBox")->isVisible());
}

// A slow tray: the window goes on, the box says where the tray goes and the button waits for it.
TEST_F(CDAudioModeWindowTest, TheEjectButtonWaitsForASlowTrayWhileTheWindowGoesOn) {
    writeQuietSettings();
    device.trayDelay = 2000;
    startWindow();
    click(child<QLabel>("PanelCurrentCD"));
    auto* eject = child<QToolButton>("EjectSB");
    auto* name = child<QComboBox>("NameOfCDEdit");
    click(eject);
    EXPECT_EQ(name->currentText(), s("Opening the tray..."));
    EXPECT_FALSE(eject->isEnabled());
    QTest::mouseClick(eject, Qt::LeftButton, {}, eject->rect().center());
    device.advance(2000);
    QApplication::processEvents();
    EXPECT_FALSE(disc->inDrive);
    EXPECT_EQ(device.log.count(s("eject")), 1);
    EXPECT_EQ(name->currentText(), s("No CD"));
    EXPECT_TRUE(eject->isEnabled());
}

// Whatever happened before (a start, a Cancel in the box, a Cancel in Preferences), a disc already stored
// is saved only after the box said OK; a disc not stored yet is saved without asking.
TEST_F(CDAudioModeWindowTest, EverySaveOfAStoredDiscAsksWhileTheSettingIsOnAndCancelWritesNothing) {
    home.write(s("velmaro.ini"),
               "[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n[CD Audio]\r\n"
               "AskForConfirmationWhenSavingDB=1\r\nSaveBackupCopyOfCDDB=1\r\n");
    const QByteArray stored =
        section(777, lines({"Far Away", "One"})) + "\r\n" + section(cdid(), lines({"Stored", "a", "b", "c"}));
    home.write(s("CDDB.INI"), stored);
    startWindow();
    click(child<QLabel>("PanelCurrentCD"));
    typeDiscName(s("Typed"));

    EXPECT_TRUE(saveAnswering("CancelBtn")) << "the first save after a start";
    EXPECT_EQ(database(), stored);
    EXPECT_FALSE(QFile::exists(home.file(s("CDDB.BAK"))));
    EXPECT_TRUE(saveAnswering("CancelBtn")) << "after a Cancel in the box";
    EXPECT_EQ(database(), stored);

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    bool preferencesOpened = withBox([&] { QTest::keyClick(window.get(), Qt::Key_F10); },
                                     [&](QDialog& box) { clickButton(box, "CancelBtn"); });
    EXPECT_TRUE(preferencesOpened);
    EXPECT_TRUE(session->preferences().askBeforeSavingCDDatabase);
    typeDiscName(s("Typed"));
    EXPECT_TRUE(saveAnswering("OKBtn")) << "after a Cancel in Preferences";
    EXPECT_EQ(home.read(s("CDDB.BAK")), stored);
    EXPECT_TRUE(database().contains("\r\nName=Typed\r\n"));

    // Another disc, not stored yet: saved at once, beside the others.
    click(child<QToolButton>("EjectSB"));
    disc->tracks = {30000, 40000};
    click(child<QToolButton>("EjectSB"));
    EXPECT_FALSE(saveAnswering("CancelBtn"));
    EXPECT_EQ(TextFile::readLines(home.file(s("CDDB.INI"))).lines.count(s("")), 2);
    EXPECT_TRUE(database().endsWith(section(cdid(), lines({"Album", "Track 1", "Track 2"}))));
}

// A disc of one track has the identifier 0 (its length times one, less its length): it is a disc like any
// other. Only an empty drive leaves nothing to rename or delete.
TEST_F(CDAudioModeWindowTest, AOneTrackDiscIsRenamedSavedAndDeletedLikeAnyOther) {
    disc->tracks = {5000};
    disc->text.clear();
    ASSERT_EQ(cdid(), 0);
    writeQuietSettings();
    startWindow();
    click(child<QLabel>("PanelCurrentCD"));
    clickTrack(0);
    auto* rename = child<QPushButton>("RenBtn");
    auto* remove = child<QPushButton>("DelBtn");
    EXPECT_TRUE(withBox([&] { click(rename); },
                        [&](QDialog& box) {
                            auto* edit = box.findChild<QLineEdit*>(s("RenEdit"));
                            ASSERT_NE(edit, nullptr);
                            edit->selectAll();
                            QTest::keyClicks(edit, s("Only Song"));
                            clickButton(box, "OKBtn");
                        }));
    EXPECT_EQ(session->cdAudio().list().names(), lines({"Only Song"}));
    typeDiscName(s("Single"));
    click(child<QToolButton>("SaveTrackListSB"));
    EXPECT_EQ(database(), section(0, lines({"Single", "Only Song"})));
    EXPECT_EQ(child<QComboBox>("NameOfCDEdit")->currentText(), s("Single"));

    clickTrack(0);
    EXPECT_TRUE(withBox([&] { click(remove); }, [&](QDialog& box) { clickButton(box, "OKBtn"); }));
    EXPECT_EQ(database(), QByteArray());
    EXPECT_EQ(child<QComboBox>("NameOfCDEdit")->currentText(), s("Unknown CD"));

    click(child<QToolButton>("EjectSB"));
    EXPECT_EQ(child<QComboBox>("NameOfCDEdit")->currentText(), s("No CD"));
    EXPECT_FALSE(rename->isEnabled());
    EXPECT_FALSE(remove->isEnabled());
}

// A disc stored twice is shown from its last copy: the names the user saves replace that copy and the disc
// is then stored once, so they stay shown; Delete takes every copy.
TEST_F(CDAudioModeWindowTest, ADiscStoredTwiceIsSavedWhereItIsShownAndDeletedWhole) {
    const QByteArray other = section(555, lines({"Other", "x"}));
    const QByteArray twice = section(cdid(), lines({"Old", "o1", "o2", "o3"})) + "\r\n" + other + "\r\n" +
                             section(cdid(), lines({"Shown", "a", "b", "c"}));
    home.write(s("CDDB.INI"), twice);
    writeQuietSettings();
    startWindow();
    click(child<QLabel>("PanelCurrentCD"));
    auto* name = child<QComboBox>("NameOfCDEdit");
    EXPECT_EQ(name->currentText(), s("Shown"));

    typeDiscName(s("Typed"));
    click(child<QToolButton>("SaveTrackListSB"));
    EXPECT_EQ(database(), other + "\r\n" + section(cdid(), lines({"Typed", "a", "b", "c"})));
    EXPECT_EQ(name->currentText(), s("Typed"));
    click(child<QToolButton>("SaveTrackListSB"));
    EXPECT_EQ(name->currentText(), s("Typed")) << "the next save keeps the name";

    home.write(s("CDDB.INI"), twice);
    click(child<QLabel>("PanelCurrentCD"));
    clickTrack(1);
    EXPECT_TRUE(withBox([&] { click(child<QPushButton>("DelBtn")); },
                        [&](QDialog& box) { clickButton(box, "OKBtn"); }));
    EXPECT_EQ(database(), other);
    EXPECT_EQ(name->currentText(), s("Album")) << "the disc's own CD-TEXT, as for any disc not stored";
}

}  // namespace

// F7 does not wait for the drive: the list says the disc is being read, keys are handled meanwhile (F6
// leaves the mode and the read with it), and the disc shows once the drive answers.
TEST_F(CDAudioModeWindowTest, TheWindowTakesKeysWhileTheDriveIsRead) {
    device.files[QString()].openDelay = FakeMediaDevice::kNeverReady;
    writeQuietSettings();
    startWindow();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* tracks = child<CDAudioListBox>("CDAudioListBox");
    auto* name = child<QComboBox>("NameOfCDEdit");
    QTest::keyClick(window.get(), Qt::Key_F7);
    ASSERT_TRUE(tracks->isVisible());
    EXPECT_EQ(name->currentText(), s("Reading the disc..."));
    EXPECT_FALSE(name->isEnabled());
    EXPECT_FALSE(tracks->isEnabled());
    EXPECT_TRUE(device.isOpening());

    QTest::keyClick(window.get(), Qt::Key_F6);
    EXPECT_FALSE(tracks->isVisible());
    EXPECT_TRUE(child<QWidget>("FileListBox")->isVisible());
    EXPECT_FALSE(device.isOpening());

    device.files[QString()].openDelay = 2000;
    QTest::keyClick(window.get(), Qt::Key_F7);
    EXPECT_EQ(name->currentText(), s("Reading the disc..."));
    device.advance(2000);
    QApplication::processEvents();
    EXPECT_EQ(tracks->model()->rowCount(), 3);
    EXPECT_EQ(name->currentText(), s("Album"));
    EXPECT_TRUE(name->isEnabled());
    EXPECT_TRUE(prompter.messages.empty());
}
