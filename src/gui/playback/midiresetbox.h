#pragma once

#include "gui/playback/tablebox.h"

// The reset files that come with the program, by the standard each one resets to.
class MidiResetBox : public TableBox {
    Q_OBJECT

public:
    explicit MidiResetBox(QWidget* parent = nullptr);
};
