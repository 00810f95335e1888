#pragma once

#include <QString>

struct IndicatorTexts;

// What the Floating Palette's progress label shows: the percent, the position or the remaining time
// (the stored "FloatingPaletteMode"). A click shows the next one; the first click of a double click is
// taken back by the double click, which opens Change Position instead.
namespace PaletteProgress {

enum Mode { Percent = 0, Position = 1, Remaining = 2 };

// A stored value outside the three modes shows the percent.
Mode fromStored(int value);
Mode next(Mode mode);
Mode previous(Mode mode);
// The indicator's text the label mirrors.
QString text(Mode mode, const IndicatorTexts& texts);

}  // namespace PaletteProgress
