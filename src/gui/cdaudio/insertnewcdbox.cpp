#include "gui/cdaudio/insertnewcdbox.h"

#include "gui/cdaudio/cddialogframe.h"
#include "gui/files/fixeddialog.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kClientWidth = 360;
constexpr int kButtonTop = 64;
// The full form adds a row for the Play button beside a Cancel button as tall as both rows.
constexpr int kCompactCancelHeight = 25;
constexpr int kFullCancelHeight = 49;
constexpr int kCompactHeight = 97;
constexpr int kFullHeight = 121;

}  // namespace

InsertNewCDBox::InsertNewCDBox(const QString& discName, bool full, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TInsertNewCDBox"));
    setWindowTitle(QStringLiteral("Insert New CD"));

    MakeDialogLabel("Info", QStringLiteral("Please insert the CD with the following name:"), this)
        ->setGeometry(8, 8, kClientWidth - 16, 16);
    auto* name = new QLabel(this);
    name->setObjectName(QStringLiteral("NameOfCDLabel"));
    // The name as the user typed it: plain text, and with no buddy an "&" is shown, not taken as a key.
    name->setTextFormat(Qt::PlainText);
    name->setText(discName);
    name->setAlignment(Qt::AlignCenter);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    name->setGeometry(8, 30, kClientWidth - 16, 24);

    auto* correct = new QPushButton(QStringLiteral("The C&orrect CD Has Now Been Inserted"), this);
    correct->setObjectName(QStringLiteral("CorrectCDBtn"));
    correct->setDefault(true);
    correct->setGeometry(8, kButtonTop, 264, 25);
    auto* play = new QPushButton(QStringLiteral("&Play This Track Number From The Current CD"), this);
    play->setObjectName(QStringLiteral("PlayThisTrackBtn"));
    play->setGeometry(8, kButtonTop + 24, 264, 25);
    play->setVisible(full);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setGeometry(280, kButtonTop, 72, full ? kFullCancelHeight : kCompactCancelHeight);

    connect(correct, &QPushButton::clicked, this, [this] { done(Retry); });
    connect(play, &QPushButton::clicked, this, [this] { done(Ignore); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    MakeCDDialog(this, QSize(kClientWidth, full ? kFullHeight : kCompactHeight));
}

void InsertNewCDBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    findChild<QPushButton*>(QStringLiteral("CorrectCDBtn"))->setFocus(Qt::OtherFocusReason);
}
