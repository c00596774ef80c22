// The application's window and its host: it owns the host services (files, log, clocks,
// timers, extensions, bitmaps), is the application's screen, reports visibility changes
// and starts the application.
#pragma once

#include "ApplicationFiles.h"
#include "ApplicationLog.h"
#include "ExtensionHost.h"
#include "HostClock.h"
#include "HostServices.h"
#include "MainViewBase.h"
#include "ProcessLifecycle.h"
#include "QtCanvasService.h"
#include "Scheduler.h"

#include <QString>

class VirtualMachine;

class MainView : public MainViewBase {
    Q_OBJECT
public:
    explicit MainView(const CAppsString& directory);
    ~MainView() override;

    // Creates the machine, loads "index.mcb" and runs the application's start-up.
    void loadApplication();
    // The machine the timers call back.
    void attachMachine(VirtualMachine* machine) { scheduler.setMachine(machine); }
    // The services the machine reaches the host through; they live as long as the view.
    HostServices services();
    bool needsRotation() const override;

    // ScreenService
    void setOrientation(TInt32 newOrientation) override;
    TInt32 getOrientation() override { return orientation; }
    void getScreenSize(TInt32& width, TInt32& height) override;

public Q_SLOTS:
    void displaySignal(const QString& status);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The application is visible when the window is active and the display is on; each
    // change of that is reported to the application once it runs.
    void updateForegroundState();

    ApplicationFiles files;
    ApplicationLog log{files};
    HostClock clock;
    Scheduler scheduler;
    ExtensionHost extensionHost;
    ProcessLifecycle lifecycle;
    QtCanvasService canvases;
    TInt32 orientation = 2;
    bool windowActive = false;
    bool displayOn = true;
};
