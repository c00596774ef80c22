#include "HostCall.h"

#include "ErrorHandling.h"
#include "MachineStop.h"

#include <QCoreApplication>

namespace {
HostOutcome outcome = HostOutcome::Running;

void end(HostOutcome how) {
    outcome = how;
    QCoreApplication::exit(how == HostOutcome::ExitRequested ? 0 : 1);
}
} // namespace

HostOutcome hostOutcome() {
    return outcome;
}

void runHostCall(const std::function<void()>& call) {
    if (outcome != HostOutcome::Running) return;
    try {
        call();
    } catch (const ErrorHandlingException&) {
        end(lastErrorCode() == EFatalMachineError ? HostOutcome::FatalMachineError
                                                  : HostOutcome::RuntimeError);
    } catch (const MachineStop& stop) {
        end(stop.value == MachineStop::kExitRequested ? HostOutcome::ExitRequested
                                                      : HostOutcome::FatalMachineError);
    }
}
