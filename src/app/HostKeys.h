// The keys the host keeps for itself instead of giving them to the application.
#pragma once

#include <array>

enum class HostAction { FullScreen, Screenshot, Overlay };

struct HostKey {
    HostAction action;
    const char* setting;     // its name in a key map's [host] section
    const char* defaultName; // its key when no key map moves it
    const char* description;
};

inline constexpr std::array<HostKey, 3> kDefaultHostKeys{{
    {HostAction::FullScreen, "fullscreen", "F11", "full screen on and off"},
    {HostAction::Screenshot, "screenshot", "F12",
     "save the application's picture as PNG (with Shift: the window as shown)"},
    {HostAction::Overlay, "overlay", "F10", "frames per second, draw time, collection pause, heap"},
}};
