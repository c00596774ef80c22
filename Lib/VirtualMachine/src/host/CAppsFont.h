// A font of the application: the platform's own font or a bitmap font cut from an image.
// Both measure text in pixels; texts are UTF-16 and a range is a first unit and a length
// that the callers have checked against the text.
#pragma once

#include "GCObject.h"
#include "OString.h"
#include "Types.h"

// The units first .. first + length - 1 of a text, a range inside it.
struct TextRun {
    const OString& text;
    TInt32 first = 0;
    TInt32 length = 0;
};

enum FontType : TInt32 { ENativeFont = 0, EBitmapFont = 1 };

class CAppsFont : public GCObject {
public:
    virtual TInt32 ascent() const = 0;
    virtual TInt32 height() const = 0;
    // The width of the units first .. first + length - 1.
    virtual TInt32 stringWidth(const OString& text, TInt32 first, TInt32 length) const = 0;
    // How many units from first on (at most length) fit side by side in `maximum` pixels.
    virtual TInt32 fittingCharacters(const OString& text, TInt32 first, TInt32 length,
                                     TInt32 maximum) const = 0;
    virtual FontType fontType() const = 0;
};
