// The kestro program: finds the application directory, opens the window, loads the
// application's module "index.mcb", runs its start-up and then the event loop.
#include "ApplicationDirectory.h"
#include "CommandLine.h"
#include "DesktopPaths.h"
#include "ErrorHandling.h"
#include "FatalReport.h"
#include "HostCall.h"
#include "MachineStop.h"
#include "MainView.h"
#include "MemoryBudget.h"
#include "QtClientApplication.h"

#include <QDBusConnection>
#include <QDebug>
#include <QFileInfo>
#include <cstdio>

#if defined(__SANITIZE_ADDRESS__)
// The system's font configuration library keeps what it reads of the installed fonts
// until the process ends; the leak checker of a sanitizer build is told so.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
#endif

namespace {

// Display status changes from the platform's mode control arrive on the system bus.
bool subscribeToDisplayStatus(MainView& view) {
    return QDBusConnection::systemBus().connect("com.nokia.mce", "/com/nokia/mce/signal",
                                                "com.nokia.mce.signal", "display_status_ind", &view,
                                                SLOT(displaySignal(QString)));
}

// Status of the process after the event loop: failures the loop ended with are reported
// as they would have been at start-up.
int statusAfterEventLoop(int loopResult) {
    switch (hostOutcome()) {
    case HostOutcome::Running: return loopResult;
    case HostOutcome::ExitRequested: return 0;
    case HostOutcome::RuntimeError: return reportRuntimeError();
    case HostOutcome::FatalMachineError: return reportFatalMachineError();
    }
    return loopResult;
}

// The person's key map: the one the command line names, else the application's own when
// it has one.
KeyMap keyMapFor(const CommandLine& line, const CAppsString& directory) {
    if (!line.keyMapPath.empty()) return KeyMap::fromFile(QString::fromLocal8Bit(line.keyMapPath));
    const QString own = defaultKeyMapPath(directory);
    return QFileInfo::exists(own) ? KeyMap::fromFile(own) : KeyMap();
}

} // namespace

int main(int argc, char** argv) {
    auto parsed = parseCommandLine(argc, argv);
    if (const auto* answer = std::get_if<CommandLineAnswer>(&parsed)) {
        std::fputs(answer->text.c_str(), answer->status == 0 ? stdout : stderr);
        return answer->status;
    }
    CommandLine& line = std::get<CommandLine>(parsed);
    if (!displayAvailable(line)) {
        const std::string program = programBaseName(argv[0]);
        std::fprintf(stderr,
                     "%s: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are "
                     "unset); run it on an X server (xvfb-run %s) or without a window "
                     "(QT_QPA_PLATFORM=offscreen %s)\n",
                     program.c_str(), program.c_str(), program.c_str());
        return 1;
    }
    qDebug("starting main");
    MemoryBudget::setLimit(MemoryBudget::limitFromEnvironment());
    int qtArgumentCount = static_cast<int>(line.qtArguments.size()) - 1;
    QtClientApplication application(qtArgumentCount, line.qtArguments.data());
    const auto directory = applicationDirectory(argc, argv);
    if (!directory) {
        std::fprintf(stderr, "%s: VM basename too long\n", programBaseName(argv[0]).c_str());
        return 1;
    }
    try {
        MainView view(*directory, {!line.windowed, line.scale}, keyMapFor(line, *directory));
        addPersonalDirectoryWhenNeeded(view.applicationFiles(), line.userData);
        if (!subscribeToDisplayStatus(view))
            std::fputs("FATAL: Failed to connect to dbus\n", stderr);
        application.setMainView(&view);
        view.setVisible(true);
        try {
            view.loadApplication();
        } catch (const MachineStop& stop) {
            return stop.value == MachineStop::kExitRequested ? 0 : reportFatalMachineError();
        }
        return statusAfterEventLoop(QApplication::exec());
    } catch (const ErrorHandlingException&) {
        return lastErrorCode() == EFatalMachineError ? reportFatalMachineError()
                                                     : reportRuntimeError();
    }
}
