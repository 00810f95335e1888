#pragma once

#include <QString>

// Pixel widths of texts in the main window's font, for fitting captions.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual int textWidth(const QString& text) const = 0;
    // The width of a line of a long list, which sets only the list's scroll range: it may leave kerning
    // and shaping out, so that measuring hundreds of thousands of lines stays quick.
    virtual int listLineWidth(const QString& text) const { return textWidth(text); }
};
