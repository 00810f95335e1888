#include "gui/toolbar/toolbaricons.h"

QIcon ToolbarIcon(const QString& buttonName) {
    return QIcon(QStringLiteral(":/icons/toolbar/") + buttonName + QStringLiteral(".svg"));
}
