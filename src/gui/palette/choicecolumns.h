#pragma once

#include "core/palette/listchooser.h"

#include <QWidget>

#include <vector>

class QPushButton;

// The lines of a list inside a drop-down menu, in columns that break where the list's choices say,
// with a bar between two columns. A menu cannot be told where to start a column, so the lines are flat
// buttons of one widget that the menu holds.
class ChoiceColumns : public QWidget {
    Q_OBJECT

public:
    explicit ChoiceColumns(const std::vector<ListChoice>& choices, QWidget* parent = nullptr);

    // The button of a line ("ListItem0" is the first).
    QPushButton* button(qsizetype line) const;

Q_SIGNALS:
    void chosen(qsizetype line);

private:
    std::vector<QPushButton*> m_buttons;
};
