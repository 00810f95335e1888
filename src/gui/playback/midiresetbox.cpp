#include "gui/playback/midiresetbox.h"

#include "core/common/product.h"

namespace {

TableBox::Contents resetFiles() {
    const QString name = Product::name();
    return {QStringLiteral("MIDIResetBox"),
            QStringLiteral("MIDI Reset Files"),
            QStringLiteral(
                "Below is a list of the MIDI reset files that come with %1. If you are unable to find any "
                "of these files, please download the latest version of %1 from the %1 home page "
                "located at the URL listed in the About box.")
                .arg(name),
            {QStringLiteral("Name"), QStringLiteral("Filename")},
            {{QStringLiteral("Roland GS"), QStringLiteral("GSRESET.MID")},
             {QStringLiteral("General MIDI System Level 1"), QStringLiteral("GMRESET.MID")},
             {QStringLiteral("Patches of Channels 1-9, 11-16 to Grand Piano and 10 to Percussion"),
              QStringLiteral("PARESET.MID")},
             {QStringLiteral("Yamaha XG"), QStringLiteral("XGRESET.MID")}}};
}

}  // namespace

MidiResetBox::MidiResetBox(QWidget* parent) : TableBox(resetFiles(), parent) {}
