#pragma once

#include <QToolButton>

// A button that shows a colour setting and offers a choice of colours: the desktop's own button face and
// window text, sixteen plain colours, and "&Other" for any colour.
class ColourButton : public QToolButton {
    Q_OBJECT

public:
    explicit ColourButton(QWidget* parent = nullptr);

    int value() const { return m_value; }
    // Shows the setting without announcing a change.
    void setValue(int value);

Q_SIGNALS:
    void chosen(int value);

private:
    void choose(int value);
    void chooseOther();

    int m_value = 0;
};
