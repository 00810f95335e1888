#pragma once

#include <QDialog>

// TInsertNewCDBox: asks for the disc of a name. exec() gives Retry (the disc is in now), Ignore (play
// the track number from the disc in the drive: full form only) or QDialog::Rejected (Cancel, Escape or
// the title bar's close button).
class InsertNewCDBox : public QDialog {
    Q_OBJECT

public:
    enum Answer { Retry = 2, Ignore = 3 };

    // full: the form that offers Ignore.
    InsertNewCDBox(const QString& discName, bool full, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};
