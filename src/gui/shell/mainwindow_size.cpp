// The main window's size and place at start: the stored ones, or a first size for the desktop's font.

#include "gui/shell/mainwindow.h"

#include "core/settings/settings.h"
#include "core/shell/mainlayout.h"
#include "gui/playback/indicatorcontrols.h"
#include "gui/playback/panelinfo.h"
#include "gui/playlist/playlistbox.h"
#include "gui/common/widgettextmeasurer.h"
#include "gui/shell/mainarea.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace {

// The built-in size, chosen for a small font of an old desktop, grown for the desktop's font on the
// screen the window opens on.
QSize sizeForDesktopFont(const WindowPlacement& placement, const QScreen* screen) {
    const QFont font = QApplication::font();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96;
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / dpi;
    return ScaleForFont(QSize(placement.width, placement.height), points, dpi);
}

// The width a combo box needs to show its current text whole.
int comboWidthFor(const QComboBox* box) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    const QSize text(box->fontMetrics().horizontalAdvance(box->currentText()), box->fontMetrics().height());
    return box->style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, box).width();
}

}  // namespace

void MainWindow::placeWindow() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    QRect desktop;
    for (const QScreen* each : QGuiApplication::screens()) {
        desktop |= each->availableGeometry();
    }
    // The window opens at least as wide as both sides need, so that the first layout keeps the share.
    LayoutInput both;
    both.components.fill(true);
    both.sizes = m_area->layoutSizes();
    const QSize minimum = minimumSizeHint().expandedTo(QSize(ComputeMainLayout(both).minimum.width(), 0));
    WindowPlacement placement = m_session.preferences().window;
    if (!placement.sizeStored) {
        const QSize size = sizeForDesktopFont(placement, screen);
        placement.width = size.width();
        placement.height = size.height();
    }
    const QRect bounds = PlaceMainWindow(placement, minimum, available, desktop);
    resize(bounds.size());
    move(bounds.topLeft());
}

// Grows the window by `wider` pixels, centred where it was and no wider than the screen.
void MainWindow::widenBy(int wider) {
    const QRect available = screen() ? screen()->availableGeometry() : QRect(0, 0, 1 << 15, 1 << 15);
    const int frame = frameGeometry().width() - this->width();
    const int width = std::min(this->width() + wider, available.width() - frame);
    if (width <= this->width()) {
        return;
    }
    const int left = std::max(available.left(), x() - (width - this->width()) / 2);
    resize(width, height());
    move(left, y());
    layout()->activate();
    statusBar()->layout()->activate();
}

// A font larger than the size was chosen for still leaves the lists of a first window narrow: it widens
// until the Play List shows its longest line, and each right-hand list is as wide as its mode tab's
// caption and the drive box's text ask, the share between them kept.
void MainWindow::widenForLists() {
    const ComponentFlags& components = m_session.preferences().components;
    if (!isOn(components, Component::PlayList) || !isOn(components, Component::FileList)) {
        return;
    }
    int playList = m_session.playList().horizontalExtent() + 2 * m_playListBox->frameWidth();
    if (m_playListBox->verticalScrollBar()->isVisible()) {
        playList += m_playListBox->verticalScrollBar()->width();
    }
    // A tab's caption is fitted to its width less 4 pixels, and a tab is 2 pixels wider than a list.
    int right = 0;
    for (const QString& tab : {QStringLiteral("PanelFile"), QStringLiteral("PanelCurrentCD")}) {
        const auto* label = m_area->findChild<QLabel*>(tab);
        const CommandTable::Command* command = m_session.commands().find(tab);
        if (label && command) {
            right = std::max(right, WidgetTextMeasurer(label).textWidth(command->caption) + 2);
        }
    }
    if (const auto* drives = m_area->findChild<QComboBox*>(QStringLiteral("DriveComboBox"))) {
        right = std::max(right, comboWidthFor(drives));
    }
    const int around =
        frameGeometry().width() - m_area->width();  // the window's frame and the area's margins
    const QRect available = screen() ? screen()->availableGeometry() : QRect(0, 0, 1 << 15, 1 << 15);
    const int work =
        WidthForLists(m_session.preferences().window.playListWidth, m_area->layoutSizes().addButtons.width(),
                      playList, right, m_area->width(), available.width() - around);
    widenBy(work - m_area->width());
}

// The name panel shows its whole caption beside the time panels.
void MainWindow::widenForStatusPanels() {
    const WidgetTextMeasurer measurer(m_albumPanel);
    const int wanted = measurer.textWidth(m_session.document().albumPanelCaption()) + 2;
    // The status bar shares out what the window gains; a few rounds settle it.
    for (int round = 0; round < 4; ++round) {
        const int missing = wanted - m_indicators->panelInfo()->albumTextWidth();
        const int before = width();
        if (missing <= 0) {
            return;
        }
        widenBy(missing);
        if (width() == before) {
            return;
        }
    }
}
