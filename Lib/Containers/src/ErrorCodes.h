// Error codes and the raising entry point that needs no text: the containers raise their
// errors through it without depending on OString.
#pragma once

#include "Types.h"

enum TErrorCode : TInt32 {
    ENoError = 0,
    ENullPointer = 1,
    EIndexOutOfBounds = 2,
    EDivisionByZero = 3,
    EDataFormat = 4,
    ERange = 5,
    EInvalidArgument = 6,
    EIOError = 7,
    EMathError = 8,
    EAssertionFailed = 9,
    EVMException = 10,
    EFatalMachineError = 11,
    EExitRequested = 12,
    EUnsupportedFeature = 13,
};

// The one exception type raised by runtime code; the error is in the last-error record.
class ErrorHandlingException {};

// Raises the error with an empty message (see ErrorHandling.h).
[[noreturn]] void throwError(TInt32 code);
