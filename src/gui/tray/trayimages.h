#pragma once

#include "core/app/traymenu.h"

#include <QIcon>

// The tray icon's pictures, drawn here: a disc, with a play triangle while an item plays and two bars
// while it is paused. Each comes in the sizes notification areas ask for.
QIcon TrayIconImage(TrayImage image);
