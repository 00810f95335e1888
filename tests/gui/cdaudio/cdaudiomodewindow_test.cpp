// CD Audio Mode as the user reaches it in the window: the mode tab, the disc buttons and the lists.

#include "core/common/textfile.h"
#include "gui/cdaudio/cdaudiolistbox.h"
#include "support/qtprinters.h"
#include "support/windowtest.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class CDAudioModeWindowTest : public WindowTest {
protected:
    std::shared_ptr<FakeDisc> disc = std::make_shared<FakeDisc>(FakeDisc{{60000, 70000, 80000}, {s("Album")}});

    void SetUp() override {
        device.disc = disc;
        writeQuietSettings();
        startWindow();
    }
    template <typename Widget>
    Widget* child(const char* name) {
        return window->findChild<Widget*>(QString::fromLatin1(name));
    }
    void click(QWidget* widget) {
        ASSERT_TRUE(widget && widget->isVisible() && widget->isEnabled());
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
        QApplication::processEvents();
    }
};

TEST_F(CDAudioModeWindowTest, TheTabShowsTheDiscAndItsButtonsSaveAndEject) {
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

}  // namespace
