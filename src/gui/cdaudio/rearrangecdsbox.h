#pragma once

#include "core/cdaudio/rearrangecdsmodel.h"

#include <QDialog>

class QLabel;
class QListWidget;
class SpinButton;

// TRearrangeCDsBox: reorders the discs of the database. It shows a RearrangeCDsModel; exec() is
// Accepted only on OK, and order() then holds the new order.
class RearrangeCDsBox : public QDialog {
    Q_OBJECT

public:
    // selected: the entry selected on showing (-1: none).
    RearrangeCDsBox(const QStringList& names, int selected, QWidget* parent = nullptr);

    // The entries' order as indexes into the names the box was given.
    const QList<int>& order() const { return m_model.order(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void move(bool up);
    void showList();

    RearrangeCDsModel m_model;
    QListWidget* m_list;
    SpinButton* m_spin;
};
