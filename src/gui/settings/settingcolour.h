#pragma once

#include <QColor>
#include <QPalette>

// The colour a stored setting stands for: an RGB value (0x00BBGGRR), or a reference to one of the
// desktop's own colours, taken from the palette given.
QColor colourFromSetting(int value, const QPalette& palette);
