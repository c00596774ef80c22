// Runtime errors: every part of the runtime reports an application-level error as a
// numeric code plus a message through throwError(). The error travels in a per-thread
// last-error record; the C++ exception that unwinds the native stack carries nothing.
#pragma once

#include "ErrorCodes.h"
#include "OString.h"
#include "Types.h"

#include <string>

// The text of an error: the code's name, then ": " and the message when there is one.
OString errorText(TInt32 code, const OString& message);

// Stores {errorText(code, message), code} as the thread's last error and raises
// ErrorHandlingException.
[[noreturn]] void throwError(TInt32 code, const OString& message);
[[noreturn]] void throwError(TInt32 code, const char* message);

TInt32 lastErrorCode();
OString lastErrorMessage();
void clearLastError();

// A fatal machine error ends the running host call; it is raised as code 11 with an
// empty message. The description says what went wrong; it is kept apart from the
// last-error record, for the diagnostics the host writes.
[[noreturn]] void raiseFatalMachineError(const std::string& description);
// The description of the thread's last fatal machine error ("" before the first).
const std::string& lastFatalDescription();
