// The device extensions (accelerometer, sound, location, torch, platform functions),
// which the host owns and the extension-call instruction reaches.
#pragma once

#include "AddressSpace.h"
#include "Types.h"

class ExtensionService {
public:
    virtual ~ExtensionService() = default;
    // Runs the extension's function on the operands at the top of the operand stack (top
    // index `top`, slot 0 at `stackAddress`) and returns the new top index. An extension
    // number the host does not know raises VMException "Dll not supported".
    virtual TInt32 callExtension(TInt32 extension, TInt32 function, TInt32 top,
                                 TVMAddress stackAddress) = 0;
};
