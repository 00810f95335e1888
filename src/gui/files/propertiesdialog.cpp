#include "gui/files/propertiesdialog.h"

#include "core/files/fileproperties.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* field(const char* name, const QString& text, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setFrame(false);
    return edit;
}

QCheckBox* attribute(const char* name, const char* caption, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}

}  // namespace

PropertiesDialog::PropertiesDialog(FileProperties& properties, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TPropBox"));
    setWindowTitle(QStringLiteral("Properties"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(QStringLiteral("Filename"), field("NameEdit", properties.name(), this));
    form->addRow(QStringLiteral("Size"), field("SizeEdit", properties.sizeText(), this));
    form->addRow(QStringLiteral("Time"), field("TimeEdit", properties.timeText(), this));
    layout->addLayout(form);

    auto* group = new QGroupBox(QStringLiteral("&Attributes"), this);
    group->setObjectName(QStringLiteral("AttrGB"));
    auto* grid = new QGridLayout(group);
    QCheckBox* readOnly = attribute("ReadOnlyCB", "Read only", properties.readOnly(), group);
    QCheckBox* archive = attribute("ArchiveCB", "Archive", false, group);
    QCheckBox* system = attribute("SystemCB", "System", false, group);
    QCheckBox* hidden = attribute("HiddenCB", "Hidden", properties.hidden(), group);
    // Only read only is an attribute a file here can change without being renamed.
    for (QCheckBox* fixed : {archive, system, hidden}) {
        fixed->setEnabled(false);
    }
    grid->addWidget(readOnly, 0, 0);
    grid->addWidget(archive, 0, 1);
    grid->addWidget(system, 1, 0);
    grid->addWidget(hidden, 1, 1);
    layout->addWidget(group);

    auto* apply = new QPushButton(QStringLiteral("&Apply"), this);
    apply->setObjectName(QStringLiteral("ApplyBtn"));
    apply->setEnabled(!properties.name().isEmpty());
    apply->setAutoDefault(false);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setDefault(true);  // Enter and Escape both close without changes
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(apply);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(apply, &QPushButton::clicked, this, [this, &properties, readOnly] {
        properties.apply(readOnly->isChecked());
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedWidth(320);
}
