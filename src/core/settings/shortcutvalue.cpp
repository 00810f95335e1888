#include "core/settings/shortcutvalue.h"

#include <array>
#include <utility>

namespace ShortcutValue {
namespace {

// Virtual-key codes whose Qt key is not simply the same number.
constexpr std::array<std::pair<int, Qt::Key>, 24> kSpecialKeys = {{
    {0x08, Qt::Key_Backspace}, {0x09, Qt::Key_Tab},      {0x0D, Qt::Key_Return},   {0x13, Qt::Key_Pause},
    {0x1B, Qt::Key_Escape},    {0x20, Qt::Key_Space},    {0x21, Qt::Key_PageUp},   {0x22, Qt::Key_PageDown},
    {0x23, Qt::Key_End},       {0x24, Qt::Key_Home},     {0x25, Qt::Key_Left},     {0x26, Qt::Key_Up},
    {0x27, Qt::Key_Right},     {0x28, Qt::Key_Down},     {0x2D, Qt::Key_Insert},   {0x2E, Qt::Key_Delete},
    {0xBA, Qt::Key_Semicolon}, {0xBB, Qt::Key_Equal},    {0xBC, Qt::Key_Comma},    {0xBD, Qt::Key_Minus},
    {0xBE, Qt::Key_Period},    {0xBF, Qt::Key_Slash},    {0xDB, Qt::Key_BracketLeft}, {0xDD, Qt::Key_BracketRight},
}};

Qt::Key keyFor(int code) {
    if ((code >= 0x30 && code <= 0x39) || (code >= 0x41 && code <= 0x5A)) {
        return static_cast<Qt::Key>(code);  // digits and letters share their codes
    }
    if (code >= 0x70 && code <= 0x87) {
        return static_cast<Qt::Key>(Qt::Key_F1 + (code - 0x70));
    }
    if (code >= 0x60 && code <= 0x69) {
        return static_cast<Qt::Key>(Qt::Key_0 + (code - 0x60));  // numeric keypad digits
    }
    for (const auto& [vk, key] : kSpecialKeys) {
        if (vk == code) {
            return key;
        }
    }
    return Qt::Key_unknown;
}

int codeFor(Qt::Key key) {
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return key;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return 0x70 + (key - Qt::Key_F1);
    }
    if (key == Qt::Key_Enter) {
        return 0x0D;
    }
    for (const auto& [vk, special] : kSpecialKeys) {
        if (special == key) {
            return vk;
        }
    }
    return 0;
}

}  // namespace

QKeyCombination toKeyCombination(int value) {
    const Qt::Key key = keyFor(value & 0xFF);
    if (value == 0 || key == Qt::Key_unknown) {
        return QKeyCombination(Qt::Key_unknown);
    }
    Qt::KeyboardModifiers modifiers;
    if (value & kShift) {
        modifiers |= Qt::ShiftModifier;
    }
    if (value & kCtrl) {
        modifiers |= Qt::ControlModifier;
    }
    if (value & kAlt) {
        modifiers |= Qt::AltModifier;
    }
    return QKeyCombination(modifiers, key);
}

int fromKeyCombination(QKeyCombination combination) {
    const int code = codeFor(combination.key());
    if (code == 0) {
        return 0;
    }
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    int value = code;
    if (modifiers & Qt::ShiftModifier) {
        value |= kShift;
    }
    if (modifiers & Qt::ControlModifier) {
        value |= kCtrl;
    }
    if (modifiers & Qt::AltModifier) {
        value |= kAlt;
    }
    return value;
}

}  // namespace ShortcutValue
