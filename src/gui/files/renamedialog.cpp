#include "gui/files/renamedialog.h"

#include "core/files/folderlist.h"

#include "core/files/filepaths.h"
#include "gui/files/fixeddialog.h"
#include "gui/ports/qtprompter.h"
#include "gui/common/hint.h"

#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>

namespace {

QLineEdit* MakeEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

}  // namespace

RenameDialog::RenameDialog(const RenameDialogModel::Request& request, QWidget* parent)
    : QDialog(parent), m_model(request), m_drives(ListDrives(QDir::homePath())) {
    setObjectName(QStringLiteral("TRenameDialog"));
    setWindowTitle(m_model.caption());

    MakeDialogLabel("Info1", m_model.info1(), this);
    m_shortName = MakeEdit("RenEditShort", this);
    MakeDialogLabel("Info2", m_model.info2(), this);
    m_fullPath = MakeEdit("RenEdit", this);
    QLabel* info3 = MakeDialogLabel("Info3", m_model.info3(), this);

    m_favoritesPanel = new QFrame(this);
    m_favoritesPanel->setObjectName(QStringLiteral("SBPanel"));
    m_favoritesPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_favoritesButton = new QToolButton(m_favoritesPanel);
    m_favoritesButton->setObjectName(QStringLiteral("FavFoldersSB"));
    m_favoritesButton->setAutoRaise(true);
    m_favoritesButton->setIcon(style()->standardIcon(QStyle::SP_DirIcon, nullptr, this));
    SetHint(m_favoritesButton, QStringLiteral("Favorite Folders (F4)|"));
    m_favoritesMenu = new QMenu(this);
    m_favoritesMenu->setObjectName(QStringLiteral("FavFoldersPM"));

    m_folders = new QListWidget(this);
    m_folders->setObjectName(QStringLiteral("DirectoryListBox"));
    m_folders->setUniformItemSizes(true);
    m_folders->setIconSize(QSize(16, 16));

    m_drive = new QComboBox(this);
    m_drive->setObjectName(QStringLiteral("DriveComboBox1"));
    for (const Drive& drive : m_drives) {
        m_drive->addItem(drive.caption);
    }

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    // "&OK" in the move text is the OK button's key.
    info3->setBuddy(m_ok);

    MakeFixedDialog(this, m_model.clientSize());
    PlaceControls(this, m_model.placements());

    connect(m_shortName, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_model.editShortName(text);
        showFields();
    });
    connect(m_fullPath, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_model.editFullPath(text);
        showFields();
    });
    connect(m_drive, &QComboBox::activated, this, &RenameDialog::chooseDrive);
    // Choosing a line makes it the destination; opening it lists its subfolders.
    connect(m_folders, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item) {
            m_model.setFolder(item->data(Qt::UserRole).toString());
            showFields();
        }
    });
    connect(m_folders, &QListWidget::itemDoubleClicked, this, &RenameDialog::showFolder);
    connect(m_favoritesButton, &QToolButton::clicked, this, &RenameDialog::openFavorites);
    auto* favoritesKey = new QShortcut(QKeySequence(Qt::Key_F4), this);
    connect(favoritesKey, &QShortcut::activated, this, &RenameDialog::openFavorites);
    // Enter reaches OK through the default button, and only while it is enabled.
    connect(m_ok, &QPushButton::clicked, this, &RenameDialog::tryAccept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    showFields();
    showFolder();
}

void RenameDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(this);
    m_folders->scrollToItem(m_folders->currentItem(), QAbstractItemView::PositionAtCenter);
    if (m_model.focusShortName()) {
        m_shortName->setFocus(Qt::OtherFocusReason);
        m_shortName->selectAll();
    } else if (m_model.layout() == RenameDialogModel::Layout::Several) {
        m_folders->setFocus(Qt::OtherFocusReason);
    } else {
        m_fullPath->setFocus(Qt::OtherFocusReason);
    }
}

void RenameDialog::showFields() {
    // Only the field the user is not typing in changes; setting the same text would move the cursor.
    if (m_fullPath->text() != m_model.fullPath()) {
        m_fullPath->setText(m_model.fullPath());
    }
    if (m_shortName->text() != m_model.shortName()) {
        m_shortName->setText(m_model.shortName());
    }
    m_ok->setEnabled(m_model.canAccept());
}

void RenameDialog::showFolder() {
    const QString folder = m_model.folder();
    const qsizetype drive = DriveOfFolder(m_drives, folder);
    m_drive->setCurrentIndex(drive);
    const QString root = drive >= 0 ? m_drives[drive].rootPath : QStringLiteral("/");

    // The folders from the drive's root down to the box's folder, each a step further in, then the
    // folder's subfolders one step further still.
    QStringList chain{root};
    if (folder != root) {
        const QString below = folder.mid(FilePaths::Join(root, QString()).size());
        for (const QString& name : below.split(u'/', Qt::SkipEmptyParts)) {
            chain.append(FilePaths::Join(chain.constLast(), name));
        }
    }
    const QSignalBlocker blocker(m_folders);
    m_folders->clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon, nullptr, this);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirIcon, nullptr, this);
    const auto add = [this](const QString& path, const QString& name, int depth, const QIcon& icon) {
        auto* item = new QListWidgetItem(icon, QString(depth * 3, u' ') + name, m_folders);
        item->setData(Qt::UserRole, path);
        return item;
    };
    QListWidgetItem* current = nullptr;
    for (int depth = 0; depth < chain.size(); ++depth) {
        const QString& path = chain.at(depth);
        current = add(path, depth == 0 ? path : FilePaths::FileName(path), depth, openIcon);
    }
    const QStringList subfolders =
        QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : subfolders) {
        add(FilePaths::Join(folder, name), name, static_cast<int>(chain.size()), closedIcon);
    }
    m_folders->setCurrentItem(current);
    m_folders->scrollToItem(current, QAbstractItemView::PositionAtCenter);
}

void RenameDialog::chooseDrive(int index) {
    if (index < 0 || index >= m_drives.size()) {
        return;
    }
    m_model.setFolder(m_drives[index].rootPath);
    showFields();
    showFolder();
}

void RenameDialog::openFavorites() {
    if (!m_favoritesButton->isVisibleTo(this)) {
        return;
    }
    m_favoritesMenu->clear();
    for (const Favorites::MenuItem& item : m_model.favoritesMenu()) {
        QAction* action = m_favoritesMenu->addAction(item.caption);
        action->setEnabled(item.enabled);
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
        SetHint(action, item.hint);
        const int entry = item.index;
        connect(action, &QAction::triggered, this, [this, entry] {
            const QString error = m_model.chooseFavorite(entry);
            if (!error.isEmpty()) {
                QtPrompter(this).showMessage(Prompter::Kind::Error, error, Prompter::Buttons::Ok);
                return;
            }
            showFields();
            showFolder();
        });
    }
    m_favoritesMenu->popup(m_favoritesPanel->mapToGlobal(QPoint(0, m_favoritesPanel->height())));
}

void RenameDialog::tryAccept() {
    if (!m_model.canAccept()) {
        return;
    }
    const RenameDialogModel::Result result = m_model.accept();
    if (!result.error.isEmpty()) {
        QtPrompter(this).showMessage(Prompter::Kind::Error, result.error, Prompter::Buttons::Ok);
        return;
    }
    m_resultPath = result.path;
    accept();
}
