#include "gui/help/helpwindow.h"

#include "gui/help/helppages.h"

#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kAnchorRole = Qt::UserRole;

QToolButton* toolButton(QWidget* parent, const char* name, const QString& caption, const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolTip(tip);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    return button;
}

}  // namespace

HelpWindow::HelpWindow(const QString& helpFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_folder(helpFolder), m_index(HelpPages::read(helpFolder)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Velmaro Help"));
    createControls();
    resize(760, 560);
}

void HelpWindow::createControls() {
    auto* contents = toolButton(this, "ContentsBtn", QStringLiteral("&Contents"), QStringLiteral("Show the contents"));
    auto* back = toolButton(this, "BackBtn", QStringLiteral("&Back"), QStringLiteral("Go back to the page you saw before"));
    auto* forward = toolButton(this, "ForwardBtn", QStringLiteral("&Forward"), QStringLiteral("Go forward again"));
    m_searchButton = toolButton(this, "SearchBtn", QStringLiteral("&Search"), QStringLiteral("Find the topics that hold a word"));
    m_searchButton->setCheckable(true);
    auto* helpOnHelp = toolButton(this, "HelpOnHelpBtn", QStringLiteral("&Help On Help"),
                                  QStringLiteral("How to use this window"));
    back->setEnabled(false);
    forward->setEnabled(false);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({m_folder});

    m_searchPanel = new QWidget(this);
    m_searchPanel->setObjectName(QStringLiteral("SearchPanel"));
    m_searchEdit = new QLineEdit(m_searchPanel);
    m_searchEdit->setObjectName(QStringLiteral("SearchEdit"));
    m_searchEdit->setPlaceholderText(QStringLiteral("Type the first letters of a word"));
    m_searchEdit->setClearButtonEnabled(true);
    m_searchEdit->installEventFilter(this);
    auto* searchLabel = new QLabel(QStringLiteral("Find &topics with:"), m_searchPanel);
    searchLabel->setBuddy(m_searchEdit);
    m_searchInfo = new QLabel(m_searchPanel);
    m_searchInfo->setObjectName(QStringLiteral("SearchInfo"));
    m_searchInfo->setWordWrap(true);
    m_results = new QListWidget(m_searchPanel);
    m_results->setObjectName(QStringLiteral("SearchResults"));
    auto* panelLayout = new QVBoxLayout(m_searchPanel);
    panelLayout->setContentsMargins(4, 4, 0, 4);
    panelLayout->addWidget(searchLabel);
    panelLayout->addWidget(m_searchEdit);
    panelLayout->addWidget(m_searchInfo);
    panelLayout->addWidget(m_results, 1);
    m_searchPanel->hide();

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_searchPanel);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 540});

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 2, 4, 0);
    for (QToolButton* button : {contents, back, forward, m_searchButton, helpOnHelp}) {
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);

    connect(contents, &QToolButton::clicked, this, [this] { showTopic(QStringLiteral("Contents")); });
    connect(back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    connect(helpOnHelp, &QToolButton::clicked, this, &HelpWindow::showHelpOnHelp);
    // Alt+Left and Alt+Right as in a web browser, beside the buttons' own Alt+B and Alt+F.
    connect(new QShortcut(QKeySequence::Back, this), &QShortcut::activated, m_browser, &QTextBrowser::backward);
    connect(new QShortcut(QKeySequence::Forward, this), &QShortcut::activated, m_browser, &QTextBrowser::forward);
    connect(m_searchButton, &QToolButton::toggled, this, [this](bool on) {
        if (on) {
            showSearch(m_searchEdit->text());
        } else {
            m_searchPanel->hide();
        }
    });
    connect(m_searchEdit, &QLineEdit::textChanged, this, &HelpWindow::runSearch);
    connect(m_searchEdit, &QLineEdit::returnPressed, this, &HelpWindow::openFirstResult);
    connect(m_results, &QListWidget::itemActivated, this, &HelpWindow::openResult);
    connect(m_results, &QListWidget::itemClicked, this, &HelpWindow::openResult);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this,
            [this] { showSearch(m_searchEdit->text()); });
    // F1 inside the help explains the help, as it does in the main window for the program.
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, &HelpWindow::showHelpOnHelp);
}

void HelpWindow::showTopic(const QString& topic) {
    const HelpTopic* found = m_index.find(topic);
    if (!found) {
        found = m_index.find(QStringLiteral("Contents"));
    }
    if (found) {
        QUrl page = QUrl::fromLocalFile(QDir(m_folder).filePath(found->page));
        page.setFragment(found->anchor);
        m_browser->setSource(page);
    } else {
        m_browser->setHtml(QStringLiteral("<p>The help pages were not found in <code>%1</code>.</p>"
                                          "<p>Reinstalling Velmaro puts them back.</p>")
                               .arg(QDir::toNativeSeparators(m_folder).toHtmlEscaped()));
    }
    bringUp();
}

void HelpWindow::showSearch(const QString& key) {
    m_searchPanel->show();
    {
        const QSignalBlocker blocker(m_searchButton);
        m_searchButton->setChecked(true);
    }
    if (m_browser->source().isEmpty() && m_browser->document()->isEmpty()) {
        showTopic(QStringLiteral("Contents"));
    }
    m_searchEdit->setText(key);
    runSearch(key);  // also when the text was already the key
    bringUp();
    m_searchEdit->setFocus();
    m_searchEdit->selectAll();
}

void HelpWindow::showHelpOnHelp() {
    showTopic(QString::fromLatin1(kHelpOnHelpTopic));
}

void HelpWindow::bringUp() {
    show();
    raise();
    activateWindow();
}

void HelpWindow::runSearch(const QString& key) {
    std::vector<HelpTopic> found = m_index.search(key);
    const bool listAll = HelpIndex::words(key).isEmpty();
    if (listAll) {
        // Without a word the panel is an index of every topic, by title.
        found = m_index.topics();
        std::stable_sort(found.begin(), found.end(), [](const HelpTopic& a, const HelpTopic& b) {
            return QString::localeAwareCompare(a.title, b.title) < 0;
        });
    }
    m_results->clear();
    for (const HelpTopic& topic : found) {
        auto* item = new QListWidgetItem(topic.title, m_results);
        item->setData(kAnchorRole, topic.anchor);
    }
    if (!found.empty()) {
        m_results->setCurrentRow(0);
    }
    if (listAll) {
        m_searchInfo->setText(QStringLiteral("All %1 topics:").arg(found.size()));
    } else if (found.empty()) {
        m_searchInfo->setText(QStringLiteral("No topic holds every word you typed."));
    } else if (found.size() == 1) {
        m_searchInfo->setText(QStringLiteral("1 topic found:"));
    } else {
        m_searchInfo->setText(QStringLiteral("%1 topics found, best first:").arg(found.size()));
    }
}

// Up and Down in the search field walk the results, so that typing, choosing and Enter need no mouse.
bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_searchEdit && event->type() == QEvent::KeyPress && m_results->count() > 0) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            const int row = std::clamp(m_results->currentRow() + (key == Qt::Key_Down ? 1 : -1), 0, m_results->count() - 1);
            m_results->setCurrentRow(row);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::openResult(const QListWidgetItem* item) {
    if (item) {
        showTopic(item->data(kAnchorRole).toString());
    }
}

void HelpWindow::openFirstResult() {
    openResult(m_results->currentItem() ? m_results->currentItem() : m_results->item(0));
}
