#pragma once

#include <QString>

class TextMeasurer;

// Shortens a caption to a pixel width: the text whole when it fits, else as many leading characters as
// fit before "..." (a blank left last is dropped), or nothing when not even "..." fits.
QString FitText(const TextMeasurer& measurer, int width, const QString& text);
