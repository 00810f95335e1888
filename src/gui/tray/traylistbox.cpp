#include "gui/tray/traylistbox.h"

#include "core/common/sourcelines.h"
#include "core/shell/commanddispatcher.h"

#include <QAbstractItemModel>
#include <QGuiApplication>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

constexpr int kIconSize = 16;

// A line's picture 2 pixels from the left and its text 6 pixels after it, or 2 pixels in without one.
class TrayLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem background(option);
        initStyleOption(&background, index);
        background.text.clear();
        background.icon = QIcon();
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : nullptr;
        if (style) {
            style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);
        }
        int x = option.rect.left() + 2;
        const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
        if (!icon.isNull()) {
            const QRect place(x, option.rect.top() + (option.rect.height() - kIconSize) / 2, kIconSize,
                              kIconSize);
            icon.paint(painter, place);
            x += kIconSize + 6;
        }
        const bool selected = option.state & QStyle::State_Selected;
        const bool enabled = option.state & QStyle::State_Enabled;
        painter->save();
        painter->setPen(option.palette.color(enabled ? QPalette::Normal : QPalette::Disabled,
                                             selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect text(x, option.rect.top(), option.rect.right() - x, option.rect.height());
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

}  // namespace

TrayListBox::TrayListBox(TrayList& list, CommandDispatcher& dispatcher,
                         const QAbstractItemModel* playListView, QWidget* parent)
    : QDialog(parent, Qt::Tool),
      m_model(list),
      m_dispatcher(dispatcher),
      m_playListView(playListView),
      m_list(new QListWidget(this)),
      m_done(new QPushButton(QStringLiteral("&Done"), this)),
      m_play(new QPushButton(QStringLiteral("&Play"), this)) {
    setObjectName(QStringLiteral("TrayBox"));
    setWindowTitle(QStringLiteral("Choose item to play"));
    m_list->setObjectName(QStringLiteral("ListBox"));
    m_list->setItemDelegate(new TrayLineDelegate(m_list));
    m_list->setUniformItemSizes(true);
    m_done->setObjectName(QStringLiteral("CancelBtn"));
    m_play->setObjectName(QStringLiteral("PlayBtn"));
    m_done->setDefault(true);
    m_done->setAutoDefault(true);
    m_play->setAutoDefault(false);
    connect(m_done, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_play, &QPushButton::clicked, this, &TrayListBox::playChosen);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TrayListBox::playChosen);
    setMinimumSize(TrayList::minimumSize());
    setMaximumSize(10000, 10000);
    resize(TrayList::defaultSize());
}

void TrayListBox::openIn(TrayList::Mode mode) {
    m_model.open(mode);
    fill();
    if (!isVisible()) {
        resize(TrayList::defaultSize());
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        show();
    }
    raise();
    activateWindow();
}

void TrayListBox::followLines(SourceLines* lines) {
    connect(lines, &SourceLines::reset, this, [this] {
        if (isVisible() && m_model.mode() != TrayList::Mode::None) {
            m_model.open(m_model.mode());
            fill();
        }
    });
}

void TrayListBox::fill() {
    m_list->clear();
    m_list->setSelectionMode(m_model.multipleSelection() ? QAbstractItemView::ExtendedSelection
                                                         : QAbstractItemView::SingleSelection);
    const QStringList lines = m_model.shownLines();
    // The Play List's pictures come along when its box shows them.
    const bool copyIcons = m_model.mode() == TrayList::Mode::PlayList && m_model.hasItems() &&
                           m_playListView && m_playListView->rowCount() == lines.size();
    for (int row = 0; row < lines.size(); ++row) {
        auto* item = new QListWidgetItem(lines.at(row), m_list);
        if (copyIcons) {
            item->setData(Qt::DecorationRole, m_playListView->index(row, 0).data(Qt::DecorationRole));
        }
    }
    m_list->setEnabled(m_model.hasItems());
}

void TrayListBox::playChosen() {
    if (!m_model.hasItems()) {
        return;
    }
    std::vector<int> rows;
    for (const QModelIndex& index : m_list->selectionModel()->selectedIndexes()) {
        rows.push_back(index.row());
    }
    if (rows.empty()) {
        return;
    }
    m_dispatcher.runFromWindow([this, rows] { m_model.play(rows); });
}

void TrayListBox::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const TrayList::Layout layout = TrayList::layOut(size());
    m_list->setGeometry(layout.list);
    m_done->setGeometry(layout.done);
    m_play->setGeometry(layout.play);
}

void TrayListBox::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    m_model.close();
}
