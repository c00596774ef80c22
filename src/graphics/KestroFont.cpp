#include "KestroFont.h"

#include "ErrorHandling.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr char16_t kFirstGlyphUnit = 32;

bool isSet(const QImage& image, int column, int row) {
    return qBlue(image.pixel(column, row)) != 0;
}

TInt32 ascentOf(const QImage& image, TInt32 glyphRows) {
    TInt32 rows = 0;
    while (rows < glyphRows && isSet(image, 0, rows))
        ++rows;
    return rows;
}

// The glyphs the marker row ends; none without a marker from column 2 on.
std::vector<Glyph> glyphsOf(const QImage& image) {
    const int markerRow = image.height() - 1;
    std::size_t count = 0;
    for (int column = 2; column < image.width(); ++column)
        count += isSet(image, column, markerRow);
    std::vector<Glyph> glyphs;
    if (count == 0) return glyphs;
    glyphs.reserve(count);
    TInt32 start = 1;
    for (int column = 1; column < image.width(); ++column) {
        if (!isSet(image, column, markerRow)) continue;
        // A marker at column 1 ends one glyph more than there are markers after it.
        if (glyphs.size() == count) throwError(EInvalidArgument);
        glyphs.push_back({start, column - start});
        start = column;
    }
    return glyphs;
}

} // namespace

KestroFont::KestroFont(const QImage& source)
    : glyphHeight(source.height() - 1), imageCharge(source.size()), pixmapCharge(source.size()) {
    const QImage pixels = source.convertToFormat(QImage::Format_ARGB32);
    glyphs = glyphsOf(pixels);
    glyphAscent = ascentOf(pixels, glyphHeight);
    glyphImage = QImage(pixels.size(), QImage::Format_Indexed8);
    glyphImage.fill(0);
    for (int row = 0; row < glyphHeight; ++row) {
        uchar* line = glyphImage.scanLine(row);
        for (int column = 0; column < pixels.width(); ++column)
            line[column] = static_cast<uchar>(qBlue(pixels.pixel(column, row)));
    }
}

// Widths add up in 64 bits: a long text of wide glyphs can be wider than an int holds,
// and measures then the widest an int can say.
TInt32 KestroFont::stringWidth(const OString& text, TInt32 first, TInt32 length) const {
    TInt64 width = 0;
    for (char16_t unit : text.view().substr(first, length))
        width += glyph(unit).width;
    return static_cast<TInt32>(std::min<TInt64>(width, INT32_MAX));
}

TInt32 KestroFont::fittingCharacters(const OString& text, TInt32 first, TInt32 length,
                                     TInt32 maximum) const {
    TInt64 width = 0;
    TInt32 fitting = 0;
    for (char16_t unit : text.view().substr(first, length)) {
        width += glyph(unit).width;
        if (width > maximum) break;
        ++fitting;
    }
    return fitting;
}

int KestroFont::outsideHeapSize() const {
    return static_cast<int>(imageCharge.charged() + pixmapCharge.charged());
}

Glyph KestroFont::glyph(char16_t unit) const {
    if (unit < kFirstGlyphUnit) return {};
    const std::size_t index = unit - kFirstGlyphUnit;
    return index < glyphs.size() ? glyphs[index] : Glyph{};
}

// Colour table entry i is the colour with alpha i, so each pixel's coverage becomes its
// alpha.
const QPixmap& KestroFont::glyphsIn(TUint32 wanted) {
    const TUint32 opaque = wanted | 0xFF000000;
    if (opaque == colour && !glyphImage.colorTable().isEmpty()) return glyphPixmap;
    QList<QRgb> table(256);
    for (TUint32 alpha = 0; alpha < 256; ++alpha)
        table[alpha] = (opaque & 0x00FFFFFF) | alpha << 24;
    glyphImage.setColorTable(table);
    colour = opaque;
    glyphPixmap = QPixmap::fromImage(glyphImage);
    return glyphPixmap;
}
