#pragma once

#include <QFont>
#include <QString>

// The font a stored setting names. A family the system lacks is matched to the nearest one it has, as
// Qt matches fonts; a size below one point, which no font has, is the default 8 points.
QFont fontFromSetting(const QString& name, int points, bool bold, bool italic);
