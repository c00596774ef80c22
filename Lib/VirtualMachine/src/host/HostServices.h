// The host as the machine and its natives reach it: one small interface a purpose. The
// host fills every field before the module is loaded and keeps the services alive as
// long as the machine.
#pragma once

#include "CanvasService.h"
#include "ClockService.h"
#include "ExtensionService.h"
#include "FileSystemServices.h"
#include "FontService.h"
#include "LifecycleService.h"
#include "LogService.h"
#include "PositionService.h"
#include "ScreenService.h"
#include "TiltService.h"
#include "TimerService.h"

struct HostServices {
    FileSystemServices* files = nullptr;
    LogService* log = nullptr;
    ClockService* clocks = nullptr;
    TimerService* timers = nullptr;
    ScreenService* screen = nullptr;
    ExtensionService* extensions = nullptr;
    LifecycleService* lifecycle = nullptr;
    CanvasService* canvases = nullptr;
    FontService* fonts = nullptr;
    TiltService* tilt = nullptr;          // optional: where the device has no sensor
    PositionService* positions = nullptr; // optional: where positions come from

    bool complete() const {
        return files && log && clocks && timers && screen && extensions && lifecycle && canvases &&
               fonts;
    }
};
