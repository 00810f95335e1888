#include "gui/shell/mainarea.h"

#include "core/app/appsession.h"
#include "core/common/fittext.h"
#include "gui/cdaudio/cdaudiolistbox.h"
#include "gui/cdaudio/cdaudiopanel.h"
#include "gui/cdaudio/trackcolumnbox.h"
#include "gui/files/filelistbox.h"
#include "gui/files/filemanagementpanel.h"
#include "gui/files/folderlistbox.h"
#include "gui/shell/righthandcontrols.h"
#include "gui/common/widgettextmeasurer.h"
#include "gui/playlist/playlistbox.h"
#include "gui/playlist/playlistpanel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

MainArea::MainArea(AppSession& session, QWidget* parent)
    : QWidget(parent), m_session(session), m_playList(new PlayListPanel(session, this)), m_splitter(new QWidget(this)) {
    setObjectName(QStringLiteral("TiledBitmap"));
    m_components.fill(true);
    CreateRightHandControls(this, session.commands());
    m_files = new FileManagementPanel(session, this);
    connect(m_files, &FileManagementPanel::fileListFilledOrEmptied, this, &MainArea::relayout);
    m_cdAudio = new CDAudioPanel(session.cdAudio(), session, this);
    m_splitter->setObjectName(QStringLiteral("ResizePaintBox"));
    m_splitter->setCursor(Qt::SplitHCursor);
    m_splitter->setMouseTracking(true);
    m_splitter->installEventFilter(this);
    setMouseTracking(true);
}

void MainArea::setComponents(const ComponentFlags& components) {
    m_components = components;
    relayout();
}

void MainArea::setBackground(const QPixmap& picture) {
    m_background = picture;
    update();
}

void MainArea::setColours(const QColor& background, const QColor& labelText) {
    m_backgroundColour = background;
    for (const char* name : {"PlayListBoxInfo", "FileListBoxInfo", "Info", "DirLabel"}) {
        if (auto* label = findChild<QWidget*>(QString::fromLatin1(name))) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, labelText);
            label->setPalette(palette);
        }
    }
    update();
}

void MainArea::setListsFont(const QFont& font) {
    m_playList->box()->setListFont(font);
    for (QWidget* list : std::initializer_list<QWidget*>{m_files->fileListBox(), m_files->folderListBox(),
                                                         m_cdAudio->listBox(), m_cdAudio->numberBox(),
                                                         m_cdAudio->lengthBox()}) {
        list->setFont(font);
    }
    relayout();
}

// Sizes the layout keeps as the controls want them.
ControlSizes MainArea::controlSizes() const {
    ControlSizes sizes;
    const auto hint = [this](const char* name) {
        const QWidget* widget = findChild<QWidget*>(QString::fromLatin1(name));
        return widget ? widget->sizeHint() : QSize();
    };
    const QSize add = hint("AddBtnsPanel");
    const QSize remove = hint("RemoveBtnsPanel");
    const QSize files = hint("FileManPanel");
    const int buttonWidth = std::max({add.width(), remove.width(), files.width(), 80});
    sizes.addButtons = QSize(buttonWidth, add.height());
    sizes.removeButtonsHeight = remove.height();
    sizes.fileManHeight = files.height();
    if (const QWidget* info = findChild<QWidget*>(QStringLiteral("Info"))) {
        sizes.infoHeight = info->heightForWidth(buttonWidth);
    }
    sizes.spinButtonHeight = hint("SpinButton").height();
    sizes.pathEditHeight = hint("FullPathEdit").height();
    sizes.browseWidth = hint("BrowsePanel").width();
    sizes.labelHeight = fontMetrics().height() + 2;
    // The rows under the File List have the room of a 21-pixel edit and combo box and a 20-pixel mode
    // selector, and no more.
    sizes.filterEditHeight = std::min(hint("FilterEdit").height(), 21);
    sizes.comboHeight = std::min(hint("FilterComboBox").height(), 21);
    sizes.modeSelectorHeight = 20;
    sizes.nameOfCDHeight = hint("NameOfCDEdit").height();
    sizes.cdButtonsWidth = hint("CDSBPanel").width();
    const QFontMetrics columns = m_cdAudio->numberBox()->fontMetrics();
    sizes.trackNumberWidth = columns.horizontalAdvance(QStringLiteral("99.")) + 10;
    sizes.trackLengthWidth = columns.horizontalAdvance(QStringLiteral("00:00")) + 12;
    return sizes;
}

void MainArea::relayout() {
    LayoutInput input;
    input.components = m_components;
    m_cdAudioMode = m_session.cdAudioModeShown();
    input.cdAudioMode = m_cdAudioMode;
    input.playListHasItems = !m_session.playList().isEmpty();
    // The File List's label also tells of files the list cannot show.
    const FileList& files = m_session.fileManagement().files();
    input.fileListHasItems = !files.isEmpty() || files.unshownCount() > 0;
    input.client = size();
    // The toolbar and the status bar stand outside this area: it is the work rectangle itself.
    input.components[static_cast<size_t>(Component::Toolbar)] = false;
    input.components[static_cast<size_t>(Component::StatusBar)] = false;
    input.playListWidth = m_session.preferences().window.playListWidth;
    input.sizes = controlSizes();
    m_layout = ComputeMainLayout(input);
    if (m_layout.playListWidth != input.playListWidth) {
        m_session.preferences().window.playListWidth = m_layout.playListWidth;
    }
    apply(m_layout);
}

void MainArea::apply(const MainLayout& layout) {
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QString name = child->objectName();
        if (!layout.geometry.contains(name)) {
            continue;
        }
        // Hidden controls are placed too: some (the count labels) show themselves when their list fills.
        child->setGeometry(layout.rect(name));
        child->setVisible(layout.isVisible(name));
    }
    placeModeTabs(layout.rect(QStringLiteral("PanelFile")).width());
    m_playList->showControls();  // the count labels are fitted to their new widths
    m_files->fitLabels();
    m_cdAudio->fitLabel();
}

// The mode tabs split the selector between them, each caption fitted to its tab.
void MainArea::placeModeTabs(int tabWidth) {
    auto* selector = findChild<QWidget*>(QStringLiteral("ModeSelector"));
    const struct {
        const char* name;
        int left;
    } tabs[] = {{"PanelFile", 0}, {"PanelCurrentCD", tabWidth}};
    for (const auto& tab : tabs) {
        const QString name = QString::fromLatin1(tab.name);
        auto* label = selector->findChild<QLabel*>(name);
        label->setGeometry(tab.left, 0, tabWidth, selector->height());
        // The active mode's tab has the button face, the other the window colour.
        const bool active = m_cdAudioMode == (tab.left != 0);
        label->setBackgroundRole(active ? QPalette::Button : QPalette::Base);
        const WidgetTextMeasurer measurer(label);
        const CommandTable::Command* command = m_session.commands().find(name);
        label->setText(FitText(measurer, tabWidth - 4, command ? command->caption : QString()));
    }
}

void MainArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void MainArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_background.isNull() || m_backgroundHidden) {
        painter.fillRect(rect(), m_backgroundColour.isValid() ? QBrush(m_backgroundColour) : palette().window());
        return;
    }
    painter.drawTiledPixmap(rect(), m_background);
}

bool MainArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_splitter && splitterEvent(event)) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool MainArea::splitterEvent(QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        m_session.preferences().window.playListWidth = kDefaultPlayListWidth;
        relayout();
        Q_EMIT playListWidthChanged(kDefaultPlayListWidth);
        return true;
    }
    if (event->type() != QEvent::MouseMove && event->type() != QEvent::MouseButtonRelease) {
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const bool held = event->type() == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton);
    // The picture is hidden while dragging so that the lists redraw quickly.
    if (m_backgroundHidden != held) {
        m_backgroundHidden = held;
        update();
    }
    const int playList = m_layout.rect(QStringLiteral("PlayListBox")).width();
    const std::optional<int> share =
        m_drag.move(static_cast<int>(mouse->position().x()), held, playList, m_layout.work.width());
    if (share) {
        m_session.preferences().window.playListWidth = *share;
        relayout();
        Q_EMIT playListWidthChanged(*share);
    }
    return true;
}
