#include "gui/playback/changepositiondialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <utility>

namespace {

// Minutes and seconds read as on a clock ("05"), hours with at least two digits.
class TimeSpinBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QString textFromValue(int value) const override {
        return QStringLiteral("%1").arg(value, 2, 10, QChar(u'0'));
    }
};

QSpinBox* MakeSpinBox(QSpinBox* box, const char* name, int maximum, QWidget* parent) {
    box->setParent(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(0, maximum);
    box->setAlignment(Qt::AlignRight);
    return box;
}

QLabel* MakeSeparator(QWidget* parent) {
    auto* label = new QLabel(QStringLiteral(":"), parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

ChangePositionDialog::ChangePositionDialog(qint64 total, int percent, std::function<void(int)> apply, QWidget* parent)
    : QDialog(parent), m_model(total, percent), m_apply(std::move(apply)) {
    setObjectName(QStringLiteral("TChangePosBox"));
    setWindowTitle(QStringLiteral("Change Position"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* heading = new QLabel(QStringLiteral("Change position in media to:"), this);
    heading->setObjectName(QStringLiteral("ChangePosLabel"));

    m_percent = MakeSpinBox(new QSpinBox, "SpinEdit", 100, this);
    auto* percentSign = new QLabel(QStringLiteral("%"), this);
    auto* percentGroup = new QGroupBox(QStringLiteral("Percent"), this);
    percentGroup->setObjectName(QStringLiteral("PercentGroup"));
    auto* percentRow = new QHBoxLayout(percentGroup);
    percentRow->addWidget(m_percent);
    percentRow->addWidget(percentSign);
    percentRow->addStretch(1);

    m_hours = MakeSpinBox(new TimeSpinBox, "HoursSE", 99, this);
    m_minutes = MakeSpinBox(new TimeSpinBox, "MinutesSE", 59, this);
    m_seconds = MakeSpinBox(new TimeSpinBox, "SecondsSE", 59, this);
    m_hours->setToolTip(QStringLiteral("Hours"));
    m_minutes->setToolTip(QStringLiteral("Minutes"));
    m_seconds->setToolTip(QStringLiteral("Seconds"));
    auto* exactGroup = new QGroupBox(QStringLiteral("Exact Position"), this);
    exactGroup->setObjectName(QStringLiteral("ExactPositionGroup"));
    auto* exactRow = new QHBoxLayout(exactGroup);
    exactRow->addWidget(m_hours);
    exactRow->addWidget(MakeSeparator(exactGroup));
    exactRow->addWidget(m_minutes);
    exactRow->addWidget(MakeSeparator(exactGroup));
    exactRow->addWidget(m_seconds);

    auto* tip = new QLabel(
        QStringLiteral("Tip: You can also change the position by using the scrollbar of the main window"),
        this);
    tip->setObjectName(QStringLiteral("TipLabel"));
    tip->setWordWrap(true);

    m_ok = new QPushButton(QStringLiteral("&Change Position"), this);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_ok->setDefault(true);
    m_close = new QPushButton(QStringLiteral("C&lose"), this);
    m_close->setObjectName(QStringLiteral("CloseBtn"));

    auto* groups = new QHBoxLayout;
    groups->addWidget(percentGroup);
    groups->addWidget(exactGroup, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(groups);
    layout->addWidget(tip);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // The tip wraps at the width the controls need, not at its own one-line width.
    tip->setMaximumWidth(groups->sizeHint().width());

    connect(m_percent, &QSpinBox::valueChanged, this, [this](int value) {
        m_model.setPercent(value);
        showModel();
    });
    const auto forward = [this](QSpinBox* box, ChangePosition::Field field) {
        connect(box, &QSpinBox::valueChanged, this, [this, field](int value) {
            m_model.setField(field, value);
            showModel();
        });
    };
    forward(m_hours, ChangePosition::Hours);
    forward(m_minutes, ChangePosition::Minutes);
    forward(m_seconds, ChangePosition::Seconds);
    connect(m_ok, &QPushButton::clicked, this, &ChangePositionDialog::applyTypedPosition);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    showModel();
}

void ChangePositionDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    selectPercent();
}

void ChangePositionDialog::applyTypedPosition() {
    if (!m_model.canApply()) {
        return;
    }
    if (m_apply) {
        m_apply(m_model.percent());
    }
    selectPercent();
}

void ChangePositionDialog::showModel() {
    // Setting a box from the model must not reach the model again as an edit.
    const auto show = [](QSpinBox* box, int value, int maximum, bool enabled) {
        const QSignalBlocker blocker(box);
        box->setMaximum(maximum);
        // Leaves the text alone while it already says this value, so typing is not disturbed.
        if (box->value() != value) {
            box->setValue(value);
        }
        box->setEnabled(enabled);
    };
    show(m_percent, m_model.percent(), 100, true);
    const std::pair<QSpinBox*, ChangePosition::Field> fields[] = {{m_hours, ChangePosition::Hours},
                                                                  {m_minutes, ChangePosition::Minutes},
                                                                  {m_seconds, ChangePosition::Seconds}};
    for (const auto& [box, field] : fields) {
        show(box, m_model.value(field), m_model.maximum(field), m_model.isEnabled(field));
    }
    m_ok->setEnabled(m_model.canApply());
}

void ChangePositionDialog::selectPercent() {
    m_percent->setFocus(Qt::OtherFocusReason);
    m_percent->selectAll();
}
