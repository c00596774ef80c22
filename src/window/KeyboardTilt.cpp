#include "KeyboardTilt.h"

#include <cmath>

namespace {

constexpr double kLean = 500; // thousandths of g along a tilted axis

// The axis a key tilts and which way, or nothing for other keys.
int* axisOf(int key, int& across, int& along, int& way) {
    switch (key) {
    case Qt::Key_Left: way = -1; return &across;
    case Qt::Key_Right: way = 1; return &across;
    case Qt::Key_Up: way = -1; return &along;
    case Qt::Key_Down: way = 1; return &along;
    default: return nullptr;
    }
}

} // namespace

bool KeyboardTilt::press(const QKeyEvent& event) {
    int way = 0;
    int* axis = axisOf(event.key(), across, along, way);
    if (!axis || !(event.modifiers() & Qt::AltModifier)) return false;
    *axis = way;
    return true;
}

// A held key's auto-repeat releases it for a moment only: the tilt stays.
bool KeyboardTilt::release(const QKeyEvent& event) {
    int way = 0;
    int* axis = axisOf(event.key(), across, along, way);
    if (!axis || *axis != way) return false;
    if (!event.isAutoRepeat()) *axis = 0;
    return true;
}

// The sensor's file gives Y first and X second; gravity keeps the whole at one g.
Tilt KeyboardTilt::currentTilt() {
    const double x = across * kLean;
    const double y = along * kLean;
    const double z = -std::sqrt(1000.0 * 1000.0 - x * x - y * y);
    return {static_cast<TInt32>(y), static_cast<TInt32>(x), static_cast<TInt32>(std::lround(z))};
}
