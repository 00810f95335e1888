#include "gui/cdaudio/rearrangecdsbox.h"

#include "gui/cdaudio/cddialogframe.h"
#include "gui/common/spinbutton.h"
#include "gui/files/fixeddialog.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

RearrangeCDsBox::RearrangeCDsBox(const QStringList& names, int selected, QWidget* parent)
    : QDialog(parent), m_model(names, selected) {
    setObjectName(QStringLiteral("TRearrangeCDsBox"));
    setWindowTitle(QStringLiteral("Rearrange the CDs in the Database"));

    MakeDialogLabel("Info",
                    QStringLiteral("You can rearrange the order of CDs stored in the CD Database by using this "
                                   "dialog box."),
                    this)
        ->setGeometry(8, 8, 304, 30);
    MakeDialogLabel("CDsInDBLabel", m_model.countLabel(), this)->setGeometry(8, 42, 304, 16);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBox"));
    m_list->setGeometry(8, 62, 276, 160);
    // The horizontal range follows the widest name.
    m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->setWordWrap(false);
    m_spin = new SpinButton(this);
    m_spin->setGeometry(290, 122, 22, 40);
    AddOkCancelButtons(this, 82, 232);

    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) { m_model.select(row); });
    connect(m_spin, &SpinButton::upClicked, this, [this] { move(true); });
    connect(m_spin, &SpinButton::downClicked, this, [this] { move(false); });

    m_list->setEnabled(!m_model.isEmpty());
    m_spin->setEnabled(!m_model.isEmpty());
    showList();
    MakeCDDialog(this, QSize(320, 265));
}

void RearrangeCDsBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_list->currentItem()) {
        m_list->scrollToItem(m_list->currentItem());
    }
}

void RearrangeCDsBox::move(bool up) {
    if (up ? m_model.moveUp() : m_model.moveDown()) {
        showList();
    }
}

void RearrangeCDsBox::showList() {
    const QSignalBlocker blocker(m_list);
    const QStringList names = m_model.names();
    if (m_list->count() != names.size()) {
        m_list->addItems(names);
    } else {
        for (int row = 0; row < names.size(); ++row) {
            m_list->item(row)->setText(names.at(row));
        }
    }
    m_list->setCurrentRow(m_model.selected());
    if (m_list->currentItem()) {
        m_list->scrollToItem(m_list->currentItem());
    }
}
