#include "QtFontService.h"

#include "ImageDecoding.h"
#include "KestroFont.h"
#include "NativeFont.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

#include <mutex>

namespace {

constexpr const char* kStableFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kDefaultPixelSize = 40;

// Makes the installed DejaVu Sans the application's font, which surfaces draw text in.
void selectStableFont() {
    const int id = QFontDatabase::addApplicationFont(kStableFontFile);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty()) QGuiApplication::setFont(QFont(families.first()));
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
