#include "ErrorHandling.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct LastError {
    OString message;
    TInt32 code = ENoError;
};

LastError& lastError() {
    thread_local LastError record;
    return record;
}

const char* codeName(TInt32 code) {
    switch (code) {
    case ENullPointer: return "NullPointerException";
    case EIndexOutOfBounds: return "IndexOutOfBoundsException";
    case EDivisionByZero: return "DivisionByZeroException";
    case EDataFormat: return "DataFormatException: ";
    case ERange: return "RangeException";
    case EInvalidArgument: return "InvalidArgumentException";
    case EIOError: return "IOException";
    case EMathError: return "MathException";
    case EAssertionFailed: return "AssertionFailedException";
    case EVMException: return "VMException";
    case EUnsupportedFeature: return "UnsupportedFeatureException";
    default: return nullptr;
    }
}

} // namespace

OString errorText(TInt32 code, const OString& message) {
    OString text;
    if (const char* name = codeName(code)) {
        text = OString(name);
    } else {
        text = OString(("UnknownException (CODE:" + std::to_string(code) + ")").c_str());
    }
    if (!message.isEmpty()) {
        text.append(OString(": "));
        text.append(message);
    }
    return text;
}

void throwError(TInt32 code, const OString& message) {
    LastError& record = lastError();
    record.message = errorText(code, message);
    record.code = code;
    throw ErrorHandlingException();
}

void throwError(TInt32 code, const char* message) {
    throwError(code, OString(message));
}

void throwError(TInt32 code) {
    throwError(code, OString());
}

TInt32 lastErrorCode() {
    return lastError().code;
}

OString lastErrorMessage() {
    return lastError().message;
}

void clearLastError() {
    lastError().message = OString();
    lastError().code = ENoError;
}

namespace {
std::string& fatalDescription() {
    thread_local std::string description;
    return description;
}
} // namespace

void raiseFatalMachineError(const std::string& description) {
    fatalDescription() = description;
    throwError(EFatalMachineError);
}

const std::string& lastFatalDescription() {
    return fatalDescription();
}

void kestroAssertionFailed(const char* expression, const char* file, const char* function) {
    std::fprintf(stderr, "ASSERT: \"%s\" in file %s, function %s\n", expression, file, function);
    std::abort();
}
