#include "gui/cdaudio/cddbsavewarningbox.h"

#include "gui/cdaudio/cddialogframe.h"
#include "gui/files/fixeddialog.h"

#include <QCheckBox>
#include <QLabel>

CDDBSaveWarningBox::CDDBSaveWarningBox(bool askInFuture, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TCDDBSaveWarningBox"));
    setWindowTitle(QStringLiteral("Confirmation"));

    MakeDialogLabel("Info",
                    QStringLiteral("Are you sure you want to make changes to the CD Database? Previously entered "
                                   "information will be overwritten."),
                    this)
        ->setGeometry(12, 10, 296, 42);
    m_future = new QCheckBox(QStringLiteral("&Display this message in the future"), this);
    m_future->setObjectName(QStringLiteral("FutureCB"));
    m_future->setChecked(askInFuture);
    m_future->setGeometry(12, 58, 296, 17);
    AddOkCancelButtons(this, 82, 86);

    MakeCDDialog(this, QSize(320, 121));
}

bool CDDBSaveWarningBox::askInFuture() const {
    return m_future->isChecked();
}
