#include "DecoderHost.h"

#include "Stream.h"

#include <QGuiApplication>

namespace {

// Qt's pictures and fonts need an application object, made once for the process; the
// offscreen platform needs no display.
bool startQt() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    return true;
}

} // namespace

DecoderHost::QtStart::QtStart() {
    static const bool started = startQt();
    (void)started;
}

DecoderHost::DecoderHost(std::span<const TUint8> fileBytes)
    : file(fileBytes.begin(), fileBytes.end()), budget(kMemoryBudget) {}

std::unique_ptr<KESTRO::InputStream> DecoderHost::openInputFile(const OString&) {
    return std::make_unique<KESTRO::MemoryInputStream>(file);
}

HostServices DecoderHost::qtServices() {
    HostServices host = services();
    host.canvases = &canvases;
    host.fonts = &fonts;
    return host;
}
