#include "ExtensionHost.h"

#include "ErrorHandling.h"

TInt32 ExtensionHost::callExtension(TInt32 extension, TInt32 function, TInt32 top,
                                    TVMAddress stackAddress) {
    auto found = extensions.find(extension);
    if (found == extensions.end()) {
        std::unique_ptr<Extension> created = create(extension);
        if (!created) throwError(EVMException, "Dll not supported");
        found = extensions.emplace(extension, std::move(created)).first;
    }
    return found->second->callDllNative(function, top, stackAddress);
}

// The device extensions (accelerometer 20, location 27, audio player 28, audio mixer 30,
// torch 36, platform functions 37) join this table as they are built.
std::unique_ptr<Extension> ExtensionHost::create(TInt32) {
    return nullptr;
}
