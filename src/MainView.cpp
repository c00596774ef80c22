#include "MainView.h"

#include "ApplicationPaths.h"
#include "HostCall.h"
#include "Stream.h"
#include "VirtualMachine.h"

#include <QHideEvent>
#include <QShowEvent>
#include <cstdio>
#include <cstdlib>
#include <sys/time.h>

namespace {

// Whether the application was last told it is in the foreground; one for the process.
bool foregroundState = false;

// Microseconds since 1970-01-01 UTC.
TInt64 microsecondClock() {
    timeval now{};
    gettimeofday(&now, nullptr);
    return TInt64{now.tv_sec} * 1000000 + now.tv_usec;
}

} // namespace

MainView::MainView(const CAppsString& aDirectory) : directory(aDirectory) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Qt::WA_PaintOnScreen is left off: it stops a raster widget from painting.
    setFocusPolicy(Qt::StrongFocus);
    setWindowState(Qt::WindowFullScreen);
}

MainView::~MainView() = default;

void MainView::loadApplication() {
    startTime = microsecondClock();
    auto* machine = new VirtualMachine(); // lives until the process ends
    setCurrentVirtualMachine(machine);
    attachMachine(machine);
    const OString moduleName("index.mcb");
    const std::unique_ptr<KESTRO::InputStream> module = openInputFile(moduleName, false);
    if (!module) {
        std::fprintf(stderr, "Failed to open '%s'\n",
                     fileSystemPath(directory, moduleName).c_str());
        std::exit(1);
    }
    machine->startApplication(*module, moduleName, this);
    update();
}

bool MainView::needsRotation() const {
    return orientation == 1 && width() > height();
}

TInt32 MainView::currentTimeMillis() {
    return static_cast<TInt32>(microsecondClock() / 1000);
}

TInt32 MainView::elapsedMillis() {
    return static_cast<TInt32>((microsecondClock() - startTime) / 1000);
}

void MainView::exitApplication() {
    std::fflush(stderr);
    std::exit(0);
}

void MainView::setOrientation(TInt32 newOrientation) {
    if (newOrientation == orientation) return;
    orientation = newOrientation;
    update();
}

void MainView::getScreenSize(TInt32& width, TInt32& height) {
    width = orientation == 2 ? 800 : 480;
    height = orientation == 2 ? 480 : 800;
}

TInt32 MainView::callExtension(TInt32 extension, TInt32 function, TInt32 top,
                               TVMAddress stackAddress) {
    return extensionHost.dispatch(extension, function, top, stackAddress);
}

TInt32 MainView::addTimer(TVMAddress listener, TInt32 delay) {
    KESTRO_ASSERT(delay >= 0);
    return scheduler.addTimer(listener, static_cast<TUint32>(delay));
}

TVMAddress MainView::removeTimer(TInt32 id) {
    return scheduler.remove(id);
}

bool MainView::updateTimerDelay(TInt32 id, TInt32 newDelay) {
    KESTRO_ASSERT(newDelay >= 0);
    scheduler.updateDelay(id, static_cast<TUint32>(newDelay));
    return true;
}

OString MainView::applicationDirectory() {
    return directory.toOString();
}

void MainView::displaySignal(const QString& status) {
    displayOn = status != QLatin1String("off");
    updateForegroundState();
}

void MainView::showEvent(QShowEvent* event) {
    windowActive = true;
    updateForegroundState();
    MainViewBase::showEvent(event);
}

void MainView::hideEvent(QHideEvent* event) {
    windowActive = false;
    updateForegroundState();
    MainViewBase::hideEvent(event);
}

void MainView::updateForegroundState() {
    const bool visible = windowActive && displayOn;
    VirtualMachine* machine = currentVirtualMachine();
    if (visible == foregroundState || !machine) return;
    foregroundState = visible;
    runHostCall([machine, visible] {
        if (visible) {
            machine->foregroundEvent();
        } else {
            machine->backgroundEvent();
        }
    });
}
