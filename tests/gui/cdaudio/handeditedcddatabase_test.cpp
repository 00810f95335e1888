// A CD database edited by hand in two editors, one writing UTF-8 and one the old code page, shown and
// saved again through CD Audio Mode as the user does it.

#include "core/cdaudio/cdidentifier.h"
#include "gui/cdaudio/cdaudiolistbox.h"
#include "support/windowtest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class HandEditedCDDatabaseTest : public WindowTest {
protected:
    std::shared_ptr<FakeDisc> disc = std::make_shared<FakeDisc>(FakeDisc{{60000, 70000, 80000}, {}});

    void click(QWidget* widget) {
        ASSERT_TRUE(widget && widget->isVisible() && widget->isEnabled());
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
        QApplication::processEvents();
    }
    QStringList shownTracks(QAbstractItemView* view) const { return ShownTexts(view); }
};

TEST_F(HandEditedCDDatabaseTest, ANameOutsideTheOldCodePageSavedIntoAMixedFileKeepsEveryOtherName) {
    device.disc = disc;
    const QByteArray header = '[' + QByteArray::number(ComputeCDID(disc->length(), 3, 60000)) + ']';
    home.write(s("CDDB.INI"),
               "[99]\r\nName=\xC3\x96lm\xC3\xBChle\r\nTrack1=\xC3\x87"
               "a va\r\n\r\n" +
                   header +
                   "\r\nName=Caf\xE9\r\nTrack1=M\xFCller\r\nTrack2=\xE6\x97\xA5\xE6\x9C\xAC\r\n"
                   "Track3=\x93Third\x94\r\n");
    writeQuietSettings();
    startWindow();

    click(window->findChild<QLabel*>(s("PanelCurrentCD")));
    auto* tracks = window->findChild<CDAudioListBox*>(s("CDAudioListBox"));
    EXPECT_EQ(shownTracks(tracks), QStringList({s("Müller"), s("日本"), s("“Third”")}));
    auto* name = window->findChild<QComboBox*>(s("NameOfCDEdit"));
    EXPECT_EQ(name->currentText(), s("Café"));

    // The disc gets a name the old code page has no letters for, typed key by key.
    click(name);
    name->lineEdit()->selectAll();
    for (const QString& key : {s("Ω"), s(" "), s("m"), s("i")}) {
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, key, Qt::NoModifier);
    }
    QTest::keyClick(name, Qt::Key_Return);
    click(window->findChild<QToolButton*>(s("SaveTrackListSB")));

    const QByteArray bytes = readFileBytes(home.file(s("CDDB.INI")));
    ASSERT_TRUE(QByteArrayView(bytes).isValidUtf8());
    EXPECT_EQ(
        QString::fromUtf8(bytes).split(s("\r\n")),
        QStringList({s("[99]"), s("Name=Ölmühle"), s("Track1=Ça va"), QString(), QString::fromLatin1(header),
                     s("Name=Ω mi"), s("Track1=Müller"), s("Track2=日本"), s("Track3=“Third”"), QString()}));
}

}  // namespace
