#pragma once

#include <QDialog>

// The sample MIDI files that come with the program, by composer and title.
class IncludedMidiFilesBox : public QDialog {
    Q_OBJECT

public:
    explicit IncludedMidiFilesBox(QWidget* parent = nullptr);
};
