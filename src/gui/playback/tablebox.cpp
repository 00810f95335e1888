#include "gui/playback/tablebox.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TableBox::TableBox(const Contents& contents, QWidget* parent) : QDialog(parent) {
    setObjectName(contents.objectName);
    setWindowTitle(contents.title);
    auto* layout = new QVBoxLayout(this);
    if (!contents.text.isEmpty()) {
        auto* text = new QLabel(contents.text);
        text->setWordWrap(true);
        layout->addWidget(text);
    }
    auto* table = new QTableWidget(static_cast<int>(contents.rows.size()), 2);
    table->setObjectName(QStringLiteral("FilesTable"));
    table->setHorizontalHeaderLabels(contents.headings);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    int row = 0;
    for (const auto& [left, right] : contents.rows) {
        table->setItem(row, 0, new QTableWidgetItem(left));
        table->setItem(row, 1, new QTableWidgetItem(right));
        ++row;
    }
    table->resizeColumnsToContents();
    auto* done = new QPushButton(QStringLiteral("&Done"));
    done->setObjectName(QStringLiteral("DoneBtn"));
    done->setDefault(true);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(table, 1);
    layout->addWidget(done, 0, Qt::AlignRight);
    resize(560, 260);
}
