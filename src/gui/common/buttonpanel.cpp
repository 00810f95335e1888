#include "gui/common/buttonpanel.h"

#include <QBoxLayout>
#include <QWidget>

namespace {
constexpr int kButtonHeight = 24;
}  // namespace

QWidget* CreateButtonPanel(QWidget* area, const QString& name, const QList<QWidget*>& controls,
                           Qt::Orientation direction) {
    auto* panel = new QWidget(area);
    panel->setObjectName(name);
    auto* layout =
        new QBoxLayout(direction == Qt::Vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(direction == Qt::Vertical ? 1 : 0);
    for (QWidget* control : controls) {
        control->setParent(panel);
        if (direction == Qt::Vertical) {
            control->setFixedHeight(kButtonHeight);
        }
        layout->addWidget(control);
    }
    return panel;
}
