#include "NativeFont.h"

#include "TextUnits.h"

TInt32 NativeFont::stringWidth(const OString& text, TInt32 first, TInt32 length) const {
    if (length <= 0) return 0;
    return metrics.horizontalAdvance(qtText(text, first, length));
}

// Prefixes are measured whole, as Qt shapes them, so the count stops at the first prefix
// wider than the maximum even if a longer one would measure less.
TInt32 NativeFont::fittingCharacters(const OString& text, TInt32 first, TInt32 length,
                                     TInt32 maximum) const {
    const QString units = qtText(text, first, length);
    TInt32 fitting = 0;
    while (fitting < length && metrics.horizontalAdvance(units, fitting + 1) <= maximum)
        ++fitting;
    return fitting;
}
