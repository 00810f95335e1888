#pragma once

#include "core/shell/toolbarlayout.h"

#include <optional>

class IniFile;

// The section "TVLPMainSpeedBar" of the settings file. Reading returns nothing when the stored layout
// is to be ignored: no section, an older version, or another screen density than pixelsPerInch. A
// layout is checked whole before any of it is used, so an ignored one leaves `current` as it was; a
// stored Count that is not positive keeps current's buttons in their line, along the stored edge.
std::optional<ToolbarLayout> ReadToolbarLayout(const IniFile& file, int pixelsPerInch,
                                               const ToolbarLayout& current);
// Writes the layout with its version and density; other keys of the section stay.
void WriteToolbarLayout(IniFile& file, const ToolbarLayout& layout, int pixelsPerInch);
