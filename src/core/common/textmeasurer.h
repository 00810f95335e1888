#pragma once

#include <QString>

// Pixel widths of texts in the main window's font, for fitting captions.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual int textWidth(const QString& text) const = 0;
};
