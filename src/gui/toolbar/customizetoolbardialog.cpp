#include "gui/toolbar/customizetoolbardialog.h"

#include "core/shell/commandtable.h"
#include "core/shell/toolbartable.h"
#include "gui/toolbar/toolbaricons.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>

namespace {

constexpr int kRowHeight = 26;

// Items carry their button's name; a drag takes that name along.
class ButtonList : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override {
        return items.isEmpty()
                   ? nullptr
                   : CustomizeToolbarDialog::buttonMimeData(items.first()->data(Qt::UserRole).toString());
    }
    QStringList mimeTypes() const override { return {CustomizeToolbarDialog::buttonMimeType()}; }
};

}  // namespace

CustomizeToolbarDialog::CustomizeToolbarDialog(const CommandTable& commands, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), m_commands(commands) {
    setObjectName(QStringLiteral("TCustomizeToolbarBox"));
    setWindowTitle(QStringLiteral("Customize Toolbar"));
    m_categories = new QListWidget;
    m_categories->setObjectName(QStringLiteral("CategoriesList"));
    for (const ToolbarCategory& category : ToolbarCategories()) {
        m_categories->addItem(category.name);
    }
    m_buttons = new ButtonList;
    m_buttons->setObjectName(QStringLiteral("ButtonsList"));
    m_buttons->setIconSize(QSize(22, 22));
    m_buttons->setDragEnabled(true);
    m_buttons->setDragDropMode(QAbstractItemView::DragOnly);
    m_buttons->setDefaultDropAction(Qt::CopyAction);
    auto* categoriesLabel = new QLabel(QStringLiteral("&Categories:"));
    categoriesLabel->setBuddy(m_categories);
    auto* buttonsLabel = new QLabel(QStringLiteral("&Available buttons:"));
    buttonsLabel->setBuddy(m_buttons);
    auto* text =
        new QLabel(QStringLiteral("To add command buttons, drag and drop buttons onto the SpeedBar. To "
                                  "remove command buttons, drag them off of the SpeedBar."));
    text->setWordWrap(true);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(categoriesLabel, 0, 0);
    grid->addWidget(buttonsLabel, 0, 1);
    grid->addWidget(m_categories, 1, 0);
    grid->addWidget(m_buttons, 1, 1);
    grid->addWidget(text, 2, 0, 1, 2);
    grid->addWidget(close, 3, 0, 1, 2);
    grid->setColumnStretch(1, 2);
    connect(m_categories, &QListWidget::currentRowChanged, this, &CustomizeToolbarDialog::showCategory);
    m_categories->setCurrentRow(0);
}

void CustomizeToolbarDialog::showCategory(int row) {
    m_buttons->clear();
    if (row < 0 || row >= static_cast<int>(ToolbarCategories().size())) {
        return;
    }
    for (const ToolbarButton& button : ToolbarCategories()[static_cast<size_t>(row)].buttons) {
        const CommandTable::Command* command = m_commands.find(button.name);
        auto* item = new QListWidgetItem(ToolbarIcon(button.name), button.caption, m_buttons);
        item->setData(Qt::UserRole, button.name);
        item->setSizeHint(QSize(0, kRowHeight));
        if (command) {
            item->setToolTip(QString(command->hint).section(u'|', 0, 0));
        }
    }
}

QString CustomizeToolbarDialog::buttonMimeType() {
    return QStringLiteral("application/x-velmaro-toolbar-button");
}

QMimeData* CustomizeToolbarDialog::buttonMimeData(const QString& name) {
    auto* data = new QMimeData;
    data->setData(buttonMimeType(), name.toUtf8());
    return data;
}

QString CustomizeToolbarDialog::droppedButton(const QMimeData* data) {
    if (!data || !data->hasFormat(buttonMimeType())) {
        return {};
    }
    const QString name = QString::fromUtf8(data->data(buttonMimeType()));
    const ToolbarButton* button = FindToolbarButton(name);
    return button ? button->name : QString();
}
