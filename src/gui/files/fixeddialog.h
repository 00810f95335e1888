#pragma once

#include "core/files/dialoglayout.h"

#include <QSize>

#include <vector>

class QDialog;
class QWidget;

// A dialog drawn at fixed pixel positions: fixed frame with the system menu only, the small font the
// positions were measured in, and this client size.
void MakeFixedDialog(QDialog* dialog, QSize clientSize);
// Places and shows or hides each named control among the dialog's children.
void PlaceControls(QWidget* dialog, const std::vector<DialogPlacement>& placements);
void CentreOnScreen(QWidget* window);
