#pragma once

#include <QString>

class QAction;
class QStatusBar;
class QWidget;

// Hints are "short|long": the short part is the tooltip (its "\r" breaks become line breaks), the long
// part shows in the status bar while the pointer rests on the control.
void SetHint(QWidget* widget, const QString& hint);
// The same for an action; a hint without "|" is a menu item's status line alone.
void SetHint(QAction* action, const QString& hint);

// Shows a text in the status bar's message area, cut with "..." where it is too long for it. A permanent
// widget of the status bar (the gauge of a long operation), while it shows, ends the area where it starts.
void ShowFittedStatusMessage(QStatusBar* statusBar, const QString& text, const QWidget* permanent = nullptr);
