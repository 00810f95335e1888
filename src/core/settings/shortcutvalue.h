#pragma once

#include <QKeyCombination>

// Shortcuts are stored as a virtual-key code in the low byte plus 0x2000 for Shift, 0x4000 for Ctrl and
// 0x8000 for Alt (Ctrl+Shift+P = 24656); 0 is no shortcut. These convert to and from Qt's keys.
namespace ShortcutValue {

constexpr int kShift = 0x2000;
constexpr int kCtrl = 0x4000;
constexpr int kAlt = 0x8000;

// An empty combination (Qt::Key_unknown) for 0 or a key code Qt has no key for.
QKeyCombination toKeyCombination(int value);
// 0 when the key has no virtual-key code.
int fromKeyCombination(QKeyCombination combination);

}  // namespace ShortcutValue
