// Fonts as Qt renders them. The default font is DejaVu Sans when that font file is
// installed, so text measures and looks the same on every machine that has it.
#pragma once

#include "FontService.h"

class QtFontService : public FontService {
public:
    QtFontService();

    std::unique_ptr<CAppsFont> defaultFont() override;
    std::unique_ptr<CAppsFont> bitmapFont(std::span<const TUint8> bytes) override;
};
