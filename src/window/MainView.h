// The application's window and its host: it owns the host services (files, log, clocks,
// timers, extensions, bitmaps), is the application's screen, turns key, pointer and
// visibility changes into the application's events and starts the application.
#pragma once

#include "ApplicationFiles.h"
#include "ApplicationLog.h"
#include "ConfiguredPositions.h"
#include "ExtensionHost.h"
#include "HostClock.h"
#include "HostServices.h"
#include "KeyMap.h"
#include "KeyboardTilt.h"
#include "MachineMethods.h"
#include "MainViewBase.h"
#include "ProcessLifecycle.h"
#include "QtCanvasService.h"
#include "QtFontService.h"
#include "Scheduler.h"
#include "SensorTilt.h"

#include <QString>

class VirtualMachine;

// Full-screen, as on the phone, or a window of the application's screen size times a whole
// scale factor.
struct WindowMode {
    bool fullScreen = true;
    int scale = 1;
};

class MainView : public MainViewBase {
    Q_OBJECT
public:
    explicit MainView(const CAppsString& directory, WindowMode mode = {}, KeyMap keys = {});
    ~MainView() override;

    // Creates the machine, loads "index.mcb" and runs the application's start-up.
    void loadApplication();
    // The machine the timers call back.
    void attachMachine(VirtualMachine* machine) { scheduler.setMachine(machine); }
    // The services the machine reaches the host through; they live as long as the view.
    HostServices services();
    ApplicationFiles& applicationFiles() { return files; }
    bool needsRotation() const override;
    // The window manager's word on whether the window is the one in front.
    void setWindowActive(bool active);

    // ScreenService
    void setOrientation(TInt32 newOrientation) override;
    TInt32 getOrientation() override { return orientation; }
    void getScreenSize(TInt32& width, TInt32& height) override;
    // This host has no screen to ask for and never turns the screen by itself.
    void screenRequest(bool) override {}
    void addOrientationListener(TVMAddress) override {}
    void removeOrientationListener(TVMAddress) override {}

public Q_SLOTS:
    void displaySignal(const QString& status);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Tab and Backtab are keys of the application, not a move of the focus.
    bool focusNextPrevChild(bool) override { return false; }

private:
    // The application is visible when the window is active and the display is on; each
    // change of that is reported to the application once it runs.
    void updateForegroundState();
    void deliverKey(EventHandle which, const QKeyEvent& event);
    // Pointer events at the picture's point under the pointer; none in the bars.
    void deliverPointer(TInt32 type, const QMouseEvent& event);
    // Tells the window manager not to composite the display (root window property).
    void setNonCompositedWindow(bool on);
    // Asks the window manager for a portrait screen (property of the window).
    void setPortraitModeRequest(bool on);
    void runHostAction(HostAction action, Qt::KeyboardModifiers modifiers);
    void toggleFullScreen();
    // Saves the application's picture (or, asShown, the window) as a PNG file and says where.
    void saveScreenshot(bool asShown);

    ApplicationFiles files;
    ApplicationLog log{files};
    HostClock clock;
    Scheduler scheduler;
    ConfiguredPositions positions;
    ExtensionHost extensionHost;
    ProcessLifecycle lifecycle;
    QtCanvasService canvases;
    QtFontService fonts;
    KeyMap keyMap;
    KeyboardTilt keyboardTilt;
    SensorTilt sensorTilt{keyboardTilt};
    QRect windowedGeometry; // where the window goes when it leaves full screen
    TInt32 orientation = 2;
    bool windowActive = false;
    bool displayOn = true;
};
