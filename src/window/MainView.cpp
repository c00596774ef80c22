#include "MainView.h"

#include "ApplicationPaths.h"
#include "DesktopPaths.h"
#include "HostCall.h"
#include "KeyEvent.h"
#include "KeyMapping.h"
#include "Stream.h"
#include "VirtualMachine.h"
#include "X11Display.h"

#include <QDebug>
#include <QHideEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QShowEvent>
#include <cstdio>
#include <cstdlib>

namespace {

// Whether the application was last told it is in the foreground; one for the process.
bool foregroundState = false;

OString textOf(const QString& text) {
    return OString(std::u16string_view(QStringView(text).utf16(), text.size()));
}

} // namespace

MainView::MainView(const CAppsString& directory, WindowMode mode, KeyMap keys)
    : files(directory), keyMap(std::move(keys)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Qt::WA_PaintOnScreen is left off: it stops a raster widget from painting.
    setFocusPolicy(Qt::StrongFocus);
    TInt32 width = 0;
    TInt32 height = 0;
    getScreenSize(width, height);
    windowedGeometry = QRect(QPoint(), QSize(width, height) * mode.scale);
    windowedGeometry.moveCenter(screen()->availableGeometry().center());
    if (mode.fullScreen)
        toggleFullScreen();
    else
        setGeometry(windowedGeometry);
    setNonCompositedWindow(true);
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
    return {&files,     &log,      &clock, &scheduler,  this,      &extensionHost,
            &lifecycle, &canvases, &fonts, &sensorTilt, &positions};
}

bool MainView::needsRotation() const {
    return orientation == 1 && width() > height();
}

void MainView::setOrientation(TInt32 newOrientation) {
    if (newOrientation == orientation) return;
    orientation = newOrientation;
    setPortraitModeRequest(newOrientation != 2);
    update();
}

void MainView::getScreenSize(TInt32& width, TInt32& height) {
    width = orientation == 2 ? 800 : 480;
    height = orientation == 2 ? 480 : 800;
}

void MainView::keyPressEvent(QKeyEvent* event) {
    if (keyboardTilt.press(*event)) return;
    if (const auto action = keyMap.hostActionOf(event->key())) {
        if (!event->isAutoRepeat()) runHostAction(*action, event->modifiers());
        return;
    }
    deliverKey(EHandleKeyPressed, *event);
}

void MainView::keyReleaseEvent(QKeyEvent* event) {
    if (keyboardTilt.release(*event)) return;
    if (keyMap.hostActionOf(event->key())) return;
    deliverKey(EHandleKeyReleased, *event);
}

void MainView::runHostAction(HostAction action, Qt::KeyboardModifiers modifiers) {
    switch (action) {
    case HostAction::FullScreen: toggleFullScreen(); return;
    case HostAction::Screenshot: saveScreenshot(modifiers & Qt::ShiftModifier); return;
    case HostAction::Overlay: toggleOverlay(); return;
    }
}

// Without a window manager nobody else gives a full-screen window the screen's size, or
// gives a window back its size when it leaves full screen.
void MainView::toggleFullScreen() {
    if (isFullScreen()) {
        setWindowState(windowState() & ~Qt::WindowFullScreen);
        setGeometry(windowedGeometry);
    } else {
        if (isVisible()) windowedGeometry = geometry();
        setGeometry(screen()->geometry());
        setWindowState(windowState() | Qt::WindowFullScreen);
    }
}

void MainView::saveScreenshot(bool asShown) {
    const QImage picture = asShown ? grab().toImage() : bufferPicture();
    const QString path = screenshotPath(files.applicationDirectory());
    if (picture.save(path, "PNG"))
        std::fprintf(stderr, "Screenshot saved to %s\n", qPrintable(path));
    else
        std::fprintf(stderr, "Screenshot not saved: cannot write %s\n", qPrintable(path));
}

void MainView::deliverKey(EventHandle which, const QKeyEvent& event) {
    VirtualMachine* machine = currentVirtualMachine();
    if (!machine) return;
    const int key = keyMap.applicationKeyOf(event.key());
    const QString text = keyMap.isMapped(event.key()) ? textOfKey(key) : event.text();
    runHostCall([&] {
        const TVMAddress keyEvent =
            Kestro::KeyEvent::create(machine->getHeap(), mapQtKey(key),
                                     static_cast<TInt32>(event.nativeScanCode()), 0, textOf(text));
        machine->deliverEvent(which, {keyEvent});
    });
}

void MainView::mousePressEvent(QMouseEvent* event) {
    deliverPointer(0, *event);
}

void MainView::mouseReleaseEvent(QMouseEvent* event) {
    deliverPointer(1, *event);
}

void MainView::mouseMoveEvent(QMouseEvent* event) {
    deliverPointer(6, *event);
}

void MainView::deliverPointer(TInt32 type, const QMouseEvent& event) {
    VirtualMachine* machine = currentVirtualMachine();
    if (!machine) return;
    const std::optional<QPoint> point = presentation().picturePointOf(event.position());
    if (!point) return;
    runHostCall([&] {
        machine->deliverEvent(EHandlePointerEvent,
                              {static_cast<TUint32>(type), static_cast<TUint32>(point->x()),
                               static_cast<TUint32>(point->y()), 0});
    });
}

void MainView::displaySignal(const QString& status) {
    displayOn = status != QLatin1String("off");
    updateForegroundState();
}

void MainView::setWindowActive(bool active) {
    windowActive = active;
    updateForegroundState();
}

void MainView::showEvent(QShowEvent* event) {
    setWindowActive(true);
    MainViewBase::showEvent(event);
}

void MainView::hideEvent(QHideEvent* event) {
    setWindowActive(false);
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

void MainView::setNonCompositedWindow(bool on) {
    const std::uint32_t property = X11Display::existingAtom("_HILDON_NON_COMPOSITED_WINDOW");
    if (property == 0) return;
    X11Display::setProperty32(X11Display::rootOf(static_cast<std::uint32_t>(winId())), property,
                              X11Display::kInteger, on ? 1 : 0);
}

void MainView::setPortraitModeRequest(bool on) {
    const std::uint32_t property = X11Display::existingAtom("_HILDON_PORTRAIT_MODE_REQUEST");
    if (property == 0) return;
    if (!X11Display::setProperty32(static_cast<std::uint32_t>(winId()), property,
                                   X11Display::kCardinal, on ? 1 : 0))
        qDebug("setOrientationToPortrait, change property failed");
}
