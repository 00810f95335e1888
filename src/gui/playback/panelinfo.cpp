#include "gui/playback/panelinfo.h"

#include "core/shell/statuspanels.h"
#include "gui/playback/indicatorglyphs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int kShapeWidth = 4;

}  // namespace

PanelInfo::PanelInfo(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PanelInfo"));
    // Status bar type, a point smaller than the lists', so that the panels leave room for the name.
    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1));
    setFont(small);
    m_panelWidth = fontMetrics().horizontalAdvance(QStringLiteral(" Remaining: 00:00:00")) + 22;
    createTimePanel(Length, QStringLiteral("LengthPanel"), QStringLiteral(" Length:"), QStringLiteral("FileLength"),
                    QStringLiteral("LengthSB"));
    createTimePanel(Position, QStringLiteral("PosPanel"), QStringLiteral(" Position:"), QStringLiteral("FilePos"),
                    QStringLiteral("PosSB"));
    createTimePanel(Remaining, QStringLiteral("RemPanel"), QStringLiteral(" Remaining:"),
                    QStringLiteral("TimeLeftFile"), QStringLiteral("RemSB"));

    m_album = new QLabel(this);
    m_album->setObjectName(QStringLiteral("AlbumPanel"));
    m_album->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_playListButton = CreateModeButton(m_album, QStringLiteral("PLSB"));
    m_playListButton->setToolTip(QStringLiteral("Favorite Play Lists"));
    m_shape = new QWidget(m_album);
    m_shape->setObjectName(QStringLiteral("PLShape"));
    m_shape->setFixedWidth(kShapeWidth);
    arrange();
}

QFrame* PanelInfo::createTimePanel(Panel panel, const QString& name, const QString& caption, const QString& valueName,
                                   const QString& buttonName) {
    auto* frame = new QFrame(this);
    frame->setObjectName(name);
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* layout = new QHBoxLayout(frame);
    layout->setContentsMargins(1, 0, 1, 0);
    layout->setSpacing(2);
    layout->addWidget(new QLabel(caption, frame));
    auto* value = new QLabel(QStringLiteral("N / A"), frame);
    value->setObjectName(valueName);
    layout->addWidget(value, 1);
    QToolButton* button = CreateModeButton(frame, buttonName);
    layout->addWidget(button);
    m_panels[panel] = frame;
    m_values[panel] = value;
    m_buttons[panel] = button;
    return frame;
}

void PanelInfo::setPanels(const QString& digits) {
    m_digits = digits;
    arrange();
}

int PanelInfo::albumTextWidth() const {
    return m_album->contentsRect().width() - m_playListButton->width() - kShapeWidth - 3;
}

QSize PanelInfo::sizeHint() const {
    return {4 * (m_panelWidth + 5), minimumSizeHint().height()};
}

QSize PanelInfo::minimumSizeHint() const {
    return {m_panelWidth, fontMetrics().height() + 8};
}

void PanelInfo::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange();
}

void PanelInfo::arrange() {
    const StatusPanelLayout layout = ArrangeStatusPanels(
        StatusPanelCaptions(m_digits), {width(), m_panelWidth, m_playListButton->width()});
    for (QFrame* panel : m_panels) {
        panel->hide();
    }
    m_album->hide();
    const int height = this->height() - 2;
    for (const StatusPanelGeometry& placed : layout.shown) {
        QWidget* panel = findChild<QWidget*>(placed.name, Qt::FindDirectChildrenOnly);
        panel->setGeometry(placed.left, 1, placed.width, height);
        panel->show();
    }
    const int buttonTop = (height - m_playListButton->height()) / 2;
    m_playListButton->move(layout.albumButtonLeft, buttonTop);
    m_shape->setGeometry(layout.albumButtonLeft + m_playListButton->width(), 0, kShapeWidth, height);
    Q_EMIT albumResized();
}
