#include "gui/common/spinbutton.h"

#include <QToolButton>

namespace {

QToolButton* MakeArrow(const char* name, Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    // The arrows step the value; the focus stays in the field the user types in.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

SpinButton::SpinButton(QWidget* parent)
    : QWidget(parent),
      m_up(MakeArrow("UpButton", Qt::UpArrow, this)),
      m_down(MakeArrow("DownButton", Qt::DownArrow, this)) {
    setObjectName(QStringLiteral("SpinButton"));
    connect(m_up, &QToolButton::clicked, this, &SpinButton::upClicked);
    connect(m_down, &QToolButton::clicked, this, &SpinButton::downClicked);
}

void SpinButton::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int upper = height() / 2;
    m_up->setGeometry(0, 0, width(), upper);
    m_down->setGeometry(0, upper, width(), height() - upper);
}
