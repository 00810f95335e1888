#pragma once

#include <QDialog>

// The reset files that come with the program, by the standard each one resets to.
class MidiResetBox : public QDialog {
    Q_OBJECT

public:
    explicit MidiResetBox(QWidget* parent = nullptr);
};
