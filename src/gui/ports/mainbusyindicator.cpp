#include "gui/ports/mainbusyindicator.h"

#include "gui/common/hint.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>
#include <QWindow>

namespace {

// Events are let through a few dozen times a second: often enough to paint and to see Escape, rarely
// enough that a long count of quick steps is not slowed down by them.
constexpr qint64 kEventIntervalMs = 40;

bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Drop:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

}  // namespace

MainBusyIndicator::MainBusyIndicator(QMainWindow* window) : m_window(window), m_gauge(new QProgressBar) {
    m_gauge->setObjectName(QStringLiteral("Gauge"));
    m_gauge->setMaximumWidth(160);
    m_gauge->setTextVisible(false);
    m_gauge->hide();
    window->statusBar()->addPermanentWidget(m_gauge);
}

void MainBusyIndicator::beginBusy(const QString& helpText) {
    if (m_depth++ > 0) {
        return;
    }
    m_helpText = helpText;
    ShowFittedStatusMessage(m_window->statusBar(), helpText, m_gauge);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_window->setEnabled(false);
    qApp->installEventFilter(this);
    m_sinceEvents.invalidate();
    processPendingEvents();
}

void MainBusyIndicator::showProgress(qint64 done, qint64 total) {
    if (total <= 0) {
        return;
    }
    // The gauge counts in thousandths so that any total fits its int range.
    m_gauge->setRange(0, 1000);
    m_gauge->setValue(static_cast<int>(done * 1000 / total));
    if (m_gauge->isHidden()) {
        // The gauge takes the right end of the message's room: the line is fitted again to what is left.
        m_gauge->show();
        m_window->statusBar()->layout()->activate();
        ShowFittedStatusMessage(m_window->statusBar(), m_helpText, m_gauge);
    }
    processPendingEvents();
}

void MainBusyIndicator::endBusy() {
    if (m_depth == 0 || --m_depth > 0) {
        return;
    }
    qApp->removeEventFilter(this);
    m_gauge->hide();
    m_window->statusBar()->clearMessage();
    m_window->setEnabled(true);
    QApplication::restoreOverrideCursor();
}

void MainBusyIndicator::keepResponsive() {
    if (m_depth > 0) {
        processPendingEvents();
        return;
    }
    // Outside a long operation nothing may start a command now: only painting and the like go on.
    if (m_sinceEvents.isValid() && m_sinceEvents.elapsed() < kEventIntervalMs) {
        return;
    }
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
    m_sinceEvents.start();
}

void MainBusyIndicator::processPendingEvents() {
    if (m_sinceEvents.isValid() && m_sinceEvents.elapsed() < kEventIntervalMs) {
        return;
    }
    QApplication::processEvents();
    m_sinceEvents.start();
}

bool MainBusyIndicator::belongsToWindow(const QObject* object) const {
    if (object->isWidgetType()) {
        return static_cast<const QWidget*>(object)->window() == m_window;
    }
    return object->isWindowType() && object == m_window->windowHandle();
}

// Nothing the user does in the window may start a second command in the middle of this one; a box
// the operation shows (a warning) still takes its answer. Escape in the window is noted.
bool MainBusyIndicator::eventFilter(QObject* watched, QEvent* event) {
    if (m_depth == 0 || !isUserInput(event->type()) || !belongsToWindow(watched)) {
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        !static_cast<QKeyEvent*>(event)->isAutoRepeat() && m_onEscape) {
        m_onEscape();
    }
    return true;
}
