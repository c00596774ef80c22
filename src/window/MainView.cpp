#include "MainView.h"

#include "ApplicationPaths.h"
#include "HostCall.h"
#include "Stream.h"
#include "VirtualMachine.h"

#include <QHideEvent>
#include <QShowEvent>
#include <cstdio>
#include <cstdlib>

namespace {

// Whether the application was last told it is in the foreground; one for the process.
bool foregroundState = false;

} // namespace

MainView::MainView(const CAppsString& directory) : files(directory) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Qt::WA_PaintOnScreen is left off: it stops a raster widget from painting.
    setFocusPolicy(Qt::StrongFocus);
    setWindowState(Qt::WindowFullScreen);
}

MainView::~MainView() = default;

void MainView::loadApplication() {
    clock.restart();
    auto* machine = new VirtualMachine(); // lives until the process ends
    setCurrentVirtualMachine(machine);
    attachMachine(machine);
    extensionHost.attach(*machine, services());
    const OString moduleName("index.mcb");
    const std::unique_ptr<KESTRO::InputStream> module = files.openInputFile(moduleName);
    if (!module) {
        std::fprintf(stderr, "Failed to open '%s'\n",
                     fileSystemPath(files.applicationDirectory(), moduleName).c_str());
        std::exit(1);
    }
    machine->startApplication(*module, moduleName, services());
    update();
}

HostServices MainView::services() {
    return {&files, &log, &clock, &scheduler, this, &extensionHost, &lifecycle, &canvases};
}

bool MainView::needsRotation() const {
    return orientation == 1 && width() > height();
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
        machine->deliverEvent(visible ? EHandleForeground : EHandleBackground, {});
    });
}
