#include "QtFontService.h"

#include "ImageDecoding.h"
#include "KestroFont.h"
#include "NativeFont.h"

#include <QFile>
#include <QGuiApplication>

#include <mutex>

namespace {

constexpr const char* kStableFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kStableFontFamily = "DejaVu Sans";
constexpr int kDefaultPixelSize = 40;

// Makes the installed DejaVu Sans the application's font, which surfaces draw text in.
// The family is named, not the file loaded: the system's font configuration finds it,
// and only when text is first measured or drawn.
void selectStableFont() {
    if (QFile::exists(kStableFontFile)) QGuiApplication::setFont(QFont(kStableFontFamily));
}

} // namespace

QtFontService::QtFontService() {
    static std::once_flag selected;
    std::call_once(selected, selectStableFont);
}

std::unique_ptr<CAppsFont> QtFontService::defaultFont() {
    QFont font = QGuiApplication::font();
    font.setPixelSize(kDefaultPixelSize);
    return std::make_unique<NativeFont>(font);
}

std::unique_ptr<CAppsFont> QtFontService::bitmapFont(std::span<const TUint8> bytes) {
    const QImage image = decodeImageBytes(bytes);
    if (image.isNull()) return nullptr;
    return std::make_unique<KestroFont>(image);
}
