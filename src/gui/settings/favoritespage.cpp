#include "gui/settings/favoritespage.h"

#include "gui/common/spinbutton.h"
#include "gui/ports/qtprompter.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

namespace {

QPushButton* MakeButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

FavoritesPage::FavoritesPage(FavoritesPageModel& model, Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_model(model), m_prompter(prompter) {
    const bool folders = model.kind() == Favorites::Kind::Folders;
    const QString prefix = folders ? QStringLiteral("FavFolders") : QStringLiteral("FavPlayLists");
    setObjectName(prefix + QStringLiteral("Page"));

    m_list = new QListWidget(this);
    m_list->setObjectName(prefix + QStringLiteral("ListBox"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* spin = new SpinButton(this);
    spin->setObjectName(prefix + QStringLiteral("SpinButton"));
    spin->setFixedSize(16, 40);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(prefix + QStringLiteral("Edit"));
    m_edit->installEventFilter(this);
    m_browse = new QToolButton(this);
    m_browse->setObjectName(prefix + QStringLiteral("BrowseSB"));
    m_browse->setText(QStringLiteral("..."));
    m_add = MakeButton(prefix + QStringLiteral("AddBtn"), QStringLiteral("&Add Entry"), this);
    m_delete = MakeButton(prefix + QStringLiteral("DeleteBtn"), QStringLiteral("D&elete Entry"), this);
    m_change = MakeButton(prefix + QStringLiteral("ChangeBtn"), QStringLiteral("C&hange Entry"), this);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_list, 0, 0);
    grid->addWidget(spin, 0, 1, Qt::AlignTop);
    grid->addWidget(m_edit, 1, 0);
    grid->addWidget(m_browse, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_delete);
    buttons->addWidget(m_change);
    buttons->addStretch();
    grid->addLayout(buttons, 2, 0, 1, 2);

    // A click copies the line even when it is already the current one and the edit box was changed.
    const auto choose = [this](int row) {
        m_model.select(row);
        showModel();
    };
    connect(m_list, &QListWidget::currentRowChanged, this, choose);
    connect(m_list, &QListWidget::itemClicked, this,
            [this, choose](QListWidgetItem* item) { choose(m_list->row(item)); });
    connect(m_edit, &QLineEdit::textEdited, this, [this](const QString& text) { m_model.setEditText(text); });
    connect(m_add, &QPushButton::clicked, this, [this] {
        if (m_model.addEntry()) {
            showModel();
            m_edit->setFocus(Qt::OtherFocusReason);
        }
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        m_model.deleteEntry();
        showModel();
    });
    connect(m_change, &QPushButton::clicked, this, &FavoritesPage::changeEntry);
    connect(m_browse, &QToolButton::clicked, this, &FavoritesPage::browse);
    connect(spin, &SpinButton::upClicked, this, [this] {
        m_model.moveUp();
        showModel();
    });
    connect(spin, &SpinButton::downClicked, this, [this] {
        m_model.moveDown();
        showModel();
    });
    showModel();
}

void FavoritesPage::load(const QStringList& list) {
    m_model.load(list);
    showModel();
}

QStringList FavoritesPage::entries() const {
    return m_model.entries();
}

void FavoritesPage::enterPage() {
    m_model.enterPage();
    showModel();
}

void FavoritesPage::showModel() {
    const QStringList& lines = m_model.lines();
    {
        const QSignalBlocker blocker(m_list);
        if (m_list->count() != lines.size()) {
            m_list->clear();
            m_list->addItems(lines);
        }
        for (int row = 0; row < m_list->count(); ++row) {
            if (m_list->item(row)->text() != lines.at(row)) {
                m_list->item(row)->setText(lines.at(row));
            }
        }
        m_list->setCurrentRow(m_model.selected());
        if (m_model.selected() < 0) {
            m_list->clearSelection();
        }
    }
    // Setting the same text again would move the cursor while the user types.
    if (m_edit->text() != m_model.editText()) {
        m_edit->setText(m_model.editText());
    }
    const bool editable = m_model.canEdit();
    m_edit->setEnabled(editable);
    m_browse->setEnabled(editable);
    m_delete->setEnabled(editable);
    m_change->setEnabled(editable);
    m_add->setEnabled(m_model.canAdd());
}

void FavoritesPage::changeEntry() {
    m_model.setEditText(m_edit->text());
    m_model.changeEntry(m_prompter);
    showModel();
}

void FavoritesPage::browse() {
    const QString start = m_model.editText();
    const QString chosen =
        m_model.kind() == Favorites::Kind::Folders
            ? QFileDialog::getExistingDirectory(this, QStringLiteral("Choose folder to replace this one"),
                                                start)
            : QFileDialog::getOpenFileName(this, QStringLiteral("Select Play List"),
                                           start.isEmpty() ? QString() : QFileInfo(start).path(),
                                           QtPrompter::playListFilter());
    if (chosen.isEmpty()) {
        return;
    }
    m_edit->setText(chosen);
    changeEntry();
}

bool FavoritesPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit) {
        switch (event->type()) {
            case QEvent::FocusIn:
                suspendDefaultButton();
                break;
            case QEvent::FocusOut:
                restoreDefaultButton();
                break;
            case QEvent::KeyPress: {
                const int key = static_cast<QKeyEvent*>(event)->key();
                if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                    changeEntry();
                    return true;  // never on to the dialog
                }
                break;
            }
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FavoritesPage::suspendDefaultButton() {
    auto* dialog = qobject_cast<QDialog*>(window());
    if (!dialog || m_suspendedDefault) {
        return;
    }
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->isDefault()) {
            button->setDefault(false);
            m_suspendedDefault = button;
            return;
        }
    }
}

void FavoritesPage::restoreDefaultButton() {
    if (m_suspendedDefault) {
        m_suspendedDefault->setDefault(true);
        m_suspendedDefault = nullptr;
    }
}
