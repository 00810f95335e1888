#pragma once

#include <QIcon>

class QToolButton;
class QWidget;

// The mode buttons' glyphs: a small arrow pointing right while an indicator shows the whole list or
// disc, down while it shows the current item.
QIcon SmallArrowRight();
QIcon SmallArrowDown();

// A flat drop-down button that shows only its glyph.
QToolButton* CreateModeButton(QWidget* parent, const QString& name);
