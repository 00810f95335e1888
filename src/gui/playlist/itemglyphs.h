#pragma once

#include "core/playlist/itemdisplay.h"

#include <QPixmap>

// The 16-pixel images beside Play List items, one per kind, each with a red check mark when played.
class ItemGlyphs {
public:
    static constexpr int kSize = 16;

    ItemGlyphs();
    const QPixmap& pixmap(ItemGlyph glyph) const;

private:
    QPixmap m_pixmaps[static_cast<int>(ItemGlyph::CDPlayed) + 1];
};
