#include "gui/files/filemanagementpanel.h"

#include "core/app/appsession.h"
#include "core/common/fittext.h"
#include "gui/files/filelistbox.h"
#include "gui/files/folderlistbox.h"
#include "gui/common/widgettextmeasurer.h"

#include <QComboBox>
#include <QKeySequence>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

FileManagementPanel::FileManagementPanel(AppSession& session, QWidget* area)
    : QObject(area),
      m_session(session),
      m_area(area),
      m_fileList(new FileListBox(session.fileManagement().files(), area)),
      m_folderList(new FolderListBox(session.fileManagement().folders(), area)),
      m_filterEdit(area->findChild<QLineEdit*>(QStringLiteral("FilterEdit"))),
      m_filterBox(area->findChild<QComboBox*>(QStringLiteral("FilterComboBox"))),
      m_driveBox(area->findChild<QComboBox*>(QStringLiteral("DriveComboBox"))),
      m_dirLabel(area->findChild<QLabel*>(QStringLiteral("DirLabel"))),
      m_browseLabel(area->findChild<QLabel*>(QStringLiteral("FileListBoxInfo"))) {
    // "&DL:" and "&BL:" are ways into the two lists.
    m_dirLabel->setBuddy(m_folderList);
    m_dirLabel->setProperty("accelerator", QKeySequence::mnemonic(QStringLiteral("&DL")));
    connectLists();
    connectFilters();
    if (auto* tab = area->findChild<QLabel*>(QStringLiteral("PanelFile"))) {
        tab->installEventFilter(this);
    }
    connect(&session.fileManagement(), &FileManagement::changed, this, &FileManagementPanel::showState);
    connect(&session, &AppSession::settingsLoaded, this, [this] {
        showDrives();
        showState();
    });
    showState();
}

void FileManagementPanel::connectLists() {
    FileManagement& files = m_session.fileManagement();
    connect(m_fileList, &FileListBox::clicked, &files, &FileManagement::fileListClicked);
    connect(m_fileList, &FileListBox::entered, &files, &FileManagement::fileListEntered);
    connect(m_fileList, &FileListBox::playRequested, this,
            [this] { m_session.runCommand(QStringLiteral("PlayFileListSI")); });
    connect(&files.files(), &FileList::selectionChanged, this, &FileManagementPanel::fitLabels);
    connect(&files.files(), &FileList::focusedLineChanged, this, &FileManagementPanel::fitLabels);
    connect(m_folderList, &FolderListBox::lineClicked, &files, &FileManagement::folderListClicked);
    connect(m_folderList, &FolderListBox::lineOpened, &files, [this, &files](qsizetype line) {
        m_session.dispatcher().runFromWindow([&files, line] { files.openFolderLine(line); });
    });
    connect(m_folderList, &FolderListBox::entered, &files, &FileManagement::folderListEntered);
    connect(m_folderList, &FolderListBox::upRequested, &files, &FileManagement::openParentFolder);
    connect(m_folderList, &FolderListBox::linesDropped, this, [this](qsizetype line, bool fromPlayList) {
        m_session.dispatcher().runFromWindow([this, line, fromPlayList] {
            const QList<FolderEntry>& entries = m_session.fileManagement().folders().entries();
            if (line >= 0 && line < entries.size()) {
                m_session.fileCommands().dropOnFolder(entries[line].path, fromPlayList);
            }
        });
    });
}

void FileManagementPanel::connectFilters() {
    FileManagement& files = m_session.fileManagement();
    connect(m_filterEdit, &QLineEdit::returnPressed, this, [this] {
        if (m_session.fileManagement().filterEditEntered(m_filterEdit->text())) {
            m_session.runCommand(QStringLiteral("PlayFileListSI"));
        }
    });
    connect(m_filterBox, &QComboBox::activated, &files, &FileManagement::chooseFilterGroup);
    connect(m_driveBox, &QComboBox::activated, &files, [&files](int index) { files.chooseDrive(index); });
}

void FileManagementPanel::showDrives() {
    m_driveBox->clear();
    for (const Drive& drive : m_session.fileManagement().drives()) {
        m_driveBox->addItem(drive.caption, drive.rootPath);
    }
}

void FileManagementPanel::showState() {
    const FileManagement& files = m_session.fileManagement();
    if (files.folders().folder() != m_shownFolder || files.folders().count() != m_folderList->lineCount()) {
        m_shownFolder = files.folders().folder();
        m_folderList->showFolders();
    }
    if (m_driveBox->count() != files.drives().size()) {
        showDrives();
    }
    m_driveBox->setCurrentIndex(static_cast<int>(files.currentDrive()));
    m_filterBox->setCurrentIndex(m_session.preferences().filter);
    if (m_filterEdit->text() != files.filterEditText()) {
        m_filterEdit->setText(files.filterEditText());
        m_filterEdit->setCursorPosition(0);
    }
    fitLabels();
    // The label stands while the list has lines or files it cannot show.
    const bool empty = files.files().isEmpty() && files.files().unshownCount() == 0;
    if (empty != m_shownEmpty) {
        m_shownEmpty = empty;
        Q_EMIT fileListFilledOrEmptied();
    }
}

void FileManagementPanel::fitLabels() {
    const FileManagement& files = m_session.fileManagement();
    const WidgetTextMeasurer dirMeasurer(m_dirLabel);
    m_dirLabel->setText(files.dirLabel(dirMeasurer, m_dirLabel->width(), m_dirLabel->buddy() != nullptr));
    // In CD Audio Mode the label and its "&BL:" belong to the CD Audio List.
    if (m_session.cdAudioModeShown()) {
        m_browseLabel->setToolTip(QString());
        m_browseLabel->setStatusTip(QString());
        return;
    }
    m_browseLabel->setBuddy(m_fileList);
    const WidgetTextMeasurer browseMeasurer(m_browseLabel);
    m_browseLabel->setText(FitText(browseMeasurer, m_browseLabel->width(), files.browseLabel()));
    // The label is too narrow for the reason: its tip (wrapped, as rich text) and the status bar say it.
    const QString reason = files.files().unshownReason();
    m_browseLabel->setToolTip(reason.isEmpty() ? reason
                                               : QStringLiteral("<p>%1</p>").arg(reason.toHtmlEscaped()));
    m_browseLabel->setStatusTip(reason);
}

bool FileManagementPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        m_session.runCommand(QStringLiteral("PanelFile"));
        if (m_fileList->isVisible()) {
            m_fileList->setFocus(Qt::MouseFocusReason);
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}
