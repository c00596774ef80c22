#include "X11Display.h"

#include <QGuiApplication>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

namespace X11Display {

static_assert(kCardinal == XCB_ATOM_CARDINAL && kInteger == XCB_ATOM_INTEGER &&
              kWindow == XCB_ATOM_WINDOW);

namespace {

xcb_connection_t* connection() {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// Replies are malloc'ed by xcb.
template <class Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;
template <class Reply> ReplyPointer<Reply> owned(Reply* reply) {
    return {reply, &std::free};
}

std::uint32_t internAtom(const char* name, bool onlyIfExists) {
    xcb_connection_t* c = connection();
    if (!c) return XCB_ATOM_NONE;
    const auto cookie =
        xcb_intern_atom(c, onlyIfExists, static_cast<std::uint16_t>(std::strlen(name)), name);
    const auto reply = owned(xcb_intern_atom_reply(c, cookie, nullptr));
    return reply ? reply->atom : std::uint32_t{XCB_ATOM_NONE};
}

} // namespace

bool available() {
    return connection() != nullptr;
}

std::uint32_t atom(const char* name) {
    return internAtom(name, false);
}

std::uint32_t existingAtom(const char* name) {
    return internAtom(name, true);
}

std::uint32_t rootOf(std::uint32_t window) {
    xcb_connection_t* c = connection();
    if (!c) return XCB_WINDOW_NONE;
    const auto reply = owned(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
    return reply ? reply->root : std::uint32_t{XCB_WINDOW_NONE};
}

bool isRootWindow(std::uint32_t window) {
    xcb_connection_t* c = connection();
    if (!c) return false;
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(c)); screens.rem;
         xcb_screen_next(&screens)) {
        if (screens.data->root == window) return true;
    }
    return false;
}

bool setProperty32(std::uint32_t window, std::uint32_t property, std::uint32_t type,
                   std::uint32_t value) {
    xcb_connection_t* c = connection();
    if (!c || window == XCB_WINDOW_NONE || property == XCB_ATOM_NONE) return false;
    const auto cookie = xcb_change_property_checked(c, XCB_PROP_MODE_REPLACE, window, property,
                                                    type, 32, 1, &value);
    const auto error = owned(xcb_request_check(c, cookie));
    return !error;
}

std::optional<std::uint32_t> firstItem(std::uint32_t window, std::uint32_t property,
                                       std::uint32_t type) {
    xcb_connection_t* c = connection();
    if (!c) return std::nullopt;
    // Every item, however many there are.
    constexpr std::uint32_t kAllItems = std::numeric_limits<std::uint32_t>::max() / 4;
    const auto reply = owned(xcb_get_property_reply(
        c, xcb_get_property(c, false, window, property, type, 0, kAllItems), nullptr));
    if (!reply || reply->type != type || reply->format != 32 ||
        xcb_get_property_value_length(reply.get()) < 4)
        return std::nullopt;
    std::uint32_t first = 0;
    std::memcpy(&first, xcb_get_property_value(reply.get()), sizeof first);
    return first;
}

void watchRootProperties() {
    xcb_connection_t* c = connection();
    if (!c) return;
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(c)); screens.rem;
         xcb_screen_next(&screens)) {
        const xcb_window_t root = screens.data->root;
        const auto attributes =
            owned(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, root), nullptr));
        if (!attributes) continue;
        const std::uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    }
    xcb_flush(c);
}

} // namespace X11Display
