// Fuzz target: any bytes as an image file that an application loads as a bitmap font
// (System bitmapFontFromFile), then measures text in and draws text with.
#include "DecoderHost.h"
#include "ImageFiles.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// Every unit up to well past the last glyph a 8192-pixel-wide image can hold.
OString everyUnit() {
    std::u16string units(9000, u'\0');
    for (std::size_t unit = 0; unit < units.size(); ++unit)
        units[unit] = static_cast<char16_t>(unit);
    return OString(units);
}

void useFont(const HostServices& host, CAppsFont& font) {
    const OString text = everyUnit(); // charged to the input's budget, as texts are
    const TInt32 length = static_cast<TInt32>(text.length());
    font.stringWidth(text, 0, length);
    font.fittingCharacters(text, 1, length - 1, font.height() * 8);
    const std::unique_ptr<VMBitmap> canvas = host.canvases->makeBitmap(32, 16, 0xFF000000);
    const std::unique_ptr<DrawingSurface> surface = host.canvases->drawOn(*canvas);
    surface->drawText({text, 30, 40}, {-2, 1}, 0xFF00FF00, font);
    surface->drawText({text, 32, 8}, {0, -1}, 0x80FFFFFF, font);
    surface->endDrawing();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecoderHost host({data, size});
    host.decode([](const HostServices& services) {
        const std::vector<TUint8> bytes = readImageFile(*services.files, OString("font"));
        const std::unique_ptr<CAppsFont> font = services.fonts->bitmapFont(bytes);
        if (font) useFont(services, *font);
    });
    return 0;
}
