// Fuzz target: any bytes as an image file that an application loads as a bitmap
// (System bitmapFromFile), then reads pixels of and draws on another bitmap.
#include "BitmapLoading.h"
#include "DecoderHost.h"

#include <cstddef>
#include <cstdint>

namespace {

void usePicture(const HostServices& host, VMBitmap& picture) {
    const BitmapSize size = picture.size();
    picture.getPixel(size.width - 1, size.height - 1);
    picture.setPixel(0, 0, 0x80FF0000);
    const std::unique_ptr<VMBitmap> canvas = host.canvases->makeBitmap(8, 8, 0xFF000000);
    const std::unique_ptr<DrawingSurface> surface = host.canvases->drawOn(*canvas);
    surface->drawBitmap(picture, {-1, -1}, 128);
    surface->endDrawing();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecoderHost host({data, size});
    host.decode([](const HostServices& services) {
        const std::unique_ptr<VMBitmap> picture = loadBitmapFile(services, OString("image"));
        if (picture) usePicture(services, *picture);
    });
    return 0;
}
