#include "ConsoleHost.h"

#include "ErrorHandling.h"

#include <cstdio>
#include <cstdlib>
#include <string>

void ConsoleHost::log(const OString& message) {
    std::string line = "LOG: ";
    for (const char16_t unit : message.view())
        line += static_cast<char>(unit & 0xFF);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
}

// This host shows no exit message.
void ConsoleHost::showExitMessage(const OString&) {}

void ConsoleHost::exitApplication() {
    std::fflush(stderr);
    std::exit(0);
}

// No device extension is available without the window host.
TInt32 ConsoleHost::callExtension(TInt32, TInt32, TInt32, TUint32) {
    throwError(EVMException, "Dll not supported");
}
