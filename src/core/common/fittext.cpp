#include "core/common/fittext.h"

#include "core/common/textmeasurer.h"

QString FitText(const TextMeasurer& measurer, int width, const QString& text) {
    const QString dots = QStringLiteral("...");
    if (measurer.textWidth(text) < width) {
        return text;
    }
    if (width < measurer.textWidth(dots)) {
        return {};
    }
    // Binary search for the longest prefix that fits with the dots; widths grow with length.
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (measurer.textWidth(text.left(mid) + dots) <= width) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    QString kept = text.left(low);
    if (!kept.isEmpty() && kept.back().isHighSurrogate()) {
        kept.chop(1);  // never half a character
    }
    if (kept.endsWith(u' ')) {
        kept.chop(1);
    }
    return kept + dots;
}
