#include "gui/settings/colourbutton.h"

#include "core/settings/preferences.h"
#include "gui/settings/settingcolour.h"

#include <QApplication>
#include <QColorDialog>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

namespace {

QIcon swatch(const QColor& colour) {
    QPixmap picture(28, 14);
    picture.fill(colour);
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    return QIcon(picture);
}

int settingOf(const QColor& colour) {
    return Colour::rgb(colour.red(), colour.green(), colour.blue());
}

}  // namespace

ColourButton::ColourButton(QWidget* parent) : QToolButton(parent) {
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(28, 14));
    auto* menu = new QMenu(this);
    const QPalette desktop = QApplication::palette();
    for (const auto& [caption, value] : {std::pair{"Button Face", Colour::kButtonFace},
                                         std::pair{"Window Text", Colour::kWindowText}}) {
        menu->addAction(swatch(colourFromSetting(value, desktop)), QString::fromLatin1(caption), this,
                        [this, value = value] { choose(value); });
    }
    menu->addSeparator();
    const Qt::GlobalColor plain[] = {Qt::black,    Qt::darkRed,  Qt::darkGreen, Qt::darkYellow, Qt::darkBlue, Qt::darkMagenta,
                                     Qt::darkCyan, Qt::gray,     Qt::darkGray,  Qt::red,        Qt::green,    Qt::yellow,
                                     Qt::blue,     Qt::magenta,  Qt::cyan,      Qt::white};
    for (const Qt::GlobalColor colour : plain) {
        const QColor shade(colour);
        menu->addAction(swatch(shade), shade.name(), this, [this, shade] { choose(settingOf(shade)); });
    }
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Other..."), this, &ColourButton::chooseOther);
    setMenu(menu);
}

void ColourButton::setValue(int value) {
    m_value = value;
    setIcon(swatch(colourFromSetting(value, QApplication::palette())));
}

void ColourButton::choose(int value) {
    setValue(value);
    Q_EMIT chosen(value);
}

void ColourButton::chooseOther() {
    const QColor colour = QColorDialog::getColor(colourFromSetting(m_value, QApplication::palette()), this);
    if (colour.isValid()) {
        choose(settingOf(colour));
    }
}
