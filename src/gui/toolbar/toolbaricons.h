#pragma once

#include <QIcon>
#include <QString>

// A toolbar button's picture, drawn for this program at 22 x 22 as a scalable image, so it stays sharp
// on a high-density screen.
QIcon ToolbarIcon(const QString& buttonName);
