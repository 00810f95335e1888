#include "gui/shell/hint.h"

#include "core/common/fittext.h"
#include "gui/ports/widgettextmeasurer.h"

#include <QSizeGrip>
#include <QStatusBar>
#include <QWidget>

void SetHint(QWidget* widget, const QString& hint) {
    QString tip = hint.section(u'|', 0, 0);
    tip.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    widget->setToolTip(tip);
    widget->setStatusTip(hint.section(u'|', 1));
}

void ShowFittedStatusMessage(QStatusBar* statusBar, const QString& text) {
    // The status bar draws its message from 6 pixels in to 12 pixels short of its edge or its size grip.
    const QSizeGrip* grip = statusBar->findChild<QSizeGrip*>();
    const int right = grip && grip->isVisible() ? grip->x() : statusBar->width() - 12;
    const WidgetTextMeasurer measurer(statusBar);
    statusBar->showMessage(text.isEmpty() ? text : FitText(measurer, right - 6 - 4, text));
}
