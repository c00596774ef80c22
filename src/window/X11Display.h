// The few X11 requests the window makes of the window manager's properties, on the X11
// connection that Qt opened. On another platform (offscreen, Wayland) there is none, and
// every request quietly does nothing.
#pragma once

#include <cstdint>
#include <optional>

namespace X11Display {

// Property types the core protocol predefines.
constexpr std::uint32_t kCardinal = 6;
constexpr std::uint32_t kInteger = 19;
constexpr std::uint32_t kWindow = 33;

// Whether the application runs on an X11 display.
bool available();
// The atom with that name, made when it does not exist yet; 0 without a display.
std::uint32_t atom(const char* name);
// The atom with that name if some client made it already, else 0.
std::uint32_t existingAtom(const char* name);
// The root window of the screen that holds `window`; 0 without a display.
std::uint32_t rootOf(std::uint32_t window);
bool isRootWindow(std::uint32_t window);
// Replaces a property of a window with one 32-bit item of the type; answers whether the
// server took the request.
bool setProperty32(std::uint32_t window, std::uint32_t property, std::uint32_t type,
                   std::uint32_t value);
// The first 32-bit item of a window's property when it has that type and at least one
// item, else nothing.
std::optional<std::uint32_t> firstItem(std::uint32_t window, std::uint32_t property,
                                       std::uint32_t type);
// Makes the server report property changes of the root windows to this client, beside
// whatever else the client asked of them.
void watchRootProperties();

} // namespace X11Display
