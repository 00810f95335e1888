#include "gui/playback/includedmidifilesbox.h"

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

// The pieces of data/Samples, as scripts/make-samples.py arranges them.
TableBox::Contents samplePieces() {
    return {QStringLiteral("IncludedMIDIFiles"),
            QStringLiteral("Included MIDI Files"),
            QString(),
            {QStringLiteral("Composer"), QStringLiteral("Title")},
            {{u("Ludwig van Beethoven"), u("Moonlight Sonata (Sonata op. 27 no. 2, first movement)")},
             {u("Ludwig van Beethoven"), u("F\u00fcr Elise (Bagatelle WoO 59)")},
             {u("Ludwig van Beethoven"), u("Symphony no. 5, first movement")},
             {u("Wolfgang Amadeus Mozart"), u("March (Rondo alla turca, Sonata K. 331)")},
             {u("Pyotr Ilyich Tchaikovsky"), u("Dance of the Sugar-plum Fairy (The Nutcracker)")},
             {u("Pyotr Ilyich Tchaikovsky"), u("Waltz of the Flowers (The Nutcracker)")}}};
}

}  // namespace

IncludedMidiFilesBox::IncludedMidiFilesBox(QWidget* parent) : TableBox(samplePieces(), parent) {}
