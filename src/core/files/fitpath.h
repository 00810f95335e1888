#pragma once

#include <QString>

class TextMeasurer;

// Shortens a folder path to a pixel width by putting ".../" in place of its leading folders, one at a
// time, until prefix + result fits: /home/ann/Music/Bach becomes /.../ann/Music/Bach, /.../Music/Bach,
// .../Bach and at last Bach.
QString FitPath(const QString& path, const QString& prefix, const TextMeasurer& measurer, int width);

// Doubles every "&" so a label shows it rather than underlining the next letter.
QString EscapeAmpersands(const QString& text);
