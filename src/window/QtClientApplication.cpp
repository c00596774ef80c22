#include "QtClientApplication.h"

#include "MainView.h"
#include "X11Display.h"

#include <xcb/xcb.h>

namespace {

constexpr std::uint32_t kAnyApplication = 0xFFFFFFFF;

bool isCurrentAppWindowChange(const xcb_property_notify_event_t& event) {
    static const std::uint32_t currentAppWindow = X11Display::atom("_MB_CURRENT_APP_WINDOW");
    return event.atom == currentAppWindow && event.state == XCB_PROPERTY_NEW_VALUE &&
           X11Display::isRootWindow(event.window);
}

} // namespace

QtClientApplication::QtClientApplication(int& argc, char** argv) : QApplication(argc, argv) {
    if (!X11Display::available()) return;
    X11Display::watchRootProperties();
    installNativeEventFilter(this);
}

bool QtClientApplication::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_PROPERTY_NOTIFY) return false;
    const auto& change = *static_cast<const xcb_property_notify_event_t*>(message);
    if (!isCurrentAppWindowChange(change)) return false;
    const auto first = X11Display::firstItem(change.window, change.atom, X11Display::kWindow);
    if (first && mainView)
        mainView->setWindowActive(*first == kAnyApplication || mainView->isActiveWindow());
    return false;
}
