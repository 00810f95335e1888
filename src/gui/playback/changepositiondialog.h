#pragma once

#include "core/playback/changeposition.h"

#include <QDialog>

#include <functional>

class QPushButton;
class QSpinBox;

// Moves playback to a percent or an exact time of the total. The box stays open after each change so
// the user can try several places; it only shows the ChangePosition model and hands edits to it.
class ChangePositionDialog : public QDialog {
    Q_OBJECT

public:
    // total in ms; apply receives the chosen percent each time the user confirms.
    ChangePositionDialog(qint64 total, int percent, std::function<void(int percent)> apply,
                  QWidget* parent = nullptr);

    const ChangePosition& model() const { return m_model; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyTypedPosition();
    void showModel();
    void selectPercent();

    ChangePosition m_model;
    std::function<void(int)> m_apply;
    QSpinBox* m_percent;
    QSpinBox* m_hours;
    QSpinBox* m_minutes;
    QSpinBox* m_seconds;
    QPushButton* m_ok;
    QPushButton* m_close;
};
