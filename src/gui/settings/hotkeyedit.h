#pragma once

#include <QLineEdit>

// A box that holds one key combination as a stored shortcut value. Pressing a combination replaces
// it; Backspace or Delete alone clears it ("None"). Tab, Escape and Enter alone keep their usual
// meaning in a dialog, so the box never traps the focus or the dialog's buttons.
class HotKeyEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit HotKeyEdit(QWidget* parent = nullptr);

    // Shows a value without announcing it as typed.
    void showValue(int value);

Q_SIGNALS:
    // The user pressed a combination (0 when cleared).
    void valueTyped(int value);
    // The focus moved to another control of the same window.
    void left();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
