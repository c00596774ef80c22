// The kestro program: finds the application directory, opens the window, loads the
// application's module "index.mcb", runs its start-up and then the event loop.
#include "ApplicationDirectory.h"
#include "ErrorHandling.h"
#include "FatalReport.h"
#include "HostCall.h"
#include "MachineStop.h"
#include "MainView.h"
#include "MemoryBudget.h"
#include "QtClientApplication.h"

#include <QDBusConnection>
#include <QDebug>
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

} // namespace

int main(int argc, char** argv) {
    qDebug("starting main");
    MemoryBudget::setLimit(MemoryBudget::limitFromEnvironment());
    QtClientApplication application(argc, argv);
    const auto directory = applicationDirectory(argc, argv);
    if (!directory) {
        std::fprintf(stderr, "%s: VM basename too long\n", programBaseName(argv[0]).c_str());
        return 1;
    }
    try {
        MainView view(*directory);
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
