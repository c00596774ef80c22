// The device extensions of the host, created from their factories on their first call and
// kept until the host ends. The extension-call instruction reaches them through the
// host's extension service.
#pragma once

#include "Extension.h"
#include "ExtensionService.h"

#include <map>
#include <memory>
#include <span>

class ExtensionHost : public ExtensionService {
public:
    // The extensions of this host.
    ExtensionHost();
    explicit ExtensionHost(std::span<const ExtensionFactory> factories);

    // Extensions are made with this machine and these services; the host gives them when
    // it loads the application, before the first extension call.
    void attach(MVMCallbackInterface& machine, const HostServices& services);

    // An extension number without a factory raises VMException "Dll not supported".
    TInt32 callExtension(TInt32 extension, TInt32 function, TInt32 top,
                         TVMAddress stackAddress) override;

private:
    Extension& extensionNumbered(TInt32 number);

    std::span<const ExtensionFactory> table;
    MVMCallbackInterface* machine = nullptr;
    HostServices services;
    std::map<TInt32, std::unique_ptr<Extension>> extensions;
};
