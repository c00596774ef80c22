// A bitmap font: glyphs cut once from an image, drawn by copying glyph rectangles
// recoloured to the text's colour.
//
// The image holds the glyphs side by side in its rows 0 .. H - 2, the blue channel of a
// pixel being its coverage; row H - 1 is the marker row. The first glyph starts at
// column 1, and every set marker at column m >= 2 ends the glyph before it and starts the
// next at m. Glyph k is the character 32 + k. Column 0 is no glyph's: its set pixels from
// row 0 down give the ascent.
#pragma once

#include "CAppsFont.h"
#include "PixelMemory.h"

#include <QImage>
#include <QPixmap>

#include <vector>

struct Glyph {
    TInt32 x = 0;
    TInt32 width = 0; // 0: no glyph
};

class KestroFont : public CAppsFont {
public:
    // Cuts the glyphs of the (not null) image. A marker at column 1 raises
    // InvalidArgumentException with an empty message.
    explicit KestroFont(const QImage& source);

    TInt32 ascent() const override { return glyphAscent; }
    TInt32 height() const override { return glyphHeight; }
    TInt32 stringWidth(const OString& text, TInt32 first, TInt32 length) const override;
    TInt32 fittingCharacters(const OString& text, TInt32 first, TInt32 length,
                             TInt32 maximum) const override;
    FontType fontType() const override { return EBitmapFont; }
    int outsideHeapSize() const override;

    Glyph glyph(char16_t unit) const;
    // The glyph picture in the colour's red, green and blue, the coverage as alpha. It is
    // made again only when the colour changes.
    const QPixmap& glyphsIn(TUint32 colour);

private:
    QImage glyphImage; // Indexed8: the coverage
    QPixmap glyphPixmap;
    TUint32 colour = 0xFFFFFFFF;
    TInt32 glyphHeight = 0;
    TInt32 glyphAscent = 0;
    std::vector<Glyph> glyphs;
    PixelCharge imageCharge;
    PixelCharge pixmapCharge;
};
