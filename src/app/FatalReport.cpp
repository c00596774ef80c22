#include "FatalReport.h"

#include "ErrorHandling.h"
#include "VirtualMachine.h"

#include <cstdio>

int reportRuntimeError() {
    const Vec<TUint8> bytes = lastErrorMessage().toUtf8();
    std::fputs("FATAL: ", stderr);
    std::fwrite(bytes.data(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fputc('\n', stderr);
    return 1;
}

int reportFatalMachineError() {
    if (!lastFatalDescription().empty())
        std::fprintf(stderr, "kestro: fatal machine error: %s\n", lastFatalDescription().c_str());
    return reportRuntimeError();
}
