#include "gui/help/welcomebox.h"

#include "core/help/welcome.h"
#include "core/settings/preferences.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

WelcomeBox::WelcomeBox(Preferences& preferences, std::function<void(const QString&)> openHelp,
                       QWidget* parent)
    : QDialog(parent), m_preferences(preferences), m_openHelp(std::move(openHelp)) {
    setObjectName(QStringLiteral("TWelcomeBox"));
    setWindowTitle(Welcome::caption());

    auto* info = new QLabel(Welcome::text());
    info->setObjectName(QStringLiteral("Info"));
    info->setWordWrap(true);

    m_dontDisplay = new QCheckBox(QStringLiteral("&Don't display this message again"));
    m_dontDisplay->setObjectName(QStringLiteral("WelcomeBoxCB"));
    connect(m_dontDisplay, &QCheckBox::toggled, this,
            [this](bool on) { m_preferences.showWelcomeScreen = !on; });
    auto* continueButton = new QPushButton(QStringLiteral("&Continue"));
    continueButton->setObjectName(QStringLiteral("ContBtn"));
    continueButton->setDefault(true);
    connect(continueButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* right = new QVBoxLayout;
    right->addWidget(info);
    right->addWidget(createTipsPage(), 1);
    auto* columns = new QHBoxLayout;
    columns->addWidget(createLinks());
    columns->addLayout(right, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_dontDisplay);
    bottom->addStretch(1);
    bottom->addWidget(continueButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(bottom);
    displayTip();
}

QWidget* WelcomeBox::createLinks() {
    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("LinkPanel"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto* column = new QVBoxLayout(panel);
    for (const Welcome::Link& link : Welcome::links()) {
        // A flat button lights up under the mouse and opens its topic when the button is let go.
        auto* button = new QToolButton;
        button->setObjectName(link.name);
        button->setText(link.caption);
        button->setAutoRaise(true);
        button->setCursor(Qt::PointingHandCursor);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        connect(button, &QToolButton::clicked, this, [this, topic = link.topic] { m_openHelp(topic); });
        column->addWidget(button);
    }
    column->addStretch(1);
    return panel;
}

QWidget* WelcomeBox::createTipsPage() {
    auto* page = new QFrame;
    page->setObjectName(QStringLiteral("TipsPage"));
    page->setFrameShape(QFrame::StyledPanel);
    auto* column = new QVBoxLayout(page);
    m_heading = new QLabel;
    m_heading->setObjectName(QStringLiteral("TipOfTheDayLabel"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    column->addWidget(m_heading);
    for (size_t i = 0; i < m_lines.size(); ++i) {
        m_lines[i] = new QLabel;
        m_lines[i]->setObjectName(QStringLiteral("TipLine%1").arg(i + 1));
        m_lines[i]->setTextFormat(Qt::PlainText);
        column->addWidget(m_lines[i]);
    }
    // Wide enough for every tip, so that the box keeps its size while the user pages.
    int widest = 0;
    for (int number = 1; number <= Tips::kCount; ++number) {
        for (const QString& line : Tips::lines(number)) {
            widest = std::max(widest, m_lines.front()->fontMetrics().horizontalAdvance(line));
        }
    }
    m_lines.front()->setMinimumWidth(widest);
    m_more = new QLabel;
    m_more->setObjectName(QStringLiteral("TipTopicLink"));
    m_more->setText(QStringLiteral("<a href=\"#\">More about this in the help</a>"));
    connect(m_more, &QLabel::linkActivated, this, [this] { m_openHelp(Tips::tip(m_pager.number()).topic); });
    column->addWidget(m_more);
    column->addStretch(1);

    const auto repeatButton = [this](const char* name, const QString& caption, Qt::ArrowType arrow) {
        auto* button = new QToolButton;
        button->setObjectName(QString::fromLatin1(name));
        button->setText(caption);
        button->setArrowType(arrow);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        // Held down, the button pages on.
        button->setAutoRepeat(true);
        button->setAutoRepeatInterval(kRepeatIntervalMs);
        return button;
    };
    m_previous = repeatButton("PrevTipButton", QStringLiteral("&Previous Tip"), Qt::LeftArrow);
    m_next = repeatButton("NextTipButton", QStringLiteral("&Next Tip"), Qt::RightArrow);
    connect(m_previous, &QToolButton::clicked, this, [this] {
        m_pager.previous();
        displayTip();
    });
    connect(m_next, &QToolButton::clicked, this, [this] {
        m_pager.next();
        displayTip();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    column->addLayout(buttons);
    return page;
}

void WelcomeBox::showEvent(QShowEvent* event) {
    m_dontDisplay->setChecked(!m_preferences.showWelcomeScreen);
    showTip(Tips::randomNumber(*QRandomGenerator::global()));
    QDialog::showEvent(event);
}

void WelcomeBox::showTip(int number) {
    m_pager.show(number);
    displayTip();
}

void WelcomeBox::displayTip() {
    const int number = m_pager.number();
    const QStringList lines = Tips::lines(number);
    m_heading->setText(Tips::heading(number));
    for (size_t i = 0; i < m_lines.size(); ++i) {
        m_lines[i]->setText(lines.value(static_cast<qsizetype>(i)));
    }
    m_previous->setEnabled(m_pager.canGoBack());
    m_next->setEnabled(m_pager.canGoForward());
}
