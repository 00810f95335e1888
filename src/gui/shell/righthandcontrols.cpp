#include "gui/shell/righthandcontrols.h"

#include "core/shell/commandtable.h"
#include "gui/common/buttonpanel.h"
#include "gui/common/hint.h"

#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The file-type filter groups, in the order their index is stored.
const char* const kFilterGroups[] = {"All Multimedia Files", "All Sound Files",   "All Movie Files", "All Files",
                                     "MIDI Files",           "WAVE Files",        "AVI Files",       "QuickTime Files",
                                     "Animator Files",       "MPEG Files",        "Module Files (Music)"};

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

void createFileManagementControls(QWidget* area) {
    QList<QWidget*> fileButtons;
    for (const char* name : {"RenBtn", "DelBtn", "NewDirBtn"}) {
        auto* button = named(new QPushButton, name);
        button->setEnabled(false);  // the file operations come with the File List
        fileButtons.append(button);
    }
    CreateButtonPanel(area, QStringLiteral("FileManPanel"), fileButtons, Qt::Vertical);
    auto* info = named(new QLabel(QStringLiteral("Please rest the mouse pointer on an active topic a few seconds "
                                                 "to get help"),
                                  area),
                       "Info");
    info->setWordWrap(true);
    info->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    auto* filterEdit = named(new QLineEdit(area), "FilterEdit");
    filterEdit->setText(QStringLiteral("*.mid;*.rmi;*.wav;*.au;*.snd;*.aif;*.aiff;*.aifc;*.avi;*.mov;*.qt;*.fli;"
                                       "*.flc;*.mpg;*.mp1;*.mp2;*.mp3;*.dat;*.mod;*.nst;*.wow;*.okt;*.stm;*.s3m;"
                                       "*.669;*.far;*.mtm;*.xm;"));
    filterEdit->setCursorPosition(0);
    // The File List and the Folder List come with the File Management panel, which fills them.
    named(new QLabel(QStringLiteral("&BL: 0 of 0, 0 selected"), area), "FileListBoxInfo");
    named(new QLabel(QStringLiteral("&DL: "), area), "DirLabel");
    auto* filter = named(new QComboBox(area), "FilterComboBox");
    for (const char* group : kFilterGroups) {
        filter->addItem(QString::fromLatin1(group));
    }
    named(new QComboBox(area), "DriveComboBox");
}

void createCDAudioControls(QWidget* area) {
    auto* name = named(new QComboBox(area), "NameOfCDEdit");
    name->setEditable(true);
    name->lineEdit()->setMaxLength(100);
    auto* tracks = named(new QComboBox(area), "CDAudioComboBox");
    tracks->addItem(QStringLiteral("CD Audio Tracks"));
    tracks->setEnabled(false);
    // The CD Audio List and its track number and length columns come with the CD Audio panel.

    auto* panel = named(new QWidget(area), "CDSBPanel");
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const struct {
        const char* name;
        QStyle::StandardPixmap icon;
    } buttons[] = {{"RearrangeSB", QStyle::SP_FileDialogDetailedView},
                   {"SaveTrackListSB", QStyle::SP_DialogSaveButton},
                   {"EjectSB", QStyle::SP_ArrowUp}};
    for (const auto& entry : buttons) {
        auto* button = named(new QToolButton(panel), entry.name);
        // The style has no eject picture; the desktop's icon theme usually has one.
        const QIcon fallback = area->style()->standardIcon(entry.icon);
        button->setIcon(entry.icon == QStyle::SP_ArrowUp ? QIcon::fromTheme(QStringLiteral("media-eject"), fallback)
                                                         : fallback);
        button->setAutoRaise(true);
        button->setEnabled(false);  // the CD database and the drive come with CD Audio Mode
        layout->addWidget(button);
    }
}

// Each tab is its command: it shows the command's caption and hint.
void createModeSelector(QWidget* area, const CommandTable& commands) {
    auto* selector = named(new QWidget(area), "ModeSelector");
    auto* file = named(new QLabel(selector), "PanelFile");
    auto* cd = named(new QLabel(selector), "PanelCurrentCD");
    for (QLabel* tab : {file, cd}) {
        if (const CommandTable::Command* command = commands.find(tab->objectName())) {
            tab->setText(command->caption);
            SetHint(tab, command->hint);
        } else {
            commands.noteUnknown(tab->objectName());
        }
        tab->setAlignment(Qt::AlignCenter);
        tab->setFrameStyle(QFrame::Panel | QFrame::Raised);
        tab->setAutoFillBackground(true);
    }
    // The active mode's tab has the button face, the other the window colour.
    file->setBackgroundRole(QPalette::Button);
    cd->setBackgroundRole(QPalette::Base);
}

}  // namespace

void CreateRightHandControls(QWidget* area, const CommandTable& commands) {
    createFileManagementControls(area);
    createCDAudioControls(area);
    createModeSelector(area, commands);
}
