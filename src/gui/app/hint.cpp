#include "gui/app/hint.h"

#include <QWidget>

void SetHint(QWidget* widget, const QString& hint) {
    QString tip = hint.section(u'|', 0, 0);
    tip.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    widget->setToolTip(tip);
    widget->setStatusTip(hint.section(u'|', 1));
}
