// Times the drawing of one frame of a typical 2D game on the 800 x 480 back buffer, as
// the Graphics natives ask the host's surface for it: a clear, 500 sprites of 32 x 32
// with alpha at integer positions, 50 sprites turned and scaled, and 100 strings of 20
// characters in a bitmap font, 20 in each of 5 colours. The recolouring of the font
// (once per colour change) is timed on its own as well.
//   frame_bench [frames]      (default 1000; QT_QPA_PLATFORM=offscreen needs no X server)
#include "GraphicsContainer.h"
#include "KestroFont.h"
#include "QtCanvasService.h"
#include "QtFontService.h"
#include "TimeSummary.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 480;
constexpr int kGlyphWidth = 8;
constexpr int kGlyphRows = 12;
constexpr int kGlyphs = 95; // ' ' to '~'
constexpr TUint32 kColours[] = {0xFFFFFFFF, 0xFFFF4040, 0xFF40FF40, 0xFF4040FF, 0xFFFFFF40};

// A font image of 95 glyphs of 8 x 12 (a diagonal pattern of full and half coverage) over
// a marker row, as PNG bytes.
std::vector<TUint8> fontImageBytes() {
    QImage image(1 + kGlyphs * kGlyphWidth, kGlyphRows + 1, QImage::Format_ARGB32);
    image.fill(0xFF000000);
    for (int x = 1; x < image.width(); ++x) {
        for (int y = 0; y < kGlyphRows; ++y)
            image.setPixel(x, y, (x + y) % 3 == 0 ? 0xFFFFFFFF : (x + y) % 3 == 1 ? 0xFF808080 : 0);
        if ((x - 1) % kGlyphWidth == 0 && x > 1) image.setPixel(x, kGlyphRows, 0xFFFFFFFF);
    }
    image.setPixel(image.width() - 1, kGlyphRows, 0xFFFFFFFF);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "png");
    return {bytes.cbegin(), bytes.cend()};
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

struct Scene {
    std::unique_ptr<VMBitmap> sprite;
    std::unique_ptr<CAppsFont> font;
    OString text{"Score 0123456789 ABC"};
};

void drawFrame(DrawingSurface& surface, Scene& scene, int frame) {
    surface.fillRectangle(0, 0, kWidth, kHeight, 0xFF102030);
    for (int i = 0; i < 500; ++i) {
        const int step = frame + i * 7;
        surface.drawBitmap(*scene.sprite,
                           {(step * 13) % (kWidth - 32), (step * 7) % (kHeight - 32)}, 255);
    }
    for (int i = 0; i < 50; ++i) {
        const PictureTurn turn{(frame + i) * 7.0, 1.5, 0.75};
        surface.drawBitmapTurned(*scene.sprite, {(i * 61) % kWidth, (i * 37) % kHeight}, turn, 255);
    }
    for (int i = 0; i < 100; ++i) {
        surface.drawText({scene.text, 0, scene.text.length()}, {(i % 5) * 160, (i / 5) * 24},
                         kColours[i / 20], *scene.font);
    }
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    QGuiApplication application(argc, argv);
    QtCanvasService canvases;
    QtFontService fonts;
    Scene scene{canvases.makeBitmap(32, 32, 0x80FF8000), fonts.bitmapFont(fontImageBytes())};
    auto backBuffer = QSharedPointer<QPixmap>::create(kWidth, kHeight);

    std::vector<double> frameTimes;
    {
        GraphicsContainer surface(backBuffer);
        for (int frame = 0; frame < frames; ++frame) {
            const auto start = std::chrono::steady_clock::now();
            drawFrame(surface, scene, frame);
            frameTimes.push_back(millisecondsSince(start));
        }
    }
    reportTimes("frame", frameTimes);

    // Five colour changes, as each frame makes them.
    auto& font = dynamic_cast<KestroFont&>(*scene.font);
    std::vector<double> recolourTimes;
    for (int frame = 0; frame < frames; ++frame) {
        const auto start = std::chrono::steady_clock::now();
        for (const TUint32 colour : kColours)
            font.glyphsIn(colour);
        recolourTimes.push_back(millisecondsSince(start));
    }
    reportTimes("recolouring (5 colour changes)", recolourTimes);
    return 0;
}
