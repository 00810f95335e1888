#include "core/playlist/itemdisplay.h"

#include "core/cdaudio/cddatabase.h"
#include "core/common/filetitle.h"
#include "core/common/itemref.h"

namespace {

// Cuts the extension of the file name only; a dot in a folder name is not an extension.
QString withoutExtension(const QString& path) {
    const qsizetype nameStart = FileNameStart(path);
    const qsizetype dot = path.lastIndexOf(u'.');
    // A leading dot names a hidden file; it is no extension.
    return dot > nameStart ? path.left(dot) : path;
}

}  // namespace

QString ItemDisplayName(const QString& ref, const ItemDisplayOptions& options, const CDDatabase* cdNames) {
    if (IsCDItem(ref)) {
        const QString track = GetItemValue(ref, QStringLiteral("T"));
        if (cdNames) {
            const QString name = cdNames->trackName(GetItemValue(ref, QStringLiteral("CDID")), track);
            if (!name.isEmpty()) {
                return name;
            }
        }
        return QStringLiteral("Track ") + track;
    }
    const QString path = GetItemValue(ref, QStringLiteral("FILE"));
    const QString shown = options.showPath ? path : path.mid(FileNameStart(path));
    return options.showExtension ? shown : withoutExtension(shown);
}

ItemGlyph ItemGlyphFor(const QString& ref, bool played, bool showIcons) {
    const ItemKindValue kind = ItemKind(ref);
    if (kind != ItemKindValue::CDTrack && !showIcons) {
        return ItemGlyph::None;
    }
    switch (kind) {
        case ItemKindValue::Sequencer:
            return played ? ItemGlyph::MIDIPlayed : ItemGlyph::MIDI;
        case ItemKindValue::Movie:
            return played ? ItemGlyph::MoviePlayed : ItemGlyph::Movie;
        case ItemKindValue::Wave:
            return played ? ItemGlyph::WavePlayed : ItemGlyph::Wave;
        case ItemKindValue::CDTrack:
            return played ? ItemGlyph::CDPlayed : ItemGlyph::CD;
        case ItemKindValue::Unknown:
            break;
    }
    return played ? ItemGlyph::UnknownPlayed : ItemGlyph::Unknown;
}
