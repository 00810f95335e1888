#include "gui/files/deletedialog.h"

#include "gui/files/fixeddialog.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

DeleteDialog::DeleteDialog(const DeleteDialogModel::Request& request, QWidget* parent)
    : QDialog(parent), m_model(request) {
    setObjectName(QStringLiteral("TWarningDialog"));
    setWindowTitle(m_model.caption());

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);

    MakeDialogLabel("Info", m_model.info(), this);
    auto* name = new QLineEdit(m_model.nameText(), this);
    name->setObjectName(QStringLiteral("NameEdit"));
    name->setReadOnly(true);
    name->setFrame(false);
    name->setFocusPolicy(Qt::ClickFocus);
    // Read as a label on the dialog, not as a field to type in.
    name->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    MakeDialogLabel("PLWarningLabel", m_model.playListWarning(), this);
    MakeDialogLabel("MultipleFilesLabel", DeleteDialogModel::multipleFilesText(), this);

    auto* list = new QListWidget(this);
    list->setObjectName(QStringLiteral("ListBox"));
    list->addItems(m_model.lines());
    // The horizontal range follows the widest line, however long.
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setWordWrap(false);

    m_recycleBin = new QCheckBox(QStringLiteral("&Send file(s) to Trash"), this);
    m_recycleBin->setObjectName(QStringLiteral("RecycleBinCB"));
    m_recycleBin->setChecked(m_model.recycleBin());

    auto* ok = new QPushButton(QStringLiteral("&Delete"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    MakeFixedDialog(this, m_model.clientSize());
    PlaceControls(this, m_model.placements());
}

bool DeleteDialog::recycleBin() const {
    // A folder's box hides the check box, which then keeps the stored choice: storing it changes nothing.
    return m_recycleBin->isChecked();
}

void DeleteDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(this);
    findChild<QPushButton*>(QStringLiteral("OKBtn"))->setFocus(Qt::OtherFocusReason);
}
