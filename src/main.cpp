// The kestro program: finds the application directory, loads the application's
// bytecode module "index.mcb" and runs its start-up.
#include "ApplicationDirectory.h"
#include "ConsoleHost.h"
#include "ErrorHandling.h"
#include "MachineStop.h"
#include "Stream.h"
#include "VirtualMachine.h"

#include <cstdio>

namespace {

const char* const kModuleName = "index.mcb";

// "FATAL: " and the last error's text, each UTF-16 unit as UTF-8.
void printFatalLine() {
    const OString message = lastErrorMessage();
    const Vec<TUint8> bytes = message.toUtf8();
    std::fputs("FATAL: ", stderr);
    std::fwrite(bytes.data(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fputc('\n', stderr);
}

int reportFatalMachineError(const VirtualMachine& machine) {
    if (!machine.lastFatalDescription().empty())
        std::fprintf(stderr, "kestro: fatal machine error: %s\n",
                     machine.lastFatalDescription().c_str());
    printFatalLine();
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const auto directory = applicationDirectory(argc, argv);
    if (!directory) {
        std::fprintf(stderr, "%s: VM basename too long\n", programBaseName(argv[0]).c_str());
        return 1;
    }
    const std::string path = *directory + "/" + kModuleName;
    KESTRO::FileInputStream stream;
    if (!stream.open(path.c_str())) {
        std::fprintf(stderr, "Failed to open '%s'\n", path.c_str());
        return 1;
    }
    ConsoleHost host;
    VirtualMachine machine;
    setCurrentVirtualMachine(&machine);
    try {
        machine.startApplication(stream, OString(kModuleName), &host);
    } catch (const ErrorHandlingException&) {
        return reportFatalMachineError(machine);
    } catch (const MachineStop& stop) {
        // The application's own exit request ends the process normally.
        if (stop.value == MachineStop::kExitRequested) return 0;
        return reportFatalMachineError(machine);
    }
    return 0;
}
