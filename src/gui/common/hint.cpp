#include "gui/common/hint.h"

#include "core/common/fittext.h"
#include "gui/common/widgettextmeasurer.h"

#include <QAction>
#include <QSizeGrip>
#include <QStatusBar>
#include <QWidget>

#include <algorithm>

namespace {

QString toolTipOf(const QString& hint) {
    QString tip = hint.section(u'|', 0, 0);
    return tip.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

}  // namespace

void SetHint(QWidget* widget, const QString& hint) {
    widget->setToolTip(toolTipOf(hint));
    widget->setStatusTip(hint.section(u'|', 1));
}

void SetHint(QAction* action, const QString& hint) {
    if (!hint.contains(u'|')) {
        action->setStatusTip(hint);
        return;
    }
    action->setToolTip(toolTipOf(hint));
    action->setStatusTip(hint.section(u'|', 1));
}

void ShowFittedStatusMessage(QStatusBar* statusBar, const QString& text, const QWidget* permanent) {
    // The status bar draws its message from 6 pixels in to 12 pixels short of its edge or its size grip,
    // and stops 2 pixels short of a permanent widget.
    const QSizeGrip* grip = statusBar->findChild<QSizeGrip*>();
    int right = grip && grip->isVisible() ? grip->x() : statusBar->width() - 12;
    if (permanent && permanent->isVisible()) {
        right = std::min(right, permanent->x() - 2);
    }
    const WidgetTextMeasurer measurer(statusBar);
    statusBar->showMessage(text.isEmpty() ? text : FitText(measurer, right - 6 - 4, text));
}
