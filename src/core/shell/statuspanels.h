#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The status bar's panels: length, position, remaining time and the Play List name, shown in the order
// the user chose in the Preferences, each a few pixels right of the one before.
struct StatusPanelGeometry {
    QString name;  // "LengthPanel", "PosPanel", "RemPanel" or "AlbumPanel"
    int left = 0;
    int width = 0;
};

struct StatusPanelLayout {
    std::vector<StatusPanelGeometry> shown;  // left to right; the others are hidden
    int albumButtonLeft = 0;                 // PLSB inside the album panel
};

struct StatusPanelSizes {
    int infoWidth = 0;    // the whole status bar
    int panelWidth = 0;   // each of the three time panels
    int buttonWidth = 0;  // PLSB
};

// The check box of a panel's caption in the Preferences ("Length" -> "LengthCB"); an unknown caption
// is returned as it is.
QString StatusPanelCheckBox(const QString& caption);
// "LengthCB" -> "LengthPanel"; a name without the "CB" ending is an internal error.
QString StatusPanelOfCheckBox(const QString& checkBoxName);
// The captions of the "Status Bar" setting's digits, in their order.
QStringList StatusPanelCaptions(const QString& digits);

// Panels of checked boxes in list order; every caption in the list counts as checked.
StatusPanelLayout ArrangeStatusPanels(const QStringList& orderOfPanels, const StatusPanelSizes& sizes);
