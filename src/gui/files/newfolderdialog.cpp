#include "gui/files/newfolderdialog.h"

#include "gui/files/fixeddialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

NewFolderDialog::NewFolderDialog(const QString& parentFolder, QWidget* parent)
    : QDialog(parent), m_name(new QLineEdit(this)), m_ok(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("TNewDirBox"));
    setWindowTitle(QStringLiteral("Create New Folder"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* info = MakeDialogLabel("Info", QStringLiteral("&Name of new folder:"), this);
    info->setBuddy(m_name);
    info->setWordWrap(false);  // one short line: wrapping would reserve room for more
    m_name->setObjectName(QStringLiteral("NewDirEdit"));
    auto* where = MakeDialogLabel("Label1",
                                  QStringLiteral("This folder will be created as a subfolder of the currently selected "
                                                 "folder in the Folder List of the main window. This is currently:"),
                                  this);
    auto* parentEdit = new QLineEdit(parentFolder, this);
    parentEdit->setObjectName(QStringLiteral("ParentDirEdit"));
    parentEdit->setReadOnly(true);
    parentEdit->setFrame(false);
    auto* hint = MakeDialogLabel("Label2",
                                 QStringLiteral("If you do not wish to create this new folder as a subfolder of the one "
                                                "listed above, please press Cancel and change the parent folder using "
                                                "the Folder List of the main window."),
                                 this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_ok->setDefault(true);
    m_ok->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    for (QWidget* widget : std::initializer_list<QWidget*>{info, m_name, where, parentEdit, hint}) {
        layout->addWidget(widget);
    }
    layout->addLayout(buttons);
    connect(m_name, &QLineEdit::textChanged, this, [this](const QString& text) { m_ok->setEnabled(!text.isEmpty()); });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedWidth(360);
    m_name->setFocus();
}

QString NewFolderDialog::name() const {
    return m_name->text();
}
