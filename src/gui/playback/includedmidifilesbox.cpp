#include "gui/playback/includedmidifilesbox.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

IncludedMidiFilesBox::IncludedMidiFilesBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("IncludedMIDIFiles"));
    setWindowTitle(QStringLiteral("Included MIDI Files"));
    // The pieces of data/Samples, as scripts/make-samples.py arranges them.
    const std::pair<const char*, const char*> pieces[] = {
        {"Ludwig van Beethoven", "Moonlight Sonata (Sonata op. 27 no. 2, first movement)"},
        {"Ludwig van Beethoven", "F\u00fcr Elise (Bagatelle WoO 59)"},
        {"Ludwig van Beethoven", "Symphony no. 5, first movement"},
        {"Wolfgang Amadeus Mozart", "March (Rondo alla turca, Sonata K. 331)"},
        {"Pyotr Ilyich Tchaikovsky", "Dance of the Sugar-plum Fairy (The Nutcracker)"},
        {"Pyotr Ilyich Tchaikovsky", "Waltz of the Flowers (The Nutcracker)"},
    };
    auto* table = new QTableWidget(static_cast<int>(std::size(pieces)), 2);
    table->setObjectName(QStringLiteral("FilesTable"));
    table->setHorizontalHeaderLabels({QStringLiteral("Composer"), QStringLiteral("Title")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    int row = 0;
    for (const auto& [composer, title] : pieces) {
        table->setItem(row, 0, new QTableWidgetItem(QString::fromUtf8(composer)));
        table->setItem(row, 1, new QTableWidgetItem(QString::fromUtf8(title)));
        ++row;
    }
    table->resizeColumnsToContents();
    auto* done = new QPushButton(QStringLiteral("&Done"));
    done->setObjectName(QStringLiteral("DoneBtn"));
    done->setDefault(true);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table, 1);
    layout->addWidget(done, 0, Qt::AlignRight);
    resize(560, 260);
}
