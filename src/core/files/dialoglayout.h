#pragma once

#include <QRect>

// One control of a dialog drawn at fixed pixel positions: its objectName, its rectangle in its parent
// and whether the current layout shows it.
struct DialogPlacement {
    const char* name;
    QRect rect;
    bool visible = true;
};
