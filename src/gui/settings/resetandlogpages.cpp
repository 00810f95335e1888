#include "gui/settings/resetandlogpages.h"

#include "gui/playback/midiresetbox.h"
#include "gui/settings/settingspage.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>

void buildMidiResetPage(SettingsPage& page, const QString& resetFolder) {
    page.text(
        QStringLiteral("Before each MIDI file, Velmaro can play a short MIDI reset file that puts the "
                       "synthesizer back to its normal settings. Leave the box empty to play MIDI files "
                       "without a reset."));
    page.pathBox(nullptr, "MIDIResetEdit", QStringLiteral("MIDI &Reset File:"), &Preferences::midiResetFile,
                 QStringLiteral("MIDI Reset Files (*.mid *.MID *.rmi *.RMI)"),
                 &PreferencesDialogModel::pictureOrEmpty, resetFolder);
    auto* link = new QLabel(QStringLiteral(
        "Please click <a href=\"here\">here</a> to find out which MIDI reset file you should use."));
    link->setObjectName(QStringLiteral("MIDIResetLinkLabel"));
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    QObject::connect(link, &QLabel::linkActivated, &page, [&page] {
        MidiResetBox box(&page);
        box.exec();
    });
    page.pageLayout()->addWidget(link);
    page.pageLayout()->addStretch(1);
}

void buildAdvancedPage(SettingsPage& page) {
    page.text(
        QStringLiteral("Velmaro can keep two logs beside a saved Play List: a play log of the items "
                       "played from it and an error log of the items that could not be played. Choose "
                       "Play Log or Error Log below to set them up."));
    page.pageLayout()->addStretch(1);
}

void buildPlayLogPage(SettingsPage& page) {
    QGroupBox* log = page.group(QStringLiteral("&Play Log File"));
    page.check(log, "UseLogCB", QStringLiteral("Use Log"), &Preferences::useLog);
    page.text(
        QStringLiteral("Each item that starts playing from a saved Play List adds a dated line to the "
                       "file with the Play List's name and the extension \".LOG\"."));
    page.pageLayout()->addStretch(1);
}

void buildErrorLogPage(SettingsPage& page) {
    QGroupBox* log = page.group(QStringLiteral("&Error Log File"));
    page.check(log, "LogErrorsCB", QStringLiteral("Use Log File"), &Preferences::logErrors);
    page.check(log, "DuplicateEntriesCB", QStringLiteral("Allow Duplicate Entries"),
               &Preferences::allowDuplicateLogEntries);
    page.text(
        QStringLiteral("Each item of a saved Play List that cannot be played adds a dated line with the "
                       "error to the file with the Play List's name and the extension \".ERR\"; an item "
                       "already there is not added again unless duplicate entries are allowed."));
    page.pageLayout()->addStretch(1);
}
