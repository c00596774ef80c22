// Device extensions: features of the phone (accelerometer, sound, location, torch,
// platform functions) that the host creates on their first call and application code
// reaches with the extension-call instruction.
#pragma once

#include "AddressSpace.h"
#include "HostServices.h"
#include "MVMCallbackInterface.h"
#include "Types.h"

#include <memory>

class Extension {
public:
    virtual ~Extension() = default;
    // Runs `function` on the operands at the top of the operand stack (top index `top`,
    // slot 0 at `stackAddress`) and returns the new top index. An unknown function is a
    // fatal machine error with the extension's "Unknown opcode!" message.
    virtual TInt32 callDllNative(TInt32 function, TInt32 top, TVMAddress stackAddress) = 0;
};

// What an extension is made with: the machine, seen through its callback interface, and
// the host's services.
struct ExtensionContext {
    MVMCallbackInterface& machine;
    const HostServices& services;
};

// One extension the host can create: its number in the extension-call instruction, its
// name, and how to make it.
struct ExtensionFactory {
    TInt32 number = 0;
    const char* name = nullptr;
    std::unique_ptr<Extension> (*create)(const ExtensionContext& context) = nullptr;
};
