#include "gui/files/fixeddialog.h"

#include <QDialog>
#include <QLabel>
#include <QScreen>

void MakeFixedDialog(QDialog* dialog, QSize clientSize) {
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint);
    // The pixel positions leave room for lines of an 11-pixel font; a larger desktop font would overlap them.
    QFont font = dialog->font();
    font.setPixelSize(11);
    dialog->setFont(font);
    dialog->setFixedSize(clientSize);
}

void PlaceControls(QWidget* dialog, const std::vector<DialogPlacement>& placements) {
    for (const DialogPlacement& placement : placements) {
        QWidget* control = dialog->findChild<QWidget*>(QString::fromLatin1(placement.name));
        if (!control) {
            continue;
        }
        control->setGeometry(placement.rect);
        control->setVisible(placement.visible);
    }
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) {
        return;
    }
    const QRect frame = window->frameGeometry();
    window->move(window->pos() + screen->availableGeometry().center() - frame.center());
}

QLabel* MakeDialogLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}
