#pragma once

#include <QString>

class QWidget;

// Hints are "short|long": the short part is the tooltip (its "\r" breaks become line breaks), the long
// part shows in the status bar while the pointer rests on the control.
void SetHint(QWidget* widget, const QString& hint);
