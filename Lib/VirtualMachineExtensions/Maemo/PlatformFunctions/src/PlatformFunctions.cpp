#include "PlatformFunctions.h"

#include <cstdlib>

const ExtensionFunction<PlatformFunctions> PlatformFunctions::kFunctions[] = {
    {1, &PlatformFunctions::showTaskSwitcher},
};

PlatformFunctions::PlatformFunctions(MVMCallbackInterface& aMachine)
    : TableExtension(aMachine, kFunctions) {}

// The desktop listens for this signal on the session bus; the command's own exit status
// says nothing the application could act on.
void PlatformFunctions::showTaskSwitcher(ExtensionCall&) {
    [[maybe_unused]] const int status =
        std::system("dbus-send --type=signal /lofasz com.nokia.hildon_desktop.exit_app_view");
}

std::unique_ptr<Extension> createPlatformFunctions(const ExtensionContext& context) {
    return std::make_unique<PlatformFunctions>(context.machine);
}
