#include "gui/settings/settingfont.h"

namespace {
constexpr int kDefaultPoints = 8;
}

QFont fontFromSetting(const QString& name, int points, bool bold, bool italic) {
    QFont font(name);
    font.setPointSize(points >= 1 ? points : kDefaultPoints);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}
