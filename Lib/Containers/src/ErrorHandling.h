// Runtime errors: every part of the runtime reports an application-level error as a
// numeric code plus a message through throwError(). The error travels in a per-thread
// last-error record; the C++ exception that unwinds the native stack carries nothing.
#pragma once

#include "OString.h"
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

// The text of an error: the code's name, then ": " and the message when there is one.
OString errorText(TInt32 code, const OString& message);

// Stores {errorText(code, message), code} as the thread's last error and raises
// ErrorHandlingException.
[[noreturn]] void throwError(TInt32 code, const OString& message);
[[noreturn]] void throwError(TInt32 code, const char* message);
[[noreturn]] void throwError(TInt32 code);

TInt32 lastErrorCode();
OString lastErrorMessage();
void clearLastError();

// A fatal machine error ends the running host call; it is raised as code 11 with an
// empty message. The description says what went wrong, for the one who reads the code.
[[noreturn]] void raiseFatalMachineError(const char* description);
