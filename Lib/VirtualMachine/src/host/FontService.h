// The fonts the host makes: its default font and bitmap fonts cut from images.
#pragma once

#include "CAppsFont.h"
#include "Types.h"

#include <memory>
#include <span>

class FontService {
public:
    virtual ~FontService() = default;
    // The platform's default font at pixel size 40.
    virtual std::unique_ptr<CAppsFont> defaultFont() = 0;
    // The bitmap font in the image the bytes hold, or null when they hold no picture the
    // host reads. A marker at column 1 of the image's marker row raises
    // InvalidArgumentException with an empty message.
    virtual std::unique_ptr<CAppsFont> bitmapFont(std::span<const TUint8> bytes) = 0;
};
