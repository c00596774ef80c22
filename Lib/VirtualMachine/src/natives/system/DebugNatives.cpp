// The debug native group 30: log lines and the log file.
#include "NativeCall.h"
#include "NativeGroups.h"

namespace {

void log(NativeCall& call, TInt32) {
    call.host().log->log(call.string());
    call.pop();
}

// The host's answer is not the application's concern.
void setLogFile(NativeCall& call, TInt32) {
    call.host().log->setLogFile(call.string());
    call.pop();
}

constexpr NativeFunction kFunctions[] = {
    {1, "log", log},
    {2, "setLogFile", setLogFile},
    {3, "nothing", nothing},
};

} // namespace

constinit const NativeTable kDebugNatives{kFunctions};
