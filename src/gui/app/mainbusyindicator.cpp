#include "gui/app/mainbusyindicator.h"

#include "core/common/fittext.h"
#include "gui/app/widgettextmeasurer.h"

#include <QApplication>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>

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
    const WidgetTextMeasurer measurer(m_window->statusBar());
    m_window->statusBar()->showMessage(FitText(measurer, m_window->width() - 4, helpText));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_window->setEnabled(false);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MainBusyIndicator::showProgress(qint64 done, qint64 total) {
    if (total <= 0) {
        return;
    }
    // The gauge counts in thousandths so that any total fits its int range.
    m_gauge->setRange(0, 1000);
    m_gauge->setValue(static_cast<int>(done * 1000 / total));
    m_gauge->show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MainBusyIndicator::endBusy() {
    if (m_depth == 0 || --m_depth > 0) {
        return;
    }
    m_gauge->hide();
    m_window->statusBar()->clearMessage();
    m_window->setEnabled(true);
    QApplication::restoreOverrideCursor();
}
