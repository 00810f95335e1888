#include "gui/settings/hotkeyedit.h"

#include "core/settings/shortcuts.h"
#include "core/settings/shortcutvalue.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace {

constexpr int kPassOn = -1;   // the key keeps its meaning in the dialog
constexpr int kSwallow = -2;  // the key is taken, the value stays

// What a key press does to the box: kPassOn, kSwallow, or the new value.
int pressedValue(const QKeyEvent& event) {
    const auto key = static_cast<Qt::Key>(event.key());
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    switch (key) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock:
        case Qt::Key_unknown:
            return kSwallow;
        default:
            break;
    }
    if (modifiers & Qt::MetaModifier) {
        return kSwallow;  // no stored flag for it
    }
    if (modifiers == Qt::NoModifier) {
        switch (key) {
            case Qt::Key_Backspace:
            case Qt::Key_Delete:
                return 0;
            case Qt::Key_Escape:
            case Qt::Key_Return:
            case Qt::Key_Enter:
                return kPassOn;
            default:
                break;
        }
    }
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        return kPassOn;
    }
    const int value = ShortcutValue::fromKeyCombination(QKeyCombination(modifiers, key));
    return value != 0 ? value : kSwallow;
}

}  // namespace

HotKeyEdit::HotKeyEdit(QWidget* parent) : QLineEdit(parent) {
    // The text only shows the value; typing never edits it.
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    showValue(0);
}

void HotKeyEdit::showValue(int value) {
    setText(value != 0 ? ShortcutText(value) : QStringLiteral("None"));
}

bool HotKeyEdit::event(QEvent* event) {
    // A combination meant for the box must not trigger a button's accelerator or a menu shortcut first.
    if (event->type() == QEvent::ShortcutOverride) {
        if (pressedValue(*static_cast<QKeyEvent*>(event)) != kPassOn) {
            event->accept();
            return true;
        }
        event->ignore();
        return false;
    }
    return QLineEdit::event(event);
}

void HotKeyEdit::keyPressEvent(QKeyEvent* event) {
    const int value = pressedValue(*event);
    if (value == kPassOn) {
        event->ignore();
        return;
    }
    event->accept();
    if (value != kSwallow) {
        showValue(value);
        Q_EMIT valueTyped(value);
    }
}

void HotKeyEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Another window taking the focus (a message box, another program) is not leaving the box.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        Q_EMIT left();
    }
}
