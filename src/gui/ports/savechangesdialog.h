#pragma once

#include <QDialog>
#include <QPoint>

class QPushButton;

// The save prompt before a changed Play List is left. It can be moved by dragging any point of it.
class SaveChangesDialog : public QDialog {
    Q_OBJECT

public:
    enum Result { Cancel = 0, Yes = 1, No = 2 };

    explicit SaveChangesDialog(QWidget* parent = nullptr);

    QPushButton* yesButton() const { return m_yes; }
    QPushButton* noButton() const { return m_no; }
    QPushButton* cancelButton() const { return m_cancel; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPushButton* m_yes;
    QPushButton* m_no;
    QPushButton* m_cancel;
    QPoint m_dragOffset;
};
