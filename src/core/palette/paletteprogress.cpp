#include "core/palette/paletteprogress.h"

#include "core/playback/progressindicators.h"

namespace PaletteProgress {

Mode fromStored(int value) {
    return value >= Percent && value <= Remaining ? static_cast<Mode>(value) : Percent;
}

Mode next(Mode mode) {
    return static_cast<Mode>((mode + 1) % 3);
}

Mode previous(Mode mode) {
    return static_cast<Mode>((mode + 2) % 3);
}

QString text(Mode mode, const IndicatorTexts& texts) {
    switch (mode) {
        case Position:
            return texts.position;
        case Remaining:
            return texts.remaining;
        case Percent:
            break;
    }
    return texts.percent;
}

}  // namespace PaletteProgress
