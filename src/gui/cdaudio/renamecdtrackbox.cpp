#include "gui/cdaudio/renamecdtrackbox.h"

#include "gui/cdaudio/cddialogframe.h"
#include "gui/common/spinbutton.h"
#include "gui/files/fixeddialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>

namespace {

constexpr int kClientWidth = 340;

}  // namespace

RenameCDTrackBox::RenameCDTrackBox(const QStringList& names, int track, bool expanded, QWidget* parent)
    : QDialog(parent), m_model(names, track, expanded) {
    setObjectName(QStringLiteral("TRenameCDTrackBox"));
    setWindowTitle(QStringLiteral("Rename CD Track"));

    MakeDialogLabel("Info1", QStringLiteral(" What would you like to rename this track to?"), this)
        ->setGeometry(8, 8, 324, 16);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("RenEdit"));
    m_edit->setGeometry(8, 26, 324, 21);
    m_edit->installEventFilter(this);

    MakeDialogLabel("Info2", QStringLiteral("Track:"), this)->setGeometry(8, 62, 36, 16);
    m_trackEdit = new QLineEdit(this);
    m_trackEdit->setObjectName(QStringLiteral("TrackEdit"));
    m_trackEdit->setReadOnly(true);
    m_trackEdit->setFocusPolicy(Qt::NoFocus);
    m_trackEdit->setGeometry(44, 59, 36, 21);
    auto* spin = new SpinButton(this);
    spin->setGeometry(80, 59, 15, 21);

    AddOkCancelButtons(this, 104, 94);
    m_expand = new QPushButton(this);
    m_expand->setObjectName(QStringLiteral("ExpandBtn"));
    m_expand->setGeometry(264, 94, 68, 25);
    m_expand->setAutoDefault(false);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBox"));
    m_list->setGeometry(8, 130, 324, 150);
    m_list->addItems(m_model.names());
    m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setWordWrap(false);
    MakeDialogLabel("TipLabel",
                    QStringLiteral("Tip: You can change the track displayed using the keyboard. F2 decreases the "
                                   "track number displayed, F3 increases it."),
                    this)
        ->setGeometry(8, 288, 324, 42);

    // Shortcuts are looked at before the focused control gets the key, so F2 never reaches the list's
    // own editing nor the field.
    auto* f2 = new QShortcut(QKeySequence(Qt::Key_F2), this);
    auto* f3 = new QShortcut(QKeySequence(Qt::Key_F3), this);
    const auto down = [this] {
        m_model.down(m_edit->text());
        showTrack();
    };
    const auto up = [this] {
        m_model.up(m_edit->text());
        showTrack();
    };
    connect(f2, &QShortcut::activated, this, down);
    connect(spin, &SpinButton::downClicked, this, down);
    connect(f3, &QShortcut::activated, this, up);
    connect(spin, &SpinButton::upClicked, this, up);
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        m_model.choose(m_list->row(item), m_edit->text());
        showTrack();
    });
    connect(m_expand, &QPushButton::clicked, this, [this] {
        m_model.toggleExpanded();
        showExpanded();
    });

    MakeCDDialog(this, QSize(kClientWidth, m_model.clientHeight()));
    showExpanded();
    showTrack();
}

void RenameCDTrackBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_edit->setFocus(Qt::OtherFocusReason);
    m_edit->selectAll();
}

bool RenameCDTrackBox::eventFilter(QObject* watched, QEvent* event) {
    // Escape in the field takes back what was typed there; it does not close the box.
    if (watched == m_edit && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
        m_edit->setText(m_model.currentName());
        m_edit->selectAll();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void RenameCDTrackBox::showTrack() {
    const QStringList& names = m_model.names();
    for (int line = 0; line < m_list->count(); ++line) {
        QListWidgetItem* item = m_list->item(line);
        if (item->text() != names.at(line)) {
            item->setText(names.at(line));
        }
    }
    const int track = m_model.track();
    m_trackEdit->setText(track > 0 ? QString::number(track) : QString());
    {
        const QSignalBlocker blocker(m_list);
        m_list->setCurrentRow(track - 1);
    }
    m_edit->setText(m_model.currentName());
    m_edit->setFocus(Qt::OtherFocusReason);
    m_edit->selectAll();
}

void RenameCDTrackBox::showExpanded() {
    m_expand->setText(m_model.expandCaption());
    m_list->setVisible(m_model.expanded());
    findChild<QLabel*>(QStringLiteral("TipLabel"))->setVisible(m_model.expanded());
    setFixedSize(kClientWidth, m_model.clientHeight());
}

void RenameCDTrackBox::accept() {
    m_names = m_model.accept(m_edit->text());
    QDialog::accept();
}
