#pragma once

#include "gui/playback/tablebox.h"

// The sample MIDI files that come with the program, by composer and title.
class IncludedMidiFilesBox : public TableBox {
    Q_OBJECT

public:
    explicit IncludedMidiFilesBox(QWidget* parent = nullptr);
};
