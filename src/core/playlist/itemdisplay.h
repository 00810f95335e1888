#pragma once

#include <QString>

class CDDatabase;

// What the Play List box shows for an item: its display line and its glyph.

struct ItemDisplayOptions {
    bool showPath = false;      // full paths instead of file names
    bool showExtension = true;  // file extensions kept
    bool showIcons = true;      // file items carry the glyph of their kind
    bool showTagTitles = false;  // file items whose tags give a title are shown by it
};

enum class ItemGlyph {
    None,
    Unknown,
    UnknownPlayed,
    MIDI,
    MIDIPlayed,
    Movie,
    MoviePlayed,
    Wave,
    WavePlayed,
    CD,
    CDPlayed,
};

// cdNames may be null: CD tracks are then shown as "Track <n>".
QString ItemDisplayName(const QString& ref, const ItemDisplayOptions& options, const CDDatabase* cdNames);

// CD tracks always carry a glyph; file items only when icons are shown.
ItemGlyph ItemGlyphFor(const QString& ref, bool played, bool showIcons);
