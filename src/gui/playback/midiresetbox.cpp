#include "gui/playback/midiresetbox.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

MidiResetBox::MidiResetBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("MIDIResetBox"));
    setWindowTitle(QStringLiteral("MIDI Reset Files"));
    auto* text = new QLabel(QStringLiteral(
        "Below is a list of the MIDI reset files that come with Velmaro. If you are unable to find any of "
        "these "
        "files, please download the latest version of Velmaro from the Velmaro home page located at the URL "
        "listed in the About box."));
    text->setWordWrap(true);
    const std::pair<const char*, const char*> files[] = {
        {"Roland GS", "GSRESET.MID"},
        {"General MIDI System Level 1", "GMRESET.MID"},
        {"Patches of Channels 1-9, 11-16 to Grand Piano and 10 to Percussion", "PARESET.MID"},
        {"Yamaha XG", "XGRESET.MID"},
    };
    auto* table = new QTableWidget(static_cast<int>(std::size(files)), 2);
    table->setObjectName(QStringLiteral("FilesTable"));
    table->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Filename")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    int row = 0;
    for (const auto& [name, file] : files) {
        table->setItem(row, 0, new QTableWidgetItem(QString::fromLatin1(name)));
        table->setItem(row, 1, new QTableWidgetItem(QString::fromLatin1(file)));
        ++row;
    }
    table->resizeColumnsToContents();
    auto* done = new QPushButton(QStringLiteral("&Done"));
    done->setObjectName(QStringLiteral("DoneBtn"));
    done->setDefault(true);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(table, 1);
    layout->addWidget(done, 0, Qt::AlignRight);
    resize(560, 260);
}
