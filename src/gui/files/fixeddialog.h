#pragma once

#include "core/files/dialoglayout.h"

#include <QSize>

#include <vector>

class QDialog;
class QLabel;
class QString;
class QWidget;

// A dialog drawn at fixed pixel positions: fixed frame with the system menu only, the small font the
// positions were measured in, and this client size.
void MakeFixedDialog(QDialog* dialog, QSize clientSize);
// Places and shows or hides each named control among the dialog's children.
void PlaceControls(QWidget* dialog, const std::vector<DialogPlacement>& placements);
void CentreOnScreen(QWidget* window);
// A word-wrapped label named for its role, its text from the top left.
QLabel* MakeDialogLabel(const char* name, const QString& text, QWidget* parent);
