#include "gui/palette/choicecolumns.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A mark in front of a line: a tick for a played item, a dot for the one that plays.
QIcon markIcon(bool played, bool playing, const QColor& colour) {
    QPixmap picture(12, 12);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 1.6));
    if (playing) {
        painter.setBrush(colour);
        painter.drawEllipse(QPointF(6, 6), 3, 3);
    } else if (played) {
        painter.drawPolyline(QPolygonF({QPointF(2, 6), QPointF(5, 9), QPointF(10, 3)}));
    }
    return QIcon(picture);
}

QVBoxLayout* newColumn(QHBoxLayout* row, bool withBar) {
    if (withBar) {
        auto* bar = new QFrame;
        bar->setFrameShape(QFrame::VLine);
        bar->setFrameShadow(QFrame::Sunken);
        row->addWidget(bar);
    }
    auto* column = new QVBoxLayout;
    column->setSpacing(0);
    column->setContentsMargins(0, 0, 0, 0);
    row->addLayout(column);
    return column;
}

}  // namespace

ChoiceColumns::ChoiceColumns(const std::vector<ListChoice>& choices, QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(2);
    QVBoxLayout* column = newColumn(row, false);
    const QColor text = palette().color(QPalette::WindowText);
    for (const ListChoice& choice : choices) {
        if (choice.startsColumn) {
            column->addStretch(1);
            column = newColumn(row, true);
        }
        auto* button = new QPushButton(markIcon(choice.played, choice.playing, text), choice.caption);
        button->setObjectName(QStringLiteral("ListItem%1").arg(choice.line));
        button->setFlat(true);
        button->setFocusPolicy(Qt::TabFocus);
        button->setStyleSheet(QStringLiteral("QPushButton { text-align: left; padding: 2px 10px 2px 4px; }"));
        connect(button, &QPushButton::clicked, this, [this, line = choice.line] { Q_EMIT chosen(line); });
        column->addWidget(button);
        m_buttons.push_back(button);
    }
    column->addStretch(1);
}

QPushButton* ChoiceColumns::button(qsizetype line) const {
    return line >= 0 && line < static_cast<qsizetype>(m_buttons.size()) ? m_buttons[static_cast<size_t>(line)]
                                                                        : nullptr;
}
