// An extension whose functions are a table, one row a function number, in the manner of a
// library's registration array. The extension E names its rows in E::kFunctions and its
// fatal error for a number without a row in E::kUnknownOpcode.
#pragma once

#include "Extension.h"
#include "ExtensionCall.h"
#include "Types.h"

#include <algorithm>
#include <span>

template <class E> struct ExtensionFunction {
    TInt32 number = 0;
    void (E::*run)(ExtensionCall& call) = nullptr;
};

template <class E> class TableExtension : public Extension {
public:
    // Runs the row of the function on the call's operands and returns the new top index.
    TInt32 callDllNative(TInt32 function, TInt32 top, TVMAddress stackAddress) final {
        const auto row = std::ranges::find(functions, function, &ExtensionFunction<E>::number);
        if (row == functions.end()) machine.reportFatalError(E::kUnknownOpcode, 1);
        ExtensionCall call(machine, top, stackAddress);
        (static_cast<E&>(*this).*row->run)(call);
        return call.newTop();
    }

protected:
    // `aFunctions`: E::kFunctions, passed where its definition, and so its length, is seen.
    TableExtension(MVMCallbackInterface& aMachine, std::span<const ExtensionFunction<E>> aFunctions)
        : machine(aMachine), functions(aFunctions) {}

    MVMCallbackInterface& machine;

private:
    std::span<const ExtensionFunction<E>> functions;
};
