// The machine as the host and the device extensions see it.
#pragma once

#include "AddressSpace.h"
#include "OString.h"
#include "Types.h"

#include <vector>

class VMHeap;

class MVMCallbackInterface {
public:
    virtual ~MVMCallbackInterface() = default;
    // The handle of the method the signature names, or -1.
    virtual TInt32 findMethod(const OString& signature, TInt32 module) = 0;
    // Runs a host call now, or queues it while another one runs.
    virtual void callMethodOrQueue(TInt32 handle, const std::vector<TUint32>& arguments,
                                   const std::vector<TInt32>& argumentDepths,
                                   TInt32 resultDepth) = 0;
    [[noreturn]] virtual void reportFatalError(const char* message, TInt32 position) = 0;
    virtual VMHeap& getHeap() = 0;
    virtual TUint32 convertReferenceDepth(TInt32 delta, TUint32 value) = 0;
    // A byte array (array record address) holding a copy of the bytes.
    virtual TVMAddress createByteArray(const std::vector<TUint8>& bytes) = 0;
    // A full collection, the operand stack included.
    virtual void collectGarbage() = 0;
};
