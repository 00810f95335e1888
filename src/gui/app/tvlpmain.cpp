#include "gui/app/tvlpmain.h"

#include "core/common/fittext.h"
#include "core/settings/shortcutvalue.h"
#include "core/shell/menutable.h"
#include "gui/app/mainbusyindicator.h"
#include "gui/app/qtprompter.h"
#include "gui/app/widgettextmeasurer.h"
#include "gui/playlist/playlistbox.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

namespace {
constexpr int kInitialWidth = 473;
constexpr int kInitialHeight = 364;
}  // namespace

TVLPMain::TVLPMain(Options options, QWidget* parent) : QMainWindow(parent), m_options(std::move(options)) {
    setObjectName(QStringLiteral("TVLPMain"));
    setWindowTitle(AppSession::title());
    resize(kInitialWidth, kInitialHeight);

    Prompter* prompter = m_options.prompter;
    if (!prompter) {
        m_ownPrompter = std::make_unique<QtPrompter>(this);
        prompter = m_ownPrompter.get();
    }
    m_measurer = std::make_unique<WidgetTextMeasurer>(this);
    m_busy = std::make_unique<MainBusyIndicator>(this);
    m_session = std::make_unique<AppSession>(m_options.folders,
                                             AppSession::Ports{*prompter, m_busy.get(), m_measurer.get()});

    m_playListBox = new PlayListBox(m_session->playList(), this);
    setCentralWidget(m_playListBox);
    createMenus();
    createStatusBar();

    connect(&m_session->document(), &PlayListDocument::fileNameChanged, this, &TVLPMain::updateAlbumPanel);
    m_session->FormCreate();
}

TVLPMain::~TVLPMain() = default;

void TVLPMain::createMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("FileM"));
    for (const MenuEntry& entry : FileMenuEntries()) {
        auto* action = new QAction(entry.caption, this);
        action->setObjectName(entry.name);
        action->setStatusTip(entry.hint);
        action->setToolTip(QString(entry.caption).remove(u'&'));
        const QKeyCombination key = ShortcutValue::toKeyCombination(entry.shortcut);
        if (key.key() != Qt::Key_unknown) {
            action->setShortcut(QKeySequence(key));
        }
        file->addAction(action);
        m_actions.insert(entry.name, action);
    }
    PlayListDocument& document = m_session->document();
    connect(m_actions.value(QStringLiteral("NewM")), &QAction::triggered, this, [&document] { document.NewPlayList(); });
    connect(m_actions.value(QStringLiteral("OpenM")), &QAction::triggered, this,
            [&document] { document.OpenPlayList(QString(), true, false); });
    connect(m_actions.value(QStringLiteral("SaveM")), &QAction::triggered, this,
            [&document] { document.SavePlayList(false); });
    connect(m_actions.value(QStringLiteral("SaveAsM")), &QAction::triggered, this,
            [&document] { document.SavePlayList(true); });
    connect(m_actions.value(QStringLiteral("ExitM")), &QAction::triggered, this, &QWidget::close);
}

void TVLPMain::createStatusBar() {
    m_albumPanel = new QLabel(this);
    m_albumPanel->setObjectName(QStringLiteral("AlbumPanel"));
    m_albumPanel->setMinimumWidth(120);
    statusBar()->addPermanentWidget(m_albumPanel, 1);
    updateAlbumPanel();
}

void TVLPMain::updateAlbumPanel() {
    const int width = std::max(m_albumPanel->width(), m_albumPanel->minimumWidth());
    m_albumPanel->setText(FitText(*m_measurer, width, m_session->document().albumPanelCaption()));
    m_albumPanel->setToolTip(m_session->document().fileName());
}

void TVLPMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    m_session->FormShow(m_options.parameters, m_options.baseFolder);
    m_playListBox->setFocus();
}

void TVLPMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    updateAlbumPanel();
}

void TVLPMain::closeEvent(QCloseEvent* event) {
    if (!m_session->FormCloseQuery()) {
        event->ignore();
        return;
    }
    m_session->FormClose();
    event->accept();
}

QString TVLPMain::commandAvailability(const QString& name) const {
    if (name == QStringLiteral("exit")) {
        return {};
    }
    return QStringLiteral("Velmaro cannot carry out the command \"%1\" in this version.").arg(name);
}

void TVLPMain::runCommand(const QString& name) {
    if (name == QStringLiteral("exit")) {
        close();
    }
}

void TVLPMain::bringToFront() {
    if (isMinimized()) {
        showNormal();
    }
    show();
    raise();
    activateWindow();
}
