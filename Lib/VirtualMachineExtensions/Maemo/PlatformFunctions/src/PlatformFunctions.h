// The platform functions (extension 37): the application's requests to the desktop. Its
// one function sends the application to the task switcher.
#pragma once

#include "ExtensionFunctions.h"

#include <memory>

class PlatformFunctions : public TableExtension<PlatformFunctions> {
public:
    explicit PlatformFunctions(MVMCallbackInterface& machine);

private:
    void showTaskSwitcher(ExtensionCall& call);

    friend TableExtension;
    static const ExtensionFunction<PlatformFunctions> kFunctions[];
    static constexpr const char* kUnknownOpcode = "Maemo: Unknown opcode!";
};

std::unique_ptr<Extension> createPlatformFunctions(const ExtensionContext& context);
