#pragma once

#include <QSize>

class QDialog;
class QPushButton;

// The frame every box of the CD database and drive shares: the fixed dialog frame of the other boxes,
// centred on the screen each time it shows, and moved by a drag on any free point of its client area
// (the background and the labels), as if the drag had started on the title bar.
void MakeCDDialog(QDialog* dialog, QSize clientSize);
// OKBtn "OK" (default: Enter) and CancelBtn "Cancel" side by side from (left, top), accepting and
// rejecting the dialog; Escape reaches Cancel through the dialog. Gives the OK button.
QPushButton* AddOkCancelButtons(QDialog* dialog, int left, int top);
