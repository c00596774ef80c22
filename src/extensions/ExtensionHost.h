// Device extensions, created on their first call and kept until the host ends. Opcode 97
// reaches them through the host's extension service.
#pragma once

#include "AddressSpace.h"
#include "ExtensionService.h"
#include "Types.h"

#include <map>
#include <memory>

class Extension {
public:
    virtual ~Extension() = default;
    // Runs `function` on the operands at the top of the stack (top index `top`, slot 0 at
    // `stackAddress`) and returns the new top index.
    virtual TInt32 callDllNative(TInt32 function, TInt32 top, TVMAddress stackAddress) = 0;
};

class ExtensionHost : public ExtensionService {
public:
    // An extension number the host does not know raises VMException "Dll not supported".
    TInt32 callExtension(TInt32 extension, TInt32 function, TInt32 top,
                         TVMAddress stackAddress) override;

private:
    std::unique_ptr<Extension> create(TInt32 extension);

    std::map<TInt32, std::shared_ptr<Extension>> extensions;
};
