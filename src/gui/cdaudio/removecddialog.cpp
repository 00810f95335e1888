#include "gui/cdaudio/removecddialog.h"

#include "gui/cdaudio/cddialogframe.h"
#include "gui/files/fixeddialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

RemoveCDDialog::RemoveCDDialog(const QString& discName, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TRemoveCDDialog"));
    setWindowTitle(QStringLiteral("Remove CD Entry"));

    MakeDialogLabel("Info1",
                    QStringLiteral("All information you have entered about this CD including names of tracks will "
                                   "be removed. Are you sure you want to continue?"),
                    this)
        ->setGeometry(12, 10, 296, 42);
    MakeDialogLabel("Info2", QStringLiteral("The CD you are about to remove is:"), this)->setGeometry(12, 58, 296, 16);
    auto* name = new QLineEdit(discName, this);
    name->setObjectName(QStringLiteral("Name"));
    name->setReadOnly(true);
    name->setFrame(false);
    name->setFocusPolicy(Qt::ClickFocus);
    // Read as a line of the box, not as a field to type in.
    name->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; font-weight: bold; }"));
    name->setGeometry(12, 76, 296, 18);
    name->setCursorPosition(0);
    m_ok = AddOkCancelButtons(this, 82, 104);

    MakeCDDialog(this, QSize(320, 139));
}

void RemoveCDDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_ok->setFocus(Qt::OtherFocusReason);
}
